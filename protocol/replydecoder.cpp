#include "protocol/replydecoder.h"

quint8 ReplyDecoder::decimal(const QByteArray &field)
{
    bool ok = false;
    const uint value = field.toUInt(&ok);
    return ok ? quint8(value) : 0;
}

QString ReplyDecoder::text(const QByteArray &field)
{
    const int end = field.indexOf('\0');
    return QString::fromLatin1(end < 0 ? field : field.left(end));
}

bool ReplyDecoder::apply(TypeParser type, const QByteArrayList &f, quint8 variant,
                         const QString &hardware, DeviceSettings &s)
{
    switch (type) {
    case ReadConfig:
        applyConfiguration(f, variant, hardware, s);
        return true;
    case ReadS206:
        s.subBand = decimal(f.value(0));
        return true;
    case ReadS201:
        s.radioRate = decimal(f.value(0));
        return true;
    case ReadS200:
        s.chanel = decimal(f.value(0));
        return true;
    case ReadS202:
        s.power = decimal(f.value(0));
        return true;
    case ReadS214:
        s.serialTimeout = decimal(f.value(0));
        return true;
    case ReadS216:
        // The module reports flow control on or off; the record keeps it as
        // the configuration write sends it, 2 or 0.
        s.flowControl = decimal(f.value(0)) != 0 ? 2 : 0;
        return true;
    case ReadAveraging:
        s.averaging1 = decimal(f.value(0));
        s.averaging2 = decimal(f.value(1));
        s.diskret1 = decimal(f.value(2));
        s.diskret2 = decimal(f.value(3));
        return true;
    default:
        return false;
    }
}

void ReplyDecoder::applyConfiguration(const QByteArrayList &f, quint8 variant,
                                      const QString &hardware, DeviceSettings &s)
{
    s.testAdres = decimal(f.value(0));
    s.serialRate = decimal(f.value(1));
    s.delRxTx = decimal(f.value(2));
    s.delTxRx = decimal(f.value(3));
    s.parity = decimal(f.value(4));
    s.radioTransmitReset = decimal(f.value(5));
    s.wdtReset = decimal(f.value(6));
    s.stopBit = decimal(f.value(7));
    if (hardware.contains(QLatin1String("RLX-31868-4-20")))
        s.adreses = QStringLiteral("00000001");
    else
        s.adreses = text(f.value(8));
    if (variant == 1 || variant == 2)
        s.delRequest = decimal(f.value(9));
    if (variant == 2) {
        s.numOfDown = decimal(f.value(10));
        s.radioModuleReset = decimal(f.value(11));
    }
}
