#pragma once

#include "protocol/devicesettings.h"
#include "protocol/typeparser.h"

#include <QByteArrayList>
#include <QString>

// What a read reply means for the settings record: which field of the record
// each reply field lands in, for the firmware variant of the device. Pure
// functions of the reply, so the window, scripts and the fuzzer decode the
// same way; showing the record is the caller's business.
class ReplyDecoder
{
public:
    // A reply field as an unsigned decimal byte; text that is not a number is 0.
    static quint8 decimal(const QByteArray &field);
    // A reply field as text, up to its first zero byte.
    static QString text(const QByteArray &field);

    // Stores the fields of a read reply of `type` in `settings`. `hardware`
    // is the identified hardware text: every 4-20 model polls the one remote
    // device at address 1, whatever its configuration reply says. Returns
    // whether the reply kind carries settings (identity, module version and
    // input values do not, and leave the record as it was).
    static bool apply(TypeParser type, const QByteArrayList &fields, quint8 variant,
                      const QString &hardware, DeviceSettings &settings);

private:
    static void applyConfiguration(const QByteArrayList &f, quint8 variant, const QString &hardware,
                                   DeviceSettings &s);
};
