#pragma once

#include "browser/browser_pane.h"
#include "chrome/click_label.h"
#include "chrome/skin_button.h"
#include "mainwindow/ba1.h"

#include <QString>

#include <gtest/gtest.h>

#include <memory>

class PortalProcess;
class TempHome;

// A real main window on a temporary program folder, pointed at the test portal. The folder
// and the portal live as long as the test program, since the engine keeps one profile per
// process; the record files start empty for every test.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static TempHome &home();
    static PortalProcess &portal();
    // A built game or test movie, e.g. "test-solid.swf".
    static QString builtGame(const QString &file);

    // Creates and shows the window; waits until the portal page has loaded unless told not to.
    void openWindow(bool waitForPortal = true);
    void waitForPortalPage();
    template <class T = QWidget> T *control(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    // The window's controls by their object names.
    BrowserPane *pane(const char *name) const { return control<BrowserPane>(name); }
    ClickLabel *label(const char *name) const { return control<ClickLabel>(name); }
    SkinButton *tool(int i) const { return control<SkinButton>(QString("c_z_%1").arg(i)); }
    SkinButton *titleButton(int i) const { return control<SkinButton>(QString("npc_%1").arg(i)); }
    QWidget *tabPage(int i) const { return control(QString("zz_%1").arg(i)); }
    ClickLabel *listLabel(int i) const { return control<ClickLabel>(QString("lc_%1").arg(i)); }
    // Writes a record file and builds its list page, as a change by the client would.
    static void writeRecords(const QString &recordFile, const QByteArray &lines);
    // Whether the portal's request log holds a line that starts with `target`.
    bool portalWasAsked(const QString &target) const;

    std::unique_ptr<BA1> window;
    QString portalBase;
};
