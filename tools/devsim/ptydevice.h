#pragma once

#include "tools/devsim/devicemodel.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QRandomGenerator>

class QFile;
class QSocketNotifier;
class QTimer;

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
    // Requests whose text begins with `prefix` get no answer (`delayMs` < 0)
    // or a late one; `count` limits the rule to that many requests (-1: all).
    struct Rule
    {
        QByteArray prefix;
        int delayMs = -1;
        int count = -1;
    };

    struct Faults
    {
        QList<Rule> rules;
        int replyDelayMs = 0;   // every answer starts this much after its request
        int chunkSize = 0;      // answers are cut into pieces of this many bytes (0: whole)
        int chunkPauseMs = 0;   // pause between two pieces of an answer
        double noise = 0.0;     // chance per answer byte that a random byte precedes it
        double lineNoise = 0.0; // random bytes per second sent between answers
        bool pace = false;      // 9600 baud, 8N1: about 1.04 ms per byte, both ways
        int hangUpAfter = 0;    // close the line once this many requests are served (0: never)
    };

    // One request as the device received it, with what it answered.
    struct Record
    {
        qint64 ms = 0; // time of arrival since the line was opened
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

    // Puts bytes on the line as they are, bypassing the model.
    void inject(const QByteArray &bytes);
    // Closes both sides, as an adapter pulled out of its socket.
    void hangUp();

    DeviceModel *model() const { return dev; }
    QList<Record> records() const { return history; }
    QList<QByteArray> requests() const;
    int requestCount() const { return served; }
    void clearRecords() { history.clear(); }

signals:
    void sgRequest(QByteArray request); // a request arrived and was recognised
    void sgHungUp();

private slots:
    void slReadable();
    void slPump();
    void slLineNoise();

private:
    struct Piece
    {
        QByteArray bytes;     // still to be written
        QByteArray whole;     // the piece as queued, for the log
        qint64 notBefore = 0; // earliest start, ms
        int gapMs = 0;        // pause after the previous piece
    };

    qint64 now() const { return clock.elapsed(); }
    void deliver(const QByteArray &bytes);
    void serve(const DeviceModel::Reply &reply);
    void queueAnswer(const QByteArray &bytes, qint64 notBefore);
    void writeRaw(const QByteArray &bytes, bool logged = true);
    void schedulePump(qint64 inMs);
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
    QTimer *pumpTimer;
    QTimer *idleTimer;
    QTimer *noiseTimer;
    QElapsedTimer clock;
    QRandomGenerator random{868};
    QFile *logFile = nullptr;

    QList<Piece> out;
    double lineFreeAt = 0; // pacing: when the line is free for the next byte, ms
    double inputFreeAt = 0;
    qint64 lastFinish = 0; // when the last piece was written, ms
    int served = 0;
    bool hangUpPending = false;
    QList<Record> history;
};
