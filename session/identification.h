#pragma once

#include <QString>
#include <QtGlobal>

// What the identity reply of a device says: the device model from its
// hardware text, the input/output kind, and the firmware variant from the
// firmware build date ("Aug  4 2022").
class Identification
{
public:
    enum Model
    {
        Receiver420 = 2,  // "RLX-31868-4-20 receiver": current output
        Receiver420D = 3, // "RLX-31868-4-20-D receiver": current and discrete outputs
        ReceiverDD = 4,   // "RLX-31868-DD receiver": discrete outputs only
        Rs485,            // "RLX-31868-Vela-485": polls remote devices over the radio
        TransmitterWithInputs,
    };

    explicit Identification(const QString &hardware);

    Model model() const { return deviceModel; }
    bool isReceiver() const { return deviceModel <= ReceiverDD; }
    bool hasCurrentOutput() const
    {
        return deviceModel == Receiver420 || deviceModel == Receiver420D;
    }
    // The radio test address is the device's own for a transmitter; the other
    // models answer at the fixed address 255. Any text that says
    // "transmitter" makes the device one, whatever its model.
    bool isTransmitter() const;

    // The input/output kind: 0 for "AA", 1 for "AD", 2 for "DD" found after the
    // first character of the hardware text (the last of them wins); `current`
    // when none is there.
    quint8 outType(quint8 current) const;

    // The date with its month written as a number: "Aug  4 2022" -> "8 4 2022".
    // The firmware writes July as "July".
    static QString digitalDate(const QString &firmware);
    // 2 for firmware built after 3 August 2022, 1 after 1 August 2021, 0 for
    // older or unreadable dates.
    static quint8 firmwareVariant(const QString &firmware);

    // The line has no checksum, so an identity is checked for what a device
    // of the family sends. The firmware date as the compiler writes it
    // ("Aug  4 2022", "Aug 14 2022"; the firmware spells July "July", older
    // ones "Jul"), a day that exists.
    static bool plausibleFirmware(const QString &firmware);
    // A hardware text of the family's characters: letters, digits, spaces,
    // hyphens, dots, slashes and underscores, starting with a letter, at
    // most 64 of them.
    static bool plausibleHardware(const QString &hardware);
    // Both of an identity reply.
    static bool plausible(const QString &firmware, const QString &hardware)
    {
        return plausibleFirmware(firmware) && plausibleHardware(hardware);
    }

private:
    QString hardware;
    Model deviceModel;
};
