// The files the window and rlx-cli write all go through one writer: on a full
// disk the previous file stays, and a FIFO, device node or folder under the name
// (or behind a link) is left alone. The traffic log stands for them here; rlx-cli's
// own files: tst_clifiles.

#include "app/trafficlog.h"
#include "tests/filesizelimit.h"

#include <QtTest>

#include <optional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Writes version `seed` of a traffic log (`seed` + 1 lines).
bool write(const QString &name, int seed, QString *error)
{
    TrafficLog log;
    for (int i = 0; i <= seed; ++i)
        log.add(TrafficLog::Kind::Sent, "ATS200?\r");
    return log.saveTo(name, error);
}

QByteArray contents(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestOutputFile : public QObject
{
    Q_OBJECT

private slots:
    void writersKeepWhatStandsThere_data();
    void writersKeepWhatStandsThere();
};

void TestOutputFile::writersKeepWhatStandsThere_data()
{
    QTest::addColumn<QString>("there"); // what stands under the name
    QTest::addColumn<QString>("why");   // in the error
    QTest::newRow("full disk") << QString("full disk") << QString::fromLocal8Bit(strerror(EFBIG));
    for (const char *there : {"FIFO", "folder", "link to a FIFO", "device"})
        QTest::newRow(there) << QString(there)
                             << "Not a regular file but a " + QString(there).section(' ', -1);
}

void TestOutputFile::writersKeepWhatStandsThere()
{
    QFETCH(QString, there);
    QFETCH(QString, why);
    if (there == "device" && geteuid() != 0)
        QSKIP("only root makes a device node");
    // Valgrind writes its own log under the file-size limit, and words the error itself.
    if (there == "full disk" && qEnvironmentVariableIsSet("RLX_MEMCHECK"))
        QSKIP("a file-size limit and Valgrind do not go together");
    const QString folder =
        QString(QTest::currentDataTag()).replace(QRegularExpression("\\W+"), "-");
    QVERIFY(QDir().mkdir(folder));
    const QString name = folder + "/target.txt";
    const QByteArray path = QFile::encodeName(name);
    QString error;
    if (there == "full disk") {
        QVERIFY2(write(name, 1, &error), qPrintable(error));
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
    const QByteArray old = there == "full disk" ? contents(name) : QByteArray();

    bool written;
    {
        std::optional<FileSizeLimit> full;
        if (there == "full disk")
            full.emplace(0);
        written = write(name, 2, &error);
    }
    QVERIFY(!written);
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

QTEST_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
