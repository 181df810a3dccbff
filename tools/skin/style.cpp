#include "style.h"

#include <QLinearGradient>
#include <QPainter>

namespace style {

QColor gradientAt(int y, int height)
{
    const double t = height > 1 ? double(y) / (height - 1) : 0;
    auto mix = [t](int a, int b) { return int(a + (b - a) * t + 0.5); };
    return QColor(mix(kGradientTop.red(), kGradientBottom.red()), mix(kGradientTop.green(), kGradientBottom.green()),
                  mix(kGradientTop.blue(), kGradientBottom.blue()));
}

QFont uiFont(int pixelSize)
{
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void drawPanel(QPainter &p, const QRectF &box, const QColor &top, const QColor &bottom, const QColor &border,
               qreal radius)
{
    const QRectF body = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(body, radius, radius);
    p.restore();
}

void drawChip(QPainter &p, const QRectF &box, bool lit, qreal radius)
{
    if (lit)
        drawPanel(p, box, QColor(126, 210, 252), QColor(34, 146, 218), QColor(22, 112, 182), radius);
    else
        drawPanel(p, box, QColor(255, 255, 255), QColor(222, 236, 247), QColor(150, 184, 212), radius);
}

void drawGlow(QPainter &p, const QRectF &box, qreal radius)
{
    drawPanel(p, box, QColor(255, 255, 255, 190), QColor(255, 255, 255, 100), QColor(255, 255, 255, 210), radius);
}

void drawText(QPainter &p, const QRectF &box, const QString &text, const QFont &font, const QColor &ink,
              const QColor &shadow)
{
    p.save();
    p.setFont(font);
    if (shadow.alpha() > 0) {
        p.setPen(shadow);
        p.drawText(box.translated(0, 1), Qt::AlignCenter, text);
    }
    p.setPen(ink);
    p.drawText(box, Qt::AlignCenter, text);
    p.restore();
}

} // namespace style
