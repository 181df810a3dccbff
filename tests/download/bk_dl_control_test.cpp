#include "download/bk_dl_control.h"

#include "dialogs/message_box.h"
#include "portal_process.h"
#include "transfer_events.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

class BkDLControlTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { portal = std::make_unique<PortalProcess>(); }
    static void TearDownTestSuite() { portal.reset(); }

    void SetUp() override
    {
        control.resize(100, 10);
        control.setBackColor(0x00FF0000); // blue
        control.setForeColor(0x000000C0); // red 192
    }
    void startInto(const QString &relative, const QString &name = "a.swf")
    {
        control.transfer().setFileURL(portal->url(relative));
        control.transfer().setSaveFilePath(folder.filePath(name));
        ASSERT_TRUE(control.transfer().BeginDownload());
    }
    QColor pixel(int x) { return control.grab().toImage().pixelColor(x, 5); }

    static std::unique_ptr<PortalProcess> portal;
    QTemporaryDir folder;
    QWidget strip;
    bkDLControl control{&strip};
    TransferEvents events{control.transfer()};
    const QColor blue{0, 0, 255};
    const QColor red{192, 0, 0};
};
std::unique_ptr<PortalProcess> BkDLControlTest::portal;

TEST_F(BkDLControlTest, DrawsTheDoneFractionInForeColor)
{
    EXPECT_EQ(pixel(5), blue); // nothing done yet

    control.transfer().setStallTimeout(60000);
    startInto("test/stall?size=200000&after=100000");
    ASSERT_TRUE(events.waitForBytes(100000));
    EXPECT_EQ(pixel(20), red);
    EXPECT_EQ(pixel(80), blue);

    control.transfer().setShowProgress(false);
    EXPECT_EQ(pixel(20), blue);
    control.transfer().setShowProgress(true);

    control.transfer().CancelDownload();
    EXPECT_EQ(pixel(20), blue);
}

TEST_F(BkDLControlTest, ASavedDownloadLeavesTheFullBar)
{
    startInto("test/bytes?size=5000");
    ASSERT_TRUE(events.waitForEnd());
    EXPECT_EQ(pixel(2), red);
    EXPECT_EQ(pixel(97), red);
}

TEST_F(BkDLControlTest, AStartThatFailsShowsACriticalBox)
{
    MessageBox::clearShown();
    MessageBox::queueAnswer(QMessageBox::Ok);
    control.transfer().setFileURL("file:///etc/passwd");
    control.transfer().setSaveFilePath(folder.filePath("a.swf"));
    EXPECT_FALSE(control.transfer().BeginDownload());

    ASSERT_EQ(MessageBox::shown().size(), 1u);
    const MessageBox::Shown &box = MessageBox::shown().front();
    EXPECT_TRUE(box.title.startsWith("bkDLControl Internal Error: "));
    const QString number = box.title.mid(QString("bkDLControl Internal Error: ").size());
    EXPECT_TRUE(box.text.startsWith("Error: " + number + "\n"));
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_EQ(events.names, (QStringList{"DLError", "DLComplete"})); // before the box
}

TEST_F(BkDLControlTest, DestroyingTheControlCancelsSilently)
{
    auto *doomed = new bkDLControl(&strip);
    TransferEvents doomedEvents(doomed->transfer());
    doomed->transfer().setFileURL(portal->url("test/slow?size=400000&ms=100"));
    doomed->transfer().setSaveFilePath(folder.filePath("d.swf"));
    ASSERT_TRUE(doomed->transfer().BeginDownload());
    ASSERT_TRUE(doomedEvents.waitForBytes(1));
    const int before = int(doomedEvents.names.size());
    delete doomed;
    QTest::qWait(300);
    EXPECT_EQ(doomedEvents.names.size(), before);
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());
}

TEST_F(BkDLControlTest, PassesMouseEventsOn)
{
    QSignalSpy down(&control, &bkDLControl::MouseDown);
    QSignalSpy up(&control, &bkDLControl::MouseUp);
    QSignalSpy clicks(&control, &bkDLControl::Click);
    QSignalSpy doubles(&control, &bkDLControl::DblClick);
    QSignalSpy moves(&control, &bkDLControl::MouseMove);

    strip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&strip));
    QTest::mouseMove(&control, QPoint(40, 3));
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves.at(0), (QList<QVariant>{0, 0, 40.0f, 3.0f}));

    QTest::mouseClick(&control, Qt::RightButton, Qt::ControlModifier, QPoint(30, 4));
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down.at(0), (QList<QVariant>{2, 2, 30.0f, 4.0f}));
    EXPECT_EQ(up.count(), 1);
    EXPECT_EQ(clicks.count(), 1);

    QTest::mouseDClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_EQ(clicks.count(), 1); // the double click's release is not another click
}

TEST(BkDLControlProperties, MainWindowInstanceAndItsBag)
{
    QWidget strip;
    bkDLControl *dl = bkDLControl::createMainWindowDl(&strip);
    EXPECT_EQ(dl->objectName(), "dl");
    EXPECT_EQ(dl->BackColor(), 0x8000000Du);
    EXPECT_EQ(dl->ForeColor(), 0x000000C0u);
    EXPECT_EQ(dl->BorderStyle(), 0);
    EXPECT_TRUE(dl->transfer().FailOnRedirect());
    dl->resize(20, 6);
    EXPECT_EQ(dl->grab().toImage().pixelColor(10, 3), dl->palette().color(QPalette::Highlight));

    QVariantMap bag;
    dl->WriteProperties(bag);
    EXPECT_EQ(QStringList(bag.keys()), (QStringList{"BackColor", "BorderStyle", "Font", "ForeColor"}));

    bkDLControl fresh(&strip);
    QVariantMap empty;
    fresh.WriteProperties(empty);
    EXPECT_TRUE(empty.isEmpty());

    QSignalSpy changed(&fresh, &bkDLControl::propertyChanged);
    fresh.setEnabled(false);
    fresh.setBorderStyle(0);
    fresh.transfer().setShowProgress(false);
    EXPECT_EQ(changed.count(), 3);
    fresh.WriteProperties(empty);
    EXPECT_EQ(empty, (QVariantMap{{"Enabled", false}, {"BorderStyle", 0}, {"ShowProgress", false}}));
}

} // namespace
