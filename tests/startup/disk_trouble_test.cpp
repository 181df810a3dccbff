// The program folder on a small disk that fills up or turns read-only: record changes and
// settings writes fail quietly, keep what was there and leave no part files behind.
#include "records/records.h"
#include "base/ini_file.h"
#include "base/program_folder.h"
#include "startup/startup.h"

#include "small_disk.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// Files missing, added or changed from one snapshot to the next, as "name" lines.
std::string differences(const QMap<QString, QByteArray> &from, const QMap<QString, QByteArray> &to)
{
    QStringList names;
    for (auto it = from.begin(); it != from.end(); ++it) {
        if (to.value(it.key(), "<missing>") != it.value())
            names << it.key();
    }
    for (auto it = to.begin(); it != to.end(); ++it) {
        if (!from.contains(it.key()))
            names << it.key() + " (new)";
    }
    return names.join(", ").toStdString();
}

std::string partFilesIn(const QString &folder)
{
    return QDir(folder).entryList({"*.part"}, QDir::Files | QDir::Hidden).join(", ").toStdString();
}

class DiskTrouble : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!disk.mounted())
            GTEST_SKIP() << disk.skipReason().toStdString();
        StartUp();
        records.AddRecord("%u8D2A", "1", "1", 1, "date_n.dat");
        records.AddRecord("%u86C7", "2", "2", 0, "date_n.dat");
        records.AddRecord("fav", "3", "3", 1, "date_c.dat");
        before = disk.snapshot();
        ASSERT_TRUE(before.contains("app/n.htm"));
    }

    // Every change the client makes to its files, each expected to fail.
    void changeEverything()
    {
        records.AddRecord("new", "9", "9", 1, "date_n.dat");
        records.RemoveRecord("date_n.dat", 1);
        records.Clear("date_c.dat");
        records.BuildListPage("date_d.dat");
        EXPECT_FALSE(ini.write("S_q", "quit", "1"));
        EXPECT_FALSE(ini.write("S_q", "h_w", "20000"));
        EXPECT_FALSE(ini.write("S_q", "NewKey", "x"));
        StartUp(); // with a list page missing, it would have to write one
    }

    SmallDisk disk;
    Records records{programPath("app")};
    IniFile ini{programPath("config.ini")};
    QMap<QString, QByteArray> before;
};

TEST_F(DiskTrouble, AFullDiskKeepsEveryFileAsItWas)
{
    ASSERT_TRUE(QFile::remove(disk.file("app/d.htm")));
    before.remove("app/d.htm");
    disk.fill();
    ASSERT_LT(disk.freeBytes(), 4096);
    changeEverything();
    EXPECT_EQ(differences(before, disk.snapshot()), "");

    // Room again: the next change goes through.
    disk.freeSpace();
    records.AddRecord("new", "9", "9", 1, "date_n.dat");
    EXPECT_TRUE(disk.snapshot().value("app/date_n.dat").startsWith("new|9|9|1\r\n%u86C7|2|2|0\r\n"));
    EXPECT_TRUE(ini.write("S_q", "quit", "1"));
    EXPECT_EQ(ini.read("S_q", "quit", ""), "1");
}

TEST_F(DiskTrouble, ADiskThatFillsMidWayThroughAChangeKeepsTheOldFile)
{
    // Room for a part file to begin but not to end: each size in turn.
    for (const qint64 room : {4096, 8192, 12288}) {
        SCOPED_TRACE(room);
        disk.freeSpace();
        records.AddRecord("%u8D2A", "1", "1", 1, "date_n.dat");
        for (int i = 0; i < 300; ++i)
            records.AddRecord("g" + QString::number(i), QString::number(100 + i), "a", 1, "date_d.dat");
        const QMap<QString, QByteArray> full = disk.snapshot();
        disk.fill(room);
        records.AddRecord("new", "9", "9", 1, "date_d.dat");
        records.RemoveRecord("date_d.dat", 5);
        const QMap<QString, QByteArray> after = disk.snapshot();
        for (const char *name : {"app/date_d.dat", "app/d.htm"}) {
            // Either file may have fitted; neither may be cut short.
            const QByteArray now = after.value(name);
            EXPECT_TRUE(now == full.value(name) || now.size() > full.value(name).size() / 2) << name;
            EXPECT_TRUE(now.endsWith("\r\n")) << name;
        }
        EXPECT_EQ(partFilesIn(disk.file("app")), "");
    }
}

TEST_F(DiskTrouble, AReadOnlyProgramFolderKeepsEveryFileAsItWas)
{
    ASSERT_TRUE(disk.setReadOnly(true));
    changeEverything();
    EXPECT_EQ(differences(before, disk.snapshot()), "");
    EXPECT_EQ(ini.read("S_q", "quit", ""), "2");
    ASSERT_TRUE(disk.setReadOnly(false));
}

} // namespace
