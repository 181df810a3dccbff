// What the portal pane and the game pane do with the private links that reach them.
#include "mainwindow/ba1.h"

#include "browser/browser_pane.h"
#include "chrome/skin_button.h"
#include "records/game_link.h"
#include "records/unescape.h"
#include "base/program_folder.h"

#include <QFileInfo>
#include <QTimer>
#include "chrome/click_label.h"

#include <utility>

namespace {
// The longest the rest of a game's opening waits for the game pane's request to leave.
constexpr int kGameOpeningWaitMs = 250;
} // namespace

void BA1::Web1_BeforeNavigate(const QString &url, bool *cancel)
{
    // A points-game link reaching the portal pane opens the game as well, recorded as kind 0,
    // so that a points game opened from a list plays.
    const QString scheme = gameLinkScheme(url);
    if (scheme.isEmpty())
        return;
    *cancel = true;
    if (url.size() <= kLongestGameLink)
        openGame(url, scheme, scheme == kPointsScheme ? 0 : 1);
}

void BA1::openGame(const QString &url, const QString &scheme, int kind)
{
    finishGameOpening(); // a game opened just before this one is complete first
    pb_ad = 0;
    const GameLinkFields fields = splitGameLink(url, scheme);
    const QString id = fields.id.value_or(QString());
    const QString address = fields.address.value_or(QString());
    if (fields.name)
        GameName = *fields.name;

    // The game's request leaves first. The engine sends it only after several turns of the
    // event loop, and anything done here would come first: the tab switch and the layout
    // repaint the window (30-120 ms a time under a software renderer) and the record goes to
    // the disk. All that follows once the game pane's request has left, or after
    // kGameOpeningWaitMs. The pane runs again before it loads: a paused page is frozen.
    setPauseTool(false);
    const auto localFile = downloadedGamePath(programFolder(), id);
    const bool playLocally = localFile && QFileInfo::exists(*localFile);
    Web2->navigate(gamePageFor(id, address, programFolder(), portalBase_, playLocally));

    gameOpeningRest_ = [this, url, id, address, kind, name = GameName] {
        yxname->setTextFormat(Qt::PlainText); // the name is the portal's: markup in it is text
        yxname->setText("当前：在线小游戏 >> " + UnescapeText(name) + "：");
        yxname->adjustSize();
        Webr->navigate(portalBase_ + "app/flash_info.asp?id=" + id);
        downurl = url;
        if (!c_z[7]->toolTip().contains("隐藏"))
            c_z_click(7);
        lblCount->setText("");
        lblCount->adjustSize();
        layout_game_view();
        if (const auto rid = recordId(id))
            records_.AddRecord(name, *rid, address, kind, "date_n.dat");
        npc_Click(7);
        Web2->setFocus(); // keys reach the game only while its pane has the focus
    };
    QTimer::singleShot(kGameOpeningWaitMs, this, &BA1::finishGameOpening);
}

void BA1::finishGameOpening()
{
    if (const auto rest = std::exchange(gameOpeningRest_, nullptr))
        rest();
}

void BA1::Web2_BeforeNavigate(const QString &url, bool *cancel)
{
    if (url.startsWith("velo")) {
        *cancel = true;
        Web1->navigate(url);
    } else if (url.startsWith("vepbad")) {
        *cancel = true;
        pb_ad = 1;
    }
}

void BA1::Web2_NewWindow(bool *cancel)
{
    if (pb_ad == 1)
        *cancel = true;
}
