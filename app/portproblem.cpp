#include "app/portproblem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

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
    // The serial port module's own rule: a bare name lives in /dev.
    const QString path =
        portName.startsWith(QLatin1Char('/')) ? portName : QStringLiteral("/dev/") + portName;
    if (error == QSerialPort::DeviceNotFoundError || !QFileInfo::exists(path))
        return tr("The port %1 was not found. Check that the adapter is plugged in and choose "
                  "its port in the list.")
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
