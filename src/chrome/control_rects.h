#pragma once

#include "chrome/window_layout.h"

#include <QStringList>

class QWidget;

// Sets each rectangle on the control of that object name under `root` (or on `root` itself).
// Returns the names no control has: a layout that names a control nobody built is a fault.
QStringList applyControlRects(QWidget *root, const ControlRects &rects);
