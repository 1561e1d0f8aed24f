#include "app/portproblem.h"

#include "link/virtualports.h"
#include "protocol/portlock.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PortProblem", text);
}

// The group whose members may use the port: the device file's own group
// where it gives them reading and writing (dialout on Debian and Fedora, uucp
// on Arch), dialout for a device that says nothing of it.
QString serialGroup(const struct stat &info)
{
    const mode_t readWrite = S_IRGRP | S_IWGRP;
    if (info.st_gid != 0 && (info.st_mode & readWrite) == readWrite) {
        struct group entry;
        struct group *found = nullptr;
        char buffer[4096];
        if (::getgrgid_r(info.st_gid, &entry, buffer, sizeof buffer, &found) == 0 && found)
            return QString::fromLocal8Bit(found->gr_name);
    }
    return QStringLiteral("dialout");
}

} // namespace

QString PortProblem::describe(const QString &portName, QSerialPort::SerialPortError error,
                              const QString &errorString)
{
    if (portName.isEmpty())
        return tr("No serial port is chosen. Plug in the adapter and choose its port in the "
                  "list.");
    // A virtual device is listed under a name that says so; its port is the
    // path. The device is found by the serial line's own rule for names.
    const QString path = PortLock::devicePath(VirtualPorts::portOf(portName));
    if (error == QSerialPort::DeviceNotFoundError || path.isEmpty())
        return tr("The port %1 was not found. Check that the adapter is plugged in and choose "
                  "its port in the list.")
            .arg(portName);
    // A file, a folder, or a device that takes no line settings (the system
    // answers "inappropriate ioctl" when the port's settings are applied).
    struct stat info;
    const bool known = ::stat(QFile::encodeName(path).constData(), &info) == 0;
    if (known && (!S_ISCHR(info.st_mode) || error == QSerialPort::UnsupportedOperationError))
        return tr("%1 is not a serial port. Choose the port of the adapter in the list.")
            .arg(portName);
    if (error == QSerialPort::PermissionError) {
        // The same error stands for "not allowed" and for "taken"; the file's
        // permissions tell the two apart.
        if (known && ::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0)
            return tr("You have no permission to use the port %1. On Linux, add your user to "
                      "the %2 group (sudo usermod -aG %2 $USER), then log out and in again.")
                .arg(portName, serialGroup(info));
        // Taken by a program that left its name in the port's lock file.
        const QString holder = PortLock::holderOf(path).text();
        if (!holder.isEmpty())
            return tr("The port %1 is in use by %2. Close that program and connect again.")
                .arg(portName, holder);
        return tr("The port %1 is in use by another program. Close that program and connect "
                  "again.")
            .arg(portName);
    }
    return tr("The port %1 could not be opened: %2").arg(portName, errorString);
}

QString PortProblem::reason(const QString &portName, QSerialPort::SerialPortError error,
                            const QString &errorString)
{
    if (error == QSerialPort::PermissionError)
        return describe(portName, error, errorString);
    return errorString;
}

QString PortProblem::lost(const QString &portName)
{
    // The system's reason for a failed read or write on a vanished adapter is
    // a stale error number ("Resource temporarily unavailable", "Unknown
    // error"); what the user needs is what happened and what to do.
    return tr("The connection through the port %1 was lost: the adapter was unplugged or the "
              "device stopped answering.\n"
              "Check the cable, the adapter and the power of the device, choose the port in "
              "the list and connect again.")
        .arg(portName);
}
