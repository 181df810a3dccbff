// Applies the window layout on every resize, in full screen, and maximising to the work area.
#include "mainwindow/ba1.h"

#include "chrome/skin_button.h"
#include "chrome/window_background.h"
#include "chrome/window_layout.h"
#include "chrome/click_label.h"

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
    sizes.lblCount = lblCount->size();
    sizes.tingzhi = tingzhi->size();
    sizes.title_name = title_name->size();
    sizes.renj = renj->size();
    sizes.lcname = lcname->size();
    sizes.shan_name = shan_name->size();
    sizes.Im2 = Im2->size();
    return sizes;
}

void BA1::applyLayout(const ControlRects &rects)
{
    for (auto it = rects.cbegin(); it != rects.cend(); ++it) {
        if (QWidget *control = it.key() == objectName() ? this : findChild<QWidget *>(it.key()))
            control->setGeometry(it.value());
    }
}

// A window manager maximises after the request returns; lay out for where it is going.
QSize BA1::clientSize() const { return isMaximized() ? WorkArea.size() : size(); }

void BA1::Form_Resize()
{
    const WindowMode mode = isMinimized() ? WindowMode::Minimised
                            : isMaximised() ? WindowMode::Maximised
                                            : WindowMode::Normal;
    const FormResizePlan plan = planFormResize(mode, FullScreen == 1, clientSize());
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
    const WindowLayout layout = layoutNormal(plan.layoutSize, c_z[7]->toolTip(), keptSizes());
    applyLayout(layout.rects);
    pic2->setVisible(layout.pic2Visible);
}

void BA1::layout_game_view()
{
    const GameViewLayout layout = ::layout_game_view(zz[1]->size(), c_z[7]->toolTip(), tingzhi->size());
    applyLayout(layout.rects);
    pic2->setVisible(layout.pic2Visible);
}

void BA1::layout_full_screen()
{
    maximiseToWorkArea();
    background_->paint_background(skin_.strip(0), clientSize());
    applyLayout(::layout_full_screen(clientSize(), keptSizes()));
    npc[1]->showRestFace();
}

void BA1::layoutListPanel()
{
    applyLayout(::layoutListPanel(zz[2]->size(), clientSize().width(), keptSizes()));
}

bool BA1::isMaximised() const { return isMaximized(); }

// Maximised means the work area, whether or not a window manager is there to do it: the
// geometry is set first, because setting it afterwards would drop the maximised state.
void BA1::maximiseToWorkArea()
{
    if (isMaximized())
        return;
    normalGeometry_ = geometry();
    setGeometry(WorkArea);
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
