#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

// Colours and shared drawing styles of the Tamsa skin.
namespace style {

// The window template: borders and the vertical gradient of ppt(0).
inline const QColor kOuterBorder(41, 165, 203);
inline const QColor kInnerBorder(197, 234, 252);
inline const QColor kGradientTop(40, 183, 227);
inline const QColor kGradientBottom(189, 232, 249);
inline const QColor kDarkRule(27, 128, 174);
inline const QColor kLightRule(228, 246, 254);

// Ink of the title bar icons and its shadow, and the dark blue of texts on the light blue.
inline const QColor kTitleInk(255, 255, 255);
inline const QColor kTitleShadow(10, 80, 130, 110);
inline const QColor kGlowOutline(30, 120, 190, 200);
inline const QColor kDeepBlue(14, 72, 120);
inline const QColor kToolInk(32, 104, 162);
inline const QColor kToolText(44, 62, 80);
inline const QColor kLitInk(255, 255, 255);

// Colour of row y of a template `height` rows high.
QColor gradientAt(int y, int height);

// A UI font of the given pixel size (the Chinese sans-serif the client uses).
QFont uiFont(int pixelSize);

// A rounded body inside box with a vertical gradient and a one-pixel border.
void drawPanel(QPainter &p, const QRectF &box, const QColor &top, const QColor &bottom, const QColor &border,
               qreal radius);

// A rounded button body: light at rest, bright blue when lit by the pointer.
void drawChip(QPainter &p, const QRectF &box, bool lit, qreal radius = 4);

// The translucent glow behind a lit title button or tab.
void drawGlow(QPainter &p, const QRectF &box, qreal radius = 3);

// Text centred in box, in one colour, optionally with a soft shadow one pixel lower.
void drawText(QPainter &p, const QRectF &box, const QString &text, const QFont &font, const QColor &ink,
              const QColor &shadow = Qt::transparent);

} // namespace style
