#pragma once

#include <QSerialPort>
#include <QString>

// Puts a failed port open into words a service engineer can act on.
class PortProblem
{
public:
    static QString describe(const QString &portName, QSerialPort::SerialPortError error,
                            const QString &errorString);
};
