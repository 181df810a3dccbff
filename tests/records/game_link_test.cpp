#include "records/game_link.h"

#include <QStringList>

#include <gtest/gtest.h>

TEST(GameLink, SplitsFieldsAndDropsOneTrailingSlash)
{
    const auto f = splitGameLink("veloflash://123$$$http://h/g.swf$$$%u6D4B%u8BD5/", kGameScheme);
    EXPECT_EQ(f.id, "123");
    EXPECT_EQ(f.address, "http://h/g.swf");
    EXPECT_EQ(f.name, "%u6D4B%u8BD5");

    const auto two = splitGameLink("veloflash://5$$$key//", kGameScheme);
    EXPECT_EQ(two.address, "key/");
    EXPECT_FALSE(two.name.has_value());

    const auto one = splitGameLink("velojf://", kPointsScheme);
    EXPECT_EQ(one.id, "");
    EXPECT_FALSE(one.address.has_value());
}

TEST(GameLink, EveryOccurrenceOfTheSchemeIsRemoved)
{
    const auto f = splitGameLink("veloflash://1$$$veloflash://x$$$n$$$extra", kGameScheme);
    EXPECT_EQ(f.address, "x");
    EXPECT_EQ(f.name, "n"); // further fields are ignored
}

TEST(GameLink, SchemeIsCaseSensitive)
{
    EXPECT_EQ(gameLinkScheme("veloflash://1$$$a$$$b"), kGameScheme);
    EXPECT_EQ(gameLinkScheme("velojf://1$$$a$$$b"), kPointsScheme);
    EXPECT_EQ(gameLinkScheme("VELOFLASH://1$$$a$$$b"), "");
    EXPECT_EQ(gameLinkScheme("http://veloflash://"), "");
}

TEST(GameLink, RecordIdsAreDecimal32Bit)
{
    EXPECT_EQ(recordId("0077"), "77");
    EXPECT_EQ(recordId("-3"), "-3");
    EXPECT_FALSE(recordId("").has_value());
    EXPECT_FALSE(recordId("12a").has_value());
    EXPECT_FALSE(recordId("4294967296").has_value());
}

TEST(GameLink, OnlyDigitsNameADownloadedFile)
{
    EXPECT_EQ(downloadedGamePath("/p", "007"), "/p/flash/007.swf");
    EXPECT_EQ(downloadedGamePath("/p", "2147483647"), "/p/flash/2147483647.swf");
    const QStringList unsafe{"", "../x", "1/2", "-1", " 1", "1.5", "a", "1/../../2", "/etc/passwd", "..",
                             "2147483648", QString("9").repeated(50), "1\n"};
    for (const QString &id : unsafe)
        EXPECT_FALSE(downloadedGamePath("/p", id).has_value()) << id.toStdString();
}

TEST(GameLink, GamePageChoice)
{
    const QString base = "http://portal/";
    EXPECT_EQ(gamePageFor("123", "http://h/a.swf", "/p", base, true), "/p/app/flash.htm?123");
    EXPECT_EQ(gamePageFor("123", "x http://h/a.swf", "/p", base, false), "http://portal/flash.htm?x http://h/a.swf");
    EXPECT_EQ(gamePageFor("123", "tetris", "/p", base, false), "http://portal/app/app.asp?id=tetris");
    EXPECT_EQ(gamePageFor("123", "https://h/a.swf", "/p", base, false), "http://portal/app/app.asp?id=https://h/a.swf");
    EXPECT_EQ(gamePageFor("", "", "/p", base, false), "http://portal/app/app.asp?id=");
}
