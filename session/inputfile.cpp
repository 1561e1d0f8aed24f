#include "session/inputfile.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("InputFile", text);
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

QString InputFile::kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return tr("a folder");
    if (S_ISFIFO(mode))
        return tr("a FIFO");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return tr("a device");
    if (S_ISSOCK(mode))
        return tr("a socket");
    return tr("a special file");
}

bool InputFile::read(const QString &fileName, qint64 maxSize, QByteArray *bytes, QString *error)
{
    // Anything but a regular file is refused before it is opened: opening a
    // device can do things of its own (a watchdog starts counting), and a
    // FIFO would wait for a writer. A link is followed to what it names.
    const QByteArray path = QFile::encodeName(fileName);
    struct stat st;
    if (::stat(path.constData(), &st) != 0)
        return fail(error, systemError(errno));
    if (!S_ISREG(st.st_mode))
        return fail(error, tr("Not a regular file but %1").arg(kindOf(st.st_mode)));
    if (st.st_size > maxSize)
        return fail(error, tr("Too large: more than %1 bytes").arg(maxSize));

    // Swapped for something else in the meantime: O_NONBLOCK keeps a FIFO
    // from holding the open, and the open file is looked at again.
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, systemError(errno));
    bool ok = false;
    if (::fstat(fd, &st) != 0)
        fail(error, systemError(errno));
    else if (!S_ISREG(st.st_mode))
        fail(error, tr("Not a regular file but %1").arg(kindOf(st.st_mode)));
    else
        ok = readAll(fd, maxSize, bytes, error);
    ::close(fd);
    return ok;
}

bool InputFile::readStandardInput(qint64 maxSize, QByteArray *bytes, QString *error)
{
    return readAll(STDIN_FILENO, maxSize, bytes, error);
}

bool InputFile::readAll(int fd, qint64 maxSize, QByteArray *bytes, QString *error)
{
    // In bounded reads, one byte past the limit at most: a file that grows
    // while it is read, or an endless pipe, cannot fill the memory.
    QByteArray data;
    char chunk[16 * 1024];
    while (data.size() <= maxSize) {
        const qint64 room = maxSize + 1 - data.size();
        const ssize_t n = ::read(fd, chunk, size_t(qMin<qint64>(room, qint64(sizeof chunk))));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(error, systemError(errno));
        if (n == 0)
            break;
        data.append(chunk, int(n));
    }
    if (data.size() > maxSize)
        return fail(error, tr("Too large: more than %1 bytes").arg(maxSize));
    *bytes = data;
    return true;
}
