// The files the window and rlx-cli write all go through one writer: on a full disk the
// previous file stays, and a FIFO, device node or folder under the name (or behind a link)
// is left alone. rlx-cli's own files: tst_clifiles.

#include "session/outputfile.h"
#include "tests/filesizelimit.h"

#include <QtTest>

#include <optional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
    const bool full = there == "full disk";
    if (there == "device" && geteuid() != 0)
        QSKIP("only root makes a device node");
    // Valgrind writes its own log under the file-size limit, and words the error itself.
    if (full && qEnvironmentVariableIsSet("RLX_MEMCHECK"))
        QSKIP("a file-size limit and Valgrind do not go together");
    const QString folder =
        QString(QTest::currentDataTag()).replace(QRegularExpression("\\W+"), "-");
    QVERIFY(QDir().mkdir(folder));
    const QString name = folder + "/target.txt";
    const QByteArray path = QFile::encodeName(name);
    const QByteArray old = "the previous file\n";
    QString error;
    if (full)
        QVERIFY2(OutputFile::write(name, old, &error), qPrintable(error));
    else if (there == "FIFO")
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
    else if (there == "folder")
        QVERIFY(QDir().mkdir(name));
    else if (there == "link to a FIFO")
        QVERIFY(mkfifo(QFile::encodeName(folder + "/fifo").constData(), 0600) == 0 &&
                symlink("fifo", path.constData()) == 0);
    else
        QCOMPARE(mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
    const auto entries = [&] {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot);
    };
    const QStringList before = entries();
    struct stat was, is;
    QCOMPARE(lstat(path.constData(), &was), 0);

    std::optional<FileSizeLimit> limit;
    if (full)
        limit.emplace(0);
    QVERIFY(!OutputFile::write(name, "a longer new version of the file\n", &error));
    limit.reset();
    QVERIFY2(error.contains(why), qPrintable(error));
    // The same thing stands there, with the same bytes, and nothing beside.
    QCOMPARE(lstat(path.constData(), &is), 0);
    QVERIFY(is.st_ino == was.st_ino && is.st_mode == was.st_mode);
    if (full) {
        QFile f(name);
        QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == old);
    }
    QCOMPARE(entries(), before);
}

QTEST_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
