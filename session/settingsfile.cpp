#include "session/settingsfile.h"

#include "protocol/settingsfields.h"
#include "session/inputfile.h"
#include "session/outputfile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Byte fields travel as signed 8-bit integers holding the record's unsigned
// byte bit for bit.
void put(QDataStream &out, quint8 value)
{
    out << qint8(value);
}

void get(QDataStream &in, quint8 &value)
{
    qint8 v = 0;
    in >> v;
    value = quint8(v);
}

// Texts are a 32-bit byte count and UTF-16 code units, both big-endian; the
// count 0xFFFFFFFF stands for a null text. The count is checked against the
// bytes that are really there before anything is allocated for it.
void get(QDataStream &in, QString &text)
{
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return;
    if (count == 0xFFFFFFFFu) {
        text = QString();
        return;
    }
    if ((count & 1) || qint64(count) > in.device()->bytesAvailable()) {
        in.setStatus(QDataStream::ReadCorruptData);
        return;
    }
    QByteArray raw(int(count), Qt::Uninitialized);
    if (in.readRawData(raw.data(), int(count)) != int(count)) {
        in.setStatus(QDataStream::ReadPastEnd);
        return;
    }
    QString result(int(count / 2), Qt::Uninitialized);
    for (int i = 0; i < result.size(); ++i)
        result[i] = QChar(ushort((uchar(raw[2 * i]) << 8) | uchar(raw[2 * i + 1])));
    text = count == 0 ? QStringLiteral("") : result;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("SettingsFile", text);
}

} // namespace

void SettingsFile::setVersion(QDataStream &stream)
{
    stream.setVersion(QDataStream::Qt_5_15);
    stream.setByteOrder(QDataStream::BigEndian);
}

// The file holds the fields in the order of the settings table: the twelve
// leading bytes (the head, which the start-up check writes alone), then the
// port text and the rest.
void SettingsFile::writeFields(QDataStream &out, const DeviceSettings &s, int from, int to)
{
    const QList<SettingsField> &fields = SettingsFields::all();
    for (int i = from; (to < 0 || i < to) && i < fields.size(); ++i) {
        const SettingsField &f = fields.at(i);
        if (f.isText())
            out << s.*f.text;
        else
            put(out, s.*f.byte);
    }
}

void SettingsFile::readFields(QDataStream &in, DeviceSettings &s, int from, int to)
{
    const QList<SettingsField> &fields = SettingsFields::all();
    for (int i = from; (to < 0 || i < to) && i < fields.size(); ++i) {
        const SettingsField &f = fields.at(i);
        if (f.isText())
            get(in, s.*f.text);
        else
            get(in, s.*f.byte);
    }
}

QByteArray SettingsFile::toBytes(const DeviceSettings &settings)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    setVersion(out);
    writeFields(out, settings, 0, AllFields);
    return bytes;
}

bool SettingsFile::fromBytes(const QByteArray &bytes, DeviceSettings &settings)
{
    if (bytes.size() > MaxFileSize)
        return false;
    // The stream yields zeros and empty texts past the end and keeps going
    // after an error, so read into a copy and look at the status once.
    DeviceSettings loaded = settings;
    QDataStream in(bytes);
    setVersion(in);
    readFields(in, loaded, 0, AllFields);
    if (in.status() != QDataStream::Ok)
        return false;
    settings = loaded;
    return true;
}

bool SettingsFile::save(const QString &fileName, const DeviceSettings &settings, QString *error)
{
    // Written aside and renamed into place, every byte checked on the way;
    // a FIFO, a device node or a folder under the name is left alone.
    return OutputFile::write(fileName, toBytes(settings), error);
}

bool SettingsFile::load(const QString &fileName, DeviceSettings &settings, QString *error)
{
    // Only a regular file, and no more of it than a settings file can hold:
    // a FIFO or a link to /dev/zero is refused before it is read.
    QByteArray bytes;
    if (!InputFile::read(fileName, MaxFileSize, &bytes, error))
        return false;
    if (!fromBytes(bytes, settings)) {
        if (error)
            *error = tr("The file is damaged or incomplete.");
        return false;
    }
    return true;
}

bool SettingsFile::startupCheck(const QString &fileName, DeviceSettings &settings, QString *why)
{
    auto skip = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    QByteArray written;
    {
        QDataStream out(&written, QIODevice::WriteOnly);
        setVersion(out);
        writeFields(out, settings, 0, HeadFields + 1); // and the port text
    }

    // Whatever stands under this name in the working directory was put there
    // by someone else: a link is not followed (O_NOFOLLOW), a FIFO cannot hold
    // the start-up (O_NONBLOCK), and nothing is truncated before it is known
    // to be a plain file of its own.
    const QByteArray path = QFile::encodeName(fileName);
    const int fd =
        ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return skip(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1) {
        ::close(fd);
        return skip(tr("This is not a regular file of its own."));
    }
    if (::ftruncate(fd, 0) != 0) {
        const int e = errno;
        ::close(fd);
        return skip(QString::fromLocal8Bit(std::strerror(e)));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return skip(file.errorString());
    }
    if (file.write(written) != written.size() || !file.flush() || !file.seek(0))
        return skip(file.errorString());
    const QByteArray back = file.read(written.size() + 1);
    file.close();
    // Only a faithful round trip says anything about the record.
    if (back != written)
        return skip(tr("The bytes read back differ from the bytes written."));

    DeviceSettings readBack = settings;
    QDataStream in(back);
    setVersion(in);
    readFields(in, readBack, 0, HeadFields);
    if (in.status() != QDataStream::Ok)
        return skip(tr("The bytes read back could not be read."));
    settings = readBack;
    return true;
}
