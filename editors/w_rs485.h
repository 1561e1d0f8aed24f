#pragma once

#include "editors/w_qwidget.h"

class QGroupBox;
class W_Rs485Common;
class W_SerialRate;

// Every setting of the device's own serial (RS-485) line in one group.
class W_Rs485 : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_Rs485(QWidget *parent = nullptr);

private:
    QGroupBox *group;
    W_SerialRate *serialRate;
    W_Rs485Common *common;
};
