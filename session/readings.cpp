#include "session/readings.h"

#include "protocol/settingsfields.h"

void Readings::expect(const DeviceSettings &written)
{
    hasExpected = true;
    expected = written;
}

void Readings::add(const DeviceSettings &record, const QList<const SettingsField *> &confirmed)
{
    ++readings;
    for (const SettingsField *f : confirmed)
        values[f] << f->value(record);
}

void Readings::addIdentity(const QString &firmware, const QString &hardware, bool plausible)
{
    if (!plausible || identitySettled())
        return;
    const QPair<QString, QString> identity(firmware, hardware);
    if (identities.contains(identity))
        settledIdentity = identity;
    identities << identity;
}

QVariant Readings::value(const SettingsField *f) const
{
    const QList<QVariant> read = values.value(f);
    if (hasExpected) {
        const QVariant want = f->value(expected);
        for (const QVariant &v : read)
            if (SettingsFields::same(*f, v, want))
                return v;
    }
    for (int i = 0; i < read.size(); ++i)
        for (int j = i + 1; j < read.size(); ++j)
            if (SettingsFields::same(*f, read.at(i), read.at(j)))
                return read.at(j);
    return QVariant();
}

bool Readings::settled(const SettingsField *f) const
{
    return value(f).isValid();
}

QList<const SettingsField *> Readings::unsettled(const QList<const SettingsField *> &wanted) const
{
    QList<const SettingsField *> fields;
    for (const SettingsField *f : wanted)
        if (!settled(f))
            fields << f;
    return fields;
}

DeviceSettings Readings::settledRecord(const DeviceSettings &base) const
{
    DeviceSettings s = base;
    for (auto it = values.begin(); it != values.end(); ++it) {
        const QVariant v = value(it.key());
        if (!v.isValid())
            continue;
        if (it.key()->isText())
            s.*it.key()->text = v.toString();
        else
            s.*it.key()->byte = quint8(v.toInt());
    }
    return s;
}
