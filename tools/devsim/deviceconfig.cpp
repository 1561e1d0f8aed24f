#include "tools/devsim/deviceconfig.h"

#include "tools/devsim/decimaltext.h"

#include <QList>

namespace {

QByteArray dec(int v, int width = 1)
{
    return QByteArray::number(v).rightJustified(width, '0');
}

} // namespace

bool DeviceConfig::operator==(const DeviceConfig &o) const
{
    return testAdres == o.testAdres && serialRate == o.serialRate && delRxTx == o.delRxTx &&
           delTxRx == o.delTxRx && parity == o.parity &&
           radioTransmitReset == o.radioTransmitReset && wdtReset == o.wdtReset &&
           stopBit == o.stopBit && adreses == o.adreses && delRequest == o.delRequest &&
           numOfDown == o.numOfDown && radioModuleReset == o.radioModuleReset;
}

QByteArray DeviceConfig::text(int variant) const
{
    // The same fixed-width fields the configuration write uses; the address
    // list as 16 hexadecimal digits without separators.
    QByteArray t = "=" + dec(testAdres, 3) + ',' + dec(serialRate) + ',' + dec(delRxTx, 3) + ',' +
                   dec(delTxRx, 3) + ',' + dec(parity) + ',' + dec(radioTransmitReset, 3) + ',' +
                   dec(wdtReset, 3) + ',' + dec(stopBit) + ',' +
                   QByteArray::number(adreses, 16).rightJustified(16, '0');
    if (variant >= 1)
        t += ',' + dec(delRequest, 3);
    if (variant >= 2)
        t += ',' + dec(numOfDown, 3) + ',' + dec(radioModuleReset, 3);
    return t + '\r';
}

// "=" eight numbers, the address list, then one or three more numbers by
// variant, CR. The address list may itself hold commas (the configurator
// groups it by four digits), so the trailing numbers are counted from the end.
bool DeviceConfig::read(const QByteArray &text, int variant)
{
    if (!text.startsWith('=') || !text.endsWith('\r'))
        return false;
    const QList<QByteArray> tokens = text.mid(1).chopped(1).split(',');
    const int trailing = variant == 2 ? 3 : (variant == 1 ? 1 : 0);
    if (tokens.size() < 8 + 1 + trailing)
        return false;
    int values[11];
    int k = 0;
    for (int i = 0; i < 8; ++i)
        values[k++] = DecimalText::byteValue(tokens.at(i));
    for (int i = tokens.size() - trailing; i < tokens.size(); ++i)
        values[k++] = DecimalText::byteValue(tokens.at(i));
    for (int i = 0; i < k; ++i) {
        if (values[i] < 0)
            return false;
    }
    QByteArray hex;
    for (int i = 8; i < tokens.size() - trailing; ++i)
        hex += tokens.at(i);
    quint64 mask = 0;
    if (!hex.isEmpty()) {
        bool ok = false;
        mask = hex.toULongLong(&ok, 16);
        if (!ok || hex.size() > 16 || hex.startsWith('+') || hex.startsWith('-') ||
            hex.contains(' '))
            return false;
    }
    testAdres = quint8(values[0]);
    serialRate = quint8(values[1]);
    delRxTx = quint8(values[2]);
    delTxRx = quint8(values[3]);
    parity = quint8(values[4]);
    radioTransmitReset = quint8(values[5]);
    wdtReset = quint8(values[6]);
    stopBit = quint8(values[7]);
    adreses = mask;
    if (trailing >= 1)
        delRequest = quint8(values[8]);
    if (trailing == 3) {
        numOfDown = quint8(values[9]);
        radioModuleReset = quint8(values[10]);
    }
    return true;
}

void DeviceConfig::keep(const DeviceConfig &stored, const QSet<QByteArray> &names)
{
    auto keepField = [&](const char *name, auto DeviceConfig::*member) {
        if (names.contains(name))
            this->*member = stored.*member;
    };
    keepField("testAdres", &DeviceConfig::testAdres);
    keepField("serialRate", &DeviceConfig::serialRate);
    keepField("delRxTx", &DeviceConfig::delRxTx);
    keepField("delTxRx", &DeviceConfig::delTxRx);
    keepField("parity", &DeviceConfig::parity);
    keepField("radioTransmitReset", &DeviceConfig::radioTransmitReset);
    keepField("wdtReset", &DeviceConfig::wdtReset);
    keepField("stopBit", &DeviceConfig::stopBit);
    keepField("adreses", &DeviceConfig::adreses);
    keepField("delRequest", &DeviceConfig::delRequest);
    keepField("numOfDown", &DeviceConfig::numOfDown);
    keepField("radioModuleReset", &DeviceConfig::radioModuleReset);
}

bool DeviceConfig::isField(const QByteArray &name)
{
    static const QSet<QByteArray> known = {
        "testAdres", "serialRate", "delRxTx", "delTxRx",    "parity",    "radioTransmitReset",
        "wdtReset",  "stopBit",    "adreses", "delRequest", "numOfDown", "radioModuleReset"};
    return known.contains(name);
}
