#pragma once

#include <QObject>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP for rlx-cli. Killed at once, rlx-cli could
// leave a device with half a settings record and its radio module in command
// mode; so the handler does nothing but write the signal's number into a
// socket pair, and the event loop hands it to the commands, which end their
// sequences the way those end of themselves. A second signal while that
// runs leaves at once.
class Interruption : public QObject
{
    Q_OBJECT
public:
    // Installs the handlers for the lifetime of the object (one at a time).
    explicit Interruption(QObject *parent = nullptr);
    ~Interruption() override;

    // The one installed, or null.
    static Interruption *instance();

    // The first signal that arrived (0: none), taking in what arrived while
    // no event loop ran.
    int signalNumber();
    // The exit status of a process that ends at it: 128 and its number.
    static int exitCode(int signalNumber) { return 128 + signalNumber; }

signals:
    // The first signal; it is handed out once.
    void interrupted(int signalNumber);
    // A second signal: the process ends as soon as this returns; what holds
    // a port or a lock gives it back now.
    void leaving(int signalNumber);

private:
    void take();
    [[noreturn]] void leaveNow(int signalNumber);
    static void handler(int signalNumber);

    int fds[2] = {-1, -1}; // written by the handler, read here
    QSocketNotifier *notifier = nullptr;
    int first = 0;
};
