#include "protocol/serialline.h"

#include "protocol/logging.h"

#include <QSerialPort>

SerialLine::SerialLine(QObject *parent) : Line(parent), port(new QSerialPort(this))
{
    connect(port, &QSerialPort::readyRead, this, &Line::readyRead);
    connect(port, &QSerialPort::errorOccurred, this, &SerialLine::portError);
}

bool SerialLine::open(const QString &name)
{
    lastOpenError = QSerialPort::NoError;
    lastOpenErrorString.clear();
    // The device itself, whatever the name: a symbolic link, a doubled slash
    // or a relative path leads to the same port, and the serial port module
    // locks a port by the name it is given. A name that leads to no file is
    // passed on as it is, for the module to report the port missing.
    const QString device = PortLock::devicePath(name);
    if (!device.isEmpty() && !claim.lock(device)) {
        const QString holder = PortLock::holderOf(device).text();
        lastOpenError = QSerialPort::PermissionError;
        lastOpenErrorString =
            QStringLiteral("%1 is in use by %2")
                .arg(device, holder.isEmpty() ? QStringLiteral("another program") : holder);
        return false;
    }
    port->setPortName(device.isEmpty() ? name : device);
    port->setBaudRate(QSerialPort::Baud9600, QSerialPort::AllDirections);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (port->open(QIODevice::ReadWrite))
        return true;
    claim.unlock();
    lastOpenError = port->error();
    lastOpenErrorString = port->errorString();
    return false;
}

void SerialLine::close()
{
    port->close();
    claim.unlock();
}

bool SerialLine::isOpen() const
{
    return port->isOpen();
}

void SerialLine::write(const QByteArray &bytes)
{
    port->write(bytes);
    // Out on the line now rather than on the next pass of the event loop:
    // the reply just handled may have left the window a lot of work (a new
    // panel arrangement after identification), and the line would stand idle
    // while it is done.
    writing = true;
    port->flush();
    writing = false;
}

QByteArray SerialLine::read(qint64 maxSize)
{
    return port->read(maxSize);
}

qint64 SerialLine::bytesAvailable() const
{
    return port->bytesAvailable();
}

void SerialLine::skip(qint64 count)
{
    port->skip(count);
}

void SerialLine::clearInput()
{
    port->clear(QSerialPort::Input);
}

void SerialLine::portError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
    case QSerialPort::WriteError:
        break;
    default:
        // NoError comes with every open and clearError; open failures are
        // reported by open's result.
        return;
    }
    if (!port->isOpen())
        return;
    if (writing) {
        QMetaObject::invokeMethod(
            this, [this, error] { portError(error); }, Qt::QueuedConnection);
        return;
    }
    // A hung-up line keeps reporting read errors for as long as the port
    // stays open, so the first one closes it.
    const QString reason = port->errorString();
    qCDebug(lcProtocol) << "port lost:" << reason;
    port->close();
    claim.unlock();
    emit lost(reason);
}
