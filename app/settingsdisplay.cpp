#include "app/settingsdisplay.h"

#include "app/panelarrangement.h"
#include "editors/w_freezprotection.h"
#include "editors/w_qwidget.h"
#include "editors/w_radio.h"
#include "editors/w_rs485.h"
#include "panels/adresarray.h"
#include "panels/measure.h"
#include "panels/reqperiod.h"
#include "protocol/devicesettings.h"
#include "protocol/pollsettingsbyte.h"
#include "protocol/replydecoder.h"
#include "protocol/settingsfields.h"

SettingsDisplay::SettingsDisplay(const PanelArrangement *panels, DeviceSettings &settings,
                                 QObject *parent)
    : QObject(parent), panels(panels), s(settings)
{
}

void SettingsDisplay::showSettings()
{
    W_Radio *radio = panels->radio;
    W_Rs485 *rs485 = panels->rs485;
    W_FreezProtection *freez = panels->freez;
    const DeviceSettings shown = s;
    // The serial time-out floor follows the serial rate: set it first, so
    // that the time-out of the record is not clamped to the old rate's floor.
    radio->setSerialRate(shown.serialRate);
    radio->setValue(QStringLiteral("Sub-band"), shown.subBand);
    radio->setValue(QStringLiteral("Radio Data Rate"), shown.radioRate);
    radio->setValue(QStringLiteral("Serial Timeout"), shown.serialTimeout);
    radio->setValue(QStringLiteral("Power"), shown.power);
    radio->setValue(QStringLiteral("Test address"), shown.testAdres);
    rs485->setValue(QStringLiteral("Serial Data Rate"), shown.serialRate);
    rs485->setValue(QStringLiteral("Delay Tx-Rx"), shown.delTxRx);
    rs485->setValue(QStringLiteral("Delay Rx-Tx"), shown.delRxTx);
    rs485->setValue(QStringLiteral("Parity"), shown.parity);
    rs485->setValue(QStringLiteral("Stop bit"), shown.stopBit);
    radio->setValue(QStringLiteral("Flow control"), shown.flowControl == 0 ? 1 : 0);
    radio->setSpeed(shown.radioRate);
    freez->setValue(QStringLiteral("Radio Transmit Reset"), shown.radioTransmitReset);
    freez->setValue(QStringLiteral("WDT Reset"), shown.wdtReset);
    freez->setValue(QStringLiteral("Radio Module Reset"), shown.radioModuleReset);
    panels->measure->setSettings(shown.averaging1, shown.averaging2, shown.diskret1,
                                 shown.diskret2);
    // The rebuilt channel list may have reported another channel meanwhile.
    s.chanel = shown.chanel;
    radio->setValue(QStringLiteral("Chanel"), s.chanel);
    showPollSettings();
    panels->adresArray->setAdreses(s.adreses);
    for (const SettingsField &f : SettingsFields::all())
        if (!shownByName(f))
            showPlain(f);
}

// The fields shown above in their own order (the serial time-out floor
// follows the serial rate, the channel list the radio rate), or by bits.
bool SettingsDisplay::shownByName(const SettingsField &f)
{
    using S = DeviceSettings;
    static const QList<quint8 S::*> own = {
        &S::subBand,   &S::radioRate,        &S::serialTimeout, &S::power,
        &S::testAdres, &S::serialRate,       &S::delTxRx,       &S::delRxTx,
        &S::parity,    &S::stopBit,          &S::chanel,        &S::radioTransmitReset,
        &S::wdtReset,  &S::radioModuleReset, &S::diskret1,      &S::diskret2,
        &S::delRequest};
    return !f.editor || !f.byte || f.encoding != SettingsField::Plain || own.contains(f.byte);
}

// A field of the settings table shown in whichever editor carries its name.
void SettingsDisplay::showPlain(const SettingsField &f)
{
    const int value = s.*f.byte;
    for (W_QWidget *editor : panels->editors())
        editor->setValue(QLatin1String(f.editor), value);
}

void SettingsDisplay::showReply(TypeParser type, const QByteArrayList &param)
{
    W_Radio *radio = panels->radio;
    switch (type) {
    case ReadConfig:
        showConfiguration();
        break;
    case ReadS206:
        radio->setValue(QStringLiteral("Sub-band"), s.subBand);
        break;
    case ReadS201:
        radio->setValue(QStringLiteral("Radio Data Rate"), s.radioRate);
        radio->setSpeed(s.radioRate);
        break;
    case ReadS200:
        radio->setValue(QStringLiteral("Chanel"), s.chanel);
        break;
    case ReadS202:
        radio->setValue(QStringLiteral("Power"), s.power);
        break;
    case ReadS214:
        // The editor's floor still belongs to the serial rate shown before
        // this read; the device's rate comes with its configuration, and the
        // time-out is shown again then.
        readSerialTimeout = s.serialTimeout;
        hasReadSerialTimeout = true;
        radio->setValue(QStringLiteral("Serial Timeout"), s.serialTimeout);
        break;
    case ReadS216:
        radio->setValue(QStringLiteral("Flow control"), s.flowControl == 0 ? 1 : 0);
        break;
    case ReadInputs:
        panels->measure->setValues(param);
        break;
    case ReadModuleVersion:
        radio->setText(QStringLiteral("FirmWare"), ReplyDecoder::text(param.value(0)));
        break;
    case ReadAveraging:
        panels->measure->setSettings(s.averaging1, s.averaging2, s.diskret1, s.diskret2);
        break;
    default:
        // A register of its own: its plain fields, wherever they are edited.
        for (const SettingsField *f : SettingsFields::carriedBy(type, 0))
            if (!shownByName(*f))
                showPlain(*f);
        break;
    }
}

void SettingsDisplay::showConfiguration()
{
    W_Radio *radio = panels->radio;
    W_Rs485 *rs485 = panels->rs485;
    W_FreezProtection *freez = panels->freez;
    const DeviceSettings shown = s;
    radio->setValue(QStringLiteral("Test address"), shown.testAdres);
    rs485->setValue(QStringLiteral("Serial Data Rate"), shown.serialRate);
    rs485->setValue(QStringLiteral("Delay Tx-Rx"), shown.delTxRx);
    rs485->setValue(QStringLiteral("Delay Rx-Tx"), shown.delRxTx);
    rs485->setValue(QStringLiteral("Parity"), shown.parity);
    freez->setValue(QStringLiteral("Radio Transmit Reset"), shown.radioTransmitReset);
    freez->setValue(QStringLiteral("WDT Reset"), shown.wdtReset);
    freez->setValue(QStringLiteral("Radio Module Reset"), shown.radioModuleReset);
    rs485->setValue(QStringLiteral("Stop bit"), shown.stopBit);
    radio->setSerialRate(shown.serialRate);
    if (hasReadSerialTimeout) {
        hasReadSerialTimeout = false;
        s.serialTimeout = readSerialTimeout;
        radio->setValue(QStringLiteral("Serial Timeout"), readSerialTimeout);
    }
    panels->adresArray->setAdreses(shown.adreses);
    showPollSettings();
}

void SettingsDisplay::showPollSettings()
{
    using P = PollSettingsByte;
    ReqPeriod *reqPeriod = panels->reqPeriod;
    const quint8 bits = s.numOfDown;
    reqPeriod->setValue(QStringLiteral("Requests period"), s.delRequest);
    reqPeriod->setValue(QStringLiteral("Num of down"), P::downCount(bits));
    reqPeriod->setValue(QStringLiteral("Out1 inversion"), P::option(bits, P::Out1Inverted));
    reqPeriod->setValue(QStringLiteral("Out2 inversion"), P::option(bits, P::Out2Inverted));
    reqPeriod->setValue(QStringLiteral("Out D1 Discret"), P::option(bits, P::Out1OnLinkLoss));
    reqPeriod->setValue(QStringLiteral("Out 4-20"), P::option(bits, P::Out1OnLinkLoss));
    reqPeriod->setValue(QStringLiteral("Out D2 Discret"), P::option(bits, P::Out2OnLinkLoss));
    reqPeriod->setValue(QStringLiteral("Out D Discret"), P::option(bits, P::Out2OnLinkLoss));
}
