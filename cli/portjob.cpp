#include "cli/portjob.h"

#include "app/portproblem.h"
#include "cli/terminaltext.h"
#include "protocol/addressmask.h"
#include "protocol/clock.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/factorydefaults.h"
#include "protocol/sequences.h"
#include "protocol/timer.h"
#include "session/devicesession.h"

#include <QCoreApplication>
#include <QSet>

namespace {

// What a request is, for the messages about it.
QString kindOf(TypeParser type)
{
    switch (type) {
    case ReadIdentity:
        return QCoreApplication::translate("PortJob", " (identity)");
    case WriteConfig:
        return QCoreApplication::translate("PortJob", " (configuration write)");
    case ReadConfig:
        return QCoreApplication::translate("PortJob", " (configuration read)");
    case EnterCommand:
        return QCoreApplication::translate("PortJob", " (command mode)");
    default:
        return QString();
    }
}

// Writes whose effect no read-back shows: the module's serial rate, the
// controller's rate towards it, and the module's own address. When one of
// them is not acknowledged, the write cannot be called verified. The others
// are judged by what the device is read back to hold.
bool isUnverifiableWrite(TypeParser type)
{
    return type == WriteS210 || type == SetLinkRate || type == WriteS252;
}

// The settings a request of the write and restore sequences gives the
// device. The rate search of the restore sends "$3" without a setting.
QList<const SettingsField *> settingsOf(TypeParser type, bool restore, quint8 variant)
{
    switch (type) {
    case WriteConfig:
        return SettingsFields::configuration(variant);
    case WriteAveraging:
        return SettingsFields::carriedBy(ReadAveraging, variant);
    case WriteS210:
    case SetLinkRate:
        // The serial rate, to the radio module and to the controller's link.
        if (restore)
            return {};
        return {SettingsFields::byName(QStringLiteral("serialRate"))};
    default:
        break;
    }
    QList<const SettingsField *> fields;
    for (const SettingsField &f : SettingsFields::all())
        if (f.write == type)
            fields << &f;
    return fields;
}

QString namesOf(const QList<const SettingsField *> &fields)
{
    QStringList names;
    for (const SettingsField *f : fields)
        names << QLatin1String(f->name);
    return names.isEmpty() ? QCoreApplication::translate("PortJob", "nothing")
                           : names.join(QLatin1String(", "));
}

} // namespace

PortJob::PortJob(const QString &port, Operation operation, QObject *parent)
    : QObject(parent), portName(port), operation(operation), session(new DeviceSession(this)),
      clock(Clock::system())
{
    // Once a device has identified itself plausibly, a reply damaged on the
    // line does not set up another model or firmware variant for the
    // readings that follow.
    session->setIdentityGuarded(true);
    Exchange *engine = session->engine();
    connect(session, &DeviceSession::identityTaken, this,
            [this](const QString &firmware, const QString &hardware) {
                slIdentity(firmware, hardware);
            });
    connect(session, &DeviceSession::replyTaken, this,
            [this](TypeParser type, QByteArrayList fields) { slSetting(type, fields); });
    connect(session, &DeviceSession::gaveUp, this,
            [this](TypeParser type, QByteArray request, bool counts) {
                slGaveUp(type, request, counts);
            });
    connect(engine, &Exchange::sgSetProgres, this, [this](quint8 p) { slProgress(p); });
    connect(engine, &Exchange::sgPortLost, this, [this] { slPortLost(); });
    connect(engine, &Exchange::sgSent, this,
            [this](TypeParser type, QByteArray, bool repeat) { slSent(type, repeat); });
    connect(engine, &Exchange::sgRequest, this,
            [this](quint8, TypeParser, QByteArray request) { tally.sent(request); });
    connect(engine, &Exchange::sgOk, this, [this](quint8, TypeParser, QByteArray request) {
        tally.answered(request);
        testStepEnded();
    });
    connect(engine, &Exchange::sgTimeOut, this, [this](quint8, TypeParser, QByteArray request) {
        tally.missed(request);
        testStepEnded();
    });
}

PortJob::~PortJob()
{
    session->engine()->disconnect(this);
    session->disconnect(this);
}

void PortJob::setLine(Line *line)
{
    session->setLine(line);
}

void PortJob::setClock(Clock *c)
{
    clock = c ? c : Clock::system();
    session->setClock(clock);
}

void PortJob::setTestPlan(const QByteArray &addresses, int rounds, int durationMs)
{
    testAddresses = addresses;
    testSteps = rounds * addresses.size();
    testDurationMs = durationMs;
}

void PortJob::later(void (PortJob::*step)())
{
    clock->singleShot(0, this, [this, step] { (this->*step)(); });
}

void PortJob::start()
{
    stage = Stage::Connecting;
    startedMs = clock->nowMs();
    stopAfterIdentity = operation == Identify || operation == Test || operation == Measure;
    wantIdentity = operation == Identify || operation == Read;
    emit progress(stageName(), 0);
    session->run().begin(RunOutcome::Connect, portName);
    if (!session->openPort(portName))
        fail(tr("cannot open the port: %1")
                 .arg(PortProblem::reason(portName, session->engine()->openError(),
                                          session->engine()->openErrorString())));
}

QString PortJob::stageName() const
{
    if (stage == Stage::Connecting)
        return operation == Read ? tr("read") : tr("connect");
    if (stage == Stage::Confirming)
        return tr("confirm");
    switch (operation) {
    case Write:
        return tr("write");
    case Defaults:
        return tr("defaults");
    case Test:
        return tr("test");
    case Measure:
        return tr("measure");
    default:
        return tr("read");
    }
}

// ------------------------------------------------------------ what comes back

void PortJob::slIdentity(const QString &firmware, const QString &hardware)
{
    identityOver = true;
    const bool plausible = Identification::plausible(firmware, hardware);
    // A damaged identity counts as none: it is asked again.
    if (plausible)
        everIdentified = true;
    else if (stage == Stage::Connecting && !everIdentified && ++identityMisses >= IdentityAttempts)
        failureText = tr("the identity replies looked damaged");
    if (!plausible)
        emit note(tr("the identity reply looks damaged (firmware \"%1\", hardware "
                     "\"%2\")")
                      .arg(TerminalText::shown(firmware), TerminalText::shown(hardware)));
    if (wantIdentity)
        readings.addIdentity(firmware, hardware, plausible);
}

void PortJob::slSetting(TypeParser type, const QByteArrayList &fields)
{
    if (type == ReadInputs && operation == Measure && stage == Stage::Working) {
        ++results;
        emit measured(clock->nowMs() - startedMs, fields);
        if (results >= measureCount)
            later(&PortJob::finish);
    }
}

void PortJob::slGaveUp(TypeParser type, const QByteArray &request, bool counts)
{
    // Without its "OK" the module may not have changed mode.
    if (type == EnterCommand)
        commandMode = false;
    else if (type == ExitCommand)
        commandMode = true;
    if (!sequenceSent.isEmpty() && sequenceSent.last().answer == SentRequest::Waiting)
        sequenceSent.last().answer = SentRequest::Unanswered;
    if (!counts)
        return; // an attempt of the rate search at a rate the module does not use
    gaveUp.append(request);
    if (type == ReadIdentity && stage == Stage::Connecting && !everIdentified) {
        identityOver = true;
        // A reply damaged on a noisy line is asked for once more; a device
        // that answers neither time is not there.
        if (++identityMisses < IdentityAttempts) {
            emit note(tr("no answer to \"%1\" (identity); asked again")
                          .arg(RunOutcome::requestText(request)));
            return;
        }
        // Told once, as the reason the job ends.
        failureText = tr("no answer to \"%1\" (identity)").arg(RunOutcome::requestText(request));
        return;
    }
    if (stage == Stage::Working && isUnverifiableWrite(type))
        writeRefused = true;
    emit note(tr("no answer to \"%1\"%2").arg(RunOutcome::requestText(request), kindOf(type)));
    if (type == ReadInputs && operation == Measure && stage == Stage::Working) {
        ++results;
        if (results >= measureCount)
            later(&PortJob::finish);
    }
}

void PortJob::slProgress(quint8 percent)
{
    // The engine reports progress when a request has left the queue (and
    // when a run starts): the last one sent was answered unless it gave up.
    if (!sequenceSent.isEmpty() && sequenceSent.last().answer == SentRequest::Waiting)
        sequenceSent.last().answer = SentRequest::Answered;
    if (stopping == Stop::Draining) {
        endAfterHead();
        return;
    }
    if (stopping == Stop::Leaving && percent == 100)
        later(&PortJob::finish);
    if (stopping != Stop::None)
        return;
    if (stage == Stage::Connecting && identityOver &&
        (stopAfterIdentity || !failureText.isEmpty() || !everIdentified)) {
        // Nothing after the identity is wanted (or, without one, possible):
        // the queue goes before its next request is sent, so the device is
        // left as it was.
        session->engine()->clearParsers();
        identityOver = false;
        if (!failureText.isEmpty())
            later(&PortJob::finish);
        else if (!everIdentified)
            session->engine()->identifyAgain(readsSettings());
        else
            later(&PortJob::runEnded);
        return;
    }
    const bool shown = stage == Stage::Connecting || stage == Stage::Confirming ||
                       (stage == Stage::Working && (operation == Write || operation == Defaults));
    if (!shown)
        return;
    emit progress(stageName(), percent);
    if (percent == 100)
        later(&PortJob::runEnded);
}

void PortJob::slPortLost()
{
    fail(tr("the port was lost (device unplugged?)"));
}

void PortJob::slSent(TypeParser type, bool repeat)
{
    if (repeat)
        return;
    if (type == EnterCommand)
        commandMode = true;
    else if (type == ExitCommand)
        commandMode = false;
    if (stage == Stage::Working && (operation == Write || operation == Defaults) &&
        stopping == Stop::None)
        sequenceSent.append({type, SentRequest::Waiting});
}

// ------------------------------------------------------------ interrupted

void PortJob::releasePort()
{
    session->engine()->line()->close();
}

void PortJob::interrupt()
{
    if (stopping != Stop::None || stage == Stage::Done)
        return;
    stoppedIn = stage;
    stopping = Stop::Draining;
    if (pollTimer)
        pollTimer->stop();
    if (stage == Stage::Idle) {
        finish();
        return;
    }
    // With a request on the line, its reply or give-up ends the sequence
    // (slProgress, testStepEnded); with none, it ends here.
    if (session->engine()->state() == Exchange::State::Idle || !session->isOpen())
        later(&PortJob::endAfterHead);
}

// The request that was on the line when the job was interrupted has left
// the queue; the next one has not been sent.
void PortJob::endAfterHead()
{
    if (stopping != Stop::Draining || stage == Stage::Done)
        return;
    // The module answered its new serial rate and has switched to it: the
    // controller's link follows ("$3" is next in the write), or neither
    // could reach the other again.
    if (!sequenceSent.isEmpty() && sequenceSent.last().type == WriteS210 &&
        sequenceSent.last().answer == SentRequest::Answered && session->engine()->queueLength() > 0)
        return;
    session->engine()->clearParsers();
    if (commandMode && session->isOpen()) {
        stopping = Stop::Leaving;
        later(&PortJob::leaveCommandMode);
        return;
    }
    stopping = Stop::Over;
    later(&PortJob::finish);
}

void PortJob::leaveCommandMode()
{
    if (stage == Stage::Done)
        return;
    // Its reply or give-up reports progress 100, which ends the job.
    session->engine()->exitCommandMode();
}

QString PortJob::operationName() const
{
    switch (operation) {
    case Identify:
        return tr("identify");
    case Read:
        return tr("read");
    case Write:
        return tr("write");
    case Defaults:
        return tr("defaults");
    case Test:
        return tr("test");
    case Measure:
        return tr("measure");
    }
    return QString();
}

// Which settings of the sequence the device acknowledged, and which it did
// not get (not sent, or sent without an answer). A setting that two requests
// carry (the address: the configuration and S252) counts as written only
// when both were answered.
QString PortJob::writeNote() const
{
    const bool restore = operation == Defaults;
    const QVector<Sequences::Step> plan = restore ? Sequences::restoreDefaults(sent, variant())
                                                  : Sequences::writeAll(sent, variant());
    QList<const SettingsField *> planned;
    QSet<const SettingsField *> missing;
    for (const Sequences::Step &step : plan) {
        bool answered = false;
        for (const SentRequest &r : sequenceSent)
            answered = answered || (r.type == step.type && r.answer == SentRequest::Answered);
        for (const SettingsField *f : settingsOf(step.type, restore, variant())) {
            if (!planned.contains(f))
                planned << f;
            if (!answered)
                missing.insert(f);
        }
    }
    QList<const SettingsField *> written, notWritten;
    for (const SettingsField *f : planned)
        (missing.contains(f) ? notWritten : written) << f;
    return tr("%1 interrupted: written: %2; not written: %3")
        .arg(operationName(), namesOf(written), namesOf(notWritten));
}

QStringList PortJob::interruptionNotes() const
{
    if (stopping == Stop::None)
        return {};
    QStringList notes;
    const QString what = operationName();
    if (operation == Write || operation == Defaults) {
        notes << (sequenceSent.isEmpty()
                      ? tr("%1 interrupted before anything was written").arg(what)
                      : writeNote());
    } else if (operation == Test) {
        notes << tr("%1 interrupted after %2 poll(s)").arg(what, QString::number(stepsDone));
    } else if (operation == Measure) {
        notes << tr("%1 interrupted after %2 of %3 measurement(s)")
                     .arg(what, QString::number(results), QString::number(measureCount));
    } else {
        notes << tr("%1 interrupted").arg(what);
    }
    if (commandMode)
        notes << tr("the radio module did not answer \"ATO\" and may still be in "
                    "command mode");
    // The rate search moves the controller's link from rate to rate; cut
    // short, the link may be at another rate than the module.
    if (operation == Defaults && stoppedIn == Stage::Working)
        notes << tr("the device may be left at another serial rate; running "
                    "defaults again restores it");
    return notes;
}

// ------------------------------------------------------------ the stages

// A run of the engine is over: the connection, the operation, or a reading
// to confirm another.
void PortJob::runEnded()
{
    if (stage == Stage::Done || !failureText.isEmpty() || stopping != Stop::None)
        return;
    if (stage == Stage::Connecting && operation != Read && operation != Identify) {
        startWork();
        return;
    }
    // A reading is over: the connection's (Read, Identify), the write's
    // read-back, or one to confirm them.
    QList<const SettingsField *> confirmed;
    if (readsSettings())
        for (const SettingsField &f : SettingsFields::all())
            if (session->run().confirmed(&f))
                confirmed << &f;
    readings.add(session->settings(), confirmed);
    // A field that three readings did not bring at all is not coming (a
    // register that never answers): reading again helps only while the
    // open fields arrive now and then.
    const QList<const SettingsField *> open = readings.unsettled(wanted());
    bool arriving = readings.count() < 3 || open.isEmpty();
    for (const SettingsField *f : open)
        arriving = arriving || readings.seen(f) > 0;
    if (settledAll() || readings.count() >= MaxReadings || !arriving)
        finish();
    else
        readAgain();
}

bool PortJob::settledAll() const
{
    if (wantIdentity && !readings.identitySettled())
        return false;
    return readings.unsettled(wanted()).isEmpty();
}

void PortJob::readAgain()
{
    stage = Stage::Confirming;
    emit progress(stageName(), 0);
    session->run().begin(RunOutcome::Read, portName);
    session->engine()->identifyAgain(readsSettings());
}

void PortJob::startWork()
{
    if (stage != Stage::Connecting)
        return;
    stage = Stage::Working;
    DeviceSettings &data = session->settings();
    switch (operation) {
    case Identify:
    case Read:
        finish();
        return;
    case Write:
        if (!recordHardware.isEmpty() && !forceModel &&
            Identification(recordHardware).model() != session->identification().model()) {
            // Another model's settings would set up outputs and inputs this
            // device does not have.
            fail(tr("the settings were read from %1, this device is %2; nothing "
                    "was written (--force writes them anyway)")
                     .arg(TerminalText::shown(recordHardware),
                          TerminalText::shown(session->hardware())));
            return;
        }
        emit progress(stageName(), 0);
        // As WRITE after opening a settings file: the whole record goes,
        // with the address list as the window's address panel writes it.
        session->run().begin(RunOutcome::Write, portName);
        data = record;
        data.adreses = AddressMask::normalized(record.adreses);
        session->write();
        sent = session->written();
        readings.expect(sent);
        return;
    case Defaults:
        emit progress(stageName(), 0);
        // As DEFAULT: the record the read brought, reset to the factory
        // values, then the restore sequence with its rate search.
        FactoryDefaults::apply(data, session->watchdogOnByDefault());
        session->run().begin(RunOutcome::Defaults, portName);
        session->restoreDefaults();
        sent = session->written();
        readings.expect(sent);
        return;
    case Test:
        emit progress(stageName(), 0);
        if (testDurationMs > 0)
            clock->singleShot(testDurationMs, this, [this] { stopTest = true; });
        // From the first address on, so that rounds poll every address
        // equally often.
        session->engine()->resetTestPosition();
        session->engine()->startTest(testAddresses);
        return;
    case Measure:
        emit progress(stageName(), 0);
        startedMs = clock->nowMs();
        pollTimer = clock->newTimer(this);
        pollTimer->setInterval(1000);
        connect(pollTimer, &Timer::timeout, this, &PortJob::pollInputs);
        pollTimer->start();
        pollInputs();
        return;
    }
}

void PortJob::pollInputs()
{
    if (polls >= measureCount) {
        pollTimer->stop();
        return;
    }
    ++polls;
    session->engine()->getValue();
}

void PortJob::testStepEnded()
{
    if (stage != Stage::Working || operation != Test)
        return;
    ++stepsDone;
    if (testSteps > 0)
        emit progress(stageName(), qMin(100, stepsDone * 100 / testSteps));
    if (stopping == Stop::Draining) {
        // Interrupted: the step that just ended is the last; the check
        // counts as cut short.
        session->engine()->clearParsers();
        stopping = Stop::Over;
        later(&PortJob::finish);
        return;
    }
    if (stopTest || (testSteps > 0 && stepsDone >= testSteps)) {
        // The step that just ended is the last: no poll goes out after it.
        session->engine()->clearParsers();
        stopTest = true;
        later(&PortJob::finish);
    }
}

void PortJob::fail(const QString &why)
{
    if (failureText.isEmpty())
        failureText = why;
    later(&PortJob::finish);
}

void PortJob::finish()
{
    if (stage == Stage::Done)
        return;
    stage = Stage::Done;
    if (pollTimer)
        pollTimer->stop();
    session->engine()->clearParsers();
    if (session->isOpen())
        session->openPort(portName); // closes it
    emit finished();
}

// ------------------------------------------------------------ the outcome

QList<const SettingsField *> PortJob::wanted() const
{
    if (!readsSettings() || !everIdentified)
        return {};
    return SettingsFields::readBack(variant(), hardware());
}

bool PortJob::identified() const
{
    return everIdentified;
}

QString PortJob::hardware() const
{
    return readings.identitySettled() ? readings.hardware() : session->hardware();
}

QString PortJob::firmware() const
{
    return readings.identitySettled() ? readings.firmware() : session->firmware();
}

quint8 PortJob::variant() const
{
    return readings.identitySettled() ? Identification::firmwareVariant(readings.firmware())
                                      : session->variant();
}

DeviceSettings PortJob::settings() const
{
    DeviceSettings s = readings.settledRecord(session->settings());
    if (readings.identitySettled())
        s.outType = Identification(readings.hardware()).outType(s.outType);
    return s;
}

bool PortJob::isRead(const SettingsField &field) const
{
    return !wanted().contains(&field) || readings.settled(&field);
}

QList<const SettingsField *> PortJob::notRead() const
{
    return readings.unsettled(wanted());
}

QList<SettingsDifference> PortJob::differences() const
{
    if (operation != Write && operation != Defaults)
        return {};
    QList<SettingsDifference> found;
    for (const SettingsDifference &d :
         SettingsFields::compare(sent, settings(), variant(), hardware()))
        if (readings.settled(d.field))
            found << d;
    return found;
}

QList<const SettingsField *> PortJob::unverifiable() const
{
    QList<const SettingsField *> fields;
    if (operation == Write || operation == Defaults)
        SettingsFields::compare(sent, settings(), variant(), hardware(), &fields);
    return fields;
}

QList<StabilityTally::Row> PortJob::testRows() const
{
    // Every address of the plan, in its order, polled or not.
    QList<StabilityTally::Row> rows;
    QList<quint8> seen;
    for (const char a : testAddresses) {
        if (seen.contains(quint8(a)))
            continue;
        seen << quint8(a);
        rows << tally.row(quint8(a));
    }
    return rows;
}

bool PortJob::testCutShort() const
{
    return operation == Test && !stopTest;
}

int PortJob::exitCode(bool verify) const
{
    if (!failureText.isEmpty() || writeRefused || interrupted() || !notRead().isEmpty())
        return 1;
    if (wantIdentity && !readings.identitySettled())
        return 1;
    if ((operation == Test || operation == Measure) && !gaveUp.isEmpty())
        return 1;
    if (testCutShort())
        return 1;
    if (verify && !differences().isEmpty())
        return 3;
    return 0;
}

QString PortJob::summary(bool verify) const
{
    QString line = TerminalText::shown(portName) + QLatin1String(": ");
    if (!failureText.isEmpty() && !identified())
        return line + tr("FAILED, %1").arg(failureText);
    if (interrupted() && !identified())
        return line + tr("FAILED, interrupted before the device identified itself");
    // One pass over the pattern: a "%1" in a device's text stays as it is.
    line += tr("%1, firmware %2 (variant %3)")
                .arg(TerminalText::shown(hardware()), TerminalText::shown(firmware()),
                     QString::number(variant()));
    if (wantIdentity && !readings.identitySettled())
        line += tr(", identity not confirmed (the replies disagreed or looked "
                   "damaged)");
    if (!failureText.isEmpty())
        line += QLatin1String(", ") + failureText;
    if (interrupted())
        line += tr(", interrupted");
    if (!gaveUp.isEmpty())
        line += tr(", %1 request(s) unanswered").arg(gaveUp.size());
    if (readings.count() > 1 && readsSettings())
        line += tr(", read %1 times to confirm").arg(readings.count());
    // An interrupted write or restore tells what it wrote in a line of its
    // own; its read-back did not run, or not to its end.
    const bool writeCut = interrupted() && (operation == Write || operation == Defaults);
    const QList<const SettingsField *> missing = notRead();
    if (!missing.isEmpty() && !writeCut) {
        QStringList names;
        for (const SettingsField *f : missing)
            names << QLatin1String(f->name);
        line += tr(", not read: %1").arg(names.join(QLatin1String(", ")));
    }
    if (testCutShort())
        line += tr(", stability check cut short after %1 poll(s)").arg(stepsDone);
    if (verify && (operation == Write || operation == Defaults) && failureText.isEmpty() &&
        !writeCut) {
        const int n = differences().size();
        if (n)
            line += tr(", %1 setting(s) differ").arg(n);
        else if (missing.isEmpty() && !writeRefused)
            line += tr(", verified");
    }
    line += exitCode(verify) ? tr(": FAILED") : tr(": ok");
    return line;
}
