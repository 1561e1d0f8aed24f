#pragma once

#include "protocol/devicesettings.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

struct SettingsField;

// What several readings of one device agree on. The line has no checksum:
// a noise byte caught inside a field can turn one value into another that
// still looks right. So a value counts only when two readings gave it, or
// when one reading gave the value that was just written (noise that makes
// up exactly the expected value is not a worry).
class Readings
{
public:
    // The values just written: a reading equal to one of them settles it.
    void expect(const DeviceSettings &written);
    // One reading: the record as it left it, and the fields its replies
    // carried well formed (the others are ignored).
    void add(const DeviceSettings &record, const QList<const SettingsField *> &confirmed);
    // One identity reply; an implausible one is ignored.
    void addIdentity(const QString &firmware, const QString &hardware, bool plausible);

    bool settled(const SettingsField *field) const;
    // How many readings carried the field well formed.
    int seen(const SettingsField *field) const { return values.value(field).size(); }
    // The settled value (invalid while the field is not settled).
    QVariant value(const SettingsField *field) const;
    QList<const SettingsField *> unsettled(const QList<const SettingsField *> &wanted) const;
    // `base` with every settled field put in.
    DeviceSettings settledRecord(const DeviceSettings &base) const;

    bool identitySettled() const { return !settledIdentity.first.isNull(); }
    QString firmware() const { return settledIdentity.first; }
    QString hardware() const { return settledIdentity.second; }

    int count() const { return readings; }

private:
    QHash<const SettingsField *, QList<QVariant>> values;
    bool hasExpected = false;
    DeviceSettings expected;
    QList<QPair<QString, QString>> identities;
    QPair<QString, QString> settledIdentity;
    int readings = 0;
};
