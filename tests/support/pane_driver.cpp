#include "pane_driver.h"

#include "browser/browser_pane.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

QVariant runJs(BrowserPane &pane, const QString &script, int msecs)
{
    // Shared with the callback: after a time-out the page still calls it, at the latest when
    // the page is deleted, and it must not write into this frame then.
    const auto answer = std::make_shared<std::optional<QVariant>>();
    pane.page()->runJavaScript(script, [answer](const QVariant &value) { *answer = value; });
    EXPECT_TRUE(waitUntil([&] { return answer->has_value(); }, msecs)) << script.toStdString();
    return answer->value_or(QVariant());
}

// The centre of the element in the pane, once the element is what lies under it there: a
// layout still settling (a resize of the window, a frame loading) would otherwise send the
// click to a neighbour. Gives up waiting after a few seconds and returns the centre as it is.
QPoint elementCentre(BrowserPane &pane, const QString &selector, const QString &frame)
{
    const QString frameElement =
        frame.isEmpty() ? "null" : QString("document.querySelector('iframe[name=\"%1\"]')").arg(frame);
    const QString script =
        QString("(() => { const f = %1; const doc = f ? f.contentDocument : document;"
                " const o = f ? f.getBoundingClientRect() : {x: 0, y: 0};"
                " const e = doc.querySelector('%2'); if (!e) return [];"
                " const r = e.getBoundingClientRect(); const x = r.x + r.width / 2, y = r.y + r.height / 2;"
                " const under = doc.elementFromPoint(x, y);"
                " const reached = (!f || document.elementFromPoint(o.x + x, o.y + y) === f) &&"
                "     under !== null && (under === e || e.contains(under));"
                " return [o.x + x, o.y + y, reached]; })()")
            .arg(frameElement, selector);
    QVariantList found;
    waitUntil(
        [&] {
            found = runJs(pane, script).toList();
            return found.size() == 3 && found[2].toBool();
        },
        3000);
    EXPECT_EQ(found.size(), 3) << "no element " << selector.toStdString();
    return found.size() == 3 ? QPoint(qRound(found[0].toDouble()), qRound(found[1].toDouble())) : QPoint();
}

namespace {
QWidget *inputWidget(BrowserPane &pane) { return pane.findChild<QWebEngineView *>()->focusProxy(); }
} // namespace

void movePointer(BrowserPane &pane, QPoint to) { QTest::mouseMove(inputWidget(pane), to); }

void clickPane(BrowserPane &pane, QPoint at, Qt::MouseButton button)
{
    QWidget *input = inputWidget(pane);
    ASSERT_NE(input, nullptr);
    QTest::mouseMove(input, at);
    QTest::mouseClick(input, button, {}, at);
}

void clickElement(BrowserPane &pane, const QString &selector, const QString &frame, Qt::MouseButton button)
{
    clickPane(pane, elementCentre(pane, selector, frame), button);
}

// A real event loop between the checks: QTest::qWaitFor sleeps between its event batches, and
// that starves the engine's tasks, which the same loop runs (a page then takes seconds to load).
bool waitUntil(const std::function<bool()> &condition, int msecs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > msecs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void settleFor(int msecs) { waitUntil([] { return false; }, msecs); }

QString colourCoverage(const QImage &image, QColor colour, double fraction)
{
    if (image.isNull())
        return "no image";
    qint64 matching = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor found = image.pixelColor(x, y);
            if (qAbs(found.red() - colour.red()) <= 8 && qAbs(found.green() - colour.green()) <= 8 &&
                qAbs(found.blue() - colour.blue()) <= 8)
                ++matching;
        }
    }
    const double share = double(matching) / (qint64(image.width()) * image.height());
    if (share >= fraction)
        return {};
    return QString("%1 of the pixels are %2 (centre %3)")
        .arg(share)
        .arg(colour.name(), image.pixelColor(image.width() / 2, image.height() / 2).name());
}
