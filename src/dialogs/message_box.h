#pragma once

#include <QMessageBox>
#include <QString>

#include <deque>
#include <functional>

// Every message box of the client goes through here, so that GUI tests can answer them.
// A test queues answers; a box with a queued answer is recorded and not shown.
class MessageBox {
public:
    struct Shown {
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon;
    };

    // Shows a modal box and returns the button pressed.
    static QMessageBox::StandardButton ask(QWidget *parent, const QString &title, const QString &text,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::Icon icon = QMessageBox::NoIcon);

    // OK only, no icon, the application title "Tamsa游戏盒".
    static void inform(QWidget *parent, const QString &text);

    // Test seam: the next boxes return these answers in order without being shown.
    static void queueAnswer(QMessageBox::StandardButton answer);
    static const std::deque<Shown> &shown();
    static void clearShown();
};
