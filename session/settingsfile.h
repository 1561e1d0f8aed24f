#pragma once

#include "protocol/devicesettings.h"

#include <QString>

class QDataStream;

// The settings file: one device settings record as a fixed sequence of bytes
// and two texts in the toolkit's data stream format, with no header. Files are
// exchanged between installations, so the stream version is pinned and the
// bytes stay the same whatever toolkit version writes them.
//
// Layout: twelve bytes, the port text, eleven bytes, the address text.
class SettingsFile
{
public:
    // No real record comes near this size (two short texts and 23 bytes);
    // anything larger is not a settings file and is refused unread.
    static constexpr qint64 MaxFileSize = 8 * 1024;

    // Writes the whole record atomically: on any failure (a full disk among
    // them) the previous file is left byte for byte as it was and `error`
    // says why. A name that stands for anything but a regular file is
    // refused and left alone.
    static bool save(const QString &fileName, const DeviceSettings &settings,
                     QString *error = nullptr);
    // Reads a whole record from a regular file of at most MaxFileSize bytes
    // (anything else is refused unopened). On failure `settings` is left
    // untouched and `error` says why.
    static bool load(const QString &fileName, DeviceSettings &settings, QString *error = nullptr);

    // Record <-> bytes, for the file operations above and for tests.
    static QByteArray toBytes(const DeviceSettings &settings);
    static bool fromBytes(const QByteArray &bytes, DeviceSettings &settings);

    // Start-up check of the working directory: writes the twelve leading bytes
    // and the port text to `fileName` and reads the twelve bytes back into the
    // record. Only a plain file of its own is written (never a link, a FIFO or
    // a device), and the record is only touched when the bytes read back are
    // the bytes written. Otherwise the check is skipped and `why` says why.
    static bool startupCheck(const QString &fileName, DeviceSettings &settings,
                             QString *why = nullptr);

private:
    static void setVersion(QDataStream &stream);
    // The fields of the settings table, whose order the file keeps, from
    // `from` up to `to` (AllFields: to the last). The head is the twelve
    // leading bytes.
    static constexpr int HeadFields = 12;
    static constexpr int AllFields = -1;
    static void writeFields(QDataStream &stream, const DeviceSettings &s, int from, int to);
    static void readFields(QDataStream &stream, DeviceSettings &s, int from, int to);
};
