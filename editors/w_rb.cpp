#include "editors/w_rb.h"

W_Rb::W_Rb(QWidget *parent, quint8 value, const QString &text)
    : QRadioButton(text, parent), val(value)
{
}
