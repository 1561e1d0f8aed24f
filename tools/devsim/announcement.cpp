#include "tools/devsim/announcement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

Announcement::~Announcement()
{
    withdraw();
}

QString Announcement::folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/rlx-devsim");
}

bool Announcement::publish(const QString &portPath, const QByteArray &hardware)
{
    withdraw();
    const QString dir = folder();
    if (!QDir().mkpath(dir))
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
