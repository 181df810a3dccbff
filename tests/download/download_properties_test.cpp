#include "download/download_transfer.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

TEST(DownloadProperties, SaveFilePathKeepsTheFolderWithItsSeparator)
{
    DownloadTransfer t;
    t.setSaveFilePath("/g/a.swf");
    EXPECT_EQ(t.SaveFilePath(), "/g/");
    EXPECT_EQ(t.SaveFileName(), ""); // no URL yet
    t.setFileURL("http://h/other/name.swf");
    EXPECT_EQ(t.SaveFileName(), "/g/a.swf"); // the URL never names the file
    t.setFileURL("");
    EXPECT_EQ(t.SaveFileName(), "");
}

TEST(DownloadProperties, AFolderNamedLikeTheFileStaysWhole)
{
    DownloadTransfer t;
    t.setFileURL("http://h/a");
    t.setSaveFilePath("/a/b/a");
    EXPECT_EQ(t.SaveFilePath(), "/a/b/");
    EXPECT_EQ(t.SaveFileName(), "/a/b/a");
}

TEST(DownloadProperties, APathWithoutFolderCannotStart)
{
    DownloadTransfer t;
    QSignalSpy errors(&t, &DownloadTransfer::DLError);
    t.setFileURL("http://127.0.0.1:1/a.swf");
    for (const char *path : {"a.swf", "C:\\g\\a.swf", ""}) {
        t.setSaveFilePath(path);
        EXPECT_EQ(t.SaveFilePath(), "") << path;
        EXPECT_FALSE(t.BeginDownload()) << path;
    }
    EXPECT_EQ(errors.count(), 0);
    EXPECT_FALSE(t.Downloading());

    t.setSaveFilePath("/g/a.swf");
    t.setFileURL("");
    EXPECT_FALSE(t.BeginDownload());
}

TEST(DownloadProperties, RenameOnRedirectReadsFalseWhileRedirectsFail)
{
    DownloadTransfer t;
    EXPECT_TRUE(t.FailOnRedirect());
    EXPECT_FALSE(t.RenameOnRedirect());
    t.setFailOnRedirect(false);
    EXPECT_TRUE(t.RenameOnRedirect());
    t.setRenameOnRedirect(false);
    EXPECT_FALSE(t.RenameOnRedirect());
}

TEST(DownloadProperties, BagHoldsOnlyValuesThatDifferFromTheDefaults)
{
    DownloadTransfer t;
    QVariantMap bag;
    t.writeProperties(bag);
    EXPECT_TRUE(bag.isEmpty());

    t.setFileURL("http://h/x.swf");
    t.setSaveFilePath("/g/a.swf");
    t.setFailOnRedirect(false);
    t.setShowProgress(false);
    t.writeProperties(bag);
    EXPECT_EQ(bag, (QVariantMap{{"FileURL", "http://h/x.swf"},
                                {"SaveFilePath", "/g/"},
                                {"FailOnRedirect", false},
                                {"ShowProgress", false}}));

    // Loading stores the values as they are and derives no destination.
    DownloadTransfer loaded;
    loaded.readProperties(bag);
    EXPECT_EQ(loaded.FileURL(), "http://h/x.swf");
    EXPECT_EQ(loaded.SaveFilePath(), "/g/");
    EXPECT_EQ(loaded.SaveFileName(), "");
    EXPECT_FALSE(loaded.FailOnRedirect());
    EXPECT_TRUE(loaded.RenameOnRedirect());
    EXPECT_FALSE(loaded.ShowProgress());
}

TEST(DownloadProperties, EverySetterMarksItsPropertyChanged)
{
    DownloadTransfer t;
    QSignalSpy changed(&t, &DownloadTransfer::propertyChanged);
    t.setFileURL("u");
    t.setSaveFilePath("/p");
    t.setFailOnRedirect(true);
    t.setRenameOnRedirect(true);
    t.setShowProgress(true);
    QStringList names;
    for (const QList<QVariant> &args : changed)
        names << args.at(0).toString();
    EXPECT_EQ(names, (QStringList{"FileURL", "SaveFilePath", "FailOnRedirect", "RenameOnRedirect", "ShowProgress"}));
}
