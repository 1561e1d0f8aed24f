#pragma once

#include "protocol/devicesettings.h"
#include "protocol/typeparser.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// Everything the configurator knows about one field of the settings record,
// in one row: the record's own name (used in JSON and by scripts), the label
// messages and reports use, the window's parameter name, where the device
// reports it (reply kind and field position, from which firmware variant),
// what the device sends for it, which values a device may be given, and the
// value in words. The settings file keeps the fields in the order of the
// table.
struct SettingsField
{
    enum ReadBack
    {
        Always,       // every firmware variant reports it
        FromVariant1, // the configuration reply of variants 1 and 2
        FromVariant2, // the configuration reply of variant 2 only
        Never,        // kept by the configurator and the settings file only
    };

    // How the record's byte stands for the value.
    enum Encoding
    {
        Plain,        // the byte itself
        FlowControl,  // 0 or 2 as the configuration write sends it; the module reports 0 or 1
        Averaging,    // kind in bits 7..6, interval in bits 5..0 (AveragingByte)
        PollSettings, // non-responses in bits 3..0, output options in bits 7..4
        AddressList,  // the remote addresses, a 64-bit mask in hexadecimal
        Text,         // a text only the settings file carries
    };

    const char *name;
    const char *label;
    const char *editor;           // the window's parameter name; null: none of its own
    quint8 DeviceSettings::*byte; // one of these two is set
    QString DeviceSettings::*text;
    ReadBack readBack;
    TypeParser reply; // the reply that carries it (NoRequest: none)
    int replyField;   // its position in that reply
    TypeParser write; // the register write that sends it alone (NoRequest: none)
    // Digits the device always sends for it: 0 for one to three, else
    // exactly that many (the configuration reply's fixed widths).
    int digits;
    Encoding encoding;
    // The values a device may be given, as the window's editors allow them;
    // `choices`, when not empty, are the only ones.
    int low, high;
    QList<int> choices;
    // The value in words, by value; `unit` follows a number without a name.
    QList<QPair<int, QString>> names;
    QString unit;

    bool isText() const { return text != nullptr; }
    QVariant value(const DeviceSettings &s) const;
    // Whether the device reports it back in its full read at all.
    bool isDeviceField() const { return readBack != Never; }
    // Whether a read of a device of this variant and hardware reports the
    // field back as the device holds it.
    bool verifiable(quint8 variant, const QString &hardware) const;

    // Whether a reply field, as it came off the line, is what the device
    // sends for this setting: digits of the right count within a byte, or an
    // address list of hexadecimal digits.
    bool wellFormed(const QByteArray &replyField) const;
    // Why the record's value may not go to a device; empty when it may.
    QString invalidBecause(const DeviceSettings &s) const;
    // The label in the language of the texts (the window's, rlx-cli's).
    QString labelText() const;
    // The valid values in words ("0 to 250", "0, 2, 6 or 8").
    QString validText() const;
    // The record's value for a reader: "9600 baud", "none", "17 ms".
    QString describe(const DeviceSettings &s) const;
    // A value's name in the language of the texts ("g2 868.7-869.2 MHz");
    // empty for a value without a name.
    QString nameText(int value) const;
};

// A field the device holds otherwise than it was written.
struct SettingsDifference
{
    const SettingsField *field;
    QVariant written;
    QVariant held;
};

// A field whose value may not go to a device.
struct SettingsProblem
{
    const SettingsField *field;
    QString why; // "250 is not one of 0 to 7"
};

class SettingsFields
{
public:
    // In the order of the settings file.
    static const QList<SettingsField> &all();
    static const SettingsField *byName(const QString &name);
    // The fields a reply of `type` carries for a device of this variant.
    static QList<const SettingsField *> carriedBy(TypeParser type, quint8 variant);
    // The fields a full read reports as this device holds them.
    static QList<const SettingsField *> readBack(quint8 variant, const QString &hardware);
    // The fields of the configuration ("$1" / "$0") of a firmware variant,
    // in their order there.
    static QList<const SettingsField *> configuration(quint8 variant);
    // The fields written by a register write of their own, in the order of
    // those writes' kinds (the order the write sequences send them).
    static QList<const SettingsField *> registerWrites();

    // Two values of a field that mean the same setting (the address list in
    // either notation).
    static bool same(const SettingsField &f, const QVariant &a, const QVariant &b);
    // The fields whose read-back value differs from the written one, among
    // those the device reports back; `unverifiable` gets the others.
    static QList<SettingsDifference> compare(const DeviceSettings &written,
                                             const DeviceSettings &readBack, quint8 variant,
                                             const QString &hardware,
                                             QList<const SettingsField *> *unverifiable = nullptr);
    // Every field whose value may not go to a device, in the table's order.
    static QList<SettingsProblem> validate(const DeviceSettings &s);
};
