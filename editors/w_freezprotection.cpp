#include "editors/w_freezprotection.h"

#include "editors/w_reset.h"
#include "protocol/factorydefaults.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

W_FreezProtection::W_FreezProtection(QWidget *parent)
    : W_QWidget(parent),
      group(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Freeze Protection"), this)),
      radioTransmitReset(new QSpinBox(this)),
      wdt(new w_Reset(tr("WDT Reset"), tr("sec"), 10, FactoryDefaults::WdtReset * 10, this)),
      radioModule(new w_Reset(tr("Radio Module Reset"), tr("sec"), 10,
                              FactoryDefaults::RadioModuleReset * 10, this))
{
    radioTransmitReset->setObjectName(QStringLiteral("Radio Transmit Reset"));
    radioTransmitReset->setRange(10, 250);
    wdt->setObjectName(QStringLiteral("WDT Reset"));
    radioModule->setObjectName(QStringLiteral("Radio Module Reset"));

    auto row = new QHBoxLayout(group);
    row->setContentsMargins(9, 5, 9, 5);
    row->addWidget(labelFor(radioTransmitReset, tr("Radio Transmit Reset"), this));
    row->addWidget(radioTransmitReset);
    row->addWidget(new QLabel(tr("x100 ms"), this));
    row->addWidget(wdt);
    row->addWidget(radioModule);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(group);
}

void W_FreezProtection::showWdtReset(quint8 value)
{
    wdt->setValue(value);
}

void W_FreezProtection::offerRadioModuleReset(bool offered)
{
    radioModule->setEnabled(offered);
}
