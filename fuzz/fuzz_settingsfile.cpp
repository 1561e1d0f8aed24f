// Feeds arbitrary files to the settings-file loader. A file that loads must
// save back to bytes that load to the same record; a file that does not load
// must leave the record untouched. Each loaded record is then saved over an
// earlier file under a file-size limit that the input chooses, as on a full
// disk: the save either replaces the file whole or fails and leaves it byte
// for byte as it was. The start-up check runs on the same file: it must
// replace it with its twelve bytes and port text and leave the record as it
// was, or, under the limit, give up and still leave the record as it was.
#include "session/settingsfile.h"
#include "tests/filesizelimit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <memory>
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
QString savedName;

QByteArray contents(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Saves `record` over a file that holds `old`, with writes past `limit`
// bytes failing.
void saveUnderLimit(const DeviceSettings &record, const DeviceSettings &old, rlim_t limit)
{
    check(SettingsFile::save(savedName, old), "a save without a limit");
    const QByteArray before = contents(savedName);
    check(before == SettingsFile::toBytes(old), "a saved file holds its record");
    bool saved;
    QString error;
    {
        FileSizeLimit full(limit);
        saved = SettingsFile::save(savedName, record, &error);
    }
    const QByteArray after = contents(savedName);
    if (saved) {
        check(after == SettingsFile::toBytes(record), "a save replaces the file whole");
    } else {
        check(after == before, "a failed save changed the previous file");
        check(!error.isEmpty(), "a failed save without a reason");
    }
    check(saved || limit < rlim_t(SettingsFile::toBytes(record).size()),
          "a save within the limit failed");
}

void startupCheck(const DeviceSettings &record, rlim_t limit, bool limited)
{
    DeviceSettings checked = record;
    bool done;
    {
        std::unique_ptr<FileSizeLimit> full(limited ? new FileSizeLimit(limit) : nullptr);
        done = SettingsFile::startupCheck(fileName, checked);
    }
    check(same(checked, record), "the start-up check changed the record");
    if (!limited)
        check(done, "the start-up check failed on a plain file");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    // A file in memory where there is such a place: the runs are many.
    const QString dir = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    fileName = dir + QStringLiteral("/rlx-fuzz-%1.rlx").arg(getpid());
    savedName = dir + QStringLiteral("/rlx-fuzz-saved-%1.rlx").arg(getpid());
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
    // Loading a file and decoding its bytes agree.
    DeviceSettings decoded = before;
    check(loaded == SettingsFile::fromBytes(input, decoded), "file and bytes disagree");
    check(!loaded || same(decoded, record), "file and bytes load differently");
    // The first byte chooses the file-size limit of the save and the check.
    const rlim_t limit = input.isEmpty() ? 0 : rlim_t(uchar(input.at(0))) % 64;
    if (!loaded) {
        check(same(record, before), "a refused file changed the record");
        check(!error.isEmpty(), "a refused file without a reason");
        startupCheck(before, limit, input.size() % 2 == 1);
        QFile::remove(fileName);
        return 0;
    }
    DeviceSettings again;
    check(SettingsFile::fromBytes(SettingsFile::toBytes(record), again), "saved record reloads");
    check(same(again, record), "saved record reloads the same");
    saveUnderLimit(record, before, limit);
    startupCheck(record, limit, input.size() % 2 == 1);
    QFile::remove(fileName);
    QFile::remove(savedName);
    return 0;
}
