#include "tools/devsim/announcement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

Announcement::~Announcement()
{
    withdraw();
}

QString Announcement::folder()
{
    // Only where XDG_RUNTIME_DIR points: that is where configurators of this
    // desktop session look. Without it there is no such place (and the
    // toolkit's own lookup would warn and make up a folder nobody reads).
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!QDir::isAbsolutePath(runtime))
        return QString();
    return runtime + QStringLiteral("/rlx-devsim");
}

bool Announcement::publish(const QString &portPath, const QByteArray &hardware)
{
    withdraw();
    const QString dir = folder();
    if (dir.isEmpty() || !QDir().mkpath(dir))
        return false;
    const QString name =
        dir + QLatin1Char('/') + QString::number(QCoreApplication::applicationPid());
    // Written aside and renamed, so a reader never sees half a file.
    QSaveFile out(name);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(portPath.toLocal8Bit() + '\n' + hardware + '\n');
    if (!out.commit())
        return false;
    file = name;
    return true;
}

void Announcement::withdraw()
{
    if (!file.isEmpty())
        QFile::remove(file);
    file.clear();
}
