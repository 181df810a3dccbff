#include "browser/ruffle_scheme_handler.h"

#include "browser/ruffle_files.h"

#include <QFile>
#include <QWebEngineUrlRequestJob>

RuffleSchemeHandler::RuffleSchemeHandler(const QString &folder, QObject *parent)
    : QWebEngineUrlSchemeHandler(parent), folder_(folder)
{
}

void RuffleSchemeHandler::requestStarted(QWebEngineUrlRequestJob *job)
{
    if (job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    const QString path = ruffleFilePath(folder_, job->requestUrl().path());
    auto *file = new QFile(path, job);
    if (path.isEmpty() || !file->open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    job->reply(ruffleFileType(path), file);
}
