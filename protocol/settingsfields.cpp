#include "protocol/settingsfields.h"

#include "protocol/addressmask.h"
#include "protocol/averagingbyte.h"
#include "protocol/pollsettingsbyte.h"
#include "protocol/serialtimeout.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

using S = DeviceSettings;
using F = SettingsField;
using Names = QList<QPair<int, QString>>;

// A byte field with its valid range; the rest is set by the builders below.
struct Row
{
    F f;

    Row(const char *name, const char *label, const char *editor, quint8 S::*member, int low,
        int high)
        : f{name,      label, editor,   member, nullptr, F::Never, NoRequest, 0,
            NoRequest, 0,     F::Plain, low,    high,    {},       {},        {}}
    {
    }
    Row(const char *name, const char *label, QString S::*member, F::Encoding encoding)
        : f{name,      label, nullptr,  nullptr, member, F::Never, NoRequest, 0,
            NoRequest, 0,     encoding, 0,       0,      {},       {},        {}}
    {
    }
    // Where the device reports it: a reply, the field's place in it and the
    // digits it always sends (0: one to three).
    Row &from(TypeParser reply, int field, int digits = 0, F::ReadBack readBack = F::Always)
    {
        f.reply = reply;
        f.replyField = field;
        f.digits = digits;
        f.readBack = readBack;
        return *this;
    }
    Row &writtenBy(TypeParser request)
    {
        f.write = request;
        return *this;
    }
    Row &only(const QList<int> &values)
    {
        f.choices = values;
        return *this;
    }
    Row &named(const Names &names, const QString &unit = QString())
    {
        f.names = names;
        f.unit = unit;
        return *this;
    }
    Row &unit(const QString &u)
    {
        f.unit = u;
        return *this;
    }
    Row &encoded(F::Encoding e)
    {
        f.encoding = e;
        return *this;
    }
    operator F() const { return f; }
};

const Names baudRates = {{0, QT_TRANSLATE_NOOP("SettingsFields", "1200 baud")},
                         {1, QT_TRANSLATE_NOOP("SettingsFields", "2400 baud")},
                         {2, QT_TRANSLATE_NOOP("SettingsFields", "4800 baud")},
                         {3, QT_TRANSLATE_NOOP("SettingsFields", "9600 baud")},
                         {4, QT_TRANSLATE_NOOP("SettingsFields", "19200 baud")},
                         {5, QT_TRANSLATE_NOOP("SettingsFields", "38400 baud")},
                         {6, QT_TRANSLATE_NOOP("SettingsFields", "57600 baud")},
                         {7, QT_TRANSLATE_NOOP("SettingsFields", "115200 baud")}};
const Names radioRates = {{0, QT_TRANSLATE_NOOP("SettingsFields", "4800 bps")},
                          {1, QT_TRANSLATE_NOOP("SettingsFields", "9600 bps")},
                          {2, QT_TRANSLATE_NOOP("SettingsFields", "19200 bps")},
                          {3, QT_TRANSLATE_NOOP("SettingsFields", "38400 bps")},
                          {4, QT_TRANSLATE_NOOP("SettingsFields", "115200 bps")}};
const Names powers = {{0, QT_TRANSLATE_NOOP("SettingsFields", "-8 dBm")},
                      {1, QT_TRANSLATE_NOOP("SettingsFields", "-5 dBm")},
                      {2, QT_TRANSLATE_NOOP("SettingsFields", "-2 dBm")},
                      {3, QT_TRANSLATE_NOOP("SettingsFields", "+1 dBm")},
                      {4, QT_TRANSLATE_NOOP("SettingsFields", "+4 dBm")},
                      {5, QT_TRANSLATE_NOOP("SettingsFields", "+7 dBm")},
                      {6, QT_TRANSLATE_NOOP("SettingsFields", "+10 dBm")},
                      {7, QT_TRANSLATE_NOOP("SettingsFields", "+14 dBm")}};
const Names subBands = {{0, QT_TRANSLATE_NOOP("SettingsFields", "g1 868-868.6 MHz")},
                        {2, QT_TRANSLATE_NOOP("SettingsFields", "g2 868.7-869.2 MHz")},
                        {6, QT_TRANSLATE_NOOP("SettingsFields", "g3 869.4-869.65 MHz")},
                        {8, QT_TRANSLATE_NOOP("SettingsFields", "g4 869.7-870 MHz")}};
const Names parities = {{0, QT_TRANSLATE_NOOP("SettingsFields", "8-bit data, parity none")},
                        {1, QT_TRANSLATE_NOOP("SettingsFields", "8-bit data, parity even")},
                        {2, QT_TRANSLATE_NOOP("SettingsFields", "8-bit data, parity odd")},
                        {3, QT_TRANSLATE_NOOP("SettingsFields", "9-bit data, parity none")}};
const Names stopBits = {{0, QT_TRANSLATE_NOOP("SettingsFields", "1 stop bit")},
                        {1, QT_TRANSLATE_NOOP("SettingsFields", "2 stop bits")}};
const Names flowControls = {{0, QT_TRANSLATE_NOOP("SettingsFields", "none")},
                            {2, QT_TRANSLATE_NOOP("SettingsFields", "hardware (RTS/CTS)")}};
const Names off = {{0, QT_TRANSLATE_NOOP("SettingsFields", "off")}};
const char *const averagingKinds[] = {QT_TRANSLATE_NOOP("SettingsFields", "arithmetic mean"),
                                      QT_TRANSLATE_NOOP("SettingsFields", "median"),
                                      QT_TRANSLATE_NOOP("SettingsFields", "simple moving average")};

// A value's words (a name of the tables above, a unit) in the language of
// the texts.
QString inWords(const QString &words)
{
    return QCoreApplication::translate("SettingsFields", words.toUtf8().constData());
}

// Channels of sub-band g2 at each radio data rate (the only band the window
// offers).
int channels(int radioRate)
{
    static const int count[] = {10, 10, 5, 2, 1};
    return radioRate >= 0 && radioRate < 5 ? count[radioRate] : 0;
}

QString nameOf(const Names &names, int value)
{
    for (const auto &n : names)
        if (n.first == value)
            return n.second;
    return QString();
}

bool allDigits(const QByteArray &text, bool hex)
{
    for (const char c : text) {
        const bool digit = c >= '0' && c <= '9';
        const bool letter = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!digit && !(hex && letter))
            return false;
    }
    return !text.isEmpty();
}

} // namespace

QVariant SettingsField::value(const DeviceSettings &s) const
{
    if (isText())
        return s.*text;
    return int(s.*byte);
}

bool SettingsField::verifiable(quint8 variant, const QString &hardware) const
{
    switch (readBack) {
    case Always:
        // Every 4-20 model is read back as polling address 1, whatever it holds.
        return !(encoding == AddressList && hardware.contains(QLatin1String("RLX-31868-4-20")));
    case FromVariant1:
        return variant == 1 || variant == 2;
    case FromVariant2:
        return variant == 2;
    case Never:
        break;
    }
    return false;
}

bool SettingsField::wellFormed(const QByteArray &field) const
{
    if (encoding == AddressList)
        return allDigits(field, true) && field.size() <= 16;
    if (!allDigits(field, false) || field.size() > 3 || field.toUInt() > 255)
        return false;
    return digits == 0 || field.size() == digits;
}

QString SettingsField::invalidBecause(const DeviceSettings &s) const
{
    if (readBack == Never)
        return QString(); // never goes to a device
    if (encoding == AddressList) {
        bool ok = false;
        AddressMask::parse(s.*text, &ok);
        return ok ? QString()
                  : QCoreApplication::translate(
                        "SettingsFields",
                        "\"%1\" is not an address list (up to 16 hexadecimal digits)")
                        .arg(s.*text);
    }
    const int v = s.*byte;
    auto outside = [&](int value, const QString &what) {
        return QCoreApplication::translate("SettingsFields", "%1 is not %2").arg(value).arg(what);
    };
    switch (encoding) {
    case Averaging: {
        const int kind = AveragingByte::kind(quint8(v));
        const int interval = AveragingByte::interval(quint8(v));
        if (kind > 2)
            return outside(v, QCoreApplication::translate(
                                  "SettingsFields", "a valid averaging: kind %1 is not 0 to 2")
                                  .arg(kind));
        if (interval < low || interval > high)
            return outside(
                v, QCoreApplication::translate("SettingsFields",
                                               "a valid averaging: interval %1 is not %2 to %3")
                       .arg(interval)
                       .arg(low)
                       .arg(high));
        return QString();
    }
    case PollSettings: {
        const int down = PollSettingsByte::downCount(quint8(v));
        if (down < low || down > high)
            return outside(
                v, QCoreApplication::translate("SettingsFields",
                                               "valid: the non-responses in bits 3..0 (%1) are "
                                               "not %2 to %3")
                       .arg(down)
                       .arg(low)
                       .arg(high));
        return QString();
    }
    default:
        break;
    }
    if (!choices.isEmpty()) {
        if (choices.contains(v))
            return QString();
        return outside(v,
                       QCoreApplication::translate("SettingsFields", "one of %1").arg(validText()));
    }
    int top = high;
    int bottom = low;
    if (byte == &S::chanel && channels(s.radioRate) > 0)
        top = channels(s.radioRate) - 1; // a rate that is no rate is told of itself
    if (byte == &S::serialTimeout)
        bottom = SerialTimeout::minSerialTimeout(s.serialRate);
    if (v < bottom || v > top) {
        if (byte == &S::chanel)
            return outside(v, QCoreApplication::translate(
                                  "SettingsFields", "a channel at radio data rate %1 (0 to %2)")
                                  .arg(s.radioRate)
                                  .arg(top));
        if (byte == &S::serialTimeout)
            return outside(
                v, QCoreApplication::translate("SettingsFields", "%1 to %2 at serial data rate %3")
                       .arg(bottom)
                       .arg(top)
                       .arg(s.serialRate));
        return outside(v, validText());
    }
    return QString();
}

QString SettingsField::validText() const
{
    if (encoding == AddressList)
        return QCoreApplication::translate("SettingsFields", "an address list");
    if (encoding == Averaging)
        return QCoreApplication::translate("SettingsFields",
                                           "kind 0 to 2 with an interval of %1 to %2")
            .arg(low)
            .arg(high);
    if (encoding == PollSettings)
        return QCoreApplication::translate("SettingsFields",
                                           "%1 to %2 non-responses, with any output options")
            .arg(low)
            .arg(high);
    if (!choices.isEmpty()) {
        QStringList values;
        for (const int c : choices)
            values << QString::number(c);
        const QString last = values.takeLast();
        return QCoreApplication::translate("SettingsFields", "%1 or %2")
            .arg(values.join(QLatin1String(", ")), last);
    }
    return QCoreApplication::translate("SettingsFields", "%1 to %2").arg(low).arg(high);
}

QString SettingsField::describe(const DeviceSettings &s) const
{
    if (isText())
        return s.*text;
    const int v = s.*byte;
    switch (encoding) {
    case Averaging: {
        const int kind = AveragingByte::kind(quint8(v));
        const QString kindName =
            kind < int(std::size(averagingKinds))
                ? inWords(QLatin1String(averagingKinds[kind]))
                : QCoreApplication::translate("SettingsFields", "kind %1").arg(kind);
        return QCoreApplication::translate("SettingsFields", "%1 over %2 s")
            .arg(kindName, QString::number(AveragingByte::interval(quint8(v))));
    }
    case PollSettings: {
        using P = PollSettingsByte;
        QStringList parts{
            QCoreApplication::translate("SettingsFields", "link lost after %1 non-responses")
                .arg(P::downCount(quint8(v)))};
        if (P::option(quint8(v), P::Out1Inverted))
            parts << QCoreApplication::translate("SettingsFields", "output 1 inverted");
        if (P::option(quint8(v), P::Out2Inverted))
            parts << QCoreApplication::translate("SettingsFields", "output 2 inverted");
        if (P::option(quint8(v), P::Out1OnLinkLoss))
            parts << QCoreApplication::translate("SettingsFields",
                                                 "output 1 zero/high on link loss");
        if (P::option(quint8(v), P::Out2OnLinkLoss))
            parts << QCoreApplication::translate("SettingsFields", "output 2 high on link loss");
        return parts.join(QLatin1String(", "));
    }
    default:
        break;
    }
    const QString name = nameText(v);
    if (!name.isEmpty())
        return name;
    return unit.isEmpty() ? QString::number(v) : QStringLiteral("%1 %2").arg(v).arg(inWords(unit));
}

QString SettingsField::nameText(int value) const
{
    const QString name = nameOf(names, value);
    return name.isEmpty() ? name : inWords(name);
}

QString SettingsField::labelText() const
{
    return QCoreApplication::translate("SettingsFields", label);
}

const QList<SettingsField> &SettingsFields::all()
{
    using R = Row;
    static const QList<SettingsField> fields = {
        R("delTxRx", QT_TRANSLATE_NOOP("SettingsFields", "Delay Tx-Rx"), "Delay Tx-Rx", &S::delTxRx,
          0, 250)
            .from(ReadConfig, 3, 3)
            .unit(QStringLiteral(QT_TRANSLATE_NOOP("SettingsFields", "x100 µs"))),
        R("power", QT_TRANSLATE_NOOP("SettingsFields", "Power"), "Power", &S::power, 0, 7)
            .from(ReadS202, 0, 1)
            .writtenBy(WriteS202)
            .named(powers),
        R("radioRate", QT_TRANSLATE_NOOP("SettingsFields", "Radio Data Rate"), "Radio Data Rate",
          &S::radioRate, 0, 4)
            .from(ReadS201, 0, 1)
            .writtenBy(WriteS201)
            .named(radioRates),
        R("chanel", QT_TRANSLATE_NOOP("SettingsFields", "Channel"), "Chanel", &S::chanel, 0, 9)
            .from(ReadS200, 0)
            .writtenBy(WriteS200),
        R("parity", QT_TRANSLATE_NOOP("SettingsFields", "Parity"), "Parity", &S::parity, 0, 3)
            .from(ReadConfig, 4, 1)
            .named(parities),
        R("stopBit", QT_TRANSLATE_NOOP("SettingsFields", "Stop bit"), "Stop bit", &S::stopBit, 0, 1)
            .from(ReadConfig, 7, 1)
            .named(stopBits),
        R("subBand", QT_TRANSLATE_NOOP("SettingsFields", "Sub-band"), "Sub-band", &S::subBand, 0, 9)
            .from(ReadS206, 0, 1)
            .writtenBy(WriteS206)
            .named(subBands),
        R("serialTimeout", QT_TRANSLATE_NOOP("SettingsFields", "Serial Timeout"), "Serial Timeout",
          &S::serialTimeout, 2, SerialTimeout::Max)
            .from(ReadS214, 0)
            .writtenBy(WriteS214)
            .unit(QStringLiteral(QT_TRANSLATE_NOOP("SettingsFields", "ms"))),
        R("radioTransmitReset", QT_TRANSLATE_NOOP("SettingsFields", "Radio Transmit Reset"),
          "Radio Transmit Reset", &S::radioTransmitReset, 10, 250)
            .from(ReadConfig, 5, 3)
            .unit(QStringLiteral(QT_TRANSLATE_NOOP("SettingsFields", "x100 ms"))),
        R("serialRate", QT_TRANSLATE_NOOP("SettingsFields", "Serial Data Rate"), "Serial Data Rate",
          &S::serialRate, 0, 7)
            .from(ReadConfig, 1, 1)
            .named(baudRates),
        R("wdtReset", QT_TRANSLATE_NOOP("SettingsFields", "WDT Reset"), "WDT Reset", &S::wdtReset,
          0, 250)
            .from(ReadConfig, 6, 3)
            .named(off, QStringLiteral(QT_TRANSLATE_NOOP("SettingsFields", "x10 s"))),
        R("testAdres", QT_TRANSLATE_NOOP("SettingsFields", "Address"), "Test address",
          &S::testAdres, 0, 255)
            .from(ReadConfig, 0, 3)
            .writtenBy(WriteS252),
        R("portName", QT_TRANSLATE_NOOP("SettingsFields", "Port"), &S::portName, F::Text),
        R("averaging1", QT_TRANSLATE_NOOP("SettingsFields", "Averaging 1"), "Averaging1",
          &S::averaging1, 1, 20)
            .from(ReadAveraging, 0)
            .encoded(F::Averaging),
        R("averaging2", QT_TRANSLATE_NOOP("SettingsFields", "Averaging 2"), "Averaging2",
          &S::averaging2, 1, 20)
            .from(ReadAveraging, 1)
            .encoded(F::Averaging),
        R("diskret1", QT_TRANSLATE_NOOP("SettingsFields", "Transition from low to high 1"),
          "Diskret1", &S::diskret1, 1, 20)
            .from(ReadAveraging, 2),
        R("diskret2", QT_TRANSLATE_NOOP("SettingsFields", "Transition from low to high 2"),
          "Diskret2", &S::diskret2, 1, 20)
            .from(ReadAveraging, 3),
        R("spare", QT_TRANSLATE_NOOP("SettingsFields", "Spare"), nullptr, &S::spare, 0, 255),
        R("flowControl", QT_TRANSLATE_NOOP("SettingsFields", "Flow control"), "Flow control",
          &S::flowControl, 0, 2)
            .from(ReadS216, 0)
            .writtenBy(WriteS216)
            .only({0, 2})
            .named(flowControls)
            .encoded(F::FlowControl),
        R("outType", QT_TRANSLATE_NOOP("SettingsFields", "Output kind"), nullptr, &S::outType, 0,
          255),
        R("delRxTx", QT_TRANSLATE_NOOP("SettingsFields", "Delay Rx-Tx"), "Delay Rx-Tx", &S::delRxTx,
          0, 250)
            .from(ReadConfig, 2, 3)
            .unit(QStringLiteral(QT_TRANSLATE_NOOP("SettingsFields", "x100 µs"))),
        R("delRequest", QT_TRANSLATE_NOOP("SettingsFields", "Requests period"), "Requests period",
          &S::delRequest, 1, 250)
            .from(ReadConfig, 9, 3, F::FromVariant1)
            .unit(QStringLiteral(QT_TRANSLATE_NOOP("SettingsFields", "s"))),
        R("numOfDown", QT_TRANSLATE_NOOP("SettingsFields", "Num of down"), "Num of down",
          &S::numOfDown, 1, 15)
            .from(ReadConfig, 10, 3, F::FromVariant2)
            .encoded(F::PollSettings),
        R("radioModuleReset", QT_TRANSLATE_NOOP("SettingsFields", "Radio Module Reset"),
          "Radio Module Reset", &S::radioModuleReset, 0, 250)
            .from(ReadConfig, 11, 3, F::FromVariant2)
            .named(off, QStringLiteral(QT_TRANSLATE_NOOP("SettingsFields", "x10 s"))),
        R("adreses", QT_TRANSLATE_NOOP("SettingsFields", "Addresses"), &S::adreses, F::AddressList)
            .from(ReadConfig, 8),
    };
    return fields;
}

const SettingsField *SettingsFields::byName(const QString &name)
{
    for (const SettingsField &f : all())
        if (name == QLatin1String(f.name))
            return &f;
    return nullptr;
}

QList<const SettingsField *> SettingsFields::carriedBy(TypeParser type, quint8 variant)
{
    QList<const SettingsField *> fields;
    for (const SettingsField &f : all())
        if (f.isDeviceField() && f.reply == type && f.verifiable(variant, QString()))
            fields << &f;
    return fields;
}

QList<const SettingsField *> SettingsFields::readBack(quint8 variant, const QString &hardware)
{
    QList<const SettingsField *> fields;
    for (const SettingsField &f : all())
        if (f.verifiable(variant, hardware))
            fields << &f;
    return fields;
}

QList<const SettingsField *> SettingsFields::configuration(quint8 variant)
{
    QList<const SettingsField *> fields = carriedBy(ReadConfig, variant);
    std::sort(fields.begin(), fields.end(), [](const SettingsField *a, const SettingsField *b) {
        return a->replyField < b->replyField;
    });
    return fields;
}

QList<const SettingsField *> SettingsFields::registerWrites()
{
    QList<const SettingsField *> fields;
    for (const SettingsField &f : all())
        if (f.write != NoRequest)
            fields << &f;
    std::sort(fields.begin(), fields.end(), [](const SettingsField *a, const SettingsField *b) {
        return int(a->write) < int(b->write);
    });
    return fields;
}

bool SettingsFields::same(const SettingsField &f, const QVariant &a, const QVariant &b)
{
    if (f.encoding != SettingsField::AddressList)
        return a == b;
    // The address list as the set of addresses it names: the window writes
    // it in groups of four digits, the device reports it bare. Text that is
    // no such number stands for itself.
    bool okA = false, okB = false;
    const quint64 maskA = AddressMask::parse(a.toString(), &okA);
    const quint64 maskB = AddressMask::parse(b.toString(), &okB);
    if (okA && okB)
        return maskA == maskB;
    return !okA && !okB && a == b;
}

QList<SettingsDifference> SettingsFields::compare(const DeviceSettings &written,
                                                  const DeviceSettings &readBack, quint8 variant,
                                                  const QString &hardware,
                                                  QList<const SettingsField *> *unverifiable)
{
    QList<SettingsDifference> differences;
    for (const SettingsField &f : all()) {
        if (!f.verifiable(variant, hardware)) {
            if (unverifiable && f.isDeviceField())
                unverifiable->append(&f);
            continue;
        }
        const QVariant w = f.value(written);
        const QVariant h = f.value(readBack);
        if (!same(f, w, h))
            differences.append({&f, w, h});
    }
    return differences;
}

QList<SettingsProblem> SettingsFields::validate(const DeviceSettings &s)
{
    QList<SettingsProblem> problems;
    for (const SettingsField &f : all()) {
        const QString why = f.invalidBecause(s);
        if (!why.isEmpty())
            problems.append({&f, why});
    }
    return problems;
}
