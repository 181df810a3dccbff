#include "mainwindow/window_parts.h"

#include "browser/browser_pane.h"
#include "chrome/click_label.h"

void fillBackground(QWidget *widget, const QColor &background)
{
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, background);
    widget->setPalette(p);
}

QWidget *makeBox(QWidget *parent, const char *name, const QColor &background)
{
    auto *box = new QWidget(parent);
    box->setObjectName(name);
    if (background.isValid())
        fillBackground(box, background);
    return box;
}

ClickLabel *makeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new ClickLabel(text, parent);
    label->setObjectName(name);
    return label;
}

BrowserPane *makePane(QWidget *parent, const char *name)
{
    auto *pane = new BrowserPane(parent);
    pane->setObjectName(name);
    return pane;
}
