#include "session/devicesession.h"

#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/factorydefaults.h"
#include "protocol/logging.h"
#include "protocol/replydecoder.h"

DeviceSession::DeviceSession(QObject *parent)
    : QObject(parent), record(new Data(this)), exchange(new Exchange(this, record))
{
    connect(exchange, &Exchange::sgGetSetting, this,
            [this](TypeParser type, const QByteArrayList &fields) { take(type, fields); });
    connect(exchange, &Exchange::sgSent, this, [this](TypeParser type, QByteArray, bool repeat) {
        if (!repeat)
            outcome.sent(type);
    });
    connect(exchange, &Exchange::sgGaveUp, this,
            [this](TypeParser type, const QByteArray &request) {
                emit gaveUp(type, request, outcome.gaveUp(type, request));
            });
}

DeviceSession::~DeviceSession()
{
    // The engine may still hand out replies while the children go.
    exchange->disconnect(this);
}

void DeviceSession::setLine(Line *line)
{
    exchange->setLine(line);
}

void DeviceSession::setClock(Clock *clock)
{
    exchange->setClock(clock);
}

DeviceSettings &DeviceSession::settings()
{
    return record->settings;
}

const DeviceSettings &DeviceSession::settings() const
{
    return record->settings;
}

bool DeviceSession::openPort(const QString &port)
{
    identifiedNow = false;
    plausibleNow = false;
    return exchange->openPort(port);
}

bool DeviceSession::isOpen() const
{
    return exchange->isOpen();
}

void DeviceSession::take(TypeParser type, const QByteArrayList &fields)
{
    const ReplyDecoder::Decoded decoded =
        ReplyDecoder::decode(type, fields, firmwareVariant, hardwareText, record->settings);
    outcome.answered(type, decoded);
    if (type == ReadIdentity) {
        identify(ReplyDecoder::text(fields.value(0)), ReplyDecoder::text(fields.value(1)));
        return;
    }
    emit replyTaken(type, fields);
}

void DeviceSession::identify(const QString &firmware, const QString &hardware)
{
    const bool plausible = Identification::plausible(firmware, hardware);
    if (guarded && !plausible) {
        emit identityTaken(firmware, hardware);
        return;
    }
    plausibleNow = plausibleNow || plausible;
    firmwareText = firmware;
    hardwareText = hardware;
    identifiedNow = true;
    id = Identification(hardware);
    record->settings.outType = id.outType(record->settings.outType);
    qCDebug(lcWindow) << "slSetSettings"
                      << "type:" << record->settings.outType;
    transmitter = id.isTransmitter();
    firmwareVariant = Identification::firmwareVariant(firmware);
    qCDebug(lcWindow) << "versionFirmWare" << firmware << "digitalDate"
                      << Identification::digitalDate(firmware) << "variant" << firmwareVariant;
    exchange->setTransmitter(transmitter ? 1 : 0);
    exchange->setVariant(firmwareVariant);
    emit identityTaken(firmware, hardware);
}

void DeviceSession::read()
{
    exchange->readSettings();
    outcome.setTotal(exchange->queueLength());
}

void DeviceSession::write()
{
    exchange->writeSettings();
    // As queued: the engine may have put in the test address 255.
    outcome.setWritten(record->settings);
    outcome.setTotal(exchange->queueLength());
}

void DeviceSession::restoreDefaults()
{
    exchange->writeDefaults();
    DeviceSettings sent = record->settings;
    sent.serialRate = FactoryDefaults::SerialRate;
    outcome.setWritten(sent);
    outcome.setTotal(exchange->queueLength());
}

bool DeviceSession::watchdogOnByDefault() const
{
    return transmitter || id.model() == Identification::Rs485;
}

RunOutcome::Device DeviceSession::device() const
{
    RunOutcome::Device d;
    d.held = &record->settings;
    d.variant = firmwareVariant;
    d.hardware = hardwareText;
    d.firmware = firmwareText;
    return d;
}
