#pragma once

#include <QByteArray>
#include <QSet>

// The controller's stored configuration, and its text on the line: "$1"
// reports it and "$0" writes it, in fixed-width decimal fields with the
// remote address list in hexadecimal. The layout grew with the firmware:
// variant 0 has eight numbers and the address list, variant 1 adds the
// requests period, variant 2 the outputs byte and the module reset.
struct DeviceConfig
{
    quint8 testAdres = 1;
    quint8 serialRate = 3;
    quint8 delRxTx = 0;
    quint8 delTxRx = 0;
    quint8 parity = 0;
    quint8 radioTransmitReset = 50;
    quint8 wdtReset = 0;
    quint8 stopBit = 0;
    quint64 adreses = 1; // bit n-1: remote address n is polled
    quint8 delRequest = 2;
    quint8 numOfDown = 3;
    quint8 radioModuleReset = 6;
    bool operator==(const DeviceConfig &o) const;

    // The "$1" answer for a firmware variant: "=" the fields, CR.
    QByteArray text(int variant) const;
    // Takes the fields of a "$0" body ("=" ... CR) in the layout of
    // `variant`. A text that is not entirely valid changes nothing and
    // returns false; fields the variant lacks keep their values.
    bool read(const QByteArray &text, int variant);
    // Puts back the fields named in `names` as they are in `stored`.
    void keep(const DeviceConfig &stored, const QSet<QByteArray> &names);

    // Whether `name` is one of the fields above.
    static bool isField(const QByteArray &name);
};
