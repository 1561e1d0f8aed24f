#include "app/portproblem.h"

#include "link/virtualports.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("PortProblem", text);
}

} // namespace

QString PortProblem::describe(const QString &portName, QSerialPort::SerialPortError error,
                              const QString &errorString)
{
    if (portName.isEmpty())
        return tr("No serial port is chosen. Plug in the adapter and choose its port in the "
                  "list.");
    // The serial port module's own rule: a bare name lives in /dev. A virtual
    // device is listed under a name that says so; its port is the path.
    const QString port = VirtualPorts::portOf(portName);
    const QString path = port.startsWith(QLatin1Char('/')) ? port : QStringLiteral("/dev/") + port;
    if (error == QSerialPort::DeviceNotFoundError || !QFileInfo::exists(path))
        return tr("The port %1 was not found. Check that the adapter is plugged in and choose "
                  "its port in the list.")
            .arg(portName);
    // A file, a folder, or a device that takes no line settings (the system
    // answers "inappropriate ioctl" when the port's settings are applied).
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 &&
        (!S_ISCHR(info.st_mode) || error == QSerialPort::UnsupportedOperationError))
        return tr("%1 is not a serial port. Choose the port of the adapter in the list.")
            .arg(portName);
    if (error == QSerialPort::PermissionError) {
        // The same error stands for "not allowed" and for "taken"; the file's
        // permissions tell the two apart.
        if (::access(QFile::encodeName(path).constData(), R_OK | W_OK) != 0)
            return tr("You have no permission to use the port %1. On Linux, add your user to "
                      "the dialout group (sudo usermod -aG dialout $USER), then log out and in "
                      "again.")
                .arg(portName);
        return tr("The port %1 is in use by another program. Close that program and connect "
                  "again.")
            .arg(portName);
    }
    return tr("The port %1 could not be opened: %2").arg(portName, errorString);
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
