#include "app/labelroom.h"

#include <QLabel>

void LabelRoom::give(QWidget *root)
{
    for (QLabel *label : root->findChildren<QLabel *>()) {
        QMargins margins = label->contentsMargins();
        margins.setRight(qMax(margins.right(), label->fontMetrics().averageCharWidth() / 3 + 1));
        label->setContentsMargins(margins);
    }
}
