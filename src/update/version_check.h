#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QNetworkAccessManager;
class QWidget;
class TextFetch;

// Questions of the version check, as the player reads them.
inline const QString kUpgradeTitle = QStringLiteral("Tamsa游戏盒提示：");
inline const QString kUpToDateTitle = QStringLiteral("提示：");
inline const QString kUpToDateText = QStringLiteral("你现在使用的是最新版本，无需升级！");
QString upgradeQuestion(const QString &latestVersion);

// The main window's version check: the portal's version file read once after start, the
// upgrade question, the updater, and the switches for the ad and recommendation windows.
class VersionCheck : public QObject {
    Q_OBJECT
public:
    // window: the owner of the questions. localVersion gives main/Ver as the window read it.
    VersionCheck(QWidget *window, QNetworkAccessManager *network, QString portalBase,
                 std::function<QString()> localVersion);

    // The automatic check: fetches the version file; its answer is taken when it comes.
    void Timer1_Timer();
    // The manual check, from what the automatic one read.
    void shengji();
    // Starts the program folder's "update" when it is there and executable, else hands the
    // installer's address to the desktop; then no recommendation window, and quit.
    void LaunchUpdater();

    // Empty until the automatic check has read the version file.
    const QString &LatestVersion() const { return LatestVersion_; }
    const QString &ExitRecommend() const { return ExitRecommend_; }

signals:
    // The ad switch is on and the player did not go to the updater.
    void adTimerArmed();
    // The updater was started: the client ends.
    void quitRequested();

private:
    void answer(const QByteArray &text);
    bool askUpgrade();

    QWidget *window_;
    QString portalBase_;
    std::function<QString()> localVersion_;
    TextFetch *Inet1;
    QString LatestVersion_;
    QString ExitRecommend_;
};
