#pragma once

#include "main_window_fixture.h"

#include "dialogs/ad_window.h"
#include "dialogs/message_box.h"
#include "pane_driver.h"
#include "portal_process.h"
#include "base/ini_file.h"
#include "temp_home.h"
#include "shell/desktop_open.h"
#include "update/update_timings.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>

// The main window on a portal whose version file each test writes (or on a portal of its own),
// with the desktop's browser replaced by a list of the addresses handed to it.
class UpdateTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        MessageBox::clearShown();
        setDesktopOpener([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
        // A box no test answered would wait for a person: it fails the test instead.
        QObject::connect(&modalGuard_, &QTimer::timeout, [] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                ADD_FAILURE() << "unexpected box: " << box->windowTitle().toStdString();
                box->close();
            }
        });
        modalGuard_.start(200);
        ASSERT_TRUE(versionPortal().isListening());
        versionPortal().clearLog();
        serveVersion("0====0====1.0"); // asks nothing, switches nothing on
        usePortal(versionPortal().baseUrl());
    }

    void TearDown() override
    {
        MainWindowTest::TearDown();
        for (const char *name : {"adsb", "ba4"})
            delete topLevel(name);
        setDesktopOpener({});
        updateTimings() = UpdateTimings();
        adWindowDelays() = AdWindowDelays();
    }

    static QString versionFilePath() { return home().file("wen.txt"); }
    static PortalProcess &versionPortal()
    {
        static PortalProcess portal({"--version-file", versionFilePath()});
        return portal;
    }
    static void serveVersion(const QByteArray &text) { home().write("wen.txt", text); }

    void usePortal(const QString &base)
    {
        portalBase = base;
        IniFile(home().file("config.ini")).write("main", "Portal", base);
    }

    // Everything fast except the transfer limit: check, ad window, close picture, self-close.
    static void shortTimings()
    {
        updateTimings() = {200, 10000, 300};
        adWindowDelays() = {300, 1500};
    }

    // The ad or recommendation window, while it exists.
    static QWidget *topLevel(const QString &name)
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name)
                return widget;
        }
        return nullptr;
    }

    // Waits until a window that closed itself has been deleted as well. The client's own loop
    // deletes it once the handler that closed it returns; a test outside that loop asks for it.
    template <class W> static bool waitUntilGone(const QPointer<W> &window, int msecs = 5000)
    {
        return waitUntil([&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return window.isNull();
        }, msecs);
    }

    QStringList opened; // addresses handed to the desktop's browser

private:
    QTimer modalGuard_;
};
