#pragma once

#include "editors/w_qwidget.h"

class QGroupBox;
class W_RadioCommonLeft;
class W_RadioRate;
class W_SubBand;

// Every setting of the device's LE50-868 radio module in one group.
class W_Radio : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_Radio(QWidget *parent = nullptr);

    // Serial data rate index of the device: sets the serial time-out floor.
    void setSerialRate(quint8 index);
    // Radio data rate index: rebuilds the channel list. Setting the rate
    // buttons by name reports nothing, so whoever does it calls this too.
    void setSpeed(quint8 rate);
    void setTestAddressEnabled(bool enabled);

private:
    QGroupBox *group;
    W_SubBand *subBand;
    W_RadioRate *radioRate;
    W_RadioCommonLeft *commonLeft;
};
