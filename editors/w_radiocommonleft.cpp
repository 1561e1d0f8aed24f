#include "editors/w_radiocommonleft.h"

#include "protocol/serialtimeout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

constexpr int FixedTestAddress = 255;

} // namespace

W_RadioCommonLeft::W_RadioCommonLeft(QWidget *parent)
    : W_QWidget(parent), serialTimeout(new QSpinBox(this)), testAddress(new QSpinBox(this)),
      flowControl(new QComboBox(this)), radioModule(new QLineEdit(this)),
      firmWare(new QLineEdit(this))
{
    testAddress->setObjectName(QStringLiteral("Test address"));
    // The address travels to the device as one byte.
    testAddress->setRange(0, 255);

    flowControl->setObjectName(QStringLiteral("Flow control"));
    flowControl->addItem(tr("None"));
    flowControl->addItem(tr("HardWare"));

    serialTimeout->setObjectName(QStringLiteral("Serial Timeout"));
    serialTimeout->setRange(SerialTimeout::minSerialTimeout(0), SerialTimeout::Max);

    radioModule->setObjectName(QStringLiteral("Radio module"));
    radioModule->setText(QStringLiteral("LE50-868"));
    radioModule->setEnabled(false);

    firmWare->setObjectName(QStringLiteral("FirmWare"));
    firmWare->setText(QStringLiteral("x/x"));
    firmWare->setEnabled(false);

    auto layout = new QGridLayout(this);
    layout->setSpacing(3);
    layout->addWidget(labelFor(testAddress, tr("Address"), this), 0, 0, 1, 2);
    layout->addWidget(testAddress, 0, 2);
    layout->addWidget(labelFor(flowControl, tr("Flow control"), this), 1, 0, 1, 2);
    layout->addWidget(flowControl, 1, 2);
    layout->addWidget(labelFor(serialTimeout, tr("Serial Timeout"), this), 2, 0, 1, 2);
    layout->addWidget(serialTimeout, 2, 2);
    layout->addWidget(labelFor(radioModule, tr("Radio module"), this), 3, 0, 1, 2);
    layout->addWidget(radioModule, 3, 2);
    layout->addWidget(labelFor(firmWare, tr("FirmWare"), this), 4, 0);
    layout->addWidget(firmWare, 4, 1, 1, 2);
}

void W_RadioCommonLeft::setSerialRate(quint8 index)
{
    // A value below the new floor is raised, and the spin box reports it.
    serialTimeout->setMinimum(SerialTimeout::minSerialTimeout(index));
}

void W_RadioCommonLeft::setTestAddressEnabled(bool enabled)
{
    if (enabled) {
        testAddress->setRange(1, 64);
        testAddress->setEnabled(true);
        return;
    }
    testAddress->setRange(FixedTestAddress, FixedTestAddress);
    testAddress->setValue(FixedTestAddress);
    testAddress->setEnabled(false);
    emit sgValueChange(testAddress->objectName(), FixedTestAddress);
}
