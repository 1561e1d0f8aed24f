#pragma once

#include "protocol/line.h"
#include "tools/devsim/ptydevice.h"

#include <QRandomGenerator>

class Clock;
class DeviceModel;

// A DeviceModel behind the engine's line, in memory, timed by a Clock (a
// ManualClock in tests, so that a test moves time instead of waiting). What
// the engine writes goes to the model; its answers come back after their
// delay. The faults of PtyDevice apply the same way: requests left
// unanswered or answered late by prefix and count, a delay on every answer,
// answers in chunks with pauses, noise bytes within answers, and the line
// hung up after a number of requests. Pacing and noise between answers are
// left to the pseudo-terminal.
class ModelLine : public Line
{
    Q_OBJECT
public:
    ModelLine(DeviceModel *model, Clock *clock, QObject *parent = nullptr);

    bool open(const QString &name) override;
    void close() override;
    bool isOpen() const override { return opened; }
    QSerialPort::SerialPortError openError() const override { return lastOpenError; }
    QString openErrorString() const override { return lastOpenErrorString; }

    void write(const QByteArray &bytes) override;
    QByteArray read(qint64 maxSize) override;
    qint64 bytesAvailable() const override { return input.size(); }
    void skip(qint64 count) override { input.remove(0, int(qMin<qint64>(count, input.size()))); }
    void clearInput() override { input.clear(); }

    PtyDevice::Faults &faults() { return f; }
    // Where the line's noise comes from: one seed gives one run of noise.
    void setSeed(quint32 seed) { random.seed(seed); }
    // The next openings fail with this error and text (NoError: they succeed).
    void setOpenFailure(QSerialPort::SerialPortError error, const QString &text);
    // Puts bytes on the line as they are, `afterMs` from now, bypassing the model.
    void inject(const QByteArray &bytes, int afterMs = 0);
    // The line goes, as an adapter pulled out: closed, with `lost` raised.
    void hangUp(const QString &reason = QStringLiteral("The device was unplugged"));

    QList<PtyDevice::Record> records() const { return history; }
    QList<QByteArray> requests() const;
    int requestCount() const { return served; }
    void clearRecords() { history.clear(); }

signals:
    void sgRequest(QByteArray request); // a request arrived and was recognised

private:
    void serve(const DeviceModel::Reply &reply);
    void arrive(const QByteArray &bytes, int afterMs);

    DeviceModel *dev;
    Clock *clock;
    PtyDevice::Faults f;
    QRandomGenerator random{868};
    bool opened = false;
    // Answers on their way belong to the connection they were asked on.
    quint64 connection = 0;
    QByteArray input;
    QSerialPort::SerialPortError failure = QSerialPort::NoError;
    QString failureText;
    QSerialPort::SerialPortError lastOpenError = QSerialPort::NoError;
    QString lastOpenErrorString;
    int served = 0;
    QList<PtyDevice::Record> history;
};
