// rlx-cli's files and standard output as a caller's shell sets them up: a
// full disk (a file-size limit), a FIFO or a device node under an output
// name, standard output full, closed or a pipe nobody reads, and inputs that
// never end.

#include "tests/cli/clirun.h"
#include "tests/filesizelimit.h"

#include <optional>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// rlx-cli with `args` in the bash script `around` (see Cli). With `fileSize`
// it starts with files limited to that many bytes, as on a full disk (bash's
// own limit counts in kilobytes, and a port's lock file needs a few bytes).
CliRun cliIn(const QString &around, const QStringList &args, int fileSize = -1)
{
    std::unique_ptr<Cli> cli;
    {
        std::optional<FileSizeLimit> full;
        if (fileSize >= 0)
            full.emplace(rlim_t(fileSize));
        cli.reset(new Cli(around, args));
    }
    return cli->wait();
}

// A record every device may be given.
bool writeVela()
{
    return writeFile("vela.json", QJsonDocument(settingsJson(rs485Settings())).toJson());
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
    // The command writes its last argument; PORT is the device's port.
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("device"); // rlx-devsim's arguments; "-": none
    QTest::addColumn<QString>("onto");   // "full disk", "FIFO" or "device"
    const auto row = [](const char *command, const char *device, const char *onto) {
        QTest::addRow("%s onto %s", command, onto) << command << device << onto;
    };
    // The port's lock file takes a few bytes: where a device is used, the
    // limit is bash's smallest but one (1024 bytes), which the output passes.
    row("convert vela.json keep.json", "-", "full disk");
    row("convert vela.json keep.rlx", "-", "full disk");
    row("read --port PORT -o keep.json", "", "full disk");
    row("report --port PORT -o keep.html", "", "full disk");
    row("convert vela.json fifo.json", "-", "FIFO");
    row("test --port PORT --addresses 1 --rounds 1 --csv fifo.csv", "--reachable 1", "FIFO");
    row("test --port PORT --addresses 1 --rounds 1 --csv node.csv", "--reachable 1", "device");
}

void TestCliFiles::outputFileIsWholeOrLeftAlone()
{
    QFETCH(QString, command);
    QFETCH(QString, device);
    QFETCH(QString, onto);
    const QString target = command.section(' ', -1);
    if (onto == "device" && geteuid() != 0)
        QSKIP("only root makes a device node");
    // Valgrind writes its own log under the process's file-size limit and
    // reports the failed write in words of its own.
    if (onto == "full disk" && qEnvironmentVariableIsSet("RLX_MEMCHECK"))
        QSKIP("a file-size limit and Valgrind do not go together");
    QVERIFY(writeVela());
    QFile::remove(target);
    std::unique_ptr<Devsim> devsim;
    if (device != "-")
        devsim.reset(new Devsim(device.split(' ', Qt::SkipEmptyParts)));
    const QStringList args = withPort(command, devsim ? devsim->path : QString());
    const QByteArray path = QFile::encodeName(target);

    int limit = -1;
    if (onto == "full disk") {
        // The file of a run with room on the disk is kept whole.
        const CliRun room = cliIn("exec CLI", args);
        QVERIFY2(room.code == 0, qPrintable(room.err));
        limit = device == "-" ? 0 : 200;
        QVERIFY2(fileBytes(target).size() > limit, "the limit must bite");
    } else if (onto == "FIFO") {
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
    } else {
        QCOMPARE(mknod(path.constData(), S_IFCHR | 0600, makedev(1, 3)), 0);
    }
    struct stat before;
    QCOMPARE(lstat(path.constData(), &before), 0);
    // (A FIFO would hold the test's own read.)
    const QByteArray old = onto == "full disk" ? fileBytes(target) : QByteArray();

    const CliRun r = cliIn("trap '' XFSZ; exec CLI", args, limit);
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
        QCOMPARE(fileBytes(target), old);
    QFile::remove(target);
}

void TestCliFiles::standardOutputIsChecked_data()
{
    QTest::addColumn<QString>("command"); // PORT: the device's port
    QTest::addColumn<QString>("around");
    QTest::addColumn<QString>("told"); // after "rlx-cli: standard output: "; empty: nothing
    const auto row = [](const char *name, const char *command, const QString &around,
                        const char *told) { QTest::newRow(name) << command << around << told; };
    row("json of a read, disk full", "read --json --port PORT", "exec CLI >/dev/full",
        "No space left on device");
    row("ports, disk full", "ports --json", "exec CLI >/dev/full", "No space left on device");
    row("json of a read, closed", "read --json --port PORT", "exec CLI >&-", "Bad file descriptor");
    // The reader of the pipe is gone before the first byte: the end is
    // quiet, whether the broken pipe ends rlx-cli or is told as an error.
    const QString goneReader = "set -o pipefail; rm -f ready; mkfifo ready; "
                               "{ read x < ready; CLI; } | { exec <&-; echo > ready; }";
    row("reader gone", "ports --json", goneReader, "");
    row("reader gone, SIGPIPE ignored", "ports --json", "trap '' PIPE; " + goneReader, "");
}

void TestCliFiles::standardOutputIsChecked()
{
    QFETCH(QString, command);
    QFETCH(QString, around);
    QFETCH(QString, told);
    std::unique_ptr<Devsim> devsim;
    if (command.contains("PORT")) {
        devsim.reset(new Devsim({}));
    }
    const CliRun r = cliIn(around, withPort(command, devsim ? devsim->path : QString()));
    // Not a success, whether the broken pipe ends rlx-cli or is told.
    QVERIFY2(r.code > 0, qPrintable(QString::number(r.code)));
    if (told.isEmpty()) {
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        return;
    }
    QCOMPARE(r.code, 4);
    QCOMPARE(r.err.count("rlx-cli: standard output: " + told + '\n'), 1);
    QCOMPARE(r.err.count("rlx-cli: "), 1);
}

void TestCliFiles::inputsAreBounded_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("around");
    QTest::addColumn<QString>("told"); // after "rlx-cli: "; empty: taken as vela.json is
    const auto row = [](const char *name, const char *from, const char *around, const char *told) {
        QTest::newRow(name) << from << around << told;
    };
    row("FIFO", "in.json", "mkfifo in.json; exec CLI", "in.json: Not a regular file but a FIFO");
    row("link to /dev/zero", "zero.json", "ln -s /dev/zero zero.json; exec CLI",
        "zero.json: Not a regular file but a device");
    row("too large", "big.json", "head -c 1048577 /dev/zero | tr '\\0' ' ' > big.json; exec CLI",
        "big.json: Too large: more than 1048576 bytes");
    row("endless standard input", "-", "exec CLI </dev/zero",
        "standard input: Too large: more than 1048576 bytes");
    row("record on standard input", "-", "exec CLI <vela.json", "");
}

void TestCliFiles::inputsAreBounded()
{
    QFETCH(QString, from);
    QFETCH(QString, around);
    QFETCH(QString, told);
    QVERIFY(writeVela());
    QFile::remove("out.rlx");
    // An endless input that is read to its end hangs here.
    const CliRun r = cliIn(around, {"convert", from, "out.rlx"});
    if (told.isEmpty()) {
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(runCli({"convert", "vela.json", "file.rlx"}).code, 0);
        QCOMPARE(fileBytes("out.rlx"), fileBytes("file.rlx"));
        return;
    }
    // Refused, in one line, and nothing written.
    QCOMPARE(r.code, 4);
    QCOMPARE(r.err, "rlx-cli: " + told + '\n');
    QVERIFY(!QFile::exists("out.rlx"));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"
