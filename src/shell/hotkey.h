#pragma once

#include <QObject>

#include <memory>

// A key combination claimed for the whole desktop: pressed() fires whichever program has the
// keyboard focus, and the key press reaches no window of this program.
class GlobalHotKey : public QObject {
    Q_OBJECT
public:
    explicit GlobalHotKey(QObject *parent = nullptr);
    ~GlobalHotKey() override;

    // Claims modifiers + letter (Qt::Key_A to Qt::Key_Z; Control, Shift and Alt). False when
    // another program holds the combination or the session offers no desktop-wide grabs; then
    // nothing is claimed and pressed() never fires.
    bool grab(Qt::Key letter, Qt::KeyboardModifiers modifiers);

signals:
    void pressed();

private:
    class Grab;
    std::unique_ptr<Grab> grab_;
};
