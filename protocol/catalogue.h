#pragma once

#include "protocol/devicesettings.h"
#include "protocol/parserparam.h"

#include <QByteArray>

// Everything the configurator says to a device: turns a request kind and its
// argument into the bytes to send, the reply template and mask, the repeat
// budget and the give-up flags, from the kind's row in RequestKinds. Some
// kinds read the exchange engine's state (test addresses, firmware variant)
// and the settings record, which are passed in, so the catalogue itself holds
// no state.
class Catalogue
{
public:
    // The record for a request kind. `arg` replaces "%1" for the register
    // writes and "$3", and follows "$0" for the configuration write.
    static ParserParam makeParserParam(TypeParser type, const QByteArray &arg,
                                       const DeviceSettings &settings, quint8 variant,
                                       const QByteArray &testAdreses, quint8 testIndex);

    // Sets the reply template and mask of a configuration read for a firmware
    // variant (0: 9 fields, 1: 10, 2: 12; any other variant expects "OK\r").
    static void applyReadConfigLayout(ParserParam &param, quint8 variant);
    // The number of configuration fields a variant replies with, 0 for unknown variants.
    static int readConfigFieldCount(quint8 variant);

    // The configuration text written after "$0", CR included.
    static QByteArray configText(const DeviceSettings &settings, quint8 variant, int rateDigit);
    // "$8=" with the two averaging bytes and the two thresholds, CR included.
    static QByteArray averagingRequest(const DeviceSettings &settings);

    // The first poll of a remote address ("7=$\r") with its reply template and mask.
    static ParserParam testAddress(quint8 address);
    // Every later poll of a remote address ends in CR LF ("7=$\r\n").
    static QByteArray testRequest(quint8 address);
    // The reply template and mask for a remote address: "7=0,0,0,0\r", "11X1X1X1X1".
    static QByteArray testAnswer(quint8 address);
    static QByteArray testMask(quint8 address);

    // Calibration of the current output; the set point and the measured
    // current are microamperes.
    static ParserParam setCurrent(quint16 setPoint);
    static ParserParam setRealCurrent(quint16 setPoint, quint16 measured);
    static ParserParam calibrationMode(bool enter);

private:
    // The record a kind starts from: "OK\r", sent twice a second apart.
    static ParserParam base(TypeParser type);
    // The record as the kind's row gives it, request aside.
    static ParserParam fromRow(TypeParser type);
    // The kind's request with "%1" replaced by `arg`.
    static QByteArray request(TypeParser type, const QByteArray &arg);
    static QByteArray averagingNumbers(const DeviceSettings &settings);
};
