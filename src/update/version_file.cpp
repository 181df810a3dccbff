#include "update/version_file.h"

#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

const QString kSeparator = QStringLiteral("====");

bool isBinary(const QByteArray &bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7f;
    });
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// A finite decimal number, surrounding white space allowed.
std::optional<double> decimalNumber(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

VersionFile parseVersionFile(const QByteArray &bytes)
{
    VersionFile file;
    if (isBinary(bytes))
        return file;
    const QString text = decode(bytes);
    if (!text.contains(kSeparator))
        return file;
    const QStringList fields = text.split(kSeparator);
    file.exitSwitch = fields.at(0);
    file.adSwitch = fields.at(1);
    if (fields.size() > 2) {
        // A server that writes Unix line ends would otherwise offer its version forever.
        QString version = fields.at(2);
        version.remove(QLatin1Char('\r'));
        version.remove(QLatin1Char('\n'));
        file.latestVersion = version;
    }
    return file;
}

bool offersUpgrade(const QString &latestVersion, const QString &localVersion)
{
    const auto number = decimalNumber(latestVersion);
    return number && *number != 0 && localVersion.trimmed() != latestVersion;
}

bool manualCheckOffersUpgrade(const QString &latestVersion, const QString &localVersion)
{
    return !latestVersion.isEmpty() && localVersion.trimmed() != latestVersion;
}

bool isAdSwitchOn(const QString &adSwitch)
{
    const auto number = decimalNumber(adSwitch);
    return number && *number == 1;
}
