#pragma once

#include "records/list_choice.h"

#include <QString>
#include <QWidget>

#include <array>
#include <functional>

class BrowserPane;
class ClickLabel;
class Records;
struct KeptSizes;

// The list panel zz(2): the title strip pic4 (lcname, shan_name, Im2), the list labels lc(0..2)
// with the marker Im1, and the list page in Web3. It knows which list shows, opens, deletes and
// clears entries, and remembers the entry a right-click was over.
class ListPanel : public QWidget {
    Q_OBJECT
public:
    // windowWidth: the main window's width, against which shan_name is aligned.
    ListPanel(Records &records, std::function<int()> windowWidth, QWidget *parent);

    ListKind currentList() const { return current_; }
    // The link of the entry under the last right-click.
    const QString &ContextLink() const { return ContextLink_; }

    void lc_Click(int index);
    void CCC_Click();
    void ddd_Click();
    void shan_name_Click();
    // The list page was rebuilt: the pane shows it again.
    void refresh();

    void layoutListPanel();
    void keepSizes(KeptSizes &sizes) const;
    BrowserPane *pane() const { return Web3; }

signals:
    // An entry opens through the portal pane, as a click on its link there would; the
    // record's name is the game's name from now on.
    void gameLinkRequested(const QString &url, const QString &name);
    void entryMenuRequested(const QPoint &globalPos);

private:
    void buildControls();
    void Web3_BeforeNavigate(const QString &url, bool *cancel);
    void Web3_ContextMenu(const QString &href, const QPoint &globalPos);
    void deleteEntry(const QString &link);
    void openEntry(const QString &link);

    Records &records_;
    ListKind current_ = ListKind::RecentlyPlayed;
    QString ContextLink_;
    std::function<int()> windowWidth_;

    QWidget *pic4 = nullptr, *Pic6 = nullptr, *Pic3 = nullptr, *Pic7 = nullptr, *Pic5 = nullptr;
    ClickLabel *lcname = nullptr, *shan_name = nullptr, *Im2 = nullptr, *Im1 = nullptr;
    std::array<ClickLabel *, kListCount> lc{};
    BrowserPane *Web3 = nullptr;
};
