// Feeds arbitrary files to the settings-file loader. A file that loads must
// save back to bytes that load to the same record; a file that does not load
// must leave the record untouched.
#include "app/settingsfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

bool same(const DeviceSettings &a, const DeviceSettings &b)
{
    return SettingsFile::toBytes(a) == SettingsFile::toBytes(b);
}

QString fileName;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    // A file in memory where there is such a place: the runs are many.
    const QString dir = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    fileName = dir + QStringLiteral("/rlx-fuzz-%1.rlx").arg(getpid());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(bytes), int(size));
    {
        QFile file(fileName);
        check(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "temporary file");
        file.write(input);
    }
    DeviceSettings record;
    record.adreses = QStringLiteral("untouched");
    const DeviceSettings before = record;
    QString error;
    const bool loaded = SettingsFile::load(fileName, record, &error);
    QFile::remove(fileName);
    // Loading a file and decoding its bytes agree.
    DeviceSettings decoded = before;
    check(loaded == SettingsFile::fromBytes(input, decoded), "file and bytes disagree");
    check(!loaded || same(decoded, record), "file and bytes load differently");
    if (!loaded) {
        check(same(record, before), "a refused file changed the record");
        check(!error.isEmpty(), "a refused file without a reason");
        return 0;
    }
    DeviceSettings again;
    check(SettingsFile::fromBytes(SettingsFile::toBytes(record), again), "saved record reloads");
    check(same(again, record), "saved record reloads the same");
    return 0;
}
