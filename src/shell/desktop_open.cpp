#include "shell/desktop_open.h"

#include <QDesktopServices>

namespace {
std::function<bool(const QUrl &)> &opener()
{
    static std::function<bool(const QUrl &)> replacement;
    return replacement;
}
} // namespace

bool openInDesktopBrowser(const QUrl &url)
{
    if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return false;
    return opener() ? opener()(url) : QDesktopServices::openUrl(url);
}

void setDesktopOpener(std::function<bool(const QUrl &)> replacement) { opener() = std::move(replacement); }
