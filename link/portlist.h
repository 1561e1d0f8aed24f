#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QFileSystemWatcher;
class VirtualPorts;

// The names of the serial ports present on the system, in the system's order.
//
// Enumerating the serial ports scans every tty device of the system and costs
// tens of milliseconds of CPU, too much for a list the connection bar consults
// every second for as long as the program runs. So the device folders are
// watched, and the ports are enumerated again only after a folder changed
// (plus once more on the next call, for a device whose driver was still
// settling). Where no folder can be watched, every call enumerates.
//
// The system's list is followed by the virtual devices running on this
// desktop (VirtualPorts), so that the configurator can be tried and learnt
// without hardware; with none running the list is the system's alone.
class PortList : public QObject
{
    Q_OBJECT
public:
    using Source = std::function<QStringList()>;

    // The system's serial ports, watching /dev and /dev/serial/by-id, then
    // the virtual devices announced in `virtualFolder`.
    explicit PortList(QObject *parent = nullptr, const QString &virtualFolder = QString());
    // Ports named by `source`, enumerated again after a change in one of the
    // existing `folders`; with no folder to watch, on every call.
    PortList(Source source, const QStringList &folders, QObject *parent = nullptr);

    // The present ports. Enumerates at most once per call, and not at all
    // when nothing changed since the last enumeration.
    QStringList present();

    // How many times the ports were enumerated so far.
    int enumerations() const { return enumerationCount; }

    // One enumeration of the system's serial ports.
    static QStringList systemPorts();

private slots:
    void slFolderChanged();

private:
    void watchFolders();

    Source source;
    QStringList folders;
    QFileSystemWatcher *watcher;
    QStringList ports;
    VirtualPorts *virtualPorts = nullptr;
    int pendingEnumerations = 1; // the first call always enumerates
    int enumerationCount = 0;
};
