#pragma once

class QWidget;

// Takes a window out of the minimised state, keeping whether it was maximised.
void restoreFromMinimised(QWidget *window);

// What a later start asks of the running one (Form_LinkExecute): the window comes back even
// when it was hidden to the tray, in front, and restored when it was minimised.
void bringToFront(QWidget *window);
