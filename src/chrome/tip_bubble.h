#pragma once

#include <QFrame>

class QLabel;
class SkinButton;

// The hover tip P1: a white box with a thin border holding the label bo_tip at (2, 2), shown under a title bar
// button with the button's tooltip text while the pointer is over it.
class TipBubble : public QFrame {
    Q_OBJECT
public:
    // A hidden child of `window`, named "P1".
    explicit TipBubble(QWidget *window);

    // Shows the button's tooltip text under the button.
    void showFor(const SkinButton *button);

    // Shows the bubble while the pointer is over `button` and hides it when it leaves; the
    // system tooltip of the button is turned off.
    void follow(SkinButton *button);

    QLabel *label() const { return label_; }

private:
    QLabel *label_;
};
