#include "download/bk_dl_control.h"

#include "dialogs/message_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

int buttonsMask(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

QPalette::ColorRole systemColorRole(quint32 index)
{
    switch (index) {
    case 0x05: return QPalette::Base;            // window background
    case 0x08: return QPalette::Text;            // window text
    case 0x0D: return QPalette::Highlight;
    case 0x0E: return QPalette::HighlightedText;
    case 0x0F: return QPalette::Button;          // button face
    case 0x12: return QPalette::ButtonText;
    default: return QPalette::Window;
    }
}

} // namespace

bkDLControl::bkDLControl(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true); // MouseMove also while no button is held
    connect(&transfer_, &DownloadTransfer::repaintNeeded, this, qOverload<>(&QWidget::update));
    connect(&transfer_, &DownloadTransfer::propertyChanged, this, &bkDLControl::propertyChanged);
    connect(&transfer_, &DownloadTransfer::startFailed, this, &bkDLControl::showStartFailure);
}

bkDLControl *bkDLControl::createMainWindowDl(QWidget *parent)
{
    auto *dl = new bkDLControl(parent);
    dl->setObjectName("dl");
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    dl->ReadProperties({{"BackColor", 0x8000000Du},
                        {"ForeColor", 0x000000C0u},
                        {"BorderStyle", 0},
                        {"Font", font.toString()}});
    return dl;
}

void bkDLControl::setBackColor(quint32 color)
{
    backColor_ = color;
    update();
    emit propertyChanged("BackColor");
}

void bkDLControl::setForeColor(quint32 color)
{
    foreColor_ = color;
    update();
    emit propertyChanged("ForeColor");
}

void bkDLControl::setBorderStyle(int style)
{
    borderStyle_ = style;
    update();
    emit propertyChanged("BorderStyle");
}

QColor bkDLControl::colorOf(quint32 oleColor) const
{
    if (oleColor & 0x80000000u)
        return palette().color(systemColorRole(oleColor & 0xFFu));
    return QColor(oleColor & 0xFF, (oleColor >> 8) & 0xFF, (oleColor >> 16) & 0xFF);
}

void bkDLControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), colorOf(backColor_));
    if (borderStyle_ == 1) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const float percent = transfer_.Percent();
    if (transfer_.ShowProgress() && percent > 0)
        painter.fillRect(QRectF(0, 0, width() * double(percent), height()), colorOf(foreColor_));
}

void bkDLControl::showStartFailure(int number, const QString &description)
{
    const QString n = QString::number(number);
    MessageBox::ask(this, "bkDLControl Internal Error: " + n, "Error: " + n + "\n" + description,
                    QMessageBox::Ok, QMessageBox::Critical);
}

void bkDLControl::mousePressEvent(QMouseEvent *event)
{
    emit MouseDown(buttonsMask(event->button()), shiftMask(event->modifiers()), event->position().x(),
                   event->position().y());
}

void bkDLControl::mouseMoveEvent(QMouseEvent *event)
{
    emit MouseMove(buttonsMask(event->buttons()), shiftMask(event->modifiers()), event->position().x(),
                   event->position().y());
}

void bkDLControl::mouseReleaseEvent(QMouseEvent *event)
{
    emit MouseUp(buttonsMask(event->button()), shiftMask(event->modifiers()), event->position().x(),
                 event->position().y());
    // The release that ends a double click is not a click of its own.
    if (releaseEndsDoubleClick_)
        releaseEndsDoubleClick_ = false;
    else if (rect().contains(event->position().toPoint()))
        emit Click();
}

void bkDLControl::mouseDoubleClickEvent(QMouseEvent *)
{
    releaseEndsDoubleClick_ = true;
    emit DblClick();
}

void bkDLControl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        emit propertyChanged("Enabled");
    else if (event->type() == QEvent::FontChange)
        emit propertyChanged("Font");
    QWidget::changeEvent(event);
}

void bkDLControl::WriteProperties(QVariantMap &bag) const
{
    if (backColor_ != kDefaultBackColor)
        bag.insert("BackColor", backColor_);
    if (foreColor_ != kDefaultForeColor)
        bag.insert("ForeColor", foreColor_);
    if (!isEnabled())
        bag.insert("Enabled", false);
    // The default font is the container's.
    if (testAttribute(Qt::WA_SetFont) && (!parentWidget() || font() != parentWidget()->font()))
        bag.insert("Font", font().toString());
    if (borderStyle_ != 1)
        bag.insert("BorderStyle", borderStyle_);
    transfer_.writeProperties(bag);
}

void bkDLControl::ReadProperties(const QVariantMap &bag)
{
    backColor_ = bag.value("BackColor", kDefaultBackColor).toUInt();
    foreColor_ = bag.value("ForeColor", kDefaultForeColor).toUInt();
    setEnabled(bag.value("Enabled", true).toBool());
    if (bag.contains("Font")) {
        QFont stored;
        if (stored.fromString(bag.value("Font").toString()))
            setFont(stored);
    }
    borderStyle_ = bag.value("BorderStyle", 1).toInt();
    transfer_.readProperties(bag);
    update();
}
