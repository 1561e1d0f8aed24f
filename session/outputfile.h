#pragma once

#include <QByteArray>
#include <QString>

// Every file the configurator and rlx-cli write goes through here: settings
// files, JSON, CSV, reports and the traffic log. A file is written aside and
// renamed into place only when every byte is out, so a full disk, a file-size
// limit or a lost medium leaves the previous file byte for byte as it was.
//
// A name that stands for anything but a regular file (a folder, a FIFO, a
// device node, or a link to one of these) is refused and left alone: the
// rename would put a plain file in its place, and a device node or a FIFO is
// never what an engineer meant to replace with settings.
class OutputFile
{
public:
    // Writes `bytes` as the whole new contents of `fileName`. On failure the
    // previous file is kept, nothing is left beside it, and `error` says why
    // ("No space left on device"); the caller names the file.
    static bool write(const QString &fileName, const QByteArray &bytes, QString *error = nullptr);

    // Why `fileName` may not be replaced, or an empty text when nothing
    // stands under the name or a regular file does (also through a link).
    static QString refusal(const QString &fileName);
};
