#include "tools/devsim/manualclock.h"

#include "protocol/timer.h"

namespace {

class ManualTimer : public Timer
{
public:
    ManualTimer(ManualClock *clock, QObject *parent) : Timer(parent), clock(clock) {}
    ~ManualTimer() override
    {
        if (clock)
            clock->cancel(this);
    }
    void start() override
    {
        if (clock)
            clock->schedule(this);
    }
    void stop() override
    {
        if (clock)
            clock->cancel(this);
    }
    bool isActive() const override { return clock && clock->isScheduled(this); }

private:
    QPointer<ManualClock> clock;
};

} // namespace

ManualClock::ManualClock(QObject *parent) : Clock(parent) {}

ManualClock::~ManualClock() = default;

Timer *ManualClock::newTimer(QObject *parent)
{
    return new ManualTimer(this, parent);
}

void ManualClock::singleShot(int ms, QObject *context, std::function<void()> call)
{
    Entry e;
    e.due = current + qMax(0, ms);
    e.order = nextOrder++;
    e.context = context;
    e.call = std::move(call);
    entries.append(e);
}

void ManualClock::schedule(Timer *timer)
{
    cancel(timer);
    Entry e;
    e.due = current + qMax(0, timer->interval());
    e.order = nextOrder++;
    e.timer = timer;
    entries.append(e);
}

void ManualClock::cancel(Timer *timer)
{
    for (int i = entries.size() - 1; i >= 0; --i) {
        if (entries.at(i).timer == timer)
            entries.removeAt(i);
    }
}

bool ManualClock::isScheduled(const Timer *timer) const
{
    for (const Entry &e : entries) {
        if (e.timer == timer)
            return true;
    }
    return false;
}

// The entry that fires first among those due by `until`, or -1.
int ManualClock::nextDue(qint64 until) const
{
    int best = -1;
    for (int i = 0; i < entries.size(); ++i) {
        const Entry &e = entries.at(i);
        if (e.due > until)
            continue;
        if (best < 0 || e.due < entries.at(best).due ||
            (e.due == entries.at(best).due && e.order < entries.at(best).order))
            best = i;
    }
    return best;
}

void ManualClock::fire(int index)
{
    const Entry e = entries.takeAt(index);
    current = qMax(current, e.due);
    if (e.timer) {
        // A repeating timer is due again one interval on; at least a
        // millisecond, so that a zero interval cannot stop time.
        if (!e.timer->isSingleShot()) {
            Entry again = e;
            again.due = current + qMax(1, e.timer->interval());
            again.order = nextOrder++;
            entries.append(again);
        }
        emit e.timer->timeout();
    } else if (e.context && e.call) {
        e.call();
    }
}

void ManualClock::advance(qint64 ms)
{
    const qint64 until = current + qMax<qint64>(0, ms);
    for (int i = nextDue(until); i >= 0; i = nextDue(until))
        fire(i);
    current = qMax(current, until);
}

bool ManualClock::advanceUntil(const std::function<bool()> &done, qint64 limitMs)
{
    const qint64 until = current + qMax<qint64>(0, limitMs);
    while (!done()) {
        const int i = nextDue(until);
        if (i < 0) {
            current = qMax(current, until);
            return done();
        }
        fire(i);
    }
    return true;
}
