#pragma once

#include "protocol/devicesettings.h"
#include "protocol/replydecoder.h"
#include "protocol/typeparser.h"

#include <QByteArray>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

struct SettingsField;

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
    const DeviceSettings &writtenRecord() const { return written; }
    // A calibration step in words: when the device takes it, when it does not.
    void setCalibrationStep(const QString &done, const QString &failed);
    // Ends the bookkeeping without a sentence (the link went, the port closed).
    void end() { op = Idle; }

    Operation operation() const { return op; }
    bool isRunning() const { return op != Idle; }

    // A request went on the line for the first time.
    void sent(TypeParser type);
    // A read reply was taken; `decoded` says which fields it confirmed.
    void answered(TypeParser type, const ReplyDecoder::Decoded &decoded = {});
    // A request gave up. Returns false when that was expected (an attempt of
    // the restore sequence's rate search at a rate the module does not use)
    // and so is no failure of the run.
    bool gaveUp(TypeParser type, const QByteArray &request);
    // The user answered the failed-request question with No; `notSent`
    // requests were dropped without being sent.
    void stopped(int notSent);

    // Connect: the device did not answer the identity request, though it
    // answered others.
    bool identityLost() const;
    // Connect: nothing at all came back.
    bool nothingAnswered() const;
    // DEFAULT: the radio module answered "ATR" at one of the serial rates tried.
    bool moduleRestored() const { return restored; }
    // Whether a reply of this run carried the field as the device sends it.
    bool confirmed(const SettingsField *field) const { return confirmedFields.contains(field); }
    // The fields a full read reports for this device whose replies came
    // (their requests did not give up) but did not carry them well formed:
    // a wrong number of fields, or a field empty or damaged.
    QList<const SettingsField *> notRead(quint8 variant, const QString &hardware) const;

    // The run is over: its sentence. The bookkeeping ends with it.
    QString finish(const Device &device);

    // A request as the user reads it: without its trailing CR / LF, other
    // control bytes written out ("\\r", "<1b>").
    static QString requestText(const QByteArray &request);

private:
    int answeredCount() const;
    QString countClause() const;
    QString stopClause() const;
    QString connectSentence(const Device &device) const;
    QString readSentence() const;
    QString notReadClause(const Device &device) const;
    QString writeSentence(const Device &device) const;

    Operation op = Idle;
    QString port;
    int total = 0;
    int notSent = 0;
    bool userStopped = false;
    QString stoppedAt;
    QList<QPair<TypeParser, QByteArray>> failures;
    QSet<int> replies; // the read reply kinds that came back
    QSet<const SettingsField *> confirmedFields;
    DeviceSettings written;
    QString stepDone, stepFailed;
    bool stepGaveUp = false;
    // DEFAULT: the rate search runs until the configuration write goes out;
    // its unanswered attempts are expected. The module restored its factory
    // values if an "ATR" was followed by anything but its own give-up.
    bool searchOver = false;
    bool atrPending = false;
    bool restored = false;
};
