#include "cli/portjob.h"

#include "protocol/addressmask.h"
#include "protocol/clock.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/factorydefaults.h"
#include "protocol/timer.h"
#include "session/devicesession.h"

namespace {

// What a request is, for the messages about it.
QString kindOf(TypeParser type)
{
    switch (type) {
    case ReadIdentity:
        return QStringLiteral(" (identity)");
    case WriteConfig:
        return QStringLiteral(" (configuration write)");
    case ReadConfig:
        return QStringLiteral(" (configuration read)");
    case EnterCommand:
        return QStringLiteral(" (command mode)");
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
        fail(QStringLiteral("cannot open the port: %1").arg(session->engine()->openErrorString()));
}

QString PortJob::stageName() const
{
    if (stage == Stage::Connecting)
        return operation == Read ? QStringLiteral("read") : QStringLiteral("connect");
    if (stage == Stage::Confirming)
        return QStringLiteral("confirm");
    switch (operation) {
    case Write:
        return QStringLiteral("write");
    case Defaults:
        return QStringLiteral("defaults");
    case Test:
        return QStringLiteral("test");
    case Measure:
        return QStringLiteral("measure");
    default:
        return QStringLiteral("read");
    }
}

// ------------------------------------------------------------ what comes back

void PortJob::slIdentity(const QString &firmware, const QString &hardware)
{
    identityOver = true;
    const bool plausible =
        Identification::plausibleFirmware(firmware) && Identification::plausibleHardware(hardware);
    // A damaged identity counts as none: it is asked again.
    if (plausible)
        everIdentified = true;
    else if (stage == Stage::Connecting && !everIdentified && ++identityMisses >= IdentityAttempts)
        failureText = QStringLiteral("the identity replies looked damaged");
    if (!plausible)
        emit note(QStringLiteral("the identity reply looks damaged (firmware \"%1\", hardware "
                                 "\"%2\")")
                      .arg(RunOutcome::requestText(firmware.toLatin1()),
                           RunOutcome::requestText(hardware.toLatin1())));
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
    if (!counts)
        return; // an attempt of the rate search at a rate the module does not use
    gaveUp.append(request);
    if (type == ReadIdentity && stage == Stage::Connecting && !everIdentified) {
        identityOver = true;
        // A reply damaged on a noisy line is asked for once more; a device
        // that answers neither time is not there.
        if (++identityMisses < IdentityAttempts) {
            emit note(QStringLiteral("no answer to \"%1\" (identity); asked again")
                          .arg(RunOutcome::requestText(request)));
            return;
        }
        // Told once, as the reason the job ends.
        failureText =
            QStringLiteral("no answer to \"%1\" (identity)").arg(RunOutcome::requestText(request));
        return;
    }
    if (stage == Stage::Working && isUnverifiableWrite(type))
        writeRefused = true;
    emit note(QStringLiteral("no answer to \"%1\"%2")
                  .arg(RunOutcome::requestText(request), kindOf(type)));
    if (type == ReadInputs && operation == Measure && stage == Stage::Working) {
        ++results;
        if (results >= measureCount)
            later(&PortJob::finish);
    }
}

void PortJob::slProgress(quint8 percent)
{
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
    fail(QStringLiteral("the port was lost (device unplugged?)"));
}

// ------------------------------------------------------------ the stages

// A run of the engine is over: the connection, the operation, or a reading
// to confirm another.
void PortJob::runEnded()
{
    if (stage == Stage::Done || !failureText.isEmpty())
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
    if (!failureText.isEmpty() || writeRefused || !notRead().isEmpty())
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
    QString line = portName + QLatin1String(": ");
    if (!failureText.isEmpty() && !identified())
        return line + QLatin1String("FAILED, ") + failureText;
    // One pass over the pattern: a "%1" in a device's text stays as it is.
    line += QStringLiteral("%1, firmware %2 (variant %3)")
                .arg(RunOutcome::requestText(hardware().toLatin1()),
                     RunOutcome::requestText(firmware().toLatin1()), QString::number(variant()));
    if (wantIdentity && !readings.identitySettled())
        line += QStringLiteral(", identity not confirmed (the replies disagreed or looked "
                               "damaged)");
    if (!failureText.isEmpty())
        line += QLatin1String(", ") + failureText;
    if (!gaveUp.isEmpty())
        line += QStringLiteral(", %1 request(s) unanswered").arg(gaveUp.size());
    if (readings.count() > 1 && readsSettings())
        line += QStringLiteral(", read %1 times to confirm").arg(readings.count());
    const QList<const SettingsField *> missing = notRead();
    if (!missing.isEmpty()) {
        QStringList names;
        for (const SettingsField *f : missing)
            names << QLatin1String(f->name);
        line += QStringLiteral(", not read: %1").arg(names.join(QLatin1String(", ")));
    }
    if (testCutShort())
        line += QStringLiteral(", stability check cut short after %1 poll(s)").arg(stepsDone);
    if (verify && (operation == Write || operation == Defaults) && failureText.isEmpty()) {
        const int n = differences().size();
        if (n)
            line += QStringLiteral(", %1 setting(s) differ").arg(n);
        else if (missing.isEmpty() && !writeRefused)
            line += QStringLiteral(", verified");
    }
    line += exitCode(verify) ? QLatin1String(": FAILED") : QLatin1String(": ok");
    return line;
}
