#include "dialogs/message_box.h"

namespace {
std::deque<QMessageBox::StandardButton> &queuedAnswers()
{
    static std::deque<QMessageBox::StandardButton> answers;
    return answers;
}
std::deque<MessageBox::Shown> &shownBoxes()
{
    static std::deque<MessageBox::Shown> boxes;
    return boxes;
}
} // namespace

QMessageBox::StandardButton MessageBox::ask(QWidget *parent, const QString &title, const QString &text,
                                            QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    shownBoxes().push_back(Shown{title, text, buttons, icon});
    if (!queuedAnswers().empty()) {
        const auto answer = queuedAnswers().front();
        queuedAnswers().pop_front();
        return answer;
    }
    QMessageBox box(icon, title, text, buttons, parent);
    // Texts may carry what a portal or a server sent (names, error texts): never markup.
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void MessageBox::inform(QWidget *parent, const QString &text)
{
    ask(parent, QStringLiteral("Tamsa游戏盒"), text, QMessageBox::Ok);
}

void MessageBox::queueAnswer(QMessageBox::StandardButton answer) { queuedAnswers().push_back(answer); }
const std::deque<MessageBox::Shown> &MessageBox::shown() { return shownBoxes(); }
void MessageBox::clearShown() { shownBoxes().clear(); }
