#pragma once

#include "protocol/clock.h"

#include <QPointer>
#include <QVector>

#include <functional>

// A clock for tests: time stands still until the test moves it with
// advance(). Timers and deferred calls then fire in the order of their due
// times (those due at the same moment in the order they were set), including
// the ones set by whatever runs during the advance.
class ManualClock : public Clock
{
    Q_OBJECT
public:
    explicit ManualClock(QObject *parent = nullptr);
    ~ManualClock() override;

    Timer *newTimer(QObject *parent) override;
    void singleShot(int ms, QObject *context, std::function<void()> call) override;
    qint64 nowMs() const override { return current; }

    // Moves time forward by `ms`, firing everything due on the way.
    void advance(qint64 ms);
    // Moves time forward until `done` holds, checked after every firing, or
    // until `limitMs` have passed. Returns done().
    bool advanceUntil(const std::function<bool()> &done, qint64 limitMs);
    // Timers running and calls waiting.
    int pending() const { return entries.size(); }

    // Used by the clock's own timers.
    void schedule(Timer *timer);
    void cancel(Timer *timer);
    bool isScheduled(const Timer *timer) const;

private:
    struct Entry
    {
        qint64 due = 0;
        quint64 order = 0;
        QPointer<Timer> timer; // set for a timer, else a deferred call
        QPointer<QObject> context;
        std::function<void()> call;
    };
    int nextDue(qint64 until) const;
    void fire(int index);

    qint64 current = 0;
    quint64 nextOrder = 0;
    QVector<Entry> entries;
};
