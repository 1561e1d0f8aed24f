#pragma once

#include "editors/w_qwidget.h"

#include <QList>

class QCheckBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class W_Rb;

// What a receiver does with its outputs when the radio link is lost, and after
// how many missed radio replies it considers the link lost. Which output
// groups exist depends on the kind of device (setType).
class w_NumOfDown : public W_QWidget
{
    Q_OBJECT
public:
    explicit w_NumOfDown(QWidget *parent = nullptr);

    // 1: RS-485 model, 2: 4-20 mA receiver, 3: 4-20 mA receiver with one
    // discrete output, 4: receiver with two discrete outputs; any other
    // value shows no output group.
    void setType(int kind);

private:
    int type = 0;
    QSpinBox *numOfDown;
    QList<W_Rb *> current;   // group "Out 4-20"
    QList<W_Rb *> discrete1; // group "Out D1 Discret"
    QList<W_Rb *> discrete2; // the second discrete group
    QCheckBox *inversion1;
    QCheckBox *inversion2;
    QLabel *note;
    QGroupBox *groupCurrent;
    QGroupBox *groupDiscrete1;
    QGroupBox *groupDiscrete2;
};
