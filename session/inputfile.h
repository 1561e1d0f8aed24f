#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// Reads the files the configurator and rlx-cli take in (settings files and
// JSON), bounded: only a regular file is read, and only up to a size no such
// file comes near. A FIFO cannot hold the program on open, a link to
// /dev/zero or a huge file is refused at once instead of filling the memory.
class InputFile
{
public:
    // The whole of `fileName` into `bytes`, at most `maxSize` bytes. On
    // failure `bytes` is left as it was and `error` says why ("No such file
    // or directory", "Not a regular file but a FIFO"); the caller names the
    // file.
    static bool read(const QString &fileName, qint64 maxSize, QByteArray *bytes,
                     QString *error = nullptr);
    // The same from standard input, up to its end: there a pipe is what the
    // caller means, and it is waited for.
    static bool readStandardInput(qint64 maxSize, QByteArray *bytes, QString *error = nullptr);

    // What a file of mode `mode` (stat's st_mode) is, for a message: "a
    // folder", "a FIFO", "a device", ...
    static QString kindOf(mode_t mode);

private:
    // Reads `fd` to its end, at most `maxSize` bytes.
    static bool readAll(int fd, qint64 maxSize, QByteArray *bytes, QString *error);
};
