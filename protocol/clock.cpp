#include "protocol/clock.h"

#include "protocol/timer.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {

// A Timer over QTimer, precise to the millisecond: the retry intervals are
// part of the line's timing.
class QtTimer : public Timer
{
public:
    explicit QtTimer(QObject *parent) : Timer(parent), timer(new QTimer(this))
    {
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &QTimer::timeout, this, &Timer::timeout);
    }
    void start() override
    {
        timer->setSingleShot(isSingleShot());
        timer->start(interval());
    }
    void stop() override { timer->stop(); }
    bool isActive() const override { return timer->isActive(); }

private:
    QTimer *timer;
};

QElapsedTimer startedClock()
{
    QElapsedTimer t;
    t.start();
    return t;
}

} // namespace

Timer *Clock::newTimer(QObject *parent)
{
    return new QtTimer(parent);
}

void Clock::singleShot(int ms, QObject *context, std::function<void()> call)
{
    QTimer::singleShot(ms, Qt::PreciseTimer, context, std::move(call));
}

qint64 Clock::nowMs() const
{
    static const QElapsedTimer started = startedClock();
    return started.elapsed();
}

Clock *Clock::system()
{
    static Clock clock;
    return &clock;
}
