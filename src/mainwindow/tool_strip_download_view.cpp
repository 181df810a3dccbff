#include "mainwindow/tool_strip_download_view.h"

#include "dialogs/message_box.h"
#include "download/bk_dl_control.h"
#include "mainwindow/ba1.h"
#include "chrome/click_label.h"

void ToolStripDownloadView::setCountCaption(const QString &text)
{
    window_.lblCount->setText(text);
    window_.lblCount->adjustSize();
}

void ToolStripDownloadView::showCount() { window_.lblCount->show(); }

QRect ToolStripDownloadView::countGeometry() const { return window_.lblCount->geometry(); }

void ToolStripDownloadView::placeProgressBar(const QRect &geometry) { window_.dl->setGeometry(geometry); }

void ToolStripDownloadView::movePercentLabel(const QPoint &topLeft) { window_.lbca->move(topLeft); }

void ToolStripDownloadView::moveStopButton(const QPoint &topLeft) { window_.dlting->move(topLeft); }

void ToolStripDownloadView::setPercentCaption(const QString &text)
{
    window_.lbca->setText(text);
    window_.lbca->adjustSize();
}

void ToolStripDownloadView::setProgressShown(bool shown)
{
    window_.dl->setVisible(shown);
    window_.lbca->setVisible(shown);
    window_.dlting->setVisible(shown);
}

void ToolStripDownloadView::balloon(const QString &text) { window_.tray_balloon(text); }

void ToolStripDownloadView::message(const QString &text) { MessageBox::inform(&window_, text); }
