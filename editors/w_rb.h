#pragma once

#include <QRadioButton>

// A radio button that stands for one fixed value of a parameter. Placed in a
// group box, it reports that value under the group box's title when pressed.
class W_Rb : public QRadioButton
{
    Q_OBJECT
public:
    W_Rb(QWidget *parent, quint8 value, const QString &text);

    quint8 value() const { return val; }

private:
    const quint8 val;
};
