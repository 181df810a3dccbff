// What the portal pane does with the private links that reach it, and the operations the rest
// of the client calls on the game view and the list panel by name.
#include "mainwindow/ba1.h"

#include "dialogs/message_box.h"
#include "mainwindow/game_view.h"
#include "mainwindow/list_panel.h"
#include "records/game_link.h"
#include "shell/tray_icon.h"

void BA1::Web1_BeforeNavigate(const QString &url, bool *cancel)
{
    // A points-game link reaching the portal pane opens the game as well, recorded as a points
    // game, so that a points game opened from a list plays.
    const QString scheme = gameLinkScheme(url);
    if (scheme.isEmpty())
        return;
    *cancel = true;
    if (url.size() <= kLongestGameLink)
        gameView_->openGame(url, scheme, scheme == kPointsScheme ? PointsGame : OrdinaryGame);
}

void BA1::recordOpenedGame(const QString &name, const QString &id, const QString &address, RecordKind kind)
{
    if (const auto rid = recordId(id))
        records_.AddRecord(name, *rid, address, kind, "date_n.dat");
    npc_Click(int(TitleSlot::GameTab));
}

void BA1::c_z_click(int index)
{
    if (index >= 0 && index < kToolSlotCount)
        gameView_->c_z_click(ToolSlot(index));
}

void BA1::shoucang()
{
    gameView_->finishOpening();
    const QString downurl = gameView_->downurl();
    if (downurl.isEmpty() || downurl == "0") {
        MessageBox::inform(this, "当前没有游戏");
        return;
    }
    const QString scheme = gameLinkScheme(downurl);
    if (scheme.isEmpty())
        return;
    const GameLinkFields fields = splitGameLink(downurl, scheme);
    if (fields.name)
        gameView_->setGameName(*fields.name);
    const QString name = gameView_->GameName();
    const auto id = recordId(fields.id.value_or(QString()));
    if (id && fields.address && fields.name)
        records_.AddRecord(name, *id, *fields.address, scheme == kPointsScheme ? PointsGame : OrdinaryGame,
                           "date_c.dat");
    tray_balloon("已添加到收藏!" + name);
}

void BA1::xiazai() { gameView_->xiazai(); }

void BA1::lc_Click(int index) { listPanel_->lc_Click(index); }
void BA1::CCC_Click() { listPanel_->CCC_Click(); }
void BA1::ddd_Click() { listPanel_->ddd_Click(); }
void BA1::shan_name_Click() { listPanel_->shan_name_Click(); }

void BA1::tray_balloon(const QString &text) { ::tray_balloon(text); }

const QString &BA1::downurl() const { return gameView_->downurl(); }
const QString &BA1::GameName() const { return gameView_->GameName(); }
int BA1::pb_ad() const { return gameView_->popupsBlocked() ? 1 : 0; }
int BA1::FullScreen() const { return gameView_->isFullScreen() ? 1 : 0; }
const QString &BA1::ContextLink() const { return listPanel_->ContextLink(); }
