#include "session/outputfile.h"

#include "session/inputfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("OutputFile", text);
}

} // namespace

QString OutputFile::refusal(const QString &fileName)
{
    // stat follows links: a link to a regular file is written through (the
    // save file replaces the link's target), a link to /dev/zero is not.
    struct stat st;
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0) {
        // Nothing there yet: the save file creates it, or says why it cannot
        // (a missing folder, say).
        if (errno == ENOENT)
            return QString();
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    if (S_ISREG(st.st_mode))
        return QString();
    return tr("Not a regular file but %1; it was left as it was")
        .arg(InputFile::kindOf(st.st_mode));
}

bool OutputFile::write(const QString &fileName, const QByteArray &bytes, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why.isEmpty() ? tr("The file could not be written") : why;
        return false;
    };
    const QString refused = refusal(fileName);
    if (!refused.isEmpty())
        return fail(refused);

    // Unbuffered: a full disk or a file-size limit shows at the write that
    // meets it, and every byte is out before the old file is replaced (the
    // commit then renames, and may fail on its own). A write that stops
    // short says why only when the rest is tried.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(file.errorString());
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done < bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
