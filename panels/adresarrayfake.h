#pragma once

#include "editors/w_qwidget.h"

class QLabel;
class QSpinBox;

// Stands in for the address list on receivers, which always poll the one
// remote device at address 1.
class AdresArrayFake : public W_QWidget
{
    Q_OBJECT
public:
    explicit AdresArrayFake(QWidget *parent = nullptr);

private:
    QLabel *label;
    QSpinBox *adres;
};
