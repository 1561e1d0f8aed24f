#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM and SIGHUP as events of the event loop. The system ends a program
// with SIGTERM (shutdown, kill) and the end of a session with SIGHUP; killed
// outright by them, the window would leave its serial port's lock file
// behind. Taken here, the window ends the way it does when the user quits:
// the port is closed and its lock removed.
//
// The signal handler itself only writes the signal's number to a socket pair
// (nothing else is safe in a handler); a notifier on the other end reports
// it. One object at a time: the previous handlers are back when it is gone.
class StopSignals : public QObject
{
    Q_OBJECT
public:
    explicit StopSignals(QObject *parent = nullptr);
    ~StopSignals() override;

    // The last signal taken, 0 before any.
    int received() const { return last; }

signals:
    void arrived(int signalNumber);

private:
    void take();

    QSocketNotifier *notifier = nullptr;
    int last = 0;
};
