#pragma once

#include "protocol/devicesettings.h"
#include "protocol/typeparser.h"

#include <QByteArrayList>
#include <QList>
#include <QString>

struct SettingsField;

// What a read reply means for the settings record: which field of the record
// each reply field lands in, for the firmware variant of the device, and
// whether the device's text for it was well formed. Pure functions of the
// reply, driven by the settings table, so the window, scripts and the fuzzer
// decode the same way; showing the record is the caller's business.
class ReplyDecoder
{
public:
    struct Decoded
    {
        bool settings = false; // the reply kind carries settings
        // The record fields the reply carried as the device sends them, and
        // those it carried damaged (empty, not digits, too many digits, an
        // address list that is none). A damaged field is stored as the window
        // always stored it (text that is no number as 0) but is not read.
        QList<const SettingsField *> confirmed;
        QList<const SettingsField *> damaged;
    };

    // A reply field as an unsigned decimal byte; text that is not a number is 0.
    static quint8 decimal(const QByteArray &field);
    // A reply field as text, up to its first zero byte.
    static QString text(const QByteArray &field);

    // Stores the fields of a read reply of `type` in `settings`. `hardware`
    // is the identified hardware text: every 4-20 model polls the one remote
    // device at address 1, whatever its configuration reply says (that field
    // is then neither confirmed nor damaged: the device does not report it).
    static Decoded decode(TypeParser type, const QByteArrayList &fields, quint8 variant,
                          const QString &hardware, DeviceSettings &settings);
    // The same; returns whether the reply kind carries settings (identity,
    // module version and input values do not, and leave the record as it was).
    static bool apply(TypeParser type, const QByteArrayList &fields, quint8 variant,
                      const QString &hardware, DeviceSettings &settings)
    {
        return decode(type, fields, variant, hardware, settings).settings;
    }
};
