#pragma once

#include <QObject>
#include <QStringList>

class QFileSystemWatcher;

// Virtual devices (rlx-devsim) running on this desktop, for the port list.
//
// Each running virtual device leaves a small file in the user's runtime
// folder, $XDG_RUNTIME_DIR/rlx-devsim/<process id>, with the path of its
// pseudo-terminal on the first line and its hardware text on the second. The
// folder is read again only after it (or the runtime folder that holds it)
// changed; between changes each call only checks that the devices it knows
// are still running, so a device that was killed without removing its file
// drops out of the list as well.
class VirtualPorts : public QObject
{
    Q_OBJECT
public:
    explicit VirtualPorts(const QString &folder = defaultFolder(), QObject *parent = nullptr);

    // One entry per running virtual device, in the order of their process
    // ids: the port path followed by " (virtual <hardware>)".
    QStringList names();

    // How many times the folder was read so far.
    int scans() const { return scanCount; }

    // The folder the virtual devices announce themselves in; empty, and no
    // virtual device listed, when XDG_RUNTIME_DIR is not set.
    static QString defaultFolder();
    // The name the port list shows for a virtual device.
    static QString nameFor(const QString &path, const QString &hardware);
    // The port to open for an entry of the port list: the path for a virtual
    // device (its entry in any language), the entry itself for any other port.
    static QString portOf(const QString &shown);
    // The entry as written without a language ("/dev/pts/3 (virtual
    // RLX-…)"), for output that programs read.
    static QString untranslated(const QString &shown);

private slots:
    void slChanged();

private:
    struct Entry
    {
        qint64 pid;
        QString path;
        QString hardware;
    };
    void scan();
    void watch();
    static bool running(const Entry &entry);

    QString folder;
    QFileSystemWatcher *watcher;
    QList<Entry> entries;
    bool dirty = true;
    int scanCount = 0;
};
