#include "browser/web_profile.h"

#include "browser/address_text.h"
#include "browser/ruffle_scheme_handler.h"
#include "browser/web_schemes.h"
#include "base/program_folder.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QQuickWindow>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>

namespace {

// Private links load nothing. With a handler behind their schemes the engine hands every
// navigation to them to the page's navigation policy (without one it silently turns them
// into "about:blank#blocked"); the policy refuses them, and anything else asking is refused here.
class RefusingSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
    }
};

QString resourceText(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

QString jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// Each script runs in its own function scope, after the rules for telling private links
// apart, which it shares with the client's side.
QString scriptSource(const QString &resource)
{
    QString rules = resourceText(":/browser/js/link_rules.js");
    rules.replace("ENGINE_SCHEMES", QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(engineSchemes()))
                                                          .toJson(QJsonDocument::Compact)));
    QString body = resourceText(resource);
    body.replace("RUFFLE_FILE_BASE",
                 jsonString(QUrl::fromLocalFile(installPath("app/ruffle/")).toString(QUrl::FullyEncoded)));
    body.replace("RUFFLE_SCHEME_BASE", jsonString(ruffleSchemeBase()));
    return "(function () {\n'use strict';\n" + rules + body + "\n})();\n";
}

QWebEngineScript userScript(const QString &name, const QString &source, quint32 world,
                            QWebEngineScript::InjectionPoint point)
{
    QWebEngineScript script;
    script.setName(name);
    script.setSourceCode(source);
    script.setWorldId(world);
    script.setInjectionPoint(point);
    script.setRunsOnSubFrames(true);
    return script;
}

void addScripts(QWebEngineScriptCollection *scripts)
{
    // The client's side of every document, in a world of its own: portal scripts can
    // neither see it nor reach the channel it talks over.
    scripts->insert(userScript("tamsa-bridge",
                               resourceText(":/qtwebchannel/qwebchannel.js") +
                                   scriptSource(":/browser/js/page_bridge.js"),
                               QWebEngineScript::ApplicationWorld, QWebEngineScript::DocumentCreation));
    // window.open lives in the page's own world; wrapped before any portal script runs.
    scripts->insert(userScript("tamsa-window-open", scriptSource(":/browser/js/window_open.js"),
                               QWebEngineScript::MainWorld, QWebEngineScript::DocumentCreation));
    // The emulator polyfills <embed>/<object> from the page's world.
    scripts->insert(userScript("tamsa-ruffle", scriptSource(":/browser/js/ruffle_loader.js"),
                               QWebEngineScript::MainWorld, QWebEngineScript::DocumentReady));
}

void configure(QWebEngineProfile *profile)
{
    QWebEngineSettings *settings = profile->settings();
    // Games have sound from the start; the emulator then shows no unmute overlay.
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    // Pop-ups open at the player's click only, one per click. A page's window.open loop would
    // otherwise have the engine make a window for every call, refused or not, and its own
    // process would stall under them.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // Panes show no page icons, so nothing asks the portal for them.
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    // A link of a scheme nobody registered is never handed to the desktop.
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    auto *refusal = new RefusingSchemeHandler(profile);
    for (const char *scheme : kPrivateSchemes)
        profile->installUrlSchemeHandler(scheme, refusal);
    profile->installUrlSchemeHandler(kRuffleScheme,
                                     new RuffleSchemeHandler(installPath("app/ruffle"), profile));
    addScripts(profile->scripts());
}

// The engine reads its switches once, as it starts with the first profile.
void addEngineSwitches()
{
    // A renderer process per site rather than per pane: the portal's pages (the portal, web
    // games, music, the ad strip, the info and game pages from it) share one, the local pages
    // (lists, the local player) another. Measured at start: 20 MiB less than a process for
    // each of five panes, and fewer processes to start and to wake. Sites stay apart.
    const QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--process-per-site"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", ("--process-per-site " + flags).trimmed());
    // Told to keep off the GPU (as under Xvfb), the engine draws its frames on the CPU, and
    // composing them into the window through OpenGL would run a software rasteriser that the
    // window's thread waits on at every frame: a Flash game's frames paused the event loop
    // for up to 65 ms that way. Qt Quick's own software renderer takes the frames as they are
    // (longest pause about 40 ms, 30 MiB less). A renderer named by the user still wins.
    if (flags.split(' ').contains("--disable-gpu") && !qEnvironmentVariableIsSet("QT_QUICK_BACKEND"))
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}

} // namespace

QWebEngineProfile *sharedWebProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (!profile) {
        Q_INIT_RESOURCE(browser);
        addEngineSwitches();
        profile = new QWebEngineProfile(QStringLiteral("gamebox"), qApp);
        profile->setPersistentStoragePath(programPath("profile"));
        profile->setCachePath(programPath("profile/cache"));
        configure(profile);
    }
    return profile;
}
