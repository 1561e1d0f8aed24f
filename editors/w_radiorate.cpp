#include "editors/w_radiorate.h"

#include "editors/w_power.h"
#include "editors/w_progress.h"
#include "editors/w_rb.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

W_RadioRate::W_RadioRate(QWidget *parent)
    : W_QWidget(parent),
      group(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Radio Data Rate"), this)),
      progress(new W_Progress(this)), power(new W_Power(this))
{
    power->setObjectName(QStringLiteral("Power"));

    auto groupLayout = new QGridLayout(group);
    const char *texts[] = {QT_TR_NOOP("4800 bps"), QT_TR_NOOP("9600 bps"), QT_TR_NOOP("19200 bps"),
                           QT_TR_NOOP("38400 bps"), QT_TR_NOOP("115200 bps")};
    for (quint8 value = 0; value < 5; ++value) {
        auto rb = new W_Rb(this, value, tr(texts[value]));
        buttons.append(rb);
        groupLayout->addWidget(rb, value, 0);
        connect(rb, &W_Rb::toggled, this, &W_RadioRate::slChange);
    }
    groupLayout->addWidget(progress, 5, 0);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(power);
}

void W_RadioRate::slChange(bool)
{
    for (W_Rb *rb : qAsConst(buttons)) {
        if (rb->isChecked()) {
            progress->setValue((5 - rb->value()) * 20);
            return;
        }
    }
}
