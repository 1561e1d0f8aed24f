#include "link/virtualports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>

#include <algorithm>
#include <cerrno>
#include <csignal>

namespace {

// What follows the path of a virtual device in the port list, in the
// language of the texts.
QString marker()
{
    return QStringLiteral(" (") + QCoreApplication::translate("VirtualPorts", "virtual") +
           QLatin1Char(' ');
}

// Where the path of a virtual device's entry ends: at " (" in an entry that
// ends with ")". Device paths hold no " (", and the entry may have been
// made in another language (a list made before the language changed, the
// remembered port, a name typed or pasted into rlx-cli), so the marker's
// word itself is not looked at.
int pathEnd(const QString &shown)
{
    return shown.endsWith(QLatin1Char(')')) ? shown.indexOf(QLatin1String(" (")) : -1;
}

} // namespace

VirtualPorts::VirtualPorts(const QString &folder, QObject *parent)
    : QObject(parent), folder(folder), watcher(new QFileSystemWatcher(this))
{
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, &VirtualPorts::slChanged);
    watch();
}

QString VirtualPorts::defaultFolder()
{
    // Only where XDG_RUNTIME_DIR points, as the virtual device announces. A
    // desktop session without it has no runtime folder to share; the
    // toolkit's own lookup would warn about that at every start and fall
    // back to a folder no device writes to.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!QDir::isAbsolutePath(runtime))
        return QString();
    return runtime + QStringLiteral("/rlx-devsim");
}

QString VirtualPorts::nameFor(const QString &path, const QString &hardware)
{
    return path + marker() + hardware + QLatin1Char(')');
}

QString VirtualPorts::portOf(const QString &shown)
{
    const int end = pathEnd(shown);
    return end > 0 ? shown.left(end) : shown;
}

QString VirtualPorts::untranslated(const QString &shown)
{
    const int end = pathEnd(shown);
    const int hardware = end > 0 ? shown.indexOf(QLatin1Char(' '), end + 2) : -1;
    if (hardware < 0)
        return shown;
    return shown.left(end) + QLatin1String(" (virtual") + shown.mid(hardware);
}

QStringList VirtualPorts::names()
{
    if (dirty) {
        dirty = false;
        scan();
        watch();
    }
    QStringList out;
    for (const Entry &entry : qAsConst(entries)) {
        if (running(entry))
            out.append(nameFor(entry.path, entry.hardware));
    }
    return out;
}

void VirtualPorts::slChanged()
{
    dirty = true;
}

void VirtualPorts::scan()
{
    ++scanCount;
    entries.clear();
    if (folder.isEmpty())
        return; // nowhere to look
    const QDir dir(folder);
    if (!dir.exists())
        return;
    for (const QString &name : dir.entryList(QDir::Files)) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (!ok || pid <= 0)
            continue;
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // Two short lines; anything longer is not an announcement.
        const QByteArray text = file.read(4096);
        const QList<QByteArray> lines = text.split('\n');
        if (lines.size() < 2 || !lines.at(0).startsWith('/'))
            continue;
        entries.append({pid, QString::fromLocal8Bit(lines.at(0)),
                        QString::fromLatin1(lines.at(1)).simplified()});
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.pid < b.pid; });
}

void VirtualPorts::watch()
{
    if (folder.isEmpty())
        return;
    // The runtime folder tells when the announcement folder is made.
    const QStringList watched = watcher->directories();
    for (const QString &path : {QFileInfo(folder).path(), folder}) {
        if (!watched.contains(path) && QFileInfo(path).isDir())
            watcher->addPath(path);
    }
}

bool VirtualPorts::running(const Entry &entry)
{
    // A device that was killed leaves its file; its process and its
    // pseudo-terminal are gone.
    if (::kill(pid_t(entry.pid), 0) != 0 && errno != EPERM)
        return false;
    return QFileInfo::exists(entry.path);
}
