#pragma once

#include "editors/w_qwidget.h"

class QPushButton;

// The command buttons: read, write and restore the device settings, and
// show or hide the freeze protection timers.
class W_Key : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_Key(QWidget *parent = nullptr);

private:
    QPushButton *read;
    QPushButton *write;
    QPushButton *defaults;
    QPushButton *freezeProtection;
};
