#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QVariant>

#include <functional>

class BrowserPane;

// Driving a real pane the way a player does: scripts to find things, real mouse input to act.

// Runs script in the page's own world of the main document and returns its value.
QVariant runJs(BrowserPane &pane, const QString &script, int msecs = 10000);
// Centre of the element in pane coordinates; frame names an iframe of the main document.
// The selector goes into a single-quoted script string: quote attribute values with \".
QPoint elementCentre(BrowserPane &pane, const QString &selector, const QString &frame = {});
// Real pointer movement to a point of the pane.
void movePointer(BrowserPane &pane, QPoint to);
// A real mouse click (move, press, release) at a point of the pane, or on an element.
void clickPane(BrowserPane &pane, QPoint at, Qt::MouseButton button = Qt::LeftButton);
void clickElement(BrowserPane &pane, const QString &selector, const QString &frame = {},
                  Qt::MouseButton button = Qt::LeftButton);
bool waitUntil(const std::function<bool()> &condition, int msecs = 15000);
// Lets events run for a while, for checks that something did not happen.
void settleFor(int msecs);

// "" when the pixels of image match colour within a small tolerance over at least the given
// fraction of its area, else a description of what was found.
QString colourCoverage(const QImage &image, QColor colour, double fraction);
