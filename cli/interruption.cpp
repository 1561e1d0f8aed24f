#include "cli/interruption.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const int Handled[] = {SIGINT, SIGTERM, SIGHUP};

Interruption *installed = nullptr;
int writeEnd = -1; // read by the handler only

} // namespace

Interruption::Interruption(QObject *parent) : QObject(parent)
{
    if (installed)
        return;
    // Non-blocking both ways: the handler must never wait, and the reader
    // takes whatever is there.
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0)
        return;
    installed = this;
    writeEnd = fds[0];
    notifier = new QSocketNotifier(fds[1], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] { take(); });
    struct sigaction action = {};
    action.sa_handler = &Interruption::handler;
    sigemptyset(&action.sa_mask);
    // A read or write of the serial port or a file goes on after the handler.
    action.sa_flags = SA_RESTART;
    for (const int s : Handled)
        sigaction(s, &action, nullptr);
}

Interruption::~Interruption()
{
    if (installed != this)
        return;
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int s : Handled)
        sigaction(s, &action, nullptr);
    installed = nullptr;
    writeEnd = -1;
    delete notifier;
    close(fds[0]);
    close(fds[1]);
}

Interruption *Interruption::instance()
{
    return installed;
}

void Interruption::handler(int signalNumber)
{
    // Nothing but the write: everything else happens in the event loop.
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    const ssize_t written = write(writeEnd, &byte, 1);
    (void)written;
    errno = saved;
}

int Interruption::signalNumber()
{
    take();
    return first;
}

void Interruption::take()
{
    if (fds[1] < 0)
        return;
    unsigned char bytes[16];
    bool arrived = false;
    for (;;) {
        const ssize_t n = read(fds[1], bytes, sizeof bytes);
        if (n <= 0)
            break;
        for (ssize_t i = 0; i < n; ++i) {
            if (first != 0)
                leaveNow(bytes[i]);
            first = bytes[i];
            arrived = true;
        }
    }
    if (arrived)
        emit interrupted(first);
}

void Interruption::leaveNow(int signalNumber)
{
    // The user insists: no request is waited for any more. The ports go
    // back first; then the progress bar goes, so that the line stands alone.
    emit leaving(signalNumber);
    fflush(stdout);
    if (isatty(STDERR_FILENO) == 1)
        fputs("\r\x1b[K", stderr);
    fputs(qUtf8Printable(tr("rlx-cli: interrupted again: leaving now\n")), stderr);
    fflush(stderr);
    _exit(exitCode(signalNumber));
}
