#pragma once

#include "editors/w_qwidget.h"

class QComboBox;
class QLineEdit;
class QSpinBox;

// Test address, flow control and serial time-out of the radio module, and the
// read-only module type and firmware fields.
class W_RadioCommonLeft : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_RadioCommonLeft(QWidget *parent = nullptr);

    // The radio module needs more time to gather a serial frame at slow serial
    // rates; `index` is the serial data rate index of the device.
    void setSerialRate(quint8 index);
    // A transmitter edits its test address (1 to 64); every other device
    // answers on the fixed address 255.
    void setTestAddressEnabled(bool enabled);

private:
    QSpinBox *serialTimeout;
    QSpinBox *testAddress;
    QComboBox *flowControl;
    QLineEdit *radioModule;
    QLineEdit *firmWare;
};
