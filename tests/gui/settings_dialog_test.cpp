// The settings and about dialog over the real main window, opened from the main menu and
// driven with real input, on a desktop whose window manager really minimises and stacks.
#include "main_window_fixture.h"

#include "chrome/skin.h"
#include "chrome/skin_button.h"
#include "desktop.h"
#include "dialogs/settings_dialog.h"
#include "pane_driver.h"
#include "base/ini_file.h"
#include "temp_home.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <xcb/xcb.h>

namespace {

// Whether the window manager stacks these windows in this order, from the bottom up.
bool stackedInOrder(const QList<QWidget *> &bottomUp)
{
    xcb_connection_t *x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const char name[] = "_NET_CLIENT_LIST_STACKING";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(x, xcb_intern_atom(x, 1, sizeof name - 1, name), nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    xcb_get_property_reply_t *list =
        xcb_get_property_reply(x, xcb_get_property(x, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1024), nullptr);
    const auto *ids = static_cast<const xcb_window_t *>(xcb_get_property_value(list));
    const QList<xcb_window_t> order(ids, ids + xcb_get_property_value_length(list) / 4);
    free(list);
    free(atom);
    qsizetype previous = -1;
    for (QWidget *window : bottomUp) {
        // The native window, which may have been replaced since the widget's winId() was taken.
        const qsizetype at = order.indexOf(window->windowHandle()->winId());
        if (at <= previous)
            return false;
        previous = at;
    }
    return true;
}

} // namespace

class SettingsDialog : public MainWindowTest {
protected:
    static void SetUpTestSuite() { desktop_ = new TestDesktop; }
    static void TearDownTestSuite() { delete desktop_; }
    void SetUp() override
    {
        ASSERT_TRUE(desktop_->ready());
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        MainWindowTest::SetUp();
    }

    // Pops up the main menu and clicks one of its items.
    void choose(const char *item)
    {
        auto *menu = window->findChild<QMenu *>("r_m");
        menu->popup(QPoint(300, 300));
        ASSERT_TRUE(waitUntil([menu] { return menu->isVisible(); }, 5000));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->findChild<QAction *>(item)).center());
        ASSERT_TRUE(waitUntil([this] { return dialog() && dialog()->isVisible(); }, 5000));
    }
    BA2 *dialog() const { return window->findChild<BA2 *>("BA2"); }
    template <class T = QWidget> T *part(const QString &name) const { return dialog()->findChild<T *>(name); }
    void click(const QString &name) { QTest::mouseClick(part(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    // Closed and deleted: the deletion is one the test's own loops would never reach.
    bool closed() const
    {
        return waitUntil([this] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return !dialog();
        }, 5000);
    }
    std::vector<bool> checked() const
    {
        std::vector<bool> boxes;
        for (int i = 0; i < 4; ++i)
            boxes.push_back(part<QCheckBox>(QString("Check1_%1").arg(i))->isChecked());
        return boxes;
    }
    QString setting(const char *key) const { return IniFile(home().file("config.ini")).read("S_q", key, "?"); }
    QString entry() const { return config_.path() + "/autostart/Tamsa游戏盒.desktop"; }

    QTemporaryDir config_;
    static TestDesktop *desktop_;
};

TestDesktop *SettingsDialog::desktop_ = nullptr;

TEST_F(SettingsDialog, AboutBringsBackAMinimisedOrHiddenTopmostWindowBelowTheDialog)
{
    openWindow();
    IniFile(home().file("config.ini")).write("S_q", "ts", "1"); // the close button hides
    QTest::mouseClick(titleButton(4), Qt::LeftButton);
    QWidget other;
    for (int way : {0, 2}) {
        SCOPED_TRACE(way == 0 ? "minimised" : "hidden to the tray");
        QTest::mouseClick(titleButton(way), Qt::LeftButton);
        ASSERT_TRUE(waitUntil([this] { return !window->windowHandle()->isExposed(); }, 5000));
        choose("about");
        EXPECT_TRUE(waitUntil([this] { return window->windowHandle()->isExposed(); }, 5000));
        EXPECT_FALSE(window->isMinimized());
        EXPECT_TRUE(window->Topmost() && (window->windowFlags() & Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(part("Pic2")->isVisible() && !part("pic4")->isVisible());
        EXPECT_EQ(part<QLabel>("title_name")->text(), "关于我们");
        EXPECT_EQ(part("lc_0")->palette().color(QPalette::Window), QColor(0xFFFFFF));
        // Another window shown now stays below the topmost window, and that below the dialog.
        other.show();
        EXPECT_TRUE(waitUntil([&] { return stackedInOrder({&other, window.get(), dialog()}); }, 5000));
        click("guan");
        ASSERT_TRUE(closed());
    }
}

TEST_F(SettingsDialog, SettingsPageLoadsAppliesWithAltAAndOk)
{
    IniFile(home().file("config.ini")).write("S_q", "s_size", "1");
    IniFile(home().file("config.ini")).write("S_q", "s_kai", "2");
    openWindow(false);
    choose("shezhi");
    EXPECT_TRUE(part("pic4")->isVisible());
    EXPECT_EQ(part<QLabel>("title_name")->text(), "软件设置");
    EXPECT_EQ(checked(), (std::vector<bool>{false, true, true, true}));

    click("Check1_0");
    click("Check1_1");
    ASSERT_TRUE(waitUntil([this] { return QApplication::activeWindow() == dialog(); }, 5000));
    // Through the X server: Qt's own key events do not reach a window's access keys.
    ASSERT_TRUE(xdotool({"key", "alt+a"}));
    EXPECT_TRUE(waitUntil([this] { return setting("s_size") == "2" && setting("s_kai") == "1"; }, 5000));
    EXPECT_FALSE(QFileInfo::exists(entry()));

    click("Check1_1");
    click("Check1_3");
    click("cmdOK");
    ASSERT_TRUE(closed());
    EXPECT_EQ(setting("s_kai") + setting("s_pao") + setting("quit"), "221");
    QFile file(entry());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\nExec=" + QCoreApplication::applicationFilePath().toUtf8() + "\n"));
}

TEST_F(SettingsDialog, OneSkinnedDialogAtATimeAndCancelOrCloseWriteNothing)
{
    openWindow(false);
    const QByteArray before = home().read("config.ini");
    choose("shezhi");
    BA2 *first = dialog();
    choose("about");
    EXPECT_EQ(dialog(), first);
    EXPECT_EQ(window->findChildren<BA2 *>().size(), 1);
    EXPECT_TRUE(part("Pic2")->isVisible());

    Skin skin;
    skin.load(0);
    const QImage frame = dialog()->grab().toImage();
    const int w = dialog()->width(), h = dialog()->height();
    // Points of the unstretched pieces, and of the stretched edges' border lines.
    const QPoint pairs[][2] = {{{10, 12}, {10, 12}}, {{w - 3, 27}, {97, 27}}, {{w - 3, h - 3}, {97, 130}},
                               {{40, h - 2}, {40, 131}}, {{0, h / 2}, {0, 60}}};
    for (const auto &pair : pairs)
        EXPECT_EQ(frame.pixel(pair[0]), skin.strip(0).pixel(pair[1])) << pair[0].x() << "," << pair[0].y();
    auto *guan = part<SkinButton>("guan");
    EXPECT_EQ(guan->geometry(), QRect(w - 38, 5, 33, 19));
    // Placed by the window manager: the widget's geometry knows where, mapToGlobal may not.
    const QPoint over = dialog()->geometry().topLeft() + guan->geometry().center();
    ASSERT_TRUE(xdotool({"mousemove", QString::number(over.x()), QString::number(over.y())}));
    EXPECT_TRUE(waitUntil([&] { return guan->faceImage() == skin.cut({2, QRect(93, 0, 33, 19)}); }, 5000));

    for (const char *closer : {"cmdCancel", "guan"}) {
        choose("shezhi");
        for (int i = 0; i < 4; ++i)
            click(QString("Check1_%1").arg(i));
        click(closer);
        ASSERT_TRUE(closed()) << closer;
        EXPECT_EQ(home().read("config.ini"), before) << closer;
    }
    EXPECT_FALSE(QFileInfo::exists(entry()));

    // The boss key closes it with hiding the main window.
    choose("about");
    ASSERT_TRUE(xdotool({"key", "ctrl+s"}));
    EXPECT_TRUE(closed());
    EXPECT_FALSE(window->isVisible());
}
