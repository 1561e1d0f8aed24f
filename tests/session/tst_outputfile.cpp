// Every file the window and rlx-cli write, in process: on a full disk the
// previous file stays as it was, and a FIFO, a device node or a folder under
// the name (or behind a link) is left alone. And the files they read: only a
// regular file of bounded size, refused at once otherwise.

#include "app/trafficlog.h"
#include "cli/commands.h"
#include "cli/commissioningreport.h"
#include "protocol/settingsfields.h"
#include "session/settingsfile.h"
#include "session/settingsjson.h"
#include "tests/filesizelimit.h"

#include <QtTest>

#include <optional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// rlx-cli's writer of CSV files.
struct CliText : Commands
{
    using Commands::writeText;
};

// A record whose every byte is `seed` (and texts that say so), so that two
// seeds give two different files of every kind.
DeviceSettings record(int seed)
{
    DeviceSettings s;
    for (const SettingsField &f : SettingsFields::all()) {
        if (f.isText())
            s.*f.text = QString::number(seed);
        else
            s.*f.byte = quint8(seed);
    }
    return s;
}

// Writes version `seed` of a file of the kind `writer` names.
bool write(const QString &writer, const QString &name, int seed, QString *error)
{
    if (writer == "settings file")
        return SettingsFile::save(name, record(seed), error);
    if (writer == "json")
        return SettingsJson::save(name, record(seed), error);
    if (writer == "csv")
        return CliText::writeText(name, QString("address,sent\n1,%1\n").arg(seed), error);
    if (writer == "report") {
        CommissioningReport report;
        report.hardware = QString::number(seed);
        return report.write(name, error);
    }
    TrafficLog log;
    for (int i = 0; i <= seed; ++i)
        log.add(TrafficLog::Kind::Sent, "ATS200?\r");
    return log.saveTo(name, error);
}

QString suffix(const QString &writer)
{
    return writer == "settings file" ? ".rlx"
           : writer == "json"        ? ".json"
           : writer == "csv"         ? ".csv"
           : writer == "report"      ? ".html"
                                     : ".txt";
}

QByteArray contents(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool sameRecord(const DeviceSettings &a, const DeviceSettings &b)
{
    return SettingsFile::toBytes(a) == SettingsFile::toBytes(b);
}

// A fresh folder for each row of a table.
QString freshFolder()
{
    static int count = 0;
    const QString folder = QStringLiteral("row%1").arg(++count);
    QDir().mkdir(folder);
    return folder;
}

} // namespace

class TestOutputFile : public QObject
{
    Q_OBJECT

private slots:
    void writersKeepWhatStandsThere_data();
    void writersKeepWhatStandsThere();
    void readersTakeBoundedRegularFiles_data();
    void readersTakeBoundedRegularFiles();
};

void TestOutputFile::writersKeepWhatStandsThere_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("there"); // what stands under the name
    for (const char *writer : {"settings file", "json", "csv", "report", "traffic log"})
        for (const char *there : {"full disk", "FIFO", "folder", "link to a FIFO", "device"})
            QTest::addRow("%s, %s", writer, there) << QString(writer) << QString(there);
}

void TestOutputFile::writersKeepWhatStandsThere()
{
    QFETCH(QString, writer);
    QFETCH(QString, there);
    if (there == "device" && geteuid() != 0)
        QSKIP("only root makes a device node");
    // Valgrind writes its own log under the process's file-size limit and
    // reports the failed write in words of its own.
    if (there == "full disk" && qEnvironmentVariableIsSet("RLX_MEMCHECK"))
        QSKIP("a file-size limit and Valgrind do not go together");
    const QString folder = freshFolder();
    const QString name = folder + "/target" + suffix(writer);
    const QByteArray path = QFile::encodeName(name);
    QString error;
    if (there == "full disk") {
        QVERIFY2(write(writer, name, 1, &error), qPrintable(error));
    } else if (there == "FIFO") {
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
    } else if (there == "folder") {
        QVERIFY(QDir().mkdir(name));
    } else if (there == "link to a FIFO") {
        QCOMPARE(mkfifo(QFile::encodeName(folder + "/fifo").constData(), 0600), 0);
        QCOMPARE(symlink("fifo", path.constData()), 0);
    } else {
        QCOMPARE(mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
    }
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    struct stat before;
    QCOMPARE(lstat(path.constData(), &before), 0);
    // (A FIFO would hold the test's own read.)
    const QByteArray old = there == "full disk" ? contents(name) : QByteArray();

    bool written;
    {
        std::optional<FileSizeLimit> full;
        if (there == "full disk")
            full.emplace(0);
        written = write(writer, name, 2, &error);
    }
    QVERIFY(!written);
    // Why, in the system's words or as what stands there.
    const QString why = there == "full disk" ? QString::fromLocal8Bit(strerror(EFBIG))
                        : there == "folder"  ? QString("Not a regular file but a folder")
                        : there == "device"  ? QString("Not a regular file but a device")
                                             : QString("Not a regular file but a FIFO");
    QVERIFY2(error.contains(why), qPrintable(error));
    // The same thing stands there, with the same bytes, and nothing beside.
    struct stat after;
    QCOMPARE(lstat(path.constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    if (there == "full disk")
        QCOMPARE(contents(name), old);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                    QDir::NoDotAndDotDot),
             entries);
}

void TestOutputFile::readersTakeBoundedRegularFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("there");
    QTest::addColumn<QString>("told"); // empty: read
    QTest::newRow("json, FIFO") << "in.json"
                                << "FIFO"
                                << "Not a regular file but a FIFO";
    QTest::newRow("json, folder") << "in.json"
                                  << "folder"
                                  << "Not a regular file but a folder";
    QTest::newRow("json, too large") << "in.json"
                                     << "too large"
                                     << "Too large";
    QTest::newRow("json, largest") << "in.json"
                                   << "largest"
                                   << "";
    for (const char *name : {"in.json", "in.rlx"}) {
        QTest::addRow("%s, link to /dev/zero", name) << name << "link to /dev/zero"
                                                     << "Not a regular file but a device";
        QTest::addRow("%s, device", name) << name << "device"
                                          << "Not a regular file but a device";
    }
}

void TestOutputFile::readersTakeBoundedRegularFiles()
{
    QFETCH(QString, name);
    QFETCH(QString, there);
    QFETCH(QString, told);
    if (there == "device" && geteuid() != 0)
        QSKIP("only root makes a device node");
    name = freshFolder() + '/' + name;
    const QByteArray path = QFile::encodeName(name);
    const qint64 limit = SettingsJson::MaxJsonSize;
    // The largest JSON taken: a record, padded up to the limit.
    QByteArray largest = QJsonDocument(SettingsJson::toJson(record(3))).toJson();
    largest += QByteArray(int(limit - largest.size()), ' ');
    if (there == "FIFO") {
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
    } else if (there == "link to /dev/zero") {
        QCOMPARE(symlink("/dev/zero", path.constData()), 0);
    } else if (there == "device") {
        QCOMPARE(mknod(path.constData(), S_IFCHR | 0600, makedev(1, 5)), 0);
    } else if (there == "folder") {
        QVERIFY(QDir().mkdir(name));
    } else {
        QFile file(name);
        const QByteArray bytes = there == "largest" ? largest : QByteArray(int(limit + 1), ' ');
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    DeviceSettings settings = record(1);
    QString error;
    const bool read = SettingsJson::load(name, settings, &error);
    if (told.isEmpty()) {
        QVERIFY2(read, qPrintable(error));
        QVERIFY(sameRecord(settings, record(3)));
        // Bytes read already (standard input, say) are taken the same way.
        settings = record(1);
        QVERIFY2(SettingsJson::fromBytes(largest, true, settings, &error), qPrintable(error));
        QVERIFY(sameRecord(settings, record(3)));
        return;
    }
    QVERIFY(!read);
    QVERIFY2(error.startsWith(told), qPrintable(error));
    QVERIFY(sameRecord(settings, record(1)));
}

QTEST_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
