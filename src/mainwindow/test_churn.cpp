#include "mainwindow/test_churn.h"

#include "browser/browser_pane.h"
#include "chrome/window_size.h"
#include "dialogs/message_box.h"
#include "dialogs/settings_dialog.h"
#include "mainwindow/ba1.h"
#include "mainwindow/game_view.h"
#include "mainwindow/list_panel.h"
#include "base/ini_file.h"

#include <QAbstractButton>
#include <QPointer>
#include <QRandomGenerator>
#include <QTimer>

namespace {
constexpr int kGames = 40;
} // namespace

class TestChurn : public QObject {
public:
    TestChurn(BA1 *window, quint32 seed) : QObject(window), window_(window), random_(seed)
    {
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, &TestChurn::step);
        timer_.start(0);
    }

private:
    int below(int n) { return int(random_.bounded(n)); }

    // veloflash:// (or velojf:// for a points game) + id $$$ address $$$ name.
    QString link(int id, bool downloadable, bool points = false) const
    {
        const QString address = downloadable ? window_->portalBase() +
                                                   QString("test/slow?size=%1&ms=30&head=FWS&x=.swf").arg(gameSizeForId(id))
                                             : QString::number(id);
        return QString(points ? "velojf://" : "veloflash://") + QString::number(id) + "$$$" + address +
               "$$$%u6E38%u620F" + QString::number(id);
    }

    void step()
    {
        if (!window_)
            return;
        if (!window_->isVisible())
            window_->show(); // after the close question sent it to the tray
        const int id = 1 + below(kGames);
        const int roll = below(100);
        if (roll < 35) {
            window_->Web1->navigate(link(id, false, below(5) == 0));
        } else if (roll < 45) {
            window_->gameView_->setGameLink(link(id, true));
            window_->c_z_click(int(ToolSlot::Favourite));
        } else if (roll < 55) {
            window_->gameView_->setGameLink(link(id, true));
            window_->c_z_click(int(ToolSlot::Download));
        } else if (roll < 80) {
            window_->lc_Click(below(3));
            window_->listPanel_->pane()->navigate("delk://" + QString::number(1 + below(30)));
        } else if (roll < 82) {
            window_->lc_Click(below(3));
            MessageBox::queueAnswer(QMessageBox::Yes);
            window_->shan_name_Click();
        } else if (roll < 92) {
            applySettings();
        } else if (roll < 97) {
            saveWindowSize(QSize(800 + below(300), 560 + below(200)));
        } else {
            closeToTray();
        }
        timer_.start(below(30));
    }

    void applySettings()
    {
        BA2 *dialog = window_->settingsDialog();
        dialog->show();
        dialog->lc_Click(1);
        for (int i = 0; i < kSettingsBoxCount; ++i) {
            // The close box stays checked: the close question must hide, never quit.
            auto *box = dialog->findChild<QAbstractButton *>(QString("Check1_%1").arg(i));
            if (box && (box->isChecked() != (i == int(SettingsBox::CloseToTray) || below(2) == 0)))
                box->click();
        }
        if (auto *apply = dialog->findChild<QAbstractButton *>("cmdApply"))
            apply->click();
    }

    void closeToTray()
    {
        const IniFile ini(window_->ConfigPath());
        if (parseInt32(ini.read("S_q", "quit", "0")) == 1)
            return; // would quit
        if (parseInt32(ini.read("S_q", "ts", "0")) == 3)
            MessageBox::queueAnswer(QMessageBox::Yes);
        window_->npc_Click(int(TitleSlot::Close));
    }

    QPointer<BA1> window_;
    QRandomGenerator random_;
    QTimer timer_;
};

void startTestChurn(BA1 *window, quint32 seed) { new TestChurn(window, seed); }
