#include "tools/devsim/devicemodel.h"

#include <QDateTime>
#include <QtMath>

#include <algorithm>

namespace {

// Longest command the controller buffers; anything longer without its
// terminator is line noise and is dropped.
constexpr int MaxCommand = 160;

bool allDigits(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A decimal byte, or -1.
int byteValue(const QByteArray &text)
{
    if (!allDigits(text) || text.size() > 3)
        return -1;
    const int v = text.toInt();
    return v <= 255 ? v : -1;
}

QByteArray dec(int v, int width = 1)
{
    return QByteArray::number(v).rightJustified(width, '0');
}

// Deterministic small noise for a sample, so repeated reads agree.
int sampleNoise(qint64 sample, int input, int amplitude)
{
    quint32 h = quint32(sample) * 2654435761u ^ quint32(input + 1) * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return int(h % quint32(2 * amplitude + 1)) - amplitude;
}

} // namespace

bool DeviceModel::Config::operator==(const Config &o) const
{
    return testAdres == o.testAdres && serialRate == o.serialRate && delRxTx == o.delRxTx &&
           delTxRx == o.delTxRx && parity == o.parity &&
           radioTransmitReset == o.radioTransmitReset && wdtReset == o.wdtReset &&
           stopBit == o.stopBit && adreses == o.adreses && delRequest == o.delRequest &&
           numOfDown == o.numOfDown && radioModuleReset == o.radioModuleReset;
}

DeviceModel::DeviceModel()
{
    registers = factoryRegisters();
    registers[210] = 4;
    setHardware(hw);
}

QMap<int, int> DeviceModel::factoryRegisters()
{
    // S210 (the module's serial rate) is not among them: "ATR" keeps it, so
    // that the controller does not lose the module.
    return {{200, 0}, {201, 0}, {202, 7}, {206, 2}, {214, 3}, {216, 2}, {220, 0}, {252, 1}};
}

void DeviceModel::setHardware(const QByteArray &text)
{
    hw = text;
    // The thresholds leave the factory set for the kind of inputs fitted.
    switch (outputKind()) {
    case 0:
        avg.diskret1 = 5;
        avg.diskret2 = 5;
        break;
    case 1:
        avg.diskret1 = 5;
        avg.diskret2 = 4;
        break;
    default:
        avg.diskret1 = 4;
        avg.diskret2 = 4;
        break;
    }
}

void DeviceModel::setFirmware(const QByteArray &date)
{
    fw = date;
}

void DeviceModel::setVariant(int v)
{
    forcedVariant = v;
}

int DeviceModel::variant() const
{
    return forcedVariant >= 0 ? forcedVariant : variantForFirmware(fw);
}

int DeviceModel::variantForFirmware(const QByteArray &date)
{
    // The configuration layout grew twice: the requests period after the
    // build of 1 August 2021, the outputs byte and module reset after the
    // build of 3 August 2022.
    QString digital = QString::fromLatin1(date).replace(QLatin1String("  "), QLatin1String(" "));
    const char *months[] = {"Jan",  "Feb", "Mar", "Apr", "May", "Jun",
                            "July", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i)
        digital.replace(QLatin1String(months[i]), QString::number(i + 1));
    const QString format = QStringLiteral("M d yyyy");
    const QDateTime built = QDateTime::fromString(digital, format);
    if (!built.isValid())
        return 0;
    const qint64 t = built.toSecsSinceEpoch();
    if (t > QDateTime::fromString(QStringLiteral("8 3 2022"), format).toSecsSinceEpoch())
        return 2;
    if (t > QDateTime::fromString(QStringLiteral("8 1 2021"), format).toSecsSinceEpoch())
        return 1;
    return 0;
}

int DeviceModel::outputKindFor(const QByteArray &hardware)
{
    int kind = 0;
    if (hardware.indexOf("AA") > 0)
        kind = 0;
    if (hardware.indexOf("AD") > 0)
        kind = 1;
    if (hardware.indexOf("DD") > 0)
        kind = 2;
    return kind;
}

int DeviceModel::outputKind() const
{
    return outputKindFor(hw);
}

bool DeviceModel::hasCurrentOutput() const
{
    return hw.contains("4-20");
}

void DeviceModel::setModuleRate(int rate)
{
    registers[210] = rate;
}

void DeviceModel::setReachable(const QList<int> &addresses)
{
    reachable = QSet<int>(addresses.begin(), addresses.end());
}

// ---------------------------------------------------------------- framing

// Splits the head of the input into one command. The controller watches the
// line for "$" commands and test polls; everything else goes to the module,
// which knows "+++" and AT lines ending in CR.
DeviceModel::Take DeviceModel::take(int *used) const
{
    *used = 1;
    const char c = input.at(0);
    const int cr = input.indexOf('\r');
    auto line = [&]() {
        if (cr < 0)
            return input.size() > MaxCommand ? Take::Junk : Take::Incomplete;
        *used = cr + 1;
        return Take::Request;
    };
    if (c == '+') {
        if (input.startsWith("+++")) {
            *used = 3;
            return Take::Request;
        }
        return QByteArray("+++").startsWith(input) ? Take::Incomplete : Take::Junk;
    }
    if (c == '$') {
        if (input.size() < 2)
            return Take::Incomplete;
        switch (input.at(1)) {
        case '1':
        case '2':
        case '7':
        case '9':
            *used = 2;
            return Take::Request;
        case '3':
            if (input.size() < 3)
                return Take::Incomplete;
            *used = 3;
            return Take::Request;
        case '0':
        case '8':
        case 'a':
        case 'b':
        case 'c':
        case 'd':
            return line();
        default:
            return Take::Junk;
        }
    }
    if (c == 'A') {
        if (input.size() < 2)
            return Take::Incomplete;
        return input.at(1) == 'T' ? line() : Take::Junk;
    }
    if (c >= '0' && c <= '9') {
        // A test poll: address, "=$", CR.
        int i = 0;
        while (i < input.size() && input.at(i) >= '0' && input.at(i) <= '9')
            ++i;
        const QByteArray rest = input.mid(i, 3);
        if (!QByteArray("=$\r").startsWith(rest))
            return Take::Junk;
        if (rest.size() < 3)
            return i > 3 ? Take::Junk : Take::Incomplete;
        *used = i + 3;
        return Take::Request;
    }
    return Take::Junk; // CR, LF, noise
}

QList<DeviceModel::Reply> DeviceModel::feed(const QByteArray &bytes, qint64 nowMs)
{
    input += bytes;
    QList<Reply> out;
    while (!input.isEmpty()) {
        int used = 0;
        const Take t = take(&used);
        if (t == Take::Incomplete)
            break;
        const QByteArray command = input.left(used);
        input.remove(0, used);
        if (t == Take::Junk)
            continue;
        Reply r;
        r.request = command;
        r.reply = answer(command, nowMs, &r.delayMs);
        out.append(r);
    }
    return out;
}

QByteArray DeviceModel::answer(const QByteArray &request, qint64 nowMs, int *delayMs)
{
    if (request.startsWith('$'))
        return answerController(request, nowMs);
    if (request.at(0) >= '0' && request.at(0) <= '9')
        return answerPoll(request, nowMs, delayMs);
    return answerModule(request);
}

// ---------------------------------------------------------------- radio module

QByteArray DeviceModel::answerModule(const QByteArray &request)
{
    // At a wrong link rate the module receives only garbage.
    if (link != moduleRate())
        return QByteArray();
    if (request == "+++") {
        inCommandMode = true;
        return "OK\r";
    }
    // Outside command mode an AT line is plain data for the radio.
    if (!inCommandMode)
        return QByteArray();
    const QByteArray reply = answerAt(request.chopped(1));
    return echo ? request + reply : reply;
}

QByteArray DeviceModel::answerAt(const QByteArray &line)
{
    if (line == "ATO") {
        inCommandMode = false;
        return "OK\r";
    }
    if (line == "ATR") {
        const QMap<int, int> factory = factoryRegisters();
        for (auto it = factory.begin(); it != factory.end(); ++it)
            registers[it.key()] = it.value();
        return "OK\r";
    }
    if (line == "AT/V")
        return moduleVersion + '\r';
    if (!line.startsWith("ATS"))
        return "ERROR\r";

    const QByteArray body = line.mid(3);
    if (body.endsWith('?')) {
        const QByteArray number = body.chopped(1);
        const int n = allDigits(number) ? number.toInt() : -1;
        if (!registers.contains(n))
            return "ERROR\r";
        return "S" + number + '=' + QByteArray::number(registers.value(n)) + '\r';
    }
    const int eq = body.indexOf('=');
    if (eq < 0)
        return "ERROR\r";
    const QByteArray number = body.left(eq);
    const int n = allDigits(number) ? number.toInt() : -1;
    const int value = byteValue(body.mid(eq + 1));
    if (!registers.contains(n) || value < 0)
        return "ERROR\r";
    // The sub-band, radio rate and power registers hold one digit, and so do
    // the serial rates.
    if ((n == 201 || n == 202 || n == 206 || n == 210) && value > 9)
        return "ERROR\r";
    if (!stuck.contains("S" + number))
        registers[n] = value; // a new S210 rate applies right after this answer
    return "OK\r";
}

QByteArray DeviceModel::answerPoll(const QByteArray &request, qint64 nowMs, int *delayMs)
{
    // The poll goes out over the radio, so only in data mode and only when
    // the module hears the controller.
    if (inCommandMode || link != moduleRate())
        return QByteArray();
    const QByteArray digits = request.left(request.indexOf('='));
    const int address = digits.size() <= 3 ? digits.toInt() : -1;
    if (!reachable.contains(address))
        return QByteArray();
    if (pollLoss > 0 && int(random.bounded(100)) < pollLoss)
        return QByteArray();
    *delayMs = pollDelay;
    // The remote device answers with its own inputs: two analog values and
    // two discrete states.
    const qint64 t = nowMs + qint64(address) * 7919;
    const int a1 = rawInput(1, t);
    const int a2 = rawInput(2, t);
    return QByteArray::number(address) + '=' + QByteArray::number(a1) + ',' +
           QByteArray::number(a2) + ',' + QByteArray::number(discrete(1, a1)) + ',' +
           QByteArray::number(discrete(2, a2)) + '\r';
}

// ---------------------------------------------------------------- controller

QByteArray DeviceModel::answerController(const QByteArray &request, qint64 nowMs)
{
    switch (request.at(1)) {
    case '2': {
        auto padded = [this](QByteArray text) {
            if (text.size() < identityPadding)
                text.append(QByteArray(identityPadding - text.size(), '\0'));
            return text;
        };
        return "firmware=" + padded(fw) + ",pp=" + padded(hw) + '\r';
    }
    case '1':
        return configReply();
    case '0':
        return writeConfig(request.mid(2)) ? "OK\r" : "ERROR\r";
    case '3': {
        const char r = request.at(2);
        if (r < '0' || r > '9')
            return "ERROR\r";
        link = r - '0'; // after the answer, which goes to the computer
        return "OK\r";
    }
    case '7': {
        const int a1 = inputValue(1, nowMs);
        const int a2 = inputValue(2, nowMs);
        return "an1=" + QByteArray::number(a1) + ",an2=" + QByteArray::number(a2) +
               ",d1=" + QByteArray::number(discrete(1, a1)) +
               ",d2=" + QByteArray::number(discrete(2, a2)) + '\r';
    }
    case '9':
        return "a1=" + QByteArray::number(avg.averaging1) +
               ",a2=" + QByteArray::number(avg.averaging2) +
               ",l1=" + QByteArray::number(avg.diskret1) +
               ",l2=" + QByteArray::number(avg.diskret2) + '\r';
    case '8':
        return writeAveraging(request.mid(2)) ? "OK\r" : "ERROR\r";
    default:
        return calibration(request);
    }
}

QByteArray DeviceModel::configReply() const
{
    // The same fixed-width fields the configuration write uses; the address
    // list as 16 hexadecimal digits without separators.
    QByteArray t = "=" + dec(cfg.testAdres, 3) + ',' + dec(cfg.serialRate) + ',' +
                   dec(cfg.delRxTx, 3) + ',' + dec(cfg.delTxRx, 3) + ',' + dec(cfg.parity) + ',' +
                   dec(cfg.radioTransmitReset, 3) + ',' + dec(cfg.wdtReset, 3) + ',' +
                   dec(cfg.stopBit) + ',' +
                   QByteArray::number(cfg.adreses, 16).rightJustified(16, '0');
    const int v = variant();
    if (v >= 1)
        t += ',' + dec(cfg.delRequest, 3);
    if (v >= 2)
        t += ',' + dec(cfg.numOfDown, 3) + ',' + dec(cfg.radioModuleReset, 3);
    return t + '\r';
}

// "=" eight numbers, the address list, then one or three more numbers by
// variant, CR. The address list may itself hold commas (the configurator
// groups it by four digits), so the trailing numbers are counted from the end.
bool DeviceModel::writeConfig(const QByteArray &text)
{
    if (!text.startsWith('=') || !text.endsWith('\r'))
        return false;
    const QList<QByteArray> tokens = text.mid(1).chopped(1).split(',');
    const int v = variant();
    const int trailing = v == 2 ? 3 : (v == 1 ? 1 : 0);
    if (tokens.size() < 8 + 1 + trailing)
        return false;
    int values[11];
    int k = 0;
    for (int i = 0; i < 8; ++i)
        values[k++] = byteValue(tokens.at(i));
    for (int i = tokens.size() - trailing; i < tokens.size(); ++i)
        values[k++] = byteValue(tokens.at(i));
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
    Config c = cfg;
    c.testAdres = quint8(values[0]);
    c.serialRate = quint8(values[1]);
    c.delRxTx = quint8(values[2]);
    c.delTxRx = quint8(values[3]);
    c.parity = quint8(values[4]);
    c.radioTransmitReset = quint8(values[5]);
    c.wdtReset = quint8(values[6]);
    c.stopBit = quint8(values[7]);
    c.adreses = mask;
    if (trailing >= 1)
        c.delRequest = quint8(values[8]);
    if (trailing == 3) {
        c.numOfDown = quint8(values[9]);
        c.radioModuleReset = quint8(values[10]);
    }
    // Fields that are stuck keep what they held, though the write is answered
    // as if it had been stored.
    auto keep = [this, &c](const char *name, auto Config::*member) {
        if (stuck.contains(name))
            c.*member = cfg.*member;
    };
    keep("testAdres", &Config::testAdres);
    keep("serialRate", &Config::serialRate);
    keep("delRxTx", &Config::delRxTx);
    keep("delTxRx", &Config::delTxRx);
    keep("parity", &Config::parity);
    keep("radioTransmitReset", &Config::radioTransmitReset);
    keep("wdtReset", &Config::wdtReset);
    keep("stopBit", &Config::stopBit);
    keep("adreses", &Config::adreses);
    keep("delRequest", &Config::delRequest);
    keep("numOfDown", &Config::numOfDown);
    keep("radioModuleReset", &Config::radioModuleReset);
    cfg = c;
    return true;
}

bool DeviceModel::setStuck(const QByteArray &name)
{
    static const QSet<QByteArray> known = {
        "testAdres", "serialRate", "delRxTx", "delTxRx",    "parity",    "radioTransmitReset",
        "wdtReset",  "stopBit",    "adreses", "delRequest", "numOfDown", "radioModuleReset"};
    const bool isRegister =
        name.size() > 1 && name.startsWith('S') && registers.contains(name.mid(1).toInt());
    if (!known.contains(name) && !isRegister)
        return false;
    stuck.insert(name);
    return true;
}

bool DeviceModel::writeAveraging(const QByteArray &text)
{
    if (!text.startsWith('=') || !text.endsWith('\r'))
        return false;
    const QList<QByteArray> tokens = text.mid(1).chopped(1).split(',');
    if (tokens.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        v[i] = byteValue(tokens.at(i));
        if (v[i] < 0)
            return false;
    }
    avg = {quint8(v[0]), quint8(v[1]), quint8(v[2]), quint8(v[3])};
    return true;
}

// "$d" switches the current output to its 20 mA check and calibration mode,
// "$a" drives a set point (three counts per microampere), "$b" stores the
// current measured for a set point, "$c" leaves calibration mode. Devices
// without a current output, and set points outside calibration mode, are
// refused.
QByteArray DeviceModel::calibration(const QByteArray &request)
{
    if (!hasCurrentOutput())
        return "ERROR\r";
    const char kind = request.at(1);
    const QByteArray body = request.mid(2).chopped(1);
    if (kind == 'd' || kind == 'c') {
        if (!body.isEmpty())
            return "ERROR\r";
        calibrating = kind == 'd';
        if (calibrating)
            output = 20000;
        return "OK\r";
    }
    if (!calibrating)
        return "ERROR\r";
    bool ok = false;
    if (kind == 'a') {
        const int counts = body.size() >= 4 && body.size() <= 6 ? body.toInt(&ok, 16) : -1;
        if (!ok || counts / 3 > 21600)
            return "ERROR\r";
        output = counts / 3;
        return "OK\r";
    }
    // "$b": set point counts, ",", measured current, both four hex digits.
    const QList<QByteArray> parts = body.split(',');
    if (parts.size() != 2 || parts.at(0).size() != 4 || parts.at(1).size() != 4)
        return "ERROR\r";
    bool ok2 = false;
    const int counts = parts.at(0).toInt(&ok, 16);
    const int measured = parts.at(1).toInt(&ok2, 16);
    if (!ok || !ok2)
        return "ERROR\r";
    points.append({counts / 3, measured});
    return "OK\r";
}

// ---------------------------------------------------------------- inputs

// Input 1 and 2 as the sensors deliver them, sampled ten times a second:
// slow waves with a little noise. Current inputs in microamperes (4-20 mA),
// voltage inputs in millivolts (0-10 V).
int DeviceModel::rawInput(int which, qint64 nowMs) const
{
    const qint64 sample = nowMs >= 0 ? nowMs / 100 : (nowMs - 99) / 100;
    const double t = double(sample) / 10.0;
    const double period = which == 1 ? 30.0 : 47.0;
    const double wave = qSin(2.0 * M_PI * t / period + (which == 1 ? 0.0 : 1.3));
    const bool current = which == 1 ? outputKind() <= 1 : outputKind() == 0;
    if (current)
        return qBound(0, int(12000 + 7500 * wave) + sampleNoise(sample, which, 150), 21600);
    return qBound(0, int(5000 + 4500 * wave) + sampleNoise(sample, which, 80), 10000);
}

// The value "$7" reports, after the averaging set for the input: kind 0 the
// arithmetic mean of the last completed interval, kind 1 the median and kind
// 2 the mean of the sliding interval that ends now, kind 3 or interval 0 the
// latest sample.
int DeviceModel::inputValue(int which, qint64 nowMs) const
{
    const quint8 setting = which == 1 ? avg.averaging1 : avg.averaging2;
    const int kind = setting >> 6;
    const qint64 span = qint64(setting & 0x3F) * 1000;
    if (span == 0 || kind == 3)
        return rawInput(which, nowMs);
    const qint64 end = kind == 0 ? (nowMs / span) * span - 100 : nowMs;
    QList<int> samples;
    for (qint64 t = end - span + 100; t <= end; t += 100)
        samples.append(rawInput(which, t));
    if (kind == 1) {
        std::sort(samples.begin(), samples.end());
        return samples.at(samples.size() / 2);
    }
    qint64 sum = 0;
    for (int s : qAsConst(samples))
        sum += s;
    return int(sum / samples.size());
}

int DeviceModel::discrete(int which, int value) const
{
    const int threshold = (which == 1 ? avg.diskret1 : avg.diskret2) * 1000;
    return value >= threshold ? 1 : 0;
}
