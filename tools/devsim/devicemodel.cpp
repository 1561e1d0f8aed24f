#include "tools/devsim/devicemodel.h"

#include <QDateTime>

namespace {

// Longest command the controller buffers; anything longer without its
// terminator is line noise and is dropped.
constexpr int MaxCommand = 160;

} // namespace

DeviceModel::DeviceModel()
{
    setHardware(hw);
}

void DeviceModel::setHardware(const QByteArray &text)
{
    hw = text;
    inputs.setKind(outputKind());
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

void DeviceModel::setReachable(const QList<int> &addresses)
{
    reachable = QSet<int>(addresses.begin(), addresses.end());
}

bool DeviceModel::setStuck(const QByteArray &name)
{
    if (!DeviceConfig::isField(name))
        return radio.setStuck(name);
    stuck.insert(name);
    return true;
}

void DeviceModel::setScriptedReply(const QByteArray &requestPrefix, const QByteArray &reply)
{
    for (Script &s : scripts) {
        if (s.prefix == requestPrefix) {
            s.reply = reply;
            return;
        }
    }
    scripts.append({requestPrefix, reply});
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
    // A scripted reply stands in for the whole device: neither the controller
    // nor the module sees the request.
    for (const Script &s : scripts)
        if (request.startsWith(s.prefix))
            return s.reply;
    if (request.startsWith('$'))
        return answerController(request, nowMs);
    if (request.at(0) >= '0' && request.at(0) <= '9')
        return answerPoll(request, nowMs, delayMs);
    return answerModule(request);
}

// ---------------------------------------------------------------- radio

QByteArray DeviceModel::answerModule(const QByteArray &request)
{
    // At a wrong link rate the module receives only garbage.
    if (link != moduleRate())
        return QByteArray();
    return radio.answer(request);
}

QByteArray DeviceModel::answerPoll(const QByteArray &request, qint64 nowMs, int *delayMs)
{
    // The poll goes out over the radio, so only in data mode and only when
    // the module hears the controller.
    if (radio.commandMode() || link != moduleRate())
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
           QByteArray::number(a2) + ',' + QByteArray::number(inputs.discrete(1, a1)) + ',' +
           QByteArray::number(inputs.discrete(2, a2)) + '\r';
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
        return cfg.text(variant());
    case '0':
        return writeConfig(request.mid(2)) ? "OK\r" : "ERROR\r";
    case '3': {
        const char r = request.at(2);
        if (r < '0' || r > '9')
            return "ERROR\r";
        link = r - '0'; // after the answer, which goes to the computer
        return "OK\r";
    }
    case '7':
        return inputs.report(nowMs);
    case '9':
        return inputs.settingsText();
    case '8':
        return inputs.writeSettings(request.mid(2)) ? "OK\r" : "ERROR\r";
    default:
        // Devices without a current output refuse the calibration commands.
        if (!hasCurrentOutput())
            return "ERROR\r";
        return calibration.answer(request);
    }
}

bool DeviceModel::writeConfig(const QByteArray &text)
{
    Config c = cfg;
    if (!c.read(text, variant()))
        return false;
    // Fields that are stuck keep what they held, though the write is answered
    // as if it had been stored.
    c.keep(cfg, stuck);
    cfg = c;
    return true;
}
