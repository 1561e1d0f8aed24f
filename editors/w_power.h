#pragma once

#include <QWidget>

class QDial;

// Transmit power dial. Positions 0 to 7 stand for the radio module's levels
// -8, -5, -2, +1, +4, +7, +10 and +14 dBm; only "Min" and "Max" are shown.
class W_Power : public QWidget
{
    Q_OBJECT
public:
    explicit W_Power(QWidget *parent = nullptr);

    void setPower(quint8 power);

signals:
    void sgSetPower(int power);

private:
    QDial *dial;
};
