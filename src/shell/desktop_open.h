#pragma once

#include <QUrl>

#include <functional>

// Hands a web address to the desktop's browser. Only http and https addresses go; anything
// else a page asks for (file:, javascript:, a private link) is refused. True when handed over.
bool openInDesktopBrowser(const QUrl &url);

// Test seam: while set, addresses go to `opener` instead of the desktop; an empty function
// restores the desktop.
void setDesktopOpener(std::function<bool(const QUrl &)> opener);
