#pragma once

#include <QObject>

class QSocketNotifier;

// A single-shot timer to the nanosecond on the monotonic clock (a timerfd),
// for the line pacing, which the event loop's millisecond timers cannot do.
class WakeTimer : public QObject
{
    Q_OBJECT
public:
    explicit WakeTimer(QObject *parent = nullptr);
    ~WakeTimer() override;

    // False when the system gave no timer.
    bool isValid() const { return fd >= 0; }
    // Fires once, `ns` (at least 1) nanoseconds from now.
    void startIn(qint64 ns);
    void stop();

signals:
    void sgTimeout();

private:
    void set(qint64 ns);
    void slActivated();

    int fd = -1;
    QSocketNotifier *notifier = nullptr;
};
