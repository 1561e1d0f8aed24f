#include "panels/reqperiod.h"

#include "editors/w_numofdown.h"
#include "panels/adresarrayfake.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

ReqPeriod::ReqPeriod(QWidget *parent)
    : W_QWidget(parent), adresFake(new AdresArrayFake(this)), period(new QSpinBox(this)),
      group(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Radio Poll Settings"), this)),
      outputs(new w_NumOfDown(this))
{
    adresFake->setMaximumHeight(50);
    period->setObjectName(QStringLiteral("Requests period"));
    period->setRange(1, 250);

    auto layout = new QHBoxLayout(this);
    layout->setContentsMargins(-1, 0, -1, 0); // left and right from the style
    layout->addWidget(group);
    group->setContentsMargins(-1, 15, -1, 0);
    auto grid = new QGridLayout(group);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(-1, -1, -1, 0);
    grid->addWidget(labelFor(period, tr("Requests period"), this), 0, 0);
    grid->addWidget(period, 0, 1);
    grid->addWidget(new QLabel(tr("sec"), this), 0, 2);
    grid->addWidget(adresFake, 0, 3);
    grid->addWidget(outputs, 1, 0, 1, 4);
    outputs->setType(0); // the device kind decides later which outputs show

    connectControls();
}

void ReqPeriod::setPeriodEnabled(bool enabled)
{
    if (!enabled)
        period->setValue(1);
    period->setEnabled(enabled);
}

void ReqPeriod::setAdresVisible(bool visible)
{
    adresFake->setVisible(visible);
}

void ReqPeriod::setTitle(const char *title)
{
    setGroupTitle(group, title);
}

void ReqPeriod::showOutputsFor(int kind)
{
    outputs->setType(kind);
}

void ReqPeriod::setLinkLossSettingsVisible(bool visible)
{
    outputs->setVisible(visible);
}
