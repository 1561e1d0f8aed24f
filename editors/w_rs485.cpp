#include "editors/w_rs485.h"

#include "editors/w_rs485common.h"
#include "editors/w_serialrate.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

W_Rs485::W_Rs485(QWidget *parent)
    : W_QWidget(parent),
      group(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "RS-485"), this)),
      serialRate(new W_SerialRate(this)), common(new W_Rs485Common(this))
{
    auto groupLayout = new QGridLayout(group);
    groupLayout->addWidget(serialRate, 0, 0);
    groupLayout->addWidget(common, 1, 0);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(group);

    common->connectControls();
}
