// rlx-cli's files and standard output as a caller's shell sets them up: a
// full disk (a file-size limit), a FIFO or a device node under an output
// name, standard output full, closed or a pipe nobody reads, and inputs that
// never end.

#include "tests/devsimprocess.h"
#include "tests/filesizelimit.h"

#include <QElapsedTimer>
#include <QtTest>

#include <optional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct Run
{
    int code = -1; // -1: it did not end by itself, or a signal ended it
    QString out, err;
    qint64 ms = 0;
};

// Runs the bash script `around`, in which CLI stands for rlx-cli with `args`
// ("exec CLI >/dev/full"), until it ends or `ms` have passed. With `fileSize`
// it starts with files limited to that many bytes, as on a full disk (bash's
// own limit counts in kilobytes, and a port's lock file needs a few bytes).
Run cliIn(const QString &around, const QStringList &args, int ms = 60000, int fileSize = -1)
{
    QString script = around;
    script.replace(QLatin1String("CLI"), QLatin1String("\"$0\" \"$@\""));
    Run r;
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    {
        std::optional<FileSizeLimit> full;
        if (fileSize >= 0)
            full.emplace(rlim_t(fileSize));
        process.start(QStringLiteral("bash"),
                      QStringList{QStringLiteral("-c"), script, QStringLiteral(RLX_CLI)} + args);
        process.waitForStarted();
    }
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, ms)) {
        qWarning("rlx-cli still running after %d ms", ms);
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.ms = clock.elapsed();
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

Run cli(const QStringList &args)
{
    return cliIn(QStringLiteral("exec CLI"), args);
}

QByteArray contents(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A record every device may be given.
const QByteArray Vela =
    R"({"testAdres": 17, "serialRate": 5, "delRxTx": 12, "delTxRx": 34, "parity": 2,
"radioTransmitReset": 70, "wdtReset": 20, "stopBit": 1, "adreses": "8000000000000005",
"delRequest": 30, "numOfDown": 181, "radioModuleReset": 9, "subBand": 6, "radioRate": 2,
"chanel": 4, "power": 5, "serialTimeout": 9, "flowControl": 0, "averaging1": 133,
"averaging2": 67, "diskret1": 7, "diskret2": 9, "portName": "COM1", "spare": 0, "outType": 0})";

bool writeVela()
{
    QFile f(QStringLiteral("vela.json"));
    return f.open(QIODevice::WriteOnly) && f.write(Vela) == Vela.size();
}

// The command's arguments, with PORT as the device's port.
QStringList withPort(const QString &command, const QString &port)
{
    return QString(command).replace(QLatin1String("PORT"), port).split(QLatin1Char(' '));
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    void outputFileIsWholeOrLeftAlone_data();
    void outputFileIsWholeOrLeftAlone();
    void standardOutputIsChecked_data();
    void standardOutputIsChecked();
    void inputsAreBounded_data();
    void inputsAreBounded();
};

void TestCliFiles::outputFileIsWholeOrLeftAlone_data()
{
    QTest::addColumn<QString>("command"); // PORT: the device's port
    QTest::addColumn<QString>("device");  // rlx-devsim's arguments; "-": none
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("onto"); // "full disk", "FIFO" or "device"
    // The port's lock file takes a few bytes: where a device is used, the
    // limit is bash's smallest but one (1024 bytes), which the output passes.
    QTest::newRow("convert to json, full disk") << "convert vela.json keep.json"
                                                << "-"
                                                << "keep.json"
                                                << "full disk";
    QTest::newRow("convert to rlx, full disk") << "convert vela.json keep.rlx"
                                               << "-"
                                               << "keep.rlx"
                                               << "full disk";
    QTest::newRow("read -o, full disk") << "read --port PORT -o keep.json"
                                        << ""
                                        << "keep.json"
                                        << "full disk";
    QTest::newRow("report, full disk") << "report --port PORT -o keep.html"
                                       << ""
                                       << "keep.html"
                                       << "full disk";
    QTest::newRow("convert onto a FIFO") << "convert vela.json fifo.json"
                                         << "-"
                                         << "fifo.json"
                                         << "FIFO";
    QTest::newRow("test --csv onto a FIFO")
        << "test --port PORT --addresses 1 --rounds 1 --csv fifo.csv"
        << "--reachable 1"
        << "fifo.csv"
        << "FIFO";
    QTest::newRow("test --csv onto a device node")
        << "test --port PORT --addresses 1 --rounds 1 --csv node.csv"
        << "--reachable 1"
        << "node.csv"
        << "device";
}

void TestCliFiles::outputFileIsWholeOrLeftAlone()
{
    QFETCH(QString, command);
    QFETCH(QString, device);
    QFETCH(QString, target);
    QFETCH(QString, onto);
    if (onto == "device" && geteuid() != 0)
        QSKIP("only root makes a device node");
    QVERIFY(writeVela());
    QFile::remove(target);
    std::unique_ptr<Devsim> devsim;
    if (device != "-") {
        devsim.reset(new Devsim(device.split(' ', Qt::SkipEmptyParts)));
        QVERIFY(!devsim->path.isEmpty());
    }
    const QStringList args = withPort(command, devsim ? devsim->path : QString());
    const QByteArray path = QFile::encodeName(target);

    int limit = -1;
    if (onto == "full disk") {
        // The file of a run with room on the disk is kept whole.
        const Run room = cliIn("exec CLI", args);
        QVERIFY2(room.code == 0, qPrintable(room.err));
        limit = device == "-" ? 0 : 200;
        QVERIFY2(contents(target).size() > limit, "the limit must bite");
    } else if (onto == "FIFO") {
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
    } else {
        QCOMPARE(mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
    }
    struct stat before;
    QCOMPARE(lstat(path.constData(), &before), 0);
    // (A FIFO would hold the test's own read.)
    const QByteArray old = onto == "full disk" ? contents(target) : QByteArray();

    const Run r = cliIn("trap '' XFSZ; exec CLI", args, 60000, limit);
    QCOMPARE(r.code, 4);
    // One line on standard error names the file and says why.
    const QString why = onto == "full disk"
                            ? QString::fromLocal8Bit(strerror(EFBIG))
                            : QString("Not a regular file but a %1; it was left as it was")
                                  .arg(onto == "FIFO" ? "FIFO" : "device");
    const QStringList lines = r.err.trimmed().split('\n');
    QVERIFY2(lines.last().startsWith("rlx-cli: " + target + ": ") && lines.last().endsWith(why),
             qPrintable(r.err));
    if (device == "-")
        QCOMPARE(lines.size(), 1);
    struct stat after;
    QCOMPARE(lstat(path.constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    if (onto == "full disk")
        QCOMPARE(contents(target), old);
    QFile::remove(target);
}

void TestCliFiles::standardOutputIsChecked_data()
{
    QTest::addColumn<QString>("command"); // PORT: the device's port
    QTest::addColumn<QString>("around");
    QTest::addColumn<QString>("told"); // the line on standard error; empty: none
    QTest::newRow("json of a read, disk full")
        << "read --json --port PORT"
        << "exec CLI >/dev/full"
        << "rlx-cli: standard output: No space left on device";
    QTest::newRow("ports, disk full") << "ports --json"
                                      << "exec CLI >/dev/full"
                                      << "rlx-cli: standard output: No space left on device";
    QTest::newRow("json of a read, closed") << "read --json --port PORT"
                                            << "exec CLI >&-"
                                            << "rlx-cli: standard output: Bad file descriptor";
    // The reader of the pipe is gone before the first byte: the end is
    // quiet, whether the broken pipe ends rlx-cli or is told as an error.
    const QString goneReader = "set -o pipefail; rm -f ready; mkfifo ready; "
                               "{ read x < ready; CLI; } | { exec <&-; echo > ready; }";
    QTest::newRow("reader gone") << "ports --json" << goneReader << "";
    QTest::newRow("reader gone, SIGPIPE ignored") << "ports --json"
                                                  << "trap '' PIPE; " + goneReader << "";
}

void TestCliFiles::standardOutputIsChecked()
{
    QFETCH(QString, command);
    QFETCH(QString, around);
    QFETCH(QString, told);
    std::unique_ptr<Devsim> devsim;
    if (command.contains("PORT")) {
        devsim.reset(new Devsim({}));
        QVERIFY(!devsim->path.isEmpty());
    }
    const Run r = cliIn(around, withPort(command, devsim ? devsim->path : QString()));
    // Not a success, whether the broken pipe ends rlx-cli or is told.
    QVERIFY2(r.code > 0, qPrintable(QString::number(r.code)));
    if (told.isEmpty()) {
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        return;
    }
    QCOMPARE(r.code, 4);
    QCOMPARE(r.err.count(told + '\n'), 1);
    QCOMPARE(r.err.count("rlx-cli: "), 1);
}

void TestCliFiles::inputsAreBounded_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("around");
    QTest::addColumn<QString>("told"); // empty: taken as vela.json is
    QTest::newRow("FIFO") << "in.json"
                          << "mkfifo in.json; exec CLI"
                          << "rlx-cli: in.json: Not a regular file but a FIFO";
    QTest::newRow("link to /dev/zero") << "zero.json"
                                       << "ln -s /dev/zero zero.json; exec CLI"
                                       << "rlx-cli: zero.json: Not a regular file but a device";
    QTest::newRow("too large") << "big.json"
                               << "head -c 1048577 /dev/zero | tr '\\0' ' ' > big.json; exec CLI"
                               << "rlx-cli: big.json: Too large: more than 1048576 bytes";
    QTest::newRow("endless standard input")
        << "-"
        << "exec CLI </dev/zero"
        << "rlx-cli: standard input: Too large: more than 1048576 bytes";
    QTest::newRow("record on standard input") << "-"
                                              << "exec CLI <vela.json"
                                              << "";
}

void TestCliFiles::inputsAreBounded()
{
    QFETCH(QString, from);
    QFETCH(QString, around);
    QFETCH(QString, told);
    QVERIFY(writeVela());
    QFile::remove("out.rlx");
    const Run r = cliIn(around, {"convert", from, "out.rlx"}, 10000);
    if (told.isEmpty()) {
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(cli({"convert", "vela.json", "file.rlx"}).code, 0);
        QCOMPARE(contents("out.rlx"), contents("file.rlx"));
        return;
    }
    // Refused at once, in one line, and nothing written.
    QCOMPARE(r.code, 4);
    QCOMPARE(r.err, told + '\n');
    QVERIFY2(r.ms < 5000, qPrintable(QString::number(r.ms)));
    QVERIFY(!QFile::exists("out.rlx"));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"
