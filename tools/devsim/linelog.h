#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QFile;

// The virtual device's record of its line: one text line per request,
// answer or event, with the line's time in seconds, a direction mark and the
// bytes in printable form.
class LineLog : public QObject
{
public:
    explicit LineLog(QObject *parent = nullptr) : QObject(parent) {}

    // Writes to `fileName` ("-" for standard error) from now on. False if the
    // file cannot be opened; nothing is written then.
    bool open(const QString &fileName);
    // `direction`: '>' received, '<' sent, '!' an event of the line.
    void write(qint64 ms, char direction, const QByteArray &bytes, const QString &note = QString());

    // Control bytes and bytes outside ASCII as escapes ("\r", "\x00").
    static QByteArray printable(const QByteArray &bytes);

private:
    QFile *file = nullptr;
};
