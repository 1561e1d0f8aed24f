#pragma once

#include "protocol/devicesettings.h"
#include "protocol/settingsfields.h"
#include "protocol/stabilitytally.h"
#include "protocol/typeparser.h"
#include "session/readings.h"

#include <QByteArrayList>
#include <QObject>
#include <QStringList>

class Clock;
class DeviceSession;
class Line;
class Timer;

// One device on one port, driven through one operation by a device session
// of its own, as the window drives it: connect (identity, and for the
// settings operations the full read), then the operation. Nothing asks
// questions: a request that gives up is recorded and the sequence goes on,
// as after the answer Yes in the window. The line has no checksum, so what
// the job reports of the device's settings is what two readings agreed on
// (or, after a write, what one reading showed equal to the value written);
// it reads again, a few times at most, until they do. Several jobs run side
// by side on one event loop.
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

    // Readings of the settings at most, counting the first.
    static constexpr int MaxReadings = 4;
    // Identity requests at connecting before the device counts as not there.
    static constexpr int IdentityAttempts = 2;

    PortJob(const QString &port, Operation operation, QObject *parent = nullptr);
    ~PortJob() override;

    // The line and clock of the job's session (tests); by default the
    // serial port and the real clock. Not owned; set before start().
    void setLine(Line *line);
    void setClock(Clock *clock);

    // What Write gives the device, and the hardware the settings were read
    // from (empty: not known). A file from another model is refused unless
    // `force`.
    void setRecord(const DeviceSettings &settings, const QString &readFrom = QString(),
                   bool force = false)
    {
        record = settings;
        recordHardware = readFrom;
        forceModel = force;
    }
    // Test: the remote addresses, and either the rounds (every address polled
    // once a round) or the time to poll for.
    void setTestPlan(const QByteArray &addresses, int rounds, int durationMs);
    // Measure: how many times the inputs are asked for.
    void setMeasureCount(int count) { measureCount = count; }

    void start();
    bool isFinished() const { return stage == Stage::Done; }
    // SIGINT and the like: the job ends the way its sequence ends, without
    // cutting the line mid-request. The request on the line gets its reply
    // or gives up; nothing after it is sent but "ATO", when the job had put
    // the radio module in command mode and not taken it out again (and the
    // controller's rate after the module's new one, so that the two stay
    // together); then the port is closed. A job not started ends at once.
    void interrupt();
    bool interrupted() const { return stopping != Stop::None; }
    // The process leaves at once (a second interrupt): the port is closed
    // without another byte, so that its lock is not left behind.
    void releasePort();
    // What an interrupted job tells, a line each: for Write and Defaults
    // which settings went to the device and which did not, and what the
    // device may be left in. Empty when the job was not interrupted.
    QStringList interruptionNotes() const;

    QString port() const { return portName; }
    bool identified() const;
    QString hardware() const;
    QString firmware() const;
    quint8 variant() const;
    // The device's settings as the readings agreed on them (the read-back
    // for Write and Defaults); fields not read keep what the last reading
    // left, so use isRead() before showing one.
    DeviceSettings settings() const;
    // Whether the readings settled the field (fields the device does not
    // report count as read: they are the configurator's own).
    bool isRead(const SettingsField &field) const;
    // The device's fields the job should have read and did not.
    QList<const SettingsField *> notRead() const;
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
    // Test: the check ended before every planned poll was made.
    bool testCutShort() const;
    int testPolls() const { return stepsDone; }

    // 0 done; 1 the device did not answer, refused, or a setting could not
    // be read; 3 (with `verify`) the read-back differs from what was written.
    int exitCode(bool verify) const;
    // One line for the summary: the port and the outcome.
    QString summary(bool verify) const;

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
        Confirming, // reading again until the readings agree
        Done
    };
    // An interrupted job on its way out.
    enum class Stop
    {
        None,     // not interrupted
        Draining, // the request on the line is let finish
        Leaving,  // "ATO" is on its way
        Over,     // nothing more is sent
    };
    // A request of the write and restore sequences that went on the line.
    struct SentRequest
    {
        TypeParser type;
        enum
        {
            Waiting,
            Answered,
            Unanswered
        } answer;
    };

    void slIdentity(const QString &firmware, const QString &hardware);
    void slSetting(TypeParser type, const QByteArrayList &fields);
    void slProgress(quint8 percent);
    void slGaveUp(TypeParser type, const QByteArray &request, bool counts);
    void slPortLost();
    void slSent(TypeParser type, bool repeat);
    void endAfterHead();
    void leaveCommandMode();
    QString writeNote() const;
    QString operationName() const;
    void later(void (PortJob::*step)());
    void startWork();
    void runEnded();
    bool settledAll() const;
    void readAgain();
    void pollInputs();
    void testStepEnded();
    void fail(const QString &why);
    void finish();
    QString stageName() const;
    bool readsSettings() const
    {
        return operation == Read || operation == Write || operation == Defaults;
    }
    QList<const SettingsField *> wanted() const;

    QString portName;
    Operation operation;
    DeviceSession *session;
    Clock *clock;
    Stage stage = Stage::Idle;

    DeviceSettings record; // what Write gives the device
    QString recordHardware;
    bool forceModel = false;
    DeviceSettings sent; // what Write and Defaults gave it
    Readings readings;
    bool wantIdentity = false; // the identity is part of what the job reports
    QList<QByteArray> gaveUp;
    QString failureText;

    // Set when the connection is to stop after the identity (answered or
    // not): the queue is dropped before its next request goes out.
    bool stopAfterIdentity = false;
    bool identityOver = false;
    bool everIdentified = false; // the device identified itself plausibly
    int identityMisses = 0;
    // A write whose effect no read-back shows was not acknowledged.
    bool writeRefused = false;

    QByteArray testAddresses;
    int testSteps = 0; // steps to run, 0 for a timed check
    int testDurationMs = 0;
    int stepsDone = 0;
    bool stopTest = false;
    StabilityTally tally;

    Stop stopping = Stop::None;
    Stage stoppedIn = Stage::Idle;
    // A "+++" was answered and no "ATO" since: the radio module takes AT
    // commands instead of passing data on to the radio.
    bool commandMode = false;
    QList<SentRequest> sequenceSent; // Write, Defaults: the sequence so far

    int measureCount = 10;
    int polls = 0;
    int results = 0;
    Timer *pollTimer = nullptr;
    qint64 startedMs = 0;
};
