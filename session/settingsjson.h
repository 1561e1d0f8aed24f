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
    // The record as a JSON file holds it: indented, ending in a line feed.
    static QByteArray text(const DeviceSettings &settings);
    // Takes every field of the record, and nothing else: an unknown member, a
    // missing field, a byte that is no whole number from 0 to 255 or a text
    // that is no string is refused, and `error` names the field. On failure
    // `settings` is left as it was. An object with a "settings" member (what
    // `rlx-cli read --json` prints for a port) is taken by that member.
    static bool fromJson(const QJsonObject &object, DeviceSettings &settings, QString *error);

    // No JSON of one record comes near this size; anything larger is
    // refused unread.
    static constexpr qint64 MaxJsonSize = 1024 * 1024;

    // Whether the name is a JSON file (".json"); anything else is taken as a
    // settings file of the configurator (".rlx").
    static bool isJsonName(const QString &fileName);
    // Reads either kind of file, a regular file only and no larger than its
    // kind can be (a FIFO or a link to /dev/zero is refused at once). "-" is
    // standard input, read as JSON (what `rlx-cli read --json` prints).
    static bool load(const QString &fileName, DeviceSettings &settings, QString *error);
    // The record from bytes already read (standard input, say): JSON when
    // `json`, else the bytes of a settings file.
    static bool fromBytes(const QByteArray &bytes, bool json, DeviceSettings &settings,
                          QString *error);
    // Writes either kind of file whole, or keeps the previous one (OutputFile).
    static bool save(const QString &fileName, const DeviceSettings &settings, QString *error);
};
