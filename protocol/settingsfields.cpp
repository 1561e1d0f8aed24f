#include "protocol/settingsfields.h"

#include "protocol/addressmask.h"

namespace {

using S = DeviceSettings;

SettingsField byteField(const char *name, const char *label, quint8 S::*member,
                        SettingsField::ReadBack readBack = SettingsField::Always)
{
    return SettingsField{name, label, member, nullptr, readBack};
}

SettingsField textField(const char *name, const char *label, QString S::*member,
                        SettingsField::ReadBack readBack)
{
    return SettingsField{name, label, nullptr, member, readBack};
}

// The address list as the set of addresses it names: the window writes it
// as four comma-separated groups of hexadecimal digits, the device reports
// it as one. Text that is no such number stands for itself.
QVariant addressSet(const QVariant &text)
{
    bool ok = false;
    const quint64 mask = AddressMask::parse(text.toString(), &ok);
    return ok ? QVariant(mask) : text;
}

} // namespace

QVariant SettingsField::value(const DeviceSettings &s) const
{
    if (isText())
        return s.*text;
    return int(s.*byte);
}

bool SettingsField::verifiable(quint8 variant, const QString &hardware) const
{
    switch (readBack) {
    case Always:
        // Every 4-20 model is read back as polling address 1, whatever it holds.
        return !(text == &S::adreses && hardware.contains(QLatin1String("RLX-31868-4-20")));
    case FromVariant1:
        return variant == 1 || variant == 2;
    case FromVariant2:
        return variant == 2;
    case Never:
        break;
    }
    return false;
}

const QList<SettingsField> &SettingsFields::all()
{
    static const QList<SettingsField> fields = {
        byteField("delTxRx", "Delay Tx-Rx", &S::delTxRx),
        byteField("power", "Power", &S::power),
        byteField("radioRate", "Radio Data Rate", &S::radioRate),
        byteField("chanel", "Chanel", &S::chanel),
        byteField("parity", "Parity", &S::parity),
        byteField("stopBit", "Stop bit", &S::stopBit),
        byteField("subBand", "Sub-band", &S::subBand),
        byteField("serialTimeout", "Serial Timeout", &S::serialTimeout),
        byteField("radioTransmitReset", "Radio Transmit Reset", &S::radioTransmitReset),
        byteField("serialRate", "Serial Data Rate", &S::serialRate),
        byteField("wdtReset", "WDT Reset", &S::wdtReset),
        byteField("testAdres", "Address", &S::testAdres),
        textField("portName", "Port", &S::portName, SettingsField::Never),
        byteField("averaging1", "Averaging 1", &S::averaging1),
        byteField("averaging2", "Averaging 2", &S::averaging2),
        byteField("diskret1", "Transition from low to high 1", &S::diskret1),
        byteField("diskret2", "Transition from low to high 2", &S::diskret2),
        byteField("spare", "Spare", &S::spare, SettingsField::Never),
        byteField("flowControl", "Flow control", &S::flowControl),
        byteField("outType", "Output kind", &S::outType, SettingsField::Never),
        byteField("delRxTx", "Delay Rx-Tx", &S::delRxTx),
        byteField("delRequest", "Requests period", &S::delRequest, SettingsField::FromVariant1),
        byteField("numOfDown", "Num of down", &S::numOfDown, SettingsField::FromVariant2),
        byteField("radioModuleReset", "Radio Module Reset", &S::radioModuleReset,
                  SettingsField::FromVariant2),
        textField("adreses", "Addresses", &S::adreses, SettingsField::Always),
    };
    return fields;
}

const SettingsField *SettingsFields::byName(const QString &name)
{
    for (const SettingsField &f : all())
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

QList<SettingsDifference> SettingsFields::compare(const DeviceSettings &written,
                                                  const DeviceSettings &readBack, quint8 variant,
                                                  const QString &hardware,
                                                  QList<const SettingsField *> *unverifiable)
{
    QList<SettingsDifference> differences;
    for (const SettingsField &f : all()) {
        if (!f.verifiable(variant, hardware)) {
            if (unverifiable && f.readBack != SettingsField::Never)
                unverifiable->append(&f);
            continue;
        }
        const QVariant w = f.value(written);
        const QVariant h = f.value(readBack);
        const bool same = f.text == &S::adreses ? addressSet(w) == addressSet(h) : w == h;
        if (!same)
            differences.append({&f, w, h});
    }
    return differences;
}
