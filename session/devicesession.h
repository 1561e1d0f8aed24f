#pragma once

#include "protocol/typeparser.h"
#include "session/identification.h"
#include "session/runoutcome.h"

#include <QByteArrayList>
#include <QObject>

class Clock;
class Data;
class Exchange;
class Line;

// One device on one port, without a window: the exchange engine, the
// settings record, who the device is, and the bookkeeping of the operation
// running on it. The window and rlx-cli both drive devices through it, so
// that a reply means the same to both: the identity sets the model and the
// firmware variant here, read replies are decoded into the record here, and
// only what a well-formed reply carried in this run counts as read.
class DeviceSession : public QObject
{
    Q_OBJECT
public:
    explicit DeviceSession(QObject *parent = nullptr);
    ~DeviceSession() override;

    // The line and clock the engine works with (tests); by default the
    // serial port and the real clock. Not owned.
    void setLine(Line *line);
    void setClock(Clock *clock);

    Exchange *engine() const { return exchange; }
    Data *data() const { return record; }
    DeviceSettings &settings();
    const DeviceSettings &settings() const;

    // Opens the port (identity and full read queued) or, when it is open,
    // closes it; returns whether it is open afterwards. Either way the
    // device of the last connection counts as not identified until it
    // answers again.
    bool openPort(const QString &port);
    bool isOpen() const;

    // The device answered the identity request on this connection.
    bool identified() const { return identifiedNow; }
    // The last identity reply (kept after the port is closed, as the window
    // keeps the arrangement it set up).
    const Identification &identification() const { return id; }
    QString hardware() const { return hardwareText; }
    QString firmware() const { return firmwareText; }
    quint8 variant() const { return firmwareVariant; }
    bool isTransmitter() const { return transmitter; }
    // While set, an identity reply that does not look like the family's
    // (damaged on the line) is handed out but changes nothing: the device
    // does not count as identified by it. The window takes every identity
    // as it comes.
    void setIdentityGuarded(bool on) { guarded = on; }
    // The factory watchdog reset is on for transmitters and the RS-485 model.
    bool watchdogOnByDefault() const;

    // The device operations, each the start of a run of the engine whose
    // bookkeeping (requests queued, what goes to the device) is the run's.
    // The run itself is begun by the caller, who knows how to name it.
    void read();
    // The record as it is; receivers are written with the test address 255.
    void write();
    // The record as it is (reset to the factory values by the caller), with
    // the rate search; the configuration goes at the factory serial rate.
    void restoreDefaults();
    // What the last write or restore gave the device.
    DeviceSettings written() const { return outcome.writtenRecord(); }

    // The bookkeeping of the operation now running.
    RunOutcome &run() { return outcome; }
    const RunOutcome &run() const { return outcome; }
    // The device's part of the run's outcome.
    RunOutcome::Device device() const;

signals:
    // A device identified itself: the engine already has its variant and
    // transmitter flag, the record its output kind.
    void identityTaken(const QString &firmware, const QString &hardware);
    // A read reply other than the identity, after the record took it.
    void replyTaken(TypeParser type, const QByteArrayList &fields);
    // A request gave up. `counts` is false for what the operation expects to
    // go unanswered (the rate search of the restore sequence).
    void gaveUp(TypeParser type, const QByteArray &request, bool counts);

private:
    void take(TypeParser type, const QByteArrayList &fields);
    void identify(const QString &firmware, const QString &hardware);

    Data *record;
    Exchange *exchange;
    RunOutcome outcome;
    Identification id{QString()};
    QString hardwareText;
    QString firmwareText;
    quint8 firmwareVariant = 0;
    bool transmitter = true;
    bool identifiedNow = false;
    bool guarded = false;
    bool plausibleNow = false; // a plausible identity was taken on this connection
};
