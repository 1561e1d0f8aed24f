#include "tools/devsim/linelog.h"

#include <QFile>

#include <cstdio>

QByteArray LineLog::printable(const QByteArray &bytes)
{
    QByteArray t;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            t += "\\r";
        else if (c == '\n')
            t += "\\n";
        else if (c == '\\')
            t += "\\\\";
        else if (u >= 0x20 && u < 0x7F)
            t += c;
        else
            t += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
    }
    return t;
}

bool LineLog::open(const QString &fileName)
{
    delete file;
    file = new QFile(this);
    const bool ok =
        fileName == QLatin1String("-")
            ? file->open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered)
            : (file->setFileName(fileName),
               file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered));
    if (!ok) {
        delete file;
        file = nullptr;
    }
    return ok;
}

void LineLog::write(qint64 ms, char direction, const QByteArray &bytes, const QString &note)
{
    if (!file)
        return;
    QByteArray line =
        QByteArray::number(double(ms) / 1000.0, 'f', 3) + ' ' + direction + ' ' + printable(bytes);
    if (!note.isEmpty())
        line += "  (" + note.toUtf8() + ')';
    file->write(line + '\n');
}
