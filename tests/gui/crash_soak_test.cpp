// The built client killed with SIGKILL at random moments while it changes its lists, downloads
// games and applies settings, back to back (TAMSA_TEST_CHURN; which handlers it drives is listed
// in src/mainwindow/test_churn.h). After every kill the files must hold the old or the new
// state, whole, and the part files a kill leaves must be gone after the next start.
//
// TAMSA_SOAK_KILLS sets the number of kills (20 by default; `make soak` runs 1,000) and
// TAMSA_SOAK_SEED the random seed; the test prints how many kills were survived.
#include "mainwindow/test_churn.h"
#include "portal_process.h"
#include "records/list_page.h"
#include "base/ini_file.h"
#include "startup/startup.h"
#include "temp_home.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>

namespace {

struct ListFile {
    const char *records;
    const char *page;
    int cap;
};
constexpr ListFile kLists[] = {{"date_n.dat", "n.htm", 100}, {"date_c.dat", "c.htm", 100}, {"date_d.dat", "d.htm", 2000}};

// The text of each entry of a list page ("·" and the name), in page order.
QList<QByteArray> entriesOf(const QByteArray &page)
{
    static const QRegularExpression entry("<li><a href=open://\\d+>(.*?)</a><em><a href=delk://\\d+> </a></em></li>");
    QList<QByteArray> entries;
    const QString text = QString::fromLatin1(page); // bytes kept one to one
    for (auto it = entry.globalMatch(text); it.hasNext();)
        entries << it.next().captured(1).toLatin1();
    return entries;
}

// Whether `to` is `from` without at most one of its entries.
bool dropsAtMostOne(const QList<QByteArray> &from, const QList<QByteArray> &to)
{
    if (to.size() != from.size() && to.size() != from.size() - 1)
        return false;
    qsizetype i = 0;
    while (i < to.size() && to[i] == from[i])
        ++i;
    return to.mid(i) == from.mid(i + from.size() - to.size());
}

// A page one change behind its records: the kill came between the record file and its page.
// The change was an add (a new first entry, the old ones after it, one of the same id gone,
// the tail past the cap gone), a removal (one entry gone) or a clear (none left).
bool oneChangeBehind(const QList<QByteArray> &page, const QList<QByteArray> &records)
{
    if (records.isEmpty() || dropsAtMostOne(page, records))
        return true;
    const QList<QByteArray> kept = records.mid(1);
    for (qsizetype length = kept.size(); length <= std::min(page.size(), kept.size() + 1); ++length) {
        if (dropsAtMostOne(page.mid(0, length), kept))
            return true;
    }
    return false;
}

int killsAsked() { return qEnvironmentVariableIsSet("TAMSA_SOAK_KILLS") ? qEnvironmentVariableIntValue("TAMSA_SOAK_KILLS") : 20; }

class CrashSoak : public ::testing::Test {
protected:
    // A client's run lasts at most 4 s and its start-up some more: the portal outlives them all.
    static void SetUpTestSuite()
    {
        portal = std::make_unique<PortalProcess>(QStringList{"--lifetime", QString::number(120 + 10 * killsAsked())});
    }
    static void TearDownTestSuite() { portal.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(portal->isListening());
        IniFile(home.file("config.ini")).write("main", "Portal", portal->baseUrl());
        StartUp(); // config.ini with all its keys, the lists and their pages
        env.insert("TAMSA_HOME", home.path());
        env.insert("XDG_RUNTIME_DIR", runtime.path()); // the instance channel of this test only
        env.insert("XDG_CONFIG_HOME", config.path());  // where the settings put the autostart entry
    }

    // Everything wrong with the program folder as a kill left it.
    QStringList problems() const
    {
        QStringList found;
        for (const ListFile &list : kLists)
            found << listProblems(list);
        found << configProblems() << downloadProblems();
        return found;
    }

    QStringList listProblems(const ListFile &list) const
    {
        static const QRegularExpression record("^%u6E38%u620F(\\d+)\\|(\\d+)\\|([^|]+)\\|([01])$");
        QStringList found;
        const QByteArray records = home.read(QString("app/") + list.records);
        const QByteArray page = home.read(QString("app/") + list.page);
        if (!records.endsWith("\r\n"))
            found << QString("%1 does not end with a line end").arg(list.records);
        const QList<QByteArray> lines = records.split('\n');
        if (lines.size() > list.cap + 3)
            found << QString("%1 holds %2 lines").arg(list.records).arg(lines.size());
        for (const QByteArray &raw : lines) {
            const QString line = QString::fromLatin1(raw).chopped(raw.endsWith('\r') ? 1 : 0);
            const auto match = record.match(line);
            if (!line.isEmpty() && (!match.hasMatch() || match.captured(1) != match.captured(2)))
                found << QString("%1 holds the line \"%2\"").arg(list.records, line.left(80));
        }
        if (page == listPageFromRecords(records))
            return found;
        if (!page.endsWith("</script></body></html>\r\n"))
            found << QString("%1 is not whole (%2 bytes)").arg(list.page).arg(page.size());
        else if (!oneChangeBehind(entriesOf(page), entriesOf(listPageFromRecords(records))))
            found << QString("%1 is neither the page of %2 nor one change behind it").arg(list.page, list.records);
        return found;
    }

    QStringList configProblems() const
    {
        QStringList found;
        const IniFile ini(home.file("config.ini"));
        if (ini.read("main", "Portal", "") != portal->baseUrl())
            found << "config.ini lost main/Portal";
        if (ini.read("main", "Ver", "") != "1.0" || ini.read("main", "user", "").isEmpty())
            found << "config.ini lost main/Ver or main/user";
        for (const char *key : {"ts", "quit", "s_size", "h_w", "h_h", "s_kai", "s_pao"}) {
            if (parseInt32(ini.read("S_q", key, "")).value_or(0) == 0)
                found << QString("config.ini lost S_q/%1").arg(key);
        }
        return found;
    }

    QStringList downloadProblems() const
    {
        QStringList found;
        const QDir flash(home.file("flash"));
        for (const QString &name : flash.entryList({"*.swf"}, QDir::Files)) {
            const QByteArray game = home.read("flash/" + name);
            if (game.size() != gameSizeForId(name.chopped(4).toInt()) || !game.startsWith("FWS"))
                found << QString("flash/%1 holds %2 bytes").arg(name).arg(game.size());
        }
        return found;
    }

    QStringList partFiles() const
    {
        QStringList names;
        for (const char *folder : {"", "app/", "flash/"}) {
            for (const QString &name : QDir(home.file(folder)).entryList({"*.part"}, QDir::Files | QDir::Hidden))
                names << folder + name;
        }
        return names;
    }

    bool gone(const QStringList &names) const
    {
        return std::none_of(names.begin(), names.end(), [this](const QString &name) { return home.exists(name); });
    }

    // The client's output, kept for a client that ends by itself.
    QString log() const { return runtime.filePath("client.log"); }
    QString logTail() const
    {
        QFile file(log());
        return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll().right(400)) : QString();
    }

    static std::unique_ptr<PortalProcess> portal;
    TempHome home{true};
    QTemporaryDir runtime;
    QTemporaryDir config;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
};
std::unique_ptr<PortalProcess> CrashSoak::portal;

} // namespace

TEST_F(CrashSoak, EveryKillLeavesWholeFilesAndTheNextStartRemovesItsPartFiles)
{
    const int kills = killsAsked();
    const quint32 seed = qEnvironmentVariableIsSet("TAMSA_SOAK_SEED")
                             ? quint32(qEnvironmentVariableIntValue("TAMSA_SOAK_SEED"))
                             : quint32(QDateTime::currentMSecsSinceEpoch());
    QRandomGenerator random(seed);
    int survived = 0;
    int littered = 0;
    QStringList found; // what the last kill broke; its part files are judged at the next start
    QStringList litter;
    for (int run = 1; run <= kills + 1; ++run) {
        QProcess client;
        env.insert("TAMSA_TEST_CHURN", QString::number(random.generate() & 0x7fffffff));
        client.setProcessEnvironment(env);
        client.setStandardOutputFile(log(), QIODevice::Truncate);
        client.setStandardErrorFile(log(), QIODevice::Append);
        client.start(buildHome() + "/play");
        ASSERT_TRUE(client.waitForStarted(5000));
        if (run > 1) {
            QElapsedTimer clock;
            clock.start();
            while (!gone(litter) && clock.elapsed() < 10000)
                QThread::msleep(20);
            if (!gone(litter))
                found << "the next start left its part files: " + litter.join(", ");
            if (found.isEmpty())
                ++survived;
            else
                ADD_FAILURE() << "kill " << run - 1 << ": " << found.join("; ").toStdString();
        }
        // Killed anywhere from its start-up to well into the churn; the last run only starts.
        found.clear();
        if (run <= kills && client.waitForFinished(int(200 + random.bounded(3800))))
            found << QString("the client ended by itself (exit code %1), its output ending in: %2")
                         .arg(client.exitCode())
                         .arg(logTail());
        ::kill(pid_t(client.processId()), SIGKILL);
        client.waitForFinished(10000);
        if (run > kills)
            break;
        found << problems();
        litter = partFiles();
        littered += litter.isEmpty() ? 0 : 1;
    }
    std::printf("kills survived: %d of %d (seed %u; %d kills left part files)\n", survived, kills, seed, littered);
    std::fflush(stdout);
    EXPECT_EQ(survived, kills);
}
