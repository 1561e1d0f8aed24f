#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

// The byte line to the device as the exchange engine uses it: opened by
// name, written a request at a time, read as bytes arrive. The running
// program talks through the serial port (SerialLine); a test can put an
// in-memory device behind the same calls and run it on a clock of its own.
class Line : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // False when the line cannot be opened; openError() and
    // openErrorString() then say why.
    virtual bool open(const QString &name) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual QSerialPort::SerialPortError openError() const = 0;
    virtual QString openErrorString() const = 0;

    // Puts the bytes on the line at once rather than on the next pass of the
    // event loop.
    virtual void write(const QByteArray &bytes) = 0;
    virtual QByteArray read(qint64 maxSize) = 0;
    virtual qint64 bytesAvailable() const = 0;
    // Throws away that many received bytes, the oldest first.
    virtual void skip(qint64 count) = 0;
    // Throws away everything received and not yet read.
    virtual void clearInput() = 0;

signals:
    void readyRead();
    // The line failed under its user (adapter unplugged, device gone) and has
    // been closed; `reason` is the text the user is shown.
    void lost(QString reason);
};
