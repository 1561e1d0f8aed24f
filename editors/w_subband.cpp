#include "editors/w_subband.h"

#include "editors/w_rb.h"

#include "protocol/logging.h"
#include "protocol/settingsfields.h"
#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace {

// The only sub-band the device may use (g2) and its limits in kHz.
constexpr quint8 BandG2 = 2;
constexpr quint32 BandG2Start = 868700;
constexpr quint32 BandG2End = 869200;

struct ChannelPlan
{
    quint8 count;
    quint32 spacing; // kHz
};

// Channel plan by band code and radio data rate index; rates 0 and 1 share
// their plan.
bool lookUpPlan(quint8 band, quint8 rate, ChannelPlan &plan)
{
    static const ChannelPlan band0[] = {{12, 50}, {12, 50}, {6, 100}, {3, 200}, {1, 600}};
    static const ChannelPlan band2[] = {{10, 50}, {10, 50}, {5, 100}, {2, 200}, {1, 500}};
    static const ChannelPlan band6[] = {{1, 250}, {1, 250}, {1, 250}, {1, 250}, {0, 0}};
    static const ChannelPlan band8[] = {{6, 50}, {6, 50}, {3, 100}, {2, 150}, {0, 0}};
    if (rate > 4)
        return false;
    switch (band) {
    case 0:
        plan = band0[rate];
        return true;
    case 2:
        plan = band2[rate];
        return true;
    case 6:
        plan = band6[rate];
        return true;
    case 8:
        plan = band8[rate];
        return true;
    default:
        return false;
    }
}

} // namespace

W_SubBand::W_SubBand(QWidget *parent)
    : W_QWidget(parent),
      group(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Sub-band"), this)),
      chanel(new QComboBox(this))
{
    chanel->setObjectName(QStringLiteral("Chanel"));
    // The list sits under the sub-bands without a label of its own.
    chanel->setAccessibleName(tr("Channel"));

    auto groupLayout = new QVBoxLayout(group);
    // The sub-bands and their names come from the settings table; only g2
    // may be chosen.
    const SettingsField *field = SettingsFields::byName(QStringLiteral("subBand"));
    for (const auto &subBand : field->names) {
        auto rb = new W_Rb(this, quint8(subBand.first), field->nameText(subBand.first));
        rb->setEnabled(subBand.first == BandG2);
        buttons.append(rb);
        groupLayout->addWidget(rb);
    }
    groupLayout->addWidget(chanel);

    auto layout = new QVBoxLayout(this);
    layout->addWidget(group);

    setBand(BandG2, 2, BandG2Start, BandG2End);
}

void W_SubBand::setSpeed(quint8 rate)
{
    qCDebug(lcWindow) << "setSpeed" << rate;
    setBand(BandG2, rate, BandG2Start, BandG2End);
}

void W_SubBand::radioValueChanged(const QString &name, quint8 value)
{
    if (name.startsWith(QLatin1String("Radio Data Rate")))
        setBand(BandG2, value, BandG2Start, BandG2End);
}

void W_SubBand::setBand(quint8 band, quint8 rate, quint32 startKHz, quint32 endKHz)
{
    bandStart = startKHz;
    bandEnd = endKHz;
    ChannelPlan plan;
    if (lookUpPlan(band, rate, plan))
        fillChanels(plan.count, plan.spacing);
}

void W_SubBand::fillChanels(quint8 count, quint32 spacingKHz)
{
    while (chanel->count() > 0)
        chanel->removeItem(0);
    for (quint8 i = 0; i < count; ++i) {
        const quint64 centre = quint64(bandStart) + spacingKHz / 2 + quint64(i) * spacingKHz;
        chanel->addItem(tr("%1 MHz").arg(QString::number(double(centre) / 1000.0, 'g', 6)));
    }
}
