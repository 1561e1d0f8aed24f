#pragma once

#include "protocol/devicesettings.h"

#include <QList>
#include <QString>
#include <QVariant>

// Every field of the settings record by name: the record's own name (used in
// JSON and by scripts), the label the window shows for it, and whether the
// full read brings it back from the device, so that what was written can be
// checked against what the device holds.
struct SettingsField
{
    enum ReadBack
    {
        Always,       // every firmware variant reports it
        FromVariant1, // the configuration reply of variants 1 and 2
        FromVariant2, // the configuration reply of variant 2 only
        Never,        // kept by the configurator and the settings file only
    };

    const char *name;
    const char *label;
    quint8 DeviceSettings::*byte; // one of these two is set
    QString DeviceSettings::*text;
    ReadBack readBack;

    bool isText() const { return text != nullptr; }
    QVariant value(const DeviceSettings &s) const;
    // Whether a read of a device of this variant and hardware reports the
    // field back as the device holds it.
    bool verifiable(quint8 variant, const QString &hardware) const;
};

// A field the device holds otherwise than it was written.
struct SettingsDifference
{
    const SettingsField *field;
    QVariant written;
    QVariant held;
};

class SettingsFields
{
public:
    // In the order of the settings file.
    static const QList<SettingsField> &all();
    static const SettingsField *byName(const QString &name);

    // The fields whose read-back value differs from the written one, among
    // those the device reports back; `unverifiable` gets the others.
    static QList<SettingsDifference> compare(const DeviceSettings &written,
                                             const DeviceSettings &readBack, quint8 variant,
                                             const QString &hardware,
                                             QList<const SettingsField *> *unverifiable = nullptr);
};
