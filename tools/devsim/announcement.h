#pragma once

#include <QString>

// Makes a running virtual device known to configurators on the same desktop:
// a small file in the user's runtime folder ($XDG_RUNTIME_DIR/rlx-devsim/),
// named after the process id and holding the port's path on its first line
// and the device's hardware text on the second. The file goes away with the
// object; a device that was killed leaves it behind, and readers skip it
// because its process is gone.
class Announcement
{
public:
    Announcement() = default;
    ~Announcement();
    Announcement(const Announcement &) = delete;
    Announcement &operator=(const Announcement &) = delete;

    // Writes the file. False (and no file) when XDG_RUNTIME_DIR is not set
    // or the folder cannot be made.
    bool publish(const QString &portPath, const QByteArray &hardware);
    // Removes the file, if any.
    void withdraw();

    QString fileName() const { return file; }

    // The folder every announcement goes to; empty when XDG_RUNTIME_DIR is
    // not set.
    static QString folder();

private:
    QString file;
};
