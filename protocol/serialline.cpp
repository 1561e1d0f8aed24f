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
    port->setPortName(name);
    port->setBaudRate(QSerialPort::Baud9600, QSerialPort::AllDirections);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    lastOpenError = QSerialPort::NoError;
    lastOpenErrorString.clear();
    if (port->open(QIODevice::ReadWrite))
        return true;
    lastOpenError = port->error();
    lastOpenErrorString = port->errorString();
    return false;
}

void SerialLine::close()
{
    port->close();
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
    emit lost(reason);
}
