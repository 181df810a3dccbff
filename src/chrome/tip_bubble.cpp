#include "chrome/tip_bubble.h"

#include "chrome/hover_rules.h"
#include "chrome/skin_button.h"

#include <QLabel>

TipBubble::TipBubble(QWidget *window) : QFrame(window), label_(new QLabel(this))
{
    setObjectName("P1");
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    label_->setObjectName("bo_tip");
    label_->move(kTipLabelPos);
    hide();
}

void TipBubble::showFor(const SkinButton *button)
{
    label_->setText(button->toolTip());
    label_->adjustSize();
    label_->move(kTipLabelPos);
    const QRect buttonRect(button->mapTo(parentWidget(), QPoint(0, 0)), button->size());
    setGeometry(tipBubbleRect(buttonRect, label_->size()));
    show();
    raise();
}

void TipBubble::follow(SkinButton *button)
{
    button->setSystemToolTipShown(false);
    connect(button, &SkinButton::hovered, this, [this, button](bool over) {
        if (over)
            showFor(button);
        else
            hide();
    });
}
