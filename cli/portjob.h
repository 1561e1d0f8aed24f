#pragma once

#include "protocol/devicesettings.h"
#include "protocol/settingsfields.h"
#include "protocol/stabilitytally.h"
#include "protocol/typeparser.h"

#include <QByteArrayList>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

class Data;
class Exchange;
class QTimer;

// One device on one port, driven through one operation by its own exchange
// engine, as the window drives it: connect (identity, and for the settings
// operations the full read), then the operation. Nothing asks questions: a
// request that gives up is recorded and the sequence goes on, as after the
// answer Yes in the window. Several jobs run side by side on one event loop.
class PortJob : public QObject
{
    Q_OBJECT
public:
    enum Operation
    {
        Identify, // identity only
        Read,     // identity and the full read
        Write,    // full read, then the write-all sequence with its read-back
        Defaults, // full read, then the restore-defaults sequence with its read-back
        Test,     // identity, then the radio stability check
        Measure,  // identity, then the input values once a second
    };

    PortJob(const QString &port, Operation operation, QObject *parent = nullptr);
    ~PortJob() override;

    // What Write gives the device.
    void setRecord(const DeviceSettings &settings) { record = settings; }
    // Test: the remote addresses, and either the rounds (every address polled
    // once a round) or the time to poll for.
    void setTestPlan(const QByteArray &addresses, int rounds, int durationMs);
    // Measure: how many times the inputs are asked for.
    void setMeasureCount(int count) { measureCount = count; }

    void start();
    bool isFinished() const { return stage == Stage::Done; }

    QString port() const { return portName; }
    bool identified() const { return !hardwareText.isNull(); }
    QString hardware() const { return hardwareText; }
    QString firmware() const { return firmwareText; }
    quint8 variant() const { return firmwareVariant; }
    // The device's settings as the reads reported them (the read-back for
    // Write and Defaults).
    const DeviceSettings &settings() const { return device; }
    // What Write and Defaults gave the device.
    const DeviceSettings &written() const { return sent; }
    // Every request that gave up, in order.
    QList<QByteArray> unanswered() const { return gaveUp; }
    // Why the job ended before its operation was done; empty otherwise.
    QString failure() const { return failureText; }
    // Write and Defaults: fields read back otherwise than they were written,
    // and the fields this device does not report back.
    QList<SettingsDifference> differences() const;
    QList<const SettingsField *> unverifiable() const;
    QList<StabilityTally::Row> testRows() const;

    // 0 done; 1 the device did not answer or refused; 3 (with `verify`) the
    // read-back differs from what was written.
    int exitCode(bool verify) const;
    // One line for the summary: the port and the outcome.
    QString summary(bool verify) const;

    // The text of a request for messages: CR and LF escaped.
    static QString requestText(const QByteArray &request);

signals:
    // The stage the job is in ("connect", "write", ...) and its progress.
    void progress(const QString &stage, int percent);
    // Something worth a line on the side (a request that gave up).
    void note(const QString &text);
    // Measure: one answer (an1, an2, d1, d2), milliseconds after the start.
    void measured(qint64 elapsedMs, const QByteArrayList &values);
    void finished();

private:
    enum class Stage
    {
        Idle,
        Connecting,
        Working,
        Done
    };

    void slSetting(TypeParser type, const QByteArrayList &fields);
    void slProgress(quint8 percent);
    void slGaveUp(TypeParser type, const QByteArray &request);
    void slTraffic(int what, const QByteArray &bytes);
    void slPortLost(const QString &reason);
    void startWork();
    void pollInputs();
    void testStepEnded();
    void fail(const QString &why);
    void finish();
    QString stageName() const;

    QString portName;
    Operation operation;
    Data *data;
    Exchange *engine;
    Stage stage = Stage::Idle;

    DeviceSettings record; // what Write gives the device
    DeviceSettings device; // what the device reported
    DeviceSettings sent;   // what Write and Defaults gave it
    QString hardwareText, firmwareText;
    quint8 firmwareVariant = 0;
    bool transmitter = true;
    bool rs485 = false;
    QList<QByteArray> gaveUp;
    QString failureText;

    // Set when the connection is to stop after the identity (answered or
    // not): the queue is dropped before its next request goes out.
    bool stopAfterIdentity = false;
    bool identityOver = false;
    // Defaults: the rate search runs until the configuration write goes
    // out; its attempts give up silently by design.
    bool searching = false;
    int moduleResetMisses = 0;
    static constexpr int RateAttempts = 9;

    QByteArray testAddresses;
    int testSteps = 0; // steps to run, 0 for a timed check
    int testDurationMs = 0;
    int stepsDone = 0;
    bool stopTest = false;
    StabilityTally tally;

    int measureCount = 10;
    int polls = 0;
    int results = 0;
    QTimer *pollTimer = nullptr;
    QElapsedTimer clock;
};
