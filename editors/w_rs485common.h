#pragma once

#include "editors/w_qwidget.h"

class QComboBox;
class QSpinBox;

// Character format, stop bits and turn-around delays of the RS-485 line.
class W_Rs485Common : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_Rs485Common(QWidget *parent = nullptr);

private:
    QComboBox *parity;
    QComboBox *stopBit;
    QSpinBox *delayTxRx;
    QSpinBox *delayRxTx;
};
