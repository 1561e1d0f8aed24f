#pragma once

#include "editors/w_qwidget.h"

#include <QList>

class QGroupBox;
class W_Power;
class W_Progress;
class W_Rb;

// Radio data rate with its relative range indicator, and the transmit power.
class W_RadioRate : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_RadioRate(QWidget *parent = nullptr);

public slots:
    // Follows the checked rate button, whether the user or a set by name
    // checked it.
    void slChange(bool);

private:
    QGroupBox *group;
    QList<W_Rb *> buttons;
    W_Progress *progress;
    W_Power *power;
};
