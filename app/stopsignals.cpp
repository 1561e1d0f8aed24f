#include "app/stopsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const int Taken[] = {SIGTERM, SIGHUP};

// [0] is written by the handler, [1] read by the notifier.
int ends[2] = {-1, -1};
struct sigaction previous[2];

void onSignal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    // A full socket already holds signals enough to end the program.
    const ssize_t written = ::write(ends[0], &byte, 1);
    Q_UNUSED(written)
    errno = saved;
}

} // namespace

StopSignals::StopSignals(QObject *parent) : QObject(parent)
{
    if (ends[0] >= 0 ||
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0) {
        qWarning("StopSignals: SIGTERM and SIGHUP are left to end the program outright");
        return;
    }
    notifier = new QSocketNotifier(ends[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopSignals::take);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < 2; ++i)
        ::sigaction(Taken[i], &action, &previous[i]);
}

StopSignals::~StopSignals()
{
    if (!notifier)
        return;
    for (int i = 0; i < 2; ++i)
        ::sigaction(Taken[i], &previous[i], nullptr);
    delete notifier;
    ::close(ends[0]);
    ::close(ends[1]);
    ends[0] = ends[1] = -1;
}

void StopSignals::take()
{
    char bytes[16];
    ssize_t count;
    while ((count = ::read(ends[1], bytes, sizeof bytes)) > 0) {
        for (ssize_t i = 0; i < count; ++i) {
            last = bytes[i];
            emit arrived(last);
        }
    }
}
