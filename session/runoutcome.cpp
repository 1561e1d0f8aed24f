#include "session/runoutcome.h"

#include "protocol/settingsfields.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("RunOutcome", text);
}

// Requests that change something in the device: when one of them gives up,
// the device did not take the value.
bool isWrite(TypeParser type)
{
    switch (type) {
    case WriteConfig:
    case WriteS206:
    case WriteS201:
    case WriteS200:
    case WriteS202:
    case WriteS214:
    case WriteS210:
    case SetLinkRate:
    case WriteS216:
    case WriteS252:
    case WriteAveraging:
        return true;
    default:
        return false;
    }
}

QString describe(TypeParser type, const QByteArray &request)
{
    if (type == WriteConfig)
        return tr("the configuration ($0)");
    if (type == WriteAveraging)
        return tr("the averaging settings ($8)");
    return RunOutcome::requestText(request);
}

QString shown(const QVariant &value)
{
    const QString text = value.toString();
    return text.isEmpty() ? tr("nothing") : text;
}

} // namespace

void RunOutcome::begin(Operation operation, const QString &portName)
{
    *this = RunOutcome();
    op = operation;
    port = portName;
}

void RunOutcome::setCalibrationStep(const QString &done, const QString &failed)
{
    stepDone = done;
    stepFailed = failed;
}

QString RunOutcome::requestText(const QByteArray &request)
{
    QByteArray bytes = request;
    while (!bytes.isEmpty() && (bytes.endsWith('\r') || bytes.endsWith('\n')))
        bytes.chop(1);
    QString text;
    for (const char c : bytes) {
        const uchar u = uchar(c);
        if (c == '\r')
            text += QLatin1String("\\r");
        else if (c == '\n')
            text += QLatin1String("\\n");
        else if (u < 0x20 || u == 0x7F)
            text += QStringLiteral("<%1>").arg(u, 2, 16, QLatin1Char('0'));
        else
            text += QChar(u);
    }
    return text;
}

void RunOutcome::sent(TypeParser type)
{
    if (op != Defaults)
        return;
    if (atrPending)
        restored = true;
    atrPending = type == ModuleDefaults;
    if (type == WriteConfig)
        searchOver = true;
}

void RunOutcome::answered(TypeParser type, const ReplyDecoder::Decoded &decoded)
{
    if (op == Idle)
        return;
    replies.insert(type);
    for (const SettingsField *f : decoded.confirmed)
        confirmedFields.insert(f);
    for (const SettingsField *f : decoded.damaged)
        confirmedFields.remove(f);
}

bool RunOutcome::gaveUp(TypeParser type, const QByteArray &request)
{
    if (op == Idle || type == ReadInputs)
        return true;
    if (op == Calibration) {
        stepGaveUp = true;
        return true;
    }
    if (op == Defaults && !searchOver) {
        // The rate search: an attempt at a rate the module does not use.
        atrPending = false;
        if (type == SetLinkRate || type == EnterCommand || type == ModuleDefaults)
            return false;
    }
    failures.append({type, request});
    return true;
}

QList<const SettingsField *> RunOutcome::notRead(quint8 variant, const QString &hardware) const
{
    QList<const SettingsField *> fields;
    for (const SettingsField *f : SettingsFields::readBack(variant, hardware)) {
        bool unanswered = false;
        for (const auto &failure : failures)
            unanswered = unanswered || failure.first == f->reply;
        if (!unanswered && !confirmedFields.contains(f))
            fields << f;
    }
    return fields;
}

void RunOutcome::stopped(int dropped)
{
    if (op == Idle)
        return;
    userStopped = true;
    notSent = dropped;
    if (!failures.isEmpty())
        stoppedAt = requestText(failures.last().second);
}

bool RunOutcome::identityLost() const
{
    if (op != Connect)
        return false;
    for (const auto &f : failures)
        if (f.first == ReadIdentity)
            return !nothingAnswered();
    return false;
}

bool RunOutcome::nothingAnswered() const
{
    return op == Connect && answeredCount() <= 0;
}

int RunOutcome::answeredCount() const
{
    return total - failures.size() - notSent;
}

QString RunOutcome::countClause() const
{
    QString clause = tr("%1 of %2 requests answered").arg(answeredCount()).arg(total);
    QStringList unanswered;
    for (const auto &f : failures)
        unanswered << requestText(f.second);
    if (!unanswered.isEmpty())
        clause += tr("; unanswered: %1").arg(unanswered.join(QLatin1String(", ")));
    if (userStopped)
        clause += QLatin1String("; ") + stopClause();
    return clause;
}

QString RunOutcome::stopClause() const
{
    return tr("stopped at your answer after %1, %2 requests not sent").arg(stoppedAt).arg(notSent);
}

QString RunOutcome::finish(const Device &device)
{
    QString sentence;
    switch (op) {
    case Idle:
        return QString();
    case Connect:
        sentence = connectSentence(device);
        if (!nothingAnswered() && !identityLost())
            sentence.insert(sentence.size() - 1, notReadClause(device));
        break;
    case Read:
        sentence = readSentence();
        sentence.insert(sentence.size() - 1, notReadClause(device));
        break;
    case Write:
    case Defaults:
        sentence = writeSentence(device);
        break;
    case Calibration:
        sentence = stepGaveUp ? stepFailed : stepDone;
        break;
    }
    op = Idle;
    return sentence;
}

QString RunOutcome::connectSentence(const Device &device) const
{
    if (nothingAnswered())
        return tr("No device answered on %1: %2.").arg(port, countClause());
    if (identityLost())
        return tr("The device on %1 did not identify itself: %2; WRITE and DEFAULT send nothing "
                  "until a connection identifies it.")
            .arg(port, countClause());
    return tr("Identified %1, firmware %2, on %3: %4.")
        .arg(device.hardware, device.firmware, port, countClause());
}

QString RunOutcome::readSentence() const
{
    return tr("Read: %1.").arg(countClause());
}

QString RunOutcome::notReadClause(const Device &device) const
{
    if (userStopped)
        return QString(); // the stop clause says what was not asked
    QStringList labels;
    for (const SettingsField *f : notRead(device.variant, device.hardware))
        labels << f->labelText();
    if (labels.isEmpty())
        return QString();
    return tr("; not read, as the device's replies for them were damaged or incomplete: %1")
        .arg(labels.join(QLatin1String(", ")));
}

QString RunOutcome::writeSentence(const Device &device) const
{
    static const DeviceSettings blank;
    const DeviceSettings &held = device.held ? *device.held : blank;

    QStringList problems;
    if (op == Defaults && !restored)
        problems << tr("the radio module answered ATR at no serial rate, so its own factory "
                       "values were not restored");
    QStringList refused, unanswered;
    for (const auto &f : failures)
        (isWrite(f.first) ? refused : unanswered) << describe(f.first, f.second);
    if (!refused.isEmpty())
        problems << tr("the device did not accept %1").arg(refused.join(QLatin1String(", ")));

    QList<const SettingsField *> unverifiable;
    const QList<SettingsDifference> differences =
        SettingsFields::compare(written, held, device.variant, device.hardware, &unverifiable);
    QStringList notReadBack;
    for (const SettingsField *f : SettingsFields::readBack(device.variant, device.hardware))
        if (!confirmedFields.contains(f))
            notReadBack << f->labelText();
    for (const SettingsDifference &d : differences)
        if (!notReadBack.contains(d.field->labelText()))
            problems << tr("%1: wrote %2, device holds %3")
                            .arg(d.field->labelText(), shown(d.written), shown(d.held));
    if (!unanswered.isEmpty())
        problems << tr("unanswered: %1").arg(unanswered.join(QLatin1String(", ")));
    if (!notReadBack.isEmpty())
        problems
            << tr("not read back, so not verified: %1").arg(notReadBack.join(QLatin1String(", ")));
    if (userStopped)
        problems << stopClause();

    QString sentence;
    if (problems.isEmpty())
        sentence =
            op == Write ? tr("Written and verified") : tr("Factory settings written and verified");
    else
        sentence = (op == Write ? tr("Not written as intended: %1")
                                : tr("Factory settings not restored as intended: %1"))
                       .arg(problems.join(QLatin1String("; ")));
    if (!unverifiable.isEmpty()) {
        QStringList labels;
        for (const SettingsField *f : unverifiable)
            labels << f->labelText();
        sentence +=
            tr("; the device does not report back: %1").arg(labels.join(QLatin1String(", ")));
    }
    return sentence + QLatin1Char('.');
}
