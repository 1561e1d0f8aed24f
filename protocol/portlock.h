#pragma once

#include <QString>

#include <memory>

class QLockFile;

// This program's claim on a serial port while the port is open: one claim per
// device, whatever name the port was opened by. A port reached through a
// symbolic link (/dev/serial/by-id/...), with a doubled slash or by a
// relative path is the same device, and a second program must not open it
// while the first one talks to the device: the two would take each other's
// replies.
//
// The claim is a lock file named after the device's number, in the system's
// lock folder (/run/lock, /var/lock, or /tmp where those are not writable).
// It holds the process id, the program name and the host (the toolkit's lock
// file format), so that a refusal can say who holds the port. A lock file left
// by a process that is gone is taken over.
class PortLock
{
public:
    // Who holds a port.
    struct Holder
    {
        qint64 pid = 0; // 0: nobody, or not known
        QString program;
        QString host; // empty: this computer

        // "rlx-configurator (process 1234)", with " on <host>" when the
        // holder runs on another computer; empty when not known.
        QString text() const;
    };

    PortLock();
    ~PortLock();
    PortLock(const PortLock &) = delete;
    PortLock &operator=(const PortLock &) = delete;

    // The device file a port name leads to, by the serial port module's rule
    // for names: a bare name (ttyUSB0) lives in /dev, a name that starts with
    // "/", "./" or "../" is a path; symbolic links, "." and ".." and doubled
    // slashes resolved. Empty when the name leads to no file.
    static QString devicePath(const QString &portName);
    // The lock file of the character device at `devicePath`; empty for a
    // file that is no character device, or when no lock folder is usable.
    static QString fileFor(const QString &devicePath);
    // Who holds the device at `devicePath` now, by its lock file.
    static Holder holderOf(const QString &devicePath);

    // Claims the device at `devicePath` (as devicePath() gives it). False
    // when another process holds it. A device that cannot be locked (no
    // usable lock folder, no device number) counts as claimed: the serial
    // port module's own lock by name is all there is for it then.
    bool lock(const QString &devicePath);
    // Gives the claim back; the lock file is removed.
    void unlock();
    bool isLocked() const;

private:
    std::unique_ptr<QLockFile> file;
};
