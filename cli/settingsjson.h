#pragma once

#include "protocol/devicesettings.h"

#include <QJsonObject>
#include <QString>

// The settings record as readable JSON: one member per field of the record,
// by the field's name in the record ("testAdres", "serialRate", "adreses").
// Bytes are numbers 0 to 255, the two texts strings (null for a text the
// settings file holds as null), so that a settings file goes to JSON and back
// byte for byte. Also reads and writes either kind of file by its suffix.
class SettingsJson
{
public:
    static QJsonObject toJson(const DeviceSettings &settings);
    // Takes every field of the record, and nothing else: an unknown member, a
    // missing field, a byte that is no whole number from 0 to 255 or a text
    // that is no string is refused, and `error` names the field. On failure
    // `settings` is left as it was. An object with a "settings" member (what
    // `rlx-cli read --json` prints for a port) is taken by that member.
    static bool fromJson(const QJsonObject &object, DeviceSettings &settings, QString *error);

    // Whether the name is a JSON file (".json"); anything else is taken as a
    // settings file of the configurator (".rlx").
    static bool isJsonName(const QString &fileName);
    static bool load(const QString &fileName, DeviceSettings &settings, QString *error);
    static bool save(const QString &fileName, const DeviceSettings &settings, QString *error);
};
