// Applies the window layout on every resize, in full screen, and maximising to the work area.
#include "mainwindow/ba1.h"

#include "chrome/click_label.h"
#include "chrome/control_rects.h"
#include "chrome/window_background.h"
#include "chrome/window_layout.h"
#include "mainwindow/game_view.h"
#include "mainwindow/list_panel.h"
#include "mainwindow/title_bar.h"

#include <QResizeEvent>

void BA1::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void BA1::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

KeptSizes BA1::keptSizes() const
{
    KeptSizes sizes;
    sizes.P2 = P2->size();
    sizes.webe = webe->size();
    gameView_->keepSizes(sizes);
    titleBar_->keepSizes(sizes);
    listPanel_->keepSizes(sizes);
    return sizes;
}

void BA1::applyLayout(const ControlRects &rects)
{
    const QStringList missing = applyControlRects(this, rects);
    if (!missing.isEmpty())
        qWarning("The layout names controls the window does not have: %s", qPrintable(missing.join(", ")));
}

// A window manager maximises after the request returns; lay out for where it is going.
QSize BA1::clientSize() const { return isMaximized() ? WorkArea_.size() : size(); }

void BA1::Form_Resize()
{
    const WindowMode mode = isMinimized() ? WindowMode::Minimised
                            : isMaximized() ? WindowMode::Maximised
                                            : WindowMode::Normal;
    const FormResizePlan plan = planFormResize(mode, gameView_->isFullScreen(), clientSize());
    switch (plan.kind) {
    case FormResizePlan::Nothing:
        return;
    case FormResizePlan::FullScreen:
        layout_full_screen();
        return;
    case FormResizePlan::Normal:
        break;
    }
    if (plan.enlargeTo)
        resize(*plan.enlargeTo);
    background_->paint_background(skin_.strip(0), plan.layoutSize);
    const WindowLayout layout = layoutNormal(plan.layoutSize, gameView_->infoPaneShown(), keptSizes());
    applyLayout(layout.rects);
    gameView_->layout_game_view();
}

void BA1::layout_full_screen()
{
    maximiseToWorkArea();
    background_->paint_background(skin_.strip(0), clientSize());
    applyLayout(::layout_full_screen(clientSize(), keptSizes()));
    titleBar_->showRestFace(TitleSlot::Maximise);
}

// Maximised means the work area, whether or not a window manager is there to do it: the
// geometry is set first, because setting it afterwards would drop the maximised state.
void BA1::maximiseToWorkArea()
{
    if (isMaximized())
        return;
    normalGeometry_ = geometry();
    setGeometry(WorkArea_);
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
}

void BA1::restoreNormal()
{
    const bool wasMaximised = isMaximized();
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    if (wasMaximised && normalGeometry_.isValid())
        setGeometry(normalGeometry_);
    Form_Resize();
}
