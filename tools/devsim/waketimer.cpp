#include "tools/devsim/waketimer.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/timerfd.h>
#include <unistd.h>

WakeTimer::WakeTimer(QObject *parent) : QObject(parent)
{
    fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd >= 0) {
        notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &WakeTimer::slActivated);
    }
}

WakeTimer::~WakeTimer()
{
    delete notifier;
    if (fd >= 0)
        ::close(fd);
}

void WakeTimer::startIn(qint64 ns)
{
    // Zero would disarm the timer: a due time already past fires at once.
    set(qMax<qint64>(1, ns));
}

void WakeTimer::stop()
{
    set(0);
}

void WakeTimer::set(qint64 ns)
{
    if (fd < 0)
        return;
    itimerspec wake{};
    wake.it_value.tv_sec = time_t(ns / 1000000000);
    wake.it_value.tv_nsec = long(ns % 1000000000);
    timerfd_settime(fd, 0, &wake, nullptr);
}

void WakeTimer::slActivated()
{
    quint64 expirations = 0;
    if (::read(fd, &expirations, sizeof expirations) < 0 && errno != EAGAIN)
        return;
    emit sgTimeout();
}
