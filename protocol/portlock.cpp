#include "protocol/portlock.h"

#include "protocol/logging.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// Where serial port lock files are kept. /var/lock is /run/lock on most
// systems; where a user may not write there (no member of the lock group),
// /tmp is shared by every user of the computer as well.
const char *const LockFolders[] = {"/run/lock", "/var/lock", "/tmp"};

// Whether the process that wrote a lock file still runs.
bool running(qint64 pid)
{
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno != EPERM))
        return false;
    // A process that has ended but was not yet waited for by its parent (a
    // zombie) has closed its files already: its port is free, and a
    // pseudo-terminal's number may already serve another device.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray line = stat.readAll();
    const int end = line.lastIndexOf(')'); // the name may hold spaces and brackets
    return end < 0 || line.mid(end + 2, 1) != "Z";
}

} // namespace

QString PortLock::Holder::text() const
{
    if (pid <= 0)
        return QString();
    const QString who =
        program.isEmpty()
            ? QCoreApplication::translate("PortLock", "process %1").arg(pid)
            : QCoreApplication::translate("PortLock", "%1 (process %2)").arg(program).arg(pid);
    return host.isEmpty() ? who
                          : QCoreApplication::translate("PortLock", "%1 on %2").arg(who, host);
}

PortLock::PortLock() = default;

PortLock::~PortLock() = default;

QString PortLock::devicePath(const QString &portName)
{
    if (portName.isEmpty())
        return QString();
    const bool path = portName.startsWith(QLatin1Char('/')) ||
                      portName.startsWith(QLatin1String("./")) ||
                      portName.startsWith(QLatin1String("../"));
    return QFileInfo(path ? portName : QStringLiteral("/dev/") + portName).canonicalFilePath();
}

QString PortLock::fileFor(const QString &devicePath)
{
    // By the device's number: two device files of one device (a node made
    // by hand beside the system's) are one port too.
    struct stat info;
    if (devicePath.isEmpty() || ::stat(QFile::encodeName(devicePath).constData(), &info) != 0 ||
        !S_ISCHR(info.st_mode))
        return QString();
    const QString name =
        QStringLiteral("/LCK.rlx.%1.%2").arg(major(info.st_rdev)).arg(minor(info.st_rdev));
    // RLX_LOCK_DIR names a folder of one's own instead (the tests give each
    // test one: pseudo-terminal numbers pass from one test to another, and a
    // lock is only meant for the programs of one test). A folder that is not
    // there or not writable is passed over, so that the lock is still taken.
    const QString own = qEnvironmentVariable("RLX_LOCK_DIR");
    const QFileInfo ownDir(own);
    if (!own.isEmpty() && ownDir.isDir() && ownDir.isWritable())
        return own + name;
    // A folder that already holds the file is where every program looks for
    // it, whichever other folders it may write to.
    for (const char *folder : LockFolders) {
        const QString file = QLatin1String(folder) + name;
        const QFileInfo dir{QLatin1String(folder)};
        if (dir.isDir() && dir.isReadable() && (QFileInfo::exists(file) || dir.isWritable()))
            return file;
    }
    return QString();
}

PortLock::Holder PortLock::holderOf(const QString &devicePath)
{
    const QString name = fileFor(devicePath);
    Holder holder;
    if (name.isEmpty() || !QFileInfo::exists(name))
        return holder;
    QString host;
    if (!QLockFile(name).getLockInfo(&holder.pid, &host, &holder.program))
        return Holder();
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        holder.host = host;
    // A file left by a process that is gone names nobody.
    else if (!running(holder.pid))
        return Holder();
    return holder;
}

bool PortLock::lock(const QString &devicePath)
{
    unlock();
    const QString name = fileFor(devicePath);
    if (name.isEmpty())
        return true;
    auto claim = std::make_unique<QLockFile>(name);
    // The holder's process decides, not the file's age: a port stays open
    // for as long as the user works with the device.
    claim->setStaleLockTime(0);
    if (claim->tryLock(0)) {
        file = std::move(claim);
        return true;
    }
    // The toolkit counts a holder that has ended but was not waited for as
    // running; its claim ended with it.
    qint64 pid = 0;
    QString host, program;
    if (claim->error() == QLockFile::LockFailedError && claim->getLockInfo(&pid, &host, &program) &&
        (host.isEmpty() || host == QSysInfo::machineHostName()) && !running(pid) &&
        claim->removeStaleLockFile() && claim->tryLock(0)) {
        file = std::move(claim);
        return true;
    }
    // Only another holder refuses the port. A lock file that cannot be
    // written (a full or read-only folder) leaves the port usable without
    // one, as where no lock folder is writable at all: the lock guards
    // against a second program, it must not keep the engineer off the device.
    qCDebug(lcProtocol) << "port lock" << name << "not taken:" << claim->error();
    return claim->error() != QLockFile::LockFailedError;
}

void PortLock::unlock()
{
    file.reset(); // removes the file
}

bool PortLock::isLocked() const
{
    return file && file->isLocked();
}
