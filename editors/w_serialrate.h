#pragma once

#include "editors/w_qwidget.h"

#include <QList>

class QGroupBox;
class W_Rb;

// Data rate of the device's own serial (RS-485) line.
class W_SerialRate : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_SerialRate(QWidget *parent = nullptr);

private:
    QGroupBox *group;
    QList<W_Rb *> buttons; // in value order
};
