// The window's and rlx-cli's one file writer (rlx-cli's files: tst_clifiles): on a full disk the
// previous file stays; a FIFO or device node under the name (or a link's) is left alone.

#include "session/outputfile.h"
#include "tests/filesizelimit.h"

#include <QProcess>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestOutputFile : public QObject
{
    Q_OBJECT

private slots:
    void writersKeepWhatStandsThere_data()
    {
        QTest::addColumn<QString>("make"); // the shell command that puts it under the name
        QTest::addColumn<QString>("why");  // in the error
        // A plain FIFO under the name: tst_clifiles.
        QTest::newRow("full disk") << QString() << QString::fromLocal8Bit(strerror(EFBIG));
        QTest::newRow("link to a FIFO") << "mkfifo fifo && ln -s fifo target.txt"
                                        << "Not a regular file but a FIFO";
        QTest::newRow("device") << "mknod target.txt c 1 3"
                                << "Not a regular file but a device";
    }

    void writersKeepWhatStandsThere()
    {
        QFETCH(QString, make);
        QFETCH(QString, why);
        const bool full = make.isEmpty();
        if (make.startsWith("mknod") && geteuid() != 0)
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
        else
            QCOMPARE(QProcess::execute("sh", {"-c", "cd " + folder + " && " + make}), 0);
        const auto all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        const QStringList before = QDir(folder).entryList(all);
        struct stat was, is;
        QCOMPARE(lstat(path.constData(), &was), 0);

        {
            const FileSizeLimit limit(full ? 0 : RLIM_INFINITY); // no limit for the other rows
            QVERIFY(!OutputFile::write(name, "a longer new version of the file\n", &error));
        }
        QVERIFY2(error.contains(why), qPrintable(error));
        // The same thing stands there, with the same bytes, and nothing beside.
        QCOMPARE(lstat(path.constData(), &is), 0);
        QVERIFY(is.st_ino == was.st_ino && is.st_mode == was.st_mode);
        if (full) {
            QFile f(name);
            QVERIFY(f.open(QIODevice::ReadOnly) && f.readAll() == old);
        }
        QCOMPARE(QDir(folder).entryList(all), before);
    }
};

QTEST_MAIN(TestOutputFile)
#include "tst_outputfile.moc"
