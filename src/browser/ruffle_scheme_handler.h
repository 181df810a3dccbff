#pragma once

#include <QString>
#include <QWebEngineUrlSchemeHandler>

// Answers ruffle://player/<file> with the files of one folder (the program folder's
// app/ruffle/), so that pages of any origin can run the emulator.
class RuffleSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
public:
    RuffleSchemeHandler(const QString &folder, QObject *parent);
    void requestStarted(QWebEngineUrlRequestJob *job) override;

private:
    QString folder_;
};
