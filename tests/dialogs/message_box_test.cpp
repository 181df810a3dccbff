// The message box wrapper on the test display, shown for real and answered with a click.
#include "dialogs/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(MessageBoxShown, TextFromOutsideIsPlainText)
{
    // As a download error arrives: a server's text may look like markup.
    const QString text = "Error: 5\n<b>http://h/</b><img src=\"x\"> & more";
    QString shownText;
    Qt::TextFormat shownFormat = Qt::AutoText;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        const auto *label = box->findChild<QLabel *>("qt_msgbox_label");
        shownText = label ? label->text() : QString();
        shownFormat = label ? label->textFormat() : Qt::AutoText;
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    poll.start(50);
    EXPECT_EQ(MessageBox::ask(nullptr, "bkDLControl Internal Error: 5", text, QMessageBox::Ok, QMessageBox::Critical),
              QMessageBox::Ok);
    EXPECT_EQ(shownText, text);
    EXPECT_EQ(shownFormat, Qt::PlainText);
}
