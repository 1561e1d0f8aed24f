#pragma once

#include "editors/w_qwidget.h"

class QGroupBox;
class QPushButton;
class QSpinBox;

// Calibration of a receiver's 4-20 mA output. The engineer switches the
// device into calibration mode, orders a current, types in what an external
// meter reads and leaves calibration mode again. Every step leaves the panel
// as a named value; the panel itself knows nothing of the device.
class Kalibr : public W_QWidget
{
    Q_OBJECT
public:
    explicit Kalibr(QWidget *parent = nullptr);

    // Shows the button of the other mode: "Exit calibration mode" while on,
    // "Check current ..." while off. The main window puts a press that
    // reached no device back.
    void setModeOn(bool on);

private:
    void enterMode();
    void exitMode();

    QPushButton *setKalibr;
    QPushButton *resetKalibr;
    QSpinBox *curCurrent;
    QPushButton *setCurCurrent;
    QSpinBox *realCurrent;
    QPushButton *setRealCurrent;
    QGroupBox *group;
};
