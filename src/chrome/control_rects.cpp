#include "chrome/control_rects.h"

#include <QWidget>

QStringList applyControlRects(QWidget *root, const ControlRects &rects)
{
    QStringList missing;
    for (auto it = rects.cbegin(); it != rects.cend(); ++it) {
        QWidget *control = it.key() == root->objectName() ? root : root->findChild<QWidget *>(it.key());
        if (control)
            control->setGeometry(it.value());
        else
            missing << it.key();
    }
    return missing;
}
