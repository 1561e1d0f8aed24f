#include "link/portlist.h"

#include "link/virtualports.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSerialPortInfo>

#include <utility>

PortList::PortList(QObject *parent, const QString &virtualFolder)
    : PortList(&PortList::systemPorts,
               {QStringLiteral("/dev"), QStringLiteral("/dev/serial/by-id")}, parent)
{
    virtualPorts = new VirtualPorts(
        virtualFolder.isEmpty() ? VirtualPorts::defaultFolder() : virtualFolder, this);
}

PortList::PortList(Source source, const QStringList &folders, QObject *parent)
    : QObject(parent), source(std::move(source)), folders(folders),
      watcher(new QFileSystemWatcher(this))
{
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, &PortList::slFolderChanged);
    watchFolders();
}

QStringList PortList::systemPorts()
{
    QStringList names;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos)
        names.append(info.portName());
    return names;
}

QStringList PortList::present()
{
    // Without a watched folder no change would ever be seen.
    const bool blind = watcher->directories().isEmpty();
    if (blind || pendingEnumerations > 0) {
        if (pendingEnumerations > 0)
            --pendingEnumerations;
        ports = source();
        ++enumerationCount;
        // A folder that appeared since (by-id comes with the first USB
        // serial adapter) is watched from now on.
        watchFolders();
    }
    if (virtualPorts)
        return ports + virtualPorts->names();
    return ports;
}

void PortList::slFolderChanged()
{
    // A device node appears as soon as the kernel adds the device; enumerate
    // at the next call and once more after it, in case the first look came
    // before the device was complete.
    pendingEnumerations = 2;
}

void PortList::watchFolders()
{
    const QStringList watched = watcher->directories();
    for (const QString &folder : qAsConst(folders)) {
        if (!watched.contains(folder) && QFileInfo(folder).isDir())
            watcher->addPath(folder);
    }
}
