#include "download/game_download.h"

#include "download/download_transfer.h"
#include "download/size_text.h"
#include "records/game_link.h"
#include "records/records.h"
#include "base/program_folder.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace {

// Every Flash movie begins with its signature: FWS uncompressed, CWS zlib, ZWS LZMA. A portal
// that answers a missing game with an error page and status 200 must not leave that page in
// flash/ as the game: it fails as a missing file does.
bool startsAsSwf(QByteArrayView head)
{
    return head.startsWith("FWS") || head.startsWith("CWS") || head.startsWith("ZWS");
}

QString errorTextFor(int code)
{
    switch (code) {
    case DownloadTransfer::StartFailed:
        return QStringLiteral("下载链接无效!");
    case DownloadTransfer::RedirectRefused:
        return QStringLiteral("文件不存在重定向!");
    case DownloadTransfer::ZeroBytes:
        return QStringLiteral("0字节接收!");
    case DownloadTransfer::SaveFailed:
        return QStringLiteral("文件保存错误!");
    case DownloadTransfer::TransferFailed:
        return QStringLiteral("未知错误!");
    default:
        return QString();
    }
}

} // namespace

GameDownload::GameDownload(DownloadTransfer &dl, DownloadView &view, const Records &records,
                           std::function<QString()> currentLink, QObject *parent)
    : QObject(parent), dl_(dl), view_(view), records_(records), currentLink_(std::move(currentLink))
{
    connect(&dl_, &DownloadTransfer::DLBeginDownload, this, &GameDownload::dl_DLBeginDownload);
    connect(&dl_, &DownloadTransfer::DLProgress, this, &GameDownload::dl_DLProgress);
    connect(&dl_, &DownloadTransfer::DLCanceled, this, &GameDownload::dl_DLCanceled);
    connect(&dl_, &DownloadTransfer::DLError, this, &GameDownload::dl_DLError);
    connect(&dl_, &DownloadTransfer::DLComplete, this, &GameDownload::dl_DLComplete);
    dl_.setBodyCheck(startsAsSwf);
}

void GameDownload::downloadTool()
{
    if (currentLink_().contains(kPointsScheme)) {
        view_.setCountCaption(QStringLiteral("当前游戏为积分游戏，不能下载！"));
        view_.showCount();
        return;
    }
    xiazai();
}

void GameDownload::xiazai()
{
    if (downloadFlag_) {
        view_.balloon(downloadGameName_ + QStringLiteral("下载任务还未完成，请稍后操作.."));
        return;
    }
    const QString link = currentLink_();
    if (link.isEmpty() || link == "0") {
        view_.message(QStringLiteral("当前没有游戏"));
        return;
    }
    if (!link.startsWith(kGameScheme))
        return;

    const GameLinkFields fields = splitGameLink(link, kGameScheme);
    const QString id = fields.id.value_or(QString());
    const QString url = fields.address.value_or(QString());
    if (fields.name)
        downloadGameName_ = *fields.name;
    // An id that is not a plain number never becomes a path.
    const std::optional<QString> destination = downloadedGamePath(programFolder(), id);
    if (!url.startsWith("http://") || !url.endsWith(".swf") || !destination) {
        view_.message(QStringLiteral("当前游戏文件无法下载或已下载!"));
        return;
    }
    const QString flashFolder = programPath("flash");
    if (!QFileInfo::exists(flashFolder))
        QDir().mkpath(flashFolder);
    if (QFileInfo::exists(*destination)) {
        view_.setCountCaption(QStringLiteral("该游戏已经下载过!"));
        return;
    }

    downloadFlag_ = true;
    dl_.setFileURL(url);
    dl_.setSaveFilePath(*destination);
    dl_.BeginDownload();
    // Recorded when the download starts; an id too large for a record id is not recorded.
    if (const std::optional<QString> recordedId = recordId(id))
        records_.AddRecord(downloadGameName_, *recordedId, id, OrdinaryGame, "date_d.dat");
}

void GameDownload::dlting_Click()
{
    dl_.CancelDownload();
    downloadFlag_ = false;
}

void GameDownload::dl_DLBeginDownload() { view_.setCountCaption(QStringLiteral("正在准备下载..")); }

void GameDownload::dl_DLProgress(float percent, qint64, qint64 totalBytes)
{
    view_.setCountCaption(QStringLiteral(" 大小：") + SizeText(totalBytes));
    const QRect count = view_.countGeometry();
    const int barLeft = count.left() + count.width() + 10;
    view_.placeProgressBar(QRect(barLeft, 18, 70, 7));
    const int percentLeft = barLeft + 75;
    view_.movePercentLabel(QPoint(percentLeft, 15));
    view_.moveStopButton(QPoint(percentLeft + 25, 15));
    view_.setPercentCaption(QString::number(std::lround(double(percent) * 100.0)) + "%");
    view_.setProgressShown(true);
}

void GameDownload::dl_DLCanceled()
{
    view_.setCountCaption(QStringLiteral("下载被终止!"));
    view_.setProgressShown(false);
}

void GameDownload::dl_DLError(int code, const QString &)
{
    view_.setCountCaption(QStringLiteral("下载出错： ") + errorTextFor(code));
    view_.setProgressShown(false);
}

void GameDownload::dl_DLComplete(qint64 bytes)
{
    view_.setCountCaption(bytes > 0 ? QStringLiteral("游戏下载完毕!") : QStringLiteral("游戏下载失败!"));
    downloadFlag_ = false;
    view_.setProgressShown(false);
}
