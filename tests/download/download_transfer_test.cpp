#include "download/download_transfer.h"

#include "portal_process.h"
#include "transfer_events.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace {

class DownloadTransferTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { portal = std::make_unique<PortalProcess>(); }
    static void TearDownTestSuite() { portal.reset(); }

    // Starts `relative` on the test portal into folder/a.swf.
    void start(const QString &relative)
    {
        transfer.setFileURL(portal->url(relative));
        transfer.setSaveFilePath(folder.filePath("a.swf"));
        ASSERT_TRUE(transfer.BeginDownload());
    }
    QByteArray saved(const QString &name) const
    {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    static std::unique_ptr<PortalProcess> portal;
    QTemporaryDir folder;
    DownloadTransfer transfer;
    TransferEvents events{transfer};
};
std::unique_ptr<PortalProcess> DownloadTransferTest::portal;

TEST_F(DownloadTransferTest, SavesTheServedBytesAndRaisesTheStagesInOrder)
{
    const qint64 size = 3 * 1024 * 1024 + 17;
    // The file is flushed apart from the window's thread; completion must wait for its rename.
    QByteArray atCompletion;
    QStringList filesAtCompletion;
    QObject::connect(&transfer, &DownloadTransfer::DLComplete, [&] {
        atCompletion = saved("a.swf");
        filesAtCompletion = filesIn(folder.path());
    });
    start(QString("test/bytes?size=%1").arg(size));
    ASSERT_TRUE(events.waitForEnd());

    EXPECT_TRUE(atCompletion == servedPattern(size)) << atCompletion.size() << " bytes";
    EXPECT_EQ(filesAtCompletion, QStringList{"a.swf"});
    EXPECT_EQ(saved("a.swf"), servedPattern(size));
    EXPECT_EQ(filesIn(folder.path()), QStringList{"a.swf"});
    ASSERT_GE(events.names.size(), 6);
    EXPECT_EQ(events.names.mid(0, 4), (QStringList{"DLConnected", "DLMIMEType", "DLFileSize", "DLBeginDownload"}));
    EXPECT_EQ(events.names.last(), "DLComplete");
    EXPECT_EQ(events.names.count("DLProgress"), events.names.size() - 5);
    EXPECT_EQ(events.mimeTypes, QStringList{"application/octet-stream"});
    EXPECT_EQ(events.fileSizes, QList<qint64>{size});
    EXPECT_EQ(events.completions, QList<qint64>{size});
    EXPECT_FLOAT_EQ(events.percents.last(), 1.0f);
    EXPECT_EQ(events.totals.last(), size);
    EXPECT_EQ(transfer.BytesRead(), size);
    EXPECT_EQ(transfer.FileSize(), size);
    EXPECT_EQ(transfer.ConnectionAddress(), "127.0.0.1");
    EXPECT_FALSE(transfer.Downloading());
}

TEST_F(DownloadTransferTest, WithoutAnnouncedSizePercentStaysZeroWhileBytesGrow)
{
    const qint64 size = 1024 * 1024 + 5;
    start(QString("test/bytes?size=%1&chunked=1").arg(size));
    ASSERT_TRUE(events.waitForEnd());

    EXPECT_EQ(saved("a.swf"), servedPattern(size));
    EXPECT_EQ(events.fileSizes, QList<qint64>{0});
    ASSERT_GE(events.bytesRead.size(), 2);
    for (int i = 0; i < events.percents.size(); ++i) {
        EXPECT_EQ(events.percents[i], 0.0f);
        EXPECT_EQ(events.totals[i], 0);
        if (i > 0) {
            EXPECT_GE(events.bytesRead[i], events.bytesRead[i - 1]);
        }
    }
    EXPECT_EQ(events.bytesRead.last(), size);
    EXPECT_EQ(events.completions, QList<qint64>{size});
}

TEST_F(DownloadTransferTest, RefusedRedirectFailsWithCodeTwoAndWritesNothing)
{
    start("test/redirect?to=/files/b.swf");
    ASSERT_TRUE(events.waitForEnd());

    const QString target = portal->url("files/b.swf");
    EXPECT_EQ(events.names, (QStringList{"DLConnected", "DLError", "DLComplete"}));
    EXPECT_EQ(events.errorCodes, QList<int>{2});
    EXPECT_EQ(events.errorTexts, QStringList{"Redirected to " + target});
    EXPECT_EQ(events.completions, QList<qint64>{0});
    EXPECT_EQ(transfer.RedirectFile(), target);
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());
}

TEST_F(DownloadTransferTest, FollowedRedirectSavesUnderTheTargetsName)
{
    transfer.setFailOnRedirect(false);
    start("test/redirect?to=/files/b.swf");
    ASSERT_TRUE(events.waitForEnd());

    EXPECT_EQ(events.redirects, QStringList{portal->url("files/b.swf")});
    EXPECT_EQ(events.mimeTypes, QStringList{"application/x-shockwave-flash"});
    EXPECT_EQ(events.completions, QList<qint64>{4096});
    EXPECT_EQ(filesIn(folder.path()), QStringList{"b.swf"});
    EXPECT_EQ(transfer.SaveFileName(), folder.filePath("b.swf"));
}

TEST_F(DownloadTransferTest, FollowedRedirectKeepsTheNameWhenRenamingIsOff)
{
    transfer.setFailOnRedirect(false);
    transfer.setRenameOnRedirect(false);
    start("test/redirect?to=/test/redirect%3Fto%3D/files/b.swf");
    ASSERT_TRUE(events.waitForEnd());

    EXPECT_EQ(events.redirects.size(), 2) << events.redirects.join(" ").toStdString();
    EXPECT_EQ(saved("a.swf"), servedPattern(4096));
    EXPECT_EQ(filesIn(folder.path()), QStringList{"a.swf"});
}

TEST_F(DownloadTransferTest, FailuresLeaveNoFileAndNoTemporaryFile)
{
    struct Case {
        const char *route;
        int code;
        const char *text;
    };
    const Case cases[] = {
        {"test/zero", 3, "Zero bytes retrieved"},
        {"test/status?code=404", 99, "HTTP 404 Not Found"},
        {"test/status?code=500", 99, "HTTP 500 Internal Server Error"},
        {"test/abort?size=400000&after=200000", 99, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.route);
        TransferEvents one(transfer);
        start(c.route);
        ASSERT_TRUE(one.waitForEnd());
        EXPECT_EQ(one.errorCodes, QList<int>{c.code});
        if (*c.text) {
            EXPECT_EQ(one.errorTexts.value(0), c.text);
        }
        EXPECT_EQ(one.names.mid(one.names.size() - 2), (QStringList{"DLError", "DLComplete"}));
        EXPECT_EQ(one.completions, QList<qint64>{0});
        EXPECT_EQ(transfer.Percent(), 0.0f);
        EXPECT_TRUE(filesIn(folder.path()).isEmpty()) << filesIn(folder.path()).join(",").toStdString();
    }
}

TEST_F(DownloadTransferTest, StallPastTheTimeoutFailsAndCleansUp)
{
    transfer.setStallTimeout(400);
    QElapsedTimer clock;
    clock.start();
    start("test/stall?size=400000&after=200000");
    ASSERT_TRUE(events.waitForBytes(200000));
    // Until the last byte the data lives in a temporary file beside the destination.
    const QStringList during = filesIn(folder.path());
    ASSERT_EQ(during.size(), 1);
    EXPECT_TRUE(during.first().startsWith(".a.swf.") && during.first().endsWith(".part")) << during.first().toStdString();
    ASSERT_TRUE(events.waitForEnd());

    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_EQ(events.errorCodes, QList<int>{99});
    EXPECT_EQ(events.bytesRead.last(), 200000);
    EXPECT_EQ(events.completions, QList<qint64>{0});
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());
}

TEST_F(DownloadTransferTest, SlowButSteadyTransferIsNoStall)
{
    transfer.setStallTimeout(400);
    start("test/slow?size=20480&ms=150");
    ASSERT_TRUE(events.waitForEnd());
    EXPECT_EQ(events.completions, QList<qint64>{20480});
}

TEST_F(DownloadTransferTest, CancelMidwayRaisesOnlyDLCanceledAndLeavesNothing)
{
    start("test/slow?size=400000&ms=100");
    ASSERT_TRUE(events.waitForBytes(1));
    transfer.CancelDownload();
    EXPECT_EQ(events.names.last(), "DLCanceled");
    EXPECT_FALSE(transfer.Downloading());
    EXPECT_EQ(transfer.Percent(), 0.0f);

    events.ended = false;
    events.waitForEnd(600); // nothing more may arrive
    EXPECT_EQ(events.names.count("DLCanceled"), 1);
    EXPECT_TRUE(events.completions.isEmpty());
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());

    transfer.CancelDownload(); // idle: nothing
    EXPECT_EQ(events.names.count("DLCanceled"), 1);
}

TEST_F(DownloadTransferTest, SecondBeginDuringADownloadIsRefusedAndLeavesTheFirstAlone)
{
    start("test/slow?size=12288&ms=100");
    transfer.setFileURL(transfer.FileURL()); // same settings, as a second press would leave them
    EXPECT_FALSE(transfer.BeginDownload());
    ASSERT_TRUE(events.waitForEnd());
    EXPECT_EQ(events.completions, QList<qint64>{12288});
    EXPECT_EQ(saved("a.swf"), servedPattern(12288));
}

TEST_F(DownloadTransferTest, WaitingBeginReportsWhetherTheFileWasSaved)
{
    transfer.setSaveFilePath(folder.filePath("a.swf"));
    transfer.setFileURL(portal->url("test/bytes?size=70000"));
    EXPECT_TRUE(transfer.BeginDownload(true));
    EXPECT_EQ(events.names.last(), "DLComplete");
    EXPECT_EQ(saved("a.swf"), servedPattern(70000));

    transfer.setSaveFilePath(folder.filePath("b.swf"));
    transfer.setFileURL(portal->url("test/status?code=404"));
    EXPECT_FALSE(transfer.BeginDownload(true));
    EXPECT_EQ(events.completions.last(), 0);
}

TEST_F(DownloadTransferTest, AnAddressThatCannotBeFetchedFailsAtOnceWithCodeOne)
{
    int shownNumber = 0;
    QObject::connect(&transfer, &DownloadTransfer::startFailed, [&](int number, const QString &) { shownNumber = number; });
    transfer.setSaveFilePath(folder.filePath("a.swf"));
    transfer.setFileURL("ftp://127.0.0.1/a.swf");
    EXPECT_FALSE(transfer.BeginDownload());
    EXPECT_EQ(events.names, (QStringList{"DLError", "DLComplete"}));
    EXPECT_EQ(events.errorCodes, QList<int>{1});
    EXPECT_NE(shownNumber, 0);
    EXPECT_FALSE(transfer.Downloading());

    // The control is idle again and can be started.
    transfer.setFileURL(portal->url("test/bytes?size=10"));
    EXPECT_TRUE(transfer.BeginDownload(true));
}

TEST_F(DownloadTransferTest, UnwritableDestinationIsCodeFourNamingTheFile)
{
    const QString missing = folder.filePath("no/such/a.swf");
    transfer.setFileURL(portal->url("test/bytes?size=100"));
    transfer.setSaveFilePath(missing);
    ASSERT_TRUE(transfer.BeginDownload());
    ASSERT_TRUE(events.waitForEnd());
    EXPECT_EQ(events.errorCodes, QList<int>{4});
    EXPECT_TRUE(events.errorTexts.value(0).endsWith(" [" + missing + "]"));
    EXPECT_EQ(events.completions, QList<qint64>{0});
}

TEST_F(DownloadTransferTest, ReplacesALongerExistingFileWholly)
{
    QFile old(folder.filePath("a.swf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(9000, 'x'));
    old.close();
    start("test/bytes?size=100");
    ASSERT_TRUE(events.waitForEnd());
    EXPECT_EQ(saved("a.swf"), servedPattern(100));
}

TEST_F(DownloadTransferTest, ACancelWhileTheFileIsFlushedKeepsTheOldFile)
{
    QFile old(folder.filePath("a.swf"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    const qint64 size = 2 * 1024 * 1024;
    // Posted when the last byte is in, so it runs before the flush can report back.
    QObject::connect(&transfer, &DownloadTransfer::DLProgress, [&](float, qint64 read, qint64) {
        if (read == size)
            QTimer::singleShot(0, &transfer, [&] { transfer.CancelDownload(); });
    });
    start(QString("test/bytes?size=%1").arg(size));
    ASSERT_TRUE(events.waitForEnd());
    events.ended = false;
    events.waitForEnd(600); // nothing more may arrive

    EXPECT_EQ(events.names.last(), "DLCanceled");
    EXPECT_TRUE(events.completions.isEmpty());
    EXPECT_EQ(saved("a.swf"), "old");
    EXPECT_EQ(filesIn(folder.path()), QStringList{"a.swf"});
}

TEST_F(DownloadTransferTest, AFailedRenameIsCodeFourAndLeavesNoTemporaryFile)
{
    // A file cannot be renamed over a folder.
    ASSERT_TRUE(QDir(folder.path()).mkpath("a.swf/inside"));
    start("test/bytes?size=5000");
    ASSERT_TRUE(events.waitForEnd());

    EXPECT_EQ(events.errorCodes, QList<int>{4});
    EXPECT_TRUE(events.errorTexts.value(0).endsWith(" [" + folder.filePath("a.swf") + "]"));
    EXPECT_EQ(events.completions, QList<qint64>{0});
    EXPECT_EQ(filesIn(folder.path()), QStringList{"a.swf"});
    EXPECT_TRUE(QFileInfo(folder.filePath("a.swf/inside")).isDir());
}

TEST_F(DownloadTransferTest, RefusedConnectionIsCode99)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    transfer.setFileURL(QString("http://127.0.0.1:%1/a.swf").arg(port));
    transfer.setSaveFilePath(folder.filePath("a.swf"));
    ASSERT_TRUE(transfer.BeginDownload());
    ASSERT_TRUE(events.waitForEnd());
    EXPECT_EQ(events.errorCodes, QList<int>{99});
    EXPECT_TRUE(filesIn(folder.path()).isEmpty());
}

} // namespace
