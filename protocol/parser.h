#pragma once

#include "protocol/parserparam.h"

#include <QByteArrayList>
#include <QObject>

class Clock;
class Timer;

// The request at the head of the engine's queue (the engine turns it to each
// new head). It asks for its request to be written, repeats it on its
// own timer until the repeat budget is spent, and scans the received bytes for
// the reply template, collecting the reply's fields. The scan state survives
// between chunks, so a reply may arrive split in any way.
class Parser : public QObject
{
    Q_OBJECT
public:
    // No real reply field comes near this length (the longest are the
    // hardware and version texts); a longer one is noise and restarts the scan.
    static constexpr int MaxFieldLength = 255;

    // The repeat timer comes from `clock` (the real clock when none is given).
    Parser(QObject *parent, const ParserParam &param, Clock *clock = nullptr);

    // Turns the parser to another request, as if it had just been made for
    // it: the record replaced, the timer stopped (its interval the new
    // request's), the retry count at 0 and a fresh scan. The exchange engine
    // keeps one parser for the head of its queue and turns it to each
    // request that becomes the head.
    void reset(const ParserParam &param);
    void start(); // retry count to 0, timer (re)started, request sent
    void send();  // matcher reset, request asked for
    void stop();  // timer stopped: no more sends or give-ups until the next start()
    bool isRunning() const;

    // Feeds one received chunk. Returns true when a reply completed within it;
    // `out` then holds its fields and the rest of the chunk is ignored.
    bool parse(const QByteArray &data, QByteArrayList &out);

    TypeParser type() const { return param.type; }
    QByteArray request() const { return param.request; }
    // A complete reply matched since the last send.
    bool done() const { return isDone; }
    // 0 while the request goes out for the first time, then the repeat number.
    quint8 attempt() const { return retryCount; }

    void setRequest(const QByteArray &request) { param.request = request; }
    void setAnswer(const QByteArray &answer) { param.answer = answer; }
    void setMask(const QByteArray &mask) { param.mask = mask; }

signals:
    void sgRequest(QByteArray request);
    void sgTimeout();

private slots:
    void slTimer();

private:
    void resetMatcher();
    // A byte broke the match: the scan starts again with the next byte.
    void restartScan();

    ParserParam param;
    QByteArrayList fields;
    bool isDone = false;
    quint8 retryCount = 0;
    Timer *timer;
    int position = 0; // index into both the template and the mask
    char previousMask = '1';
    char terminator = 0;
};
