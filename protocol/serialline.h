#pragma once

#include "protocol/line.h"
#include "protocol/portlock.h"

class QSerialPort;

// The device line over a serial port: 9600 baud, 8 data bits, no parity,
// one stop bit, no flow control. The port is opened as the device its name
// leads to and claimed for as long as it is open (PortLock), so that no other
// program opens the same device under another name meanwhile.
class SerialLine : public Line
{
    Q_OBJECT
public:
    explicit SerialLine(QObject *parent = nullptr);

    bool open(const QString &name) override;
    void close() override;
    bool isOpen() const override;
    QSerialPort::SerialPortError openError() const override { return lastOpenError; }
    QString openErrorString() const override { return lastOpenErrorString; }

    void write(const QByteArray &bytes) override;
    QByteArray read(qint64 maxSize) override;
    qint64 bytesAvailable() const override;
    void skip(qint64 count) override;
    void clearInput() override;

private:
    void portError(QSerialPort::SerialPortError error);

    QSerialPort *port;
    PortLock claim;
    QSerialPort::SerialPortError lastOpenError = QSerialPort::NoError;
    QString lastOpenErrorString;
    // Set while a request is being pushed out: a port error raised by that
    // write is handled from the event loop, once the engine's own calls that
    // led to the write are over.
    bool writing = false;
};
