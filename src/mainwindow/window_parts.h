#pragma once

#include <QColor>

class BrowserPane;
class ClickLabel;
class QString;
class QWidget;

// The main window's plain controls, each named for the layout and the tests.
QWidget *makeBox(QWidget *parent, const char *name, const QColor &background = QColor());
ClickLabel *makeLabel(QWidget *parent, const char *name, const QString &text);
BrowserPane *makePane(QWidget *parent, const char *name);
void fillBackground(QWidget *widget, const QColor &background);
