#include "editors/w_serialrate.h"

#include "editors/w_rb.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

W_SerialRate::W_SerialRate(QWidget *parent)
    : W_QWidget(parent),
      group(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Serial Data Rate"), this))
{
    auto groupLayout = new QGridLayout(group);
    const char *texts[] = {QT_TR_NOOP("1200 bps"),  QT_TR_NOOP("2400 bps"),
                           QT_TR_NOOP("4800 bps"),  QT_TR_NOOP("9600 bps"),
                           QT_TR_NOOP("19200 bps"), QT_TR_NOOP("38400 bps"),
                           QT_TR_NOOP("57600 bps"), QT_TR_NOOP("115200 bps")};
    for (quint8 value = 0; value < 8; ++value) {
        auto rb = new W_Rb(this, value, tr(texts[value]));
        buttons.append(rb);
        // Column by column, four rates to a column.
        groupLayout->addWidget(rb, value % 4, value / 4);
    }

    auto layout = new QVBoxLayout(this);
    layout->addWidget(group);
}
