#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QSpinBox;

// A reset timer that can be switched off. The spin box shows the time in
// steps of `step`; the device takes it in whole steps, 0 meaning off.
class w_Reset : public QWidget
{
    Q_OBJECT
public:
    w_Reset(const QString &text, const QString &unit, quint8 step, quint16 defaultValue,
            QWidget *parent = nullptr);

    // Shows a device value (0 = off) without running the switch handler; a
    // change of the shown time is still reported.
    void setValue(int v);

signals:
    void sgValueChange(int val);

private:
    void valueChange(int v);
    void switchChanged(int state);
    void connectSwitch();

    quint8 step;
    quint16 defaultValue;
    QCheckBox *checkBox;
    QSpinBox *spinBox;
    QLabel *unitLabel;
};
