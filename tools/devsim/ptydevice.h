#pragma once

#include "tools/devsim/devicemodel.h"
#include "tools/devsim/linefaults.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QRandomGenerator>

class QSocketNotifier;
class QTimer;
class LineLog;
class WakeTimer;

// Serves a DeviceModel behind a pseudo-terminal, in the Qt event loop. The
// slave side (for example /dev/pts/7) is the device's serial port as the
// configurator sees it; the master side is the device. The line faults of a
// real installation can be switched on at any time: requests left
// unanswered, late answers, answers cut into chunks, noise, 9600-baud pacing,
// and the adapter pulled out after a number of requests.
class PtyDevice : public QObject
{
    Q_OBJECT
public:
    using Rule = LineFaults::Rule;
    using Faults = LineFaults;

    // One request as the device received it, with what it answered.
    struct Record
    {
        qint64 ms = 0;          // time of arrival since the line was opened
        qint64 ns = 0;          // the same in nanoseconds
        qint64 answeredNs = -1; // when the answer's last byte was on the line (-1: not yet, none)
        quint64 serial = 0;     // numbers the requests of the line from 1
        QByteArray request;
        QByteArray reply; // as the model gave it, before faults
        bool answered = false;
    };

    explicit PtyDevice(DeviceModel *model, QObject *parent = nullptr);
    ~PtyDevice() override;

    // Creates the pseudo-terminal pair. False (with errorString) on failure.
    bool open();
    bool isOpen() const { return master >= 0; }
    QString slavePath() const { return path; }
    QString errorString() const { return error; }

    Faults &faults() { return f; }
    void setFaults(const Faults &faults) { f = faults; }
    void setSeed(quint32 seed) { random.seed(seed); }

    // Writes every request and answer with a time stamp to `fileName`
    // ("-" for standard error). False if the file cannot be opened.
    bool setLogFile(const QString &fileName);

    // Puts bytes on the line as they are, bypassing the model. What does not
    // fit into the port's buffer is lost, unless `waitForRoom` is set: then
    // the rest follows as the other side reads (a flood that gets through).
    void inject(const QByteArray &bytes, bool waitForRoom = false);
    // Closes both sides, as an adapter pulled out of its socket.
    void hangUp();

    // The line's clock: nanoseconds since open(), the time base of the records.
    qint64 lineTimeNs() const { return nowNs(); }

    DeviceModel *model() const { return dev; }
    QList<Record> records() const { return history; }
    QList<QByteArray> requests() const;
    int requestCount() const { return served; }
    // Every byte this device has put on the line: answers, injected bytes, noise.
    quint64 sentBytes() const { return sent; }
    void clearRecords() { history.clear(); }

signals:
    void sgRequest(QByteArray request); // a request arrived and was recognised
    void sgHungUp();

private slots:
    void slReadable();
    void slWake();
    void slLineNoise();

private:
    struct Piece
    {
        QByteArray bytes;     // still to be written
        QByteArray whole;     // the piece as queued, for the log
        qint64 notBefore = 0; // earliest start, ns
        int gapMs = 0;        // pause after the previous piece
        quint64 serial = 0;   // the request the piece ends the answer of (0: none)
        bool waitForRoom = false;
    };
    // Request bytes on their way to the device over a paced line.
    struct Arrival
    {
        qint64 due = 0; // ns: when the last byte has crossed the line
        QByteArray bytes;
    };

    qint64 nowNs() const { return clock.nsecsElapsed(); }
    qint64 now() const { return nowNs() / 1000000; }
    void deliver(const QByteArray &bytes, qint64 atNs);
    void serve(const DeviceModel::Reply &reply, qint64 atNs);
    void queueAnswer(const QByteArray &bytes, qint64 notBefore, quint64 serial);
    int writeRaw(const QByteArray &bytes, bool logged = true, bool waitForRoom = false);
    void markAnswered(quint64 serial);
    void pump();
    void schedulePumpAt(qint64 atNs);
    void arm();
    void scheduleLineNoise();
    void log(char direction, const QByteArray &bytes, const QString &note = QString());
    void closeFds();

    DeviceModel *dev;
    Faults f;
    int master = -1;
    int slave = -1;
    QString path;
    QString error;
    QSocketNotifier *readNotifier = nullptr;
    QSocketNotifier *roomNotifier = nullptr;
    // The line is paced to the microsecond.
    WakeTimer *wake;
    qint64 pumpDue = -1; // ns, -1: no pump pending
    QList<Arrival> arrivals;
    QTimer *idleTimer;
    QTimer *noiseTimer;
    QElapsedTimer clock;
    QRandomGenerator random{868};
    LineLog *traffic;

    QList<Piece> out;
    double lineFreeAt = 0; // pacing: when the line is free for the next byte, ns
    double inputFreeAt = 0;
    qint64 lastFinish = 0; // when the last piece was written, ns
    int served = 0;
    quint64 sent = 0;
    quint64 lastSerial = 0;
    bool hangUpPending = false;
    QList<Record> history;
};
