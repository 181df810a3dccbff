#include "browser/address_text.h"
#include "browser/ruffle_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(AddressText, PrivateLinksAreTheSchemesTheEngineDoesNotLoad)
{
    for (const char *link : {"open://3", "veloflash://12$$$http://h/g.swf$$$%u6D4B", "delk://4/",
                             "vepbadpop:x", "VELOFLASH://1", " open://3", "mailto:a@b"})
        EXPECT_TRUE(isPrivateLink(link)) << link;
    for (const char *address : {"http://h/", "HTTPS://h/x", "about:blank", "file:///x", "/home/a/app/n.htm?1",
                                "javascript:void(0)", "data:text/html,x", "next.html", "", "3://x"})
        EXPECT_FALSE(isPrivateLink(address)) << address;
}

TEST(AddressText, LocalPathsKeepTheirQueryBothWays)
{
    const QString path = "/srv/游戏 盒/app/flash.htm?123";
    const QUrl url = addressToUrl(path);
    EXPECT_TRUE(url.isLocalFile());
    EXPECT_EQ(url.toLocalFile(), "/srv/游戏 盒/app/flash.htm");
    EXPECT_EQ(url.query(), "123");
    EXPECT_EQ(urlToAddress(url), path);
    EXPECT_EQ(urlToAddress(addressToUrl("/a/n.htm")), "/a/n.htm");

    const QString web = "http://127.0.0.1:8577/flash.htm?http://h/g.swf";
    EXPECT_EQ(urlToAddress(addressToUrl(web)), web);
    EXPECT_EQ(urlToAddress(addressToUrl("about:blank")), "about:blank");
}

TEST(RuffleFiles, OnlyPlainFilesOfTheFolderAreServed)
{
    QTemporaryDir root;
    const QString folder = root.filePath("ruffle");
    QDir().mkpath(folder + "/sub");
    for (const QString &name : {folder + "/ruffle.js", folder + "/sub/x.js", root.filePath("secret.txt")}) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile::link(root.filePath("secret.txt"), folder + "/link.js");

    EXPECT_EQ(ruffleFilePath(folder, "/ruffle.js"), QFileInfo(folder + "/ruffle.js").canonicalFilePath());
    for (const char *path : {"/../secret.txt", "/sub/x.js", "/link.js", "/missing.js", "/", "/.", "/..", ""})
        EXPECT_EQ(ruffleFilePath(folder, path), "") << path;
    EXPECT_EQ(ruffleFilePath(root.filePath("nowhere"), "/ruffle.js"), "");
}

TEST(RuffleFiles, TheEmulatorCodeIsServedAsWasm)
{
    EXPECT_EQ(ruffleFileType("826bb0938097485a2c9d.wasm"), "application/wasm");
    EXPECT_EQ(ruffleFileType("ruffle.js"), "text/javascript");
    EXPECT_EQ(ruffleFileType("LICENSE_MIT"), "application/octet-stream");
}

TEST(AddressText, WhatIsLeftOfARewrittenLinkIsStillItsText)
{
    EXPECT_EQ(engineLinkText(QUrl("open://3")), "open://0.0.0.3");
    EXPECT_EQ(engineLinkText(QUrl("veloflash://12$$$http://h/g.swf$$$%u6D4B")),
              "veloflash://12$$$http://h/g.swf$$$%u6D4B");
    // Sometimes the error quotes only a part; the scheme is put back in front of it.
    EXPECT_EQ(engineLinkText(QUrl("velojf://7$$$k$$$%u6D4B")), "velojf://7$$$k$$$%25u6D4B");
    EXPECT_TRUE(isPrivateScheme("VeloFlash"));
    EXPECT_FALSE(isPrivateScheme("HTTP"));
    EXPECT_FALSE(isPrivateScheme(""));
}
