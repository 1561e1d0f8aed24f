#include "editors/w_serialrate.h"

#include "editors/w_rb.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

W_SerialRate::W_SerialRate(QWidget *parent)
    : W_QWidget(parent), group(new QGroupBox(QStringLiteral("Serial Data Rate"), this))
{
    auto groupLayout = new QGridLayout(group);
    const char *texts[] = {"1200 bps",  "2400 bps",  "4800 bps",  "9600 bps",
                           "19200 bps", "38400 bps", "57600 bps", "115200 bps"};
    for (quint8 value = 0; value < 8; ++value) {
        auto rb = new W_Rb(this, value, QString::fromLatin1(texts[value]));
        buttons.append(rb);
        // Column by column, four rates to a column.
        groupLayout->addWidget(rb, value % 4, value / 4);
    }

    auto layout = new QVBoxLayout(this);
    layout->addWidget(group);
}
