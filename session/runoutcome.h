#pragma once

#include "protocol/devicesettings.h"
#include "protocol/typeparser.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The bookkeeping of one device operation (connect and identify, READ,
// WRITE, DEFAULT, a calibration step) from its start to the end of its run,
// and the one sentence that tells the user how it ended. It is fed what the
// exchange engine reports while the run goes on: the first send of each
// request, each read reply, each give-up, and a stop by the user. It knows
// nothing of widgets; the main window shows the sentence.
class RunOutcome
{
public:
    enum Operation
    {
        Idle,
        Connect,
        Read,
        Write,
        Defaults,
        Calibration,
    };

    // What a finished run found, beyond its sentence.
    struct Device
    {
        const DeviceSettings *held = nullptr; // the record after the run
        quint8 variant = 0;
        QString hardware;
        QString firmware;
    };

    // A new operation starts; whatever the last one recorded is forgotten.
    // `port` is the port as the port list shows it.
    void begin(Operation operation, const QString &port = QString());
    // How many requests the engine queued for the run.
    void setTotal(int requests) { total = requests; }
    // The record as the run sends it to the device (WRITE, DEFAULT).
    void setWritten(const DeviceSettings &record) { written = record; }
    // A calibration step in words: when the device takes it, when it does not.
    void setCalibrationStep(const QString &done, const QString &failed);
    // Ends the bookkeeping without a sentence (the link went, the port closed).
    void end() { op = Idle; }

    Operation operation() const { return op; }
    bool isRunning() const { return op != Idle; }

    void sent(const QByteArray &request);
    void answered(TypeParser type);
    void gaveUp(TypeParser type, const QByteArray &request);
    // The user answered the failed-request question with No; `notSent`
    // requests were dropped without being sent.
    void stopped(int notSent);

    // Connect: the device did not answer the identity request, though it
    // answered others.
    bool identityLost() const;
    // Connect: nothing at all came back.
    bool nothingAnswered() const;

    // The run is over: its sentence. The bookkeeping ends with it.
    QString finish(const Device &device);

    // A request as the user reads it: without its trailing CR / LF.
    static QString requestText(const QByteArray &request);

private:
    int answeredCount() const;
    QString countClause() const;
    QString stopClause() const;
    QString connectSentence(const Device &device) const;
    QString readSentence() const;
    QString writeSentence(const Device &device) const;

    Operation op = Idle;
    QString port;
    int total = 0;
    int notSent = 0;
    bool userStopped = false;
    QString stoppedAt;
    QList<QPair<TypeParser, QByteArray>> failures;
    QSet<int> replies; // the read reply kinds that came back
    DeviceSettings written;
    QString stepDone, stepFailed;
    bool stepGaveUp = false;
    // DEFAULT: the rate search runs until the configuration write goes out;
    // its unanswered attempts are expected. The module restored its factory
    // values if an "ATR" was followed by anything but its own give-up.
    bool searchOver = false;
    bool atrPending = false;
    bool moduleRestored = false;
};
