#include "editors/w_radio.h"

#include "editors/w_radiocommonleft.h"
#include "editors/w_radiorate.h"
#include "editors/w_subband.h"

#include <QGridLayout>
#include <QGroupBox>

W_Radio::W_Radio(QWidget *parent)
    : W_QWidget(parent),
      group(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Radio Module"), this)),
      subBand(new W_SubBand(this)), radioRate(new W_RadioRate(this)),
      commonLeft(new W_RadioCommonLeft(this))
{
    auto groupLayout = new QGridLayout(group);
    groupLayout->addWidget(subBand, 0, 0);
    groupLayout->addWidget(radioRate, 0, 1, 2, 1);
    groupLayout->addWidget(commonLeft, 1, 0);

    auto layout = new QGridLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, -1); // bottom margin from the style
    layout->addWidget(group, 0, 0);

    // The channel list follows every press of a rate button.
    radioRate->connectControls();
    connect(radioRate, &W_RadioRate::sgValueChange, subBand,
            [this](const QString &name, int value) {
                subBand->radioValueChanged(name, quint8(value));
            });
}

void W_Radio::setSerialRate(quint8 index)
{
    commonLeft->setSerialRate(index);
}

void W_Radio::setSpeed(quint8 rate)
{
    subBand->setSpeed(rate);
}

void W_Radio::setTestAddressEnabled(bool enabled)
{
    commonLeft->setTestAddressEnabled(enabled);
}
