#include "editors/w_rs485common.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

W_Rs485Common::W_Rs485Common(QWidget *parent)
    : W_QWidget(parent), parity(new QComboBox(this)), stopBit(new QComboBox(this)),
      delayTxRx(new QSpinBox(this)), delayRxTx(new QSpinBox(this))
{
    parity->setObjectName(QStringLiteral("Parity"));
    parity->addItems({tr("8-bit data, no parity"), tr("8-bit data, even parity"),
                      tr("8-bit data, odd parity"), tr("9-bit data, no parity")});

    stopBit->setObjectName(QStringLiteral("Stop bit"));
    stopBit->addItems({QStringLiteral("1"), QStringLiteral("2")});

    // One step of either delay is 100 µs.
    delayTxRx->setObjectName(QStringLiteral("Delay Tx-Rx"));
    delayTxRx->setRange(0, 250);
    delayRxTx->setObjectName(QStringLiteral("Delay Rx-Tx"));
    delayRxTx->setRange(0, 250);

    auto layout = new QGridLayout(this);
    layout->setVerticalSpacing(3);
    layout->setContentsMargins(-1, 0, -1, 0); // left and right from the style
    layout->addWidget(labelFor(parity, tr("Parity"), this), 0, 0);
    layout->addWidget(parity, 0, 1, 1, 2);
    layout->addWidget(labelFor(stopBit, tr("Stop bit"), this), 1, 0);
    layout->addWidget(stopBit, 1, 1, 1, 2);
    layout->addWidget(labelFor(delayTxRx, tr("Delay Tx-Rx"), this), 2, 0);
    layout->addWidget(delayTxRx, 2, 1);
    layout->addWidget(new QLabel(tr("x100 µs"), this), 2, 2);
    layout->addWidget(labelFor(delayRxTx, tr("Delay Rx-Tx"), this), 3, 0);
    layout->addWidget(delayRxTx, 3, 1);
    layout->addWidget(new QLabel(tr("x100 µs"), this), 3, 2);
}
