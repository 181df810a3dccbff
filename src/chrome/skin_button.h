#pragma once

#include "chrome/face_table.h"

#include <QImage>
#include <QWidget>

#include <functional>

class Skin;

// A skinned button of fixed size showing one face cut from a skin strip. The face stays as
// last painted until the next one. Hover paints the hover face while the pointer is over the
// button (both ends of each axis included) and the rest face after it leaves, choosing the
// cells by the face table for the state at that moment: the window's maximised state and the
// button's toggle.
class SkinButton : public QWidget {
    Q_OBJECT
public:
    // Named after the control ("npc_5", "c_z_0"); starts blank until a face is shown.
    SkinButton(const Skin &skin, SkinButtonId id, QWidget *parent);

    SkinButtonId id() const { return id_; }

    void showFace(const Face &face);
    void showRestFace();
    void showHoverFace();

    // While this answers false, hover leaves the face as it is (a tab whose pane shows keeps
    // its selected face). The pointer is still followed and hovered() still emitted.
    void setHoverRepaintAllowed(std::function<bool()> allowed) { hoverRepaintAllowed_ = std::move(allowed); }

    // A toggling button's state, set by its owner beside the tooltip text that tells it.
    void setToggled(bool toggled) { toggled_ = toggled; }
    bool isToggled() const { return toggled_; }

    // The tip bubble replaces the system tooltip.
    void setSystemToolTipShown(bool shown) { systemToolTipShown_ = shown; }

    const QImage &faceImage() const { return face_; }
    ButtonFaceState faceState() const;

signals:
    void clicked();
    // After every hover repaint: whether the pointer is over the button.
    void hovered(bool over);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void hoverFeedback(QPointF pos);

    const Skin &skin_;
    SkinButtonId id_;
    QImage face_;
    std::function<bool()> hoverRepaintAllowed_;
    bool systemToolTipShown_ = true;
    bool toggled_ = false;
};
