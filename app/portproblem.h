#pragma once

#include <QSerialPort>
#include <QString>

// Puts a port that failed into words a service engineer can act on.
class PortProblem
{
public:
    // Why the port, as the port list shows it, could not be opened.
    static QString describe(const QString &portName, QSerialPort::SerialPortError error,
                            const QString &errorString);
    // Why the port could not be opened, for rlx-cli's "cannot open the
    // port: ...": a port the user may not use or another program holds in
    // the words describe() gives (they say what to do about it), any other
    // failure in the system's.
    static QString reason(const QString &portName, QSerialPort::SerialPortError error,
                          const QString &errorString);
    // The open port failed under the program: the adapter is gone or broken.
    static QString lost(const QString &portName);
};
