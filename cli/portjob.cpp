#include "cli/portjob.h"

#include "app/identification.h"
#include "protocol/addressmask.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/factorydefaults.h"
#include "protocol/replydecoder.h"

#include <QTimer>

namespace {

// What a request is, for the messages about it.
QString kindOf(const QByteArray &request)
{
    if (request.startsWith("$2"))
        return QStringLiteral(" (identity)");
    if (request.startsWith("$0"))
        return QStringLiteral(" (configuration write)");
    if (request.startsWith("$1"))
        return QStringLiteral(" (configuration read)");
    if (request == "+++")
        return QStringLiteral(" (command mode)");
    return QString();
}

} // namespace

PortJob::PortJob(const QString &port, Operation operation, QObject *parent)
    : QObject(parent), portName(port), operation(operation), data(new Data(this)),
      engine(new Exchange(this, data))
{
    connect(engine, &Exchange::sgGetSetting, this,
            [this](TypeParser type, QByteArrayList fields) { slSetting(type, fields); });
    connect(engine, &Exchange::sgSetProgres, this, [this](quint8 p) { slProgress(p); });
    connect(engine, &Exchange::sgGaveUp, this,
            [this](TypeParser type, QByteArray request) { slGaveUp(type, request); });
    connect(engine, &Exchange::sgTraffic, this,
            [this](Exchange::Traffic what, QByteArray bytes) { slTraffic(int(what), bytes); });
    connect(engine, &Exchange::sgPortLost, this, [this](QString reason) { slPortLost(reason); });
    // A failed request of the reporting kinds: the engine goes on with the
    // next one when nobody stops it, as after the answer Yes.
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
    engine->disconnect(this);
}

void PortJob::setTestPlan(const QByteArray &addresses, int rounds, int durationMs)
{
    testAddresses = addresses;
    testSteps = rounds * addresses.size();
    testDurationMs = durationMs;
}

QString PortJob::requestText(const QByteArray &request)
{
    QString text = QString::fromLatin1(request);
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}

void PortJob::start()
{
    stage = Stage::Connecting;
    clock.start();
    stopAfterIdentity = operation == Identify || operation == Test || operation == Measure;
    emit progress(stageName(), 0);
    if (!engine->openPort(portName)) {
        fail(QStringLiteral("cannot open the port: %1").arg(engine->openErrorString()));
        return;
    }
}

QString PortJob::stageName() const
{
    if (stage == Stage::Connecting)
        return operation == Read ? QStringLiteral("read") : QStringLiteral("connect");
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

void PortJob::slSetting(TypeParser type, const QByteArrayList &fields)
{
    if (type == ReadIdentity) {
        firmwareText = ReplyDecoder::text(fields.value(0));
        hardwareText = ReplyDecoder::text(fields.value(1));
        // As the window identifies a device: model, output kind, test
        // address rule and firmware variant.
        const Identification id(hardwareText);
        device.outType = id.outType(device.outType);
        transmitter = id.isTransmitter();
        rs485 = id.model() == Identification::Rs485;
        firmwareVariant = Identification::firmwareVariant(firmwareText);
        engine->setTransmitter(transmitter ? 1 : 0);
        engine->setVariant(firmwareVariant);
        identityOver = true;
        return;
    }
    if (type == ReadInputs && operation == Measure && stage == Stage::Working) {
        ++results;
        emit measured(clock.elapsed(), fields);
        if (results >= measureCount)
            QTimer::singleShot(0, this, &PortJob::finish);
        return;
    }
    ReplyDecoder::apply(type, fields, firmwareVariant, hardwareText, device);
}

void PortJob::slGaveUp(TypeParser type, const QByteArray &request)
{
    if (searching && (type == SetLinkRate || type == EnterCommand || type == ModuleDefaults)) {
        // An attempt of the rate search at a rate the module does not use.
        if (type == ModuleDefaults && ++moduleResetMisses == RateAttempts) {
            gaveUp.append(request);
            emit note(QStringLiteral("the radio module did not answer \"ATR\\r\" at any serial "
                                     "rate"));
        }
        return;
    }
    gaveUp.append(request);
    if (type == ReadIdentity) {
        // Told once, as the reason the job ends.
        identityOver = true;
        failureText = QStringLiteral("no answer to \"%1\" (identity)").arg(requestText(request));
        return;
    }
    emit note(QStringLiteral("no answer to \"%1\"%2").arg(requestText(request), kindOf(request)));
    if (type == ReadInputs && operation == Measure && stage == Stage::Working) {
        ++results;
        if (results >= measureCount)
            QTimer::singleShot(0, this, &PortJob::finish);
    }
}

void PortJob::slTraffic(int what, const QByteArray &bytes)
{
    if (searching && what == int(Exchange::Traffic::Sent) && bytes.startsWith("$0"))
        searching = false;
}

void PortJob::slProgress(quint8 percent)
{
    if (stage == Stage::Connecting && identityOver &&
        (stopAfterIdentity || !failureText.isEmpty())) {
        // Nothing after the identity is wanted (or, without one, possible):
        // the queue goes before its next request is sent, so the device is
        // left as it was.
        engine->clearParsers();
        if (failureText.isEmpty())
            QTimer::singleShot(0, this, &PortJob::startWork);
        else
            QTimer::singleShot(0, this, &PortJob::finish);
        return;
    }
    if (stage == Stage::Connecting ||
        (stage == Stage::Working && (operation == Write || operation == Defaults))) {
        emit progress(stageName(), percent);
        if (percent == 100)
            QTimer::singleShot(0, this,
                               stage == Stage::Connecting ? &PortJob::startWork : &PortJob::finish);
    }
}

void PortJob::slPortLost(const QString &reason)
{
    Q_UNUSED(reason)
    fail(QStringLiteral("the port was lost (device unplugged?)"));
}

void PortJob::startWork()
{
    if (stage != Stage::Connecting)
        return;
    stage = Stage::Working;
    switch (operation) {
    case Identify:
    case Read:
        finish();
        return;
    case Write: {
        emit progress(stageName(), 0);
        // As WRITE after opening a settings file: the whole record goes,
        // with the address list as the window's address panel writes it.
        data->settings = record;
        data->settings.adreses = AddressMask::normalized(record.adreses);
        engine->writeSettings();
        sent = data->settings; // the engine may have fixed the test address
        device = sent;
        return;
    }
    case Defaults: {
        emit progress(stageName(), 0);
        // As DEFAULT: the record the read brought, reset to the factory
        // values, then the restore sequence with its rate search.
        data->settings = device;
        FactoryDefaults::apply(data->settings, transmitter || rs485);
        searching = true;
        engine->writeDefaults();
        sent = data->settings;
        // The configuration goes at the factory serial rate whatever the
        // record says.
        sent.serialRate = FactoryDefaults::SerialRate;
        return;
    }
    case Test:
        emit progress(stageName(), 0);
        if (testDurationMs > 0)
            QTimer::singleShot(testDurationMs, this, [this] { stopTest = true; });
        // From the first address on, so that rounds poll every address
        // equally often.
        engine->resetTestPosition();
        engine->startTest(testAddresses);
        return;
    case Measure:
        emit progress(stageName(), 0);
        clock.restart();
        pollTimer = new QTimer(this);
        pollTimer->setInterval(1000);
        connect(pollTimer, &QTimer::timeout, this, &PortJob::pollInputs);
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
    engine->getValue();
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
        engine->clearParsers();
        QTimer::singleShot(0, this, &PortJob::finish);
    }
}

void PortJob::fail(const QString &why)
{
    if (failureText.isEmpty())
        failureText = why;
    QTimer::singleShot(0, this, &PortJob::finish);
}

void PortJob::finish()
{
    if (stage == Stage::Done)
        return;
    stage = Stage::Done;
    if (pollTimer)
        pollTimer->stop();
    engine->clearParsers();
    if (engine->isOpen())
        engine->openPort(portName); // closes it
    emit finished();
}

QList<SettingsDifference> PortJob::differences() const
{
    if (operation != Write && operation != Defaults)
        return {};
    return SettingsFields::compare(sent, device, firmwareVariant, hardwareText);
}

QList<const SettingsField *> PortJob::unverifiable() const
{
    QList<const SettingsField *> fields;
    if (operation == Write || operation == Defaults)
        SettingsFields::compare(sent, device, firmwareVariant, hardwareText, &fields);
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

int PortJob::exitCode(bool verify) const
{
    if (!failureText.isEmpty() || !gaveUp.isEmpty())
        return 1;
    if (verify && !differences().isEmpty())
        return 3;
    return 0;
}

QString PortJob::summary(bool verify) const
{
    QString line = portName + QLatin1String(": ");
    if (!failureText.isEmpty())
        return line + QLatin1String("FAILED, ") + failureText;
    line += QStringLiteral("%1, firmware %2 (variant %3)")
                .arg(hardwareText, firmwareText)
                .arg(firmwareVariant);
    if (!gaveUp.isEmpty())
        line += QStringLiteral(", %1 request(s) unanswered").arg(gaveUp.size());
    if (verify && (operation == Write || operation == Defaults)) {
        const int n = differences().size();
        line += n ? QStringLiteral(", %1 setting(s) differ").arg(n) : QStringLiteral(", verified");
    }
    line += exitCode(verify) ? QLatin1String(": FAILED") : QLatin1String(": ok");
    return line;
}
