#pragma once

#include "base/program_folder.h"

#include <QApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

// The bare program the client is measured against: one web view on a persistent profile in the
// program folder, as the client's own panes have, loading `url`.
inline QWebEngineView *showBareView(const QString &url)
{
    auto *profile = new QWebEngineProfile("bare", qApp);
    profile->setPersistentStoragePath(programPath("profile"));
    profile->setCachePath(programPath("profile/cache"));
    auto *view = new QWebEngineView;
    view->setPage(new QWebEnginePage(profile, view));
    view->resize(903, 614);
    view->show();
    view->load(QUrl(url));
    return view;
}
