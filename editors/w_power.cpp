#include "editors/w_power.h"

#include "editors/w_qwidget.h"

#include <QDial>
#include <QGridLayout>
#include <QLabel>

W_Power::W_Power(QWidget *parent) : QWidget(parent), dial(new QDial(this))
{
    dial->setRange(0, 7);
    dial->setNotchesVisible(true);
    dial->setNotchTarget(5);
    // Four to five lines of text wide: the dial grows with the labels around
    // it, at any font size.
    const int line = dial->fontMetrics().height();
    dial->setMinimumSize(4 * line, 4 * line);
    dial->setMaximumWidth(5 * line);
    // Tracking stays on: every position passed while dragging is reported.
    connect(dial, &QDial::valueChanged, this, &W_Power::sgSetPower);

    auto layout = new QGridLayout(this);
    layout->addWidget(W_QWidget::labelFor(dial, tr("Power"), this), 0, 0, 1, 3, Qt::AlignCenter);
    layout->addWidget(new QLabel(tr("Min"), this), 1, 0, Qt::AlignRight | Qt::AlignBottom);
    layout->addWidget(dial, 1, 1);
    layout->addWidget(new QLabel(tr("Max"), this), 1, 2, Qt::AlignLeft | Qt::AlignBottom);
}

void W_Power::setPower(quint8 power)
{
    dial->setValue(power);
}
