#pragma once

#include "editors/w_qwidget.h"

class QGroupBox;
class QSpinBox;
class w_Reset;

// Timers with which the device recovers when its radio link stalls: restart
// of a stuck transmission, the watchdog reset and the radio module reset.
class W_FreezProtection : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_FreezProtection(QWidget *parent = nullptr);

    // Shows the watchdog reset time of the record (0 = off).
    void showWdtReset(quint8 value);
    // The radio module reset exists only in the newest firmware.
    void offerRadioModuleReset(bool offered);

private:
    QGroupBox *group;
    QSpinBox *radioTransmitReset;
    w_Reset *wdt;
    w_Reset *radioModule;
};
