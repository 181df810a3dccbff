#include "update/version_check.h"

#include "dialogs/message_box.h"
#include "base/program_folder.h"
#include "shell/desktop_open.h"
#include "update/text_fetch.h"
#include "update/update_timings.h"
#include "update/version_file.h"

#include <QFileInfo>
#include <QProcess>
#include <QUrl>
#include <QWidget>

namespace {
// A version file is a few dozen bytes; anything far larger is not one.
constexpr qint64 kVersionFileLimit = 64 * 1024;
} // namespace

QString upgradeQuestion(const QString &latestVersion)
{
    return QStringLiteral("检测到最新版本 ") + latestVersion + QStringLiteral(" ,你需要现在升级吗？");
}

VersionCheck::VersionCheck(QWidget *window, QNetworkAccessManager *network, QString portalBase,
                           std::function<QString()> localVersion)
    : QObject(window), window_(window), portalBase_(std::move(portalBase)),
      localVersion_(std::move(localVersion)),
      Inet1(new TextFetch(network, updateTimings().fetchLimit, kVersionFileLimit, this))
{
    connect(Inet1, &TextFetch::finished, this, &VersionCheck::answer);
}

void VersionCheck::Timer1_Timer() { Inet1->OpenURL(QUrl(portalBase_ + "lib/wen.txt")); }

void VersionCheck::answer(const QByteArray &text)
{
    const VersionFile file = parseVersionFile(text);
    if (file.exitSwitch)
        ExitRecommend_ = *file.exitSwitch;
    if (file.latestVersion)
        LatestVersion_ = *file.latestVersion;
    if (offersUpgrade(LatestVersion_, localVersion_()) && askUpgrade()) {
        LaunchUpdater();
        return;
    }
    if (file.adSwitch && isAdSwitchOn(*file.adSwitch))
        emit adTimerArmed();
}

bool VersionCheck::askUpgrade()
{
    return MessageBox::ask(window_, kUpgradeTitle, upgradeQuestion(LatestVersion_),
                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void VersionCheck::shengji()
{
    if (manualCheckOffersUpgrade(LatestVersion_, localVersion_())) {
        if (askUpgrade())
            LaunchUpdater();
        return;
    }
    MessageBox::ask(window_, kUpToDateTitle, kUpToDateText, QMessageBox::Ok);
}

void VersionCheck::LaunchUpdater()
{
    // Failures are ignored: the client ends either way, as the player chose.
    const QFileInfo updater(programPath("update"));
    if (updater.isFile() && updater.isExecutable())
        QProcess::startDetached(updater.filePath(), {}, programFolder());
    else
        openInDesktopBrowser(QUrl(portalBase_ + "update/setup.exe"));
    ExitRecommend_ = "0";
    emit quitRequested();
}
