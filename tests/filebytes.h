#pragma once

// Whole files read and written by the tests.

#include <QByteArray>
#include <QFile>
#include <QString>

// A file's bytes, none when it cannot be read.
inline QByteArray fileBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
