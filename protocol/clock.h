#pragma once

#include <QObject>

#include <functional>

class Timer;

// Where the engine's time comes from: its timers and its deferred calls. This
// one runs on the event loop's real time; a test supplies a clock whose time
// moves only when the test says so.
class Clock : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // A stopped timer, owned by `parent`.
    virtual Timer *newTimer(QObject *parent);
    // Calls `call` once, `ms` from now, unless `context` is gone by then.
    virtual void singleShot(int ms, QObject *context, std::function<void()> call);
    // Milliseconds since some fixed moment.
    virtual qint64 nowMs() const;

    // The real clock shared by whoever is given no other.
    static Clock *system();
};
