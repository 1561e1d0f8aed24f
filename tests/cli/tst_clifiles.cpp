// rlx-cli's files and standard output as a caller's shell sets them up: a full
// disk, a FIFO or device node under an output name, standard output full, closed
// or unread, and inputs that never end.

#include "tests/cli/clirun.h"
#include "tests/filesizelimit.h"

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeVela()
{
    return writeFile("vela.json", QJsonDocument(settingsJson(rs485Settings())).toJson());
}

// `command` (PORT: the port of a device started with `device`, "-": none) in the
// bash script `around`, files limited to `fileSize` bytes as on a full disk.
CliRun withDevice(const QString &around, const QString &command, const QString &device,
                  int fileSize = -1)
{
    std::unique_ptr<Devsim> d;
    if (device != "-")
        d.reset(new Devsim(device.split(' ', Qt::SkipEmptyParts)));
    const QStringList args = QString(command).replace("PORT", d ? d->path : QString()).split(' ');
    std::unique_ptr<Cli> cli;
    {
        std::optional<FileSizeLimit> full;
        if (fileSize >= 0)
            full.emplace(rlim_t(fileSize));
        cli.reset(new Cli(args, QByteArray(), QProcessEnvironment::systemEnvironment(), around));
    }
    return cli->wait();
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    void outputFileIsWholeOrLeftAlone_data();
    void outputFileIsWholeOrLeftAlone();
    void streamsAndInputsAreChecked_data();
    void streamsAndInputsAreChecked();
};

void TestCliFiles::outputFileIsWholeOrLeftAlone_data()
{
    QTest::addColumn<QString>("command"); // writes its last argument
    QTest::addColumn<QString>("device");  // rlx-devsim's arguments; "-": none
    QTest::addColumn<QString>("onto");    // "full disk" or "FIFO"
    const auto row = [](const char *command, const char *device, const char *onto) {
        QTest::addRow("%s onto %s", command, onto) << command << device << onto;
    };
    row("convert vela.json keep.json", "-", "full disk");
    row("convert vela.json keep.rlx", "-", "full disk");
    row("read --port PORT -o keep.json", "", "full disk");
    row("report --port PORT -o keep.html", "", "full disk");
    row("convert vela.json fifo.json", "-", "FIFO");
    row("test --port PORT --addresses 1 --rounds 1 --csv fifo.csv", "--reachable 1", "FIFO");
}

void TestCliFiles::outputFileIsWholeOrLeftAlone()
{
    QFETCH(QString, command);
    QFETCH(QString, device);
    QFETCH(QString, onto);
    const QString target = command.section(' ', -1);
    if (onto == "full disk" && qEnvironmentVariableIsSet("RLX_MEMCHECK"))
        QSKIP("a file-size limit and Valgrind do not go together");
    QVERIFY(writeVela());
    QFile::remove(target);
    const QByteArray path = QFile::encodeName(target);

    int limit = -1;
    if (onto == "full disk") {
        const CliRun room = withDevice("exec CLI", command, device);
        QVERIFY2(room.code == 0, qPrintable(room.err));
        limit = device == "-" ? 0 : 200; // a port's lock file takes a few bytes
        QVERIFY2(fileBytes(target).size() > limit, "the limit must bite");
    } else {
        QCOMPARE(mkfifo(path.constData(), 0600), 0);
    }
    struct stat before;
    QCOMPARE(lstat(path.constData(), &before), 0);
    const QByteArray old = onto == "full disk" ? fileBytes(target) : QByteArray();

    const CliRun r = withDevice("trap '' XFSZ; exec CLI", command, device, limit);
    QCOMPARE(r.code, 4);
    // One line names the file and says why; what stood there is left as it was.
    const QString why = onto == "full disk"
                            ? QString::fromLocal8Bit(strerror(EFBIG))
                            : QString("Not a regular file but a FIFO; it was left as it was");
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

void TestCliFiles::streamsAndInputsAreChecked_data()
{
    QTest::addColumn<QString>("command"); // PORT: a device's port
    QTest::addColumn<QString>("around");
    QTest::addColumn<QString>("told"); // after "rlx-cli: "; "": taken as vela.json; "-": quiet
    const auto row = [](const char *name, const char *command, const QString &around,
                        const char *told) { QTest::newRow(name) << command << around << told; };
    row("json of a read, disk full", "read --json --port PORT", "exec CLI >/dev/full",
        "standard output: No space left on device");
    row("ports, disk full", "ports --json", "exec CLI >/dev/full",
        "standard output: No space left on device");
    row("json of a read, closed", "read --json --port PORT", "exec CLI >&-",
        "standard output: Bad file descriptor");
    // The pipe's reader is gone before the first byte: a quiet failure.
    const QString goneReader = "set -o pipefail; rm -f ready; mkfifo ready; "
                               "{ read x < ready; CLI; } | { exec <&-; echo > ready; }";
    row("reader gone", "ports --json", goneReader, "-");
    row("reader gone, SIGPIPE ignored", "ports --json", "trap '' PIPE; " + goneReader, "-");
    // Inputs: a regular file of bounded size only.
    row("FIFO", "convert in.json out.rlx", "mkfifo in.json; exec CLI",
        "in.json: Not a regular file but a FIFO");
    row("link to /dev/zero", "convert zero.json out.rlx", "ln -s /dev/zero zero.json; exec CLI",
        "zero.json: Not a regular file but a device");
    row("folder", "convert dir.json out.rlx", "mkdir dir.json; exec CLI",
        "dir.json: Not a regular file but a folder");
    row("too large", "convert big.json out.rlx",
        "head -c 1048577 /dev/zero | tr '\\0' ' ' > big.json; exec CLI",
        "big.json: Too large: more than 1048576 bytes");
    row("endless standard input", "convert - out.rlx", "exec CLI </dev/zero",
        "standard input: Too large: more than 1048576 bytes");
    row("record on standard input", "convert - out.rlx", "exec CLI <vela.json", "");
    row("largest", "convert big.json out.rlx",
        "{ cat vela.json; head -c $((1048576 - $(stat -c%s vela.json))) /dev/zero | tr '\\0' ' '; }"
        " > big.json; exec CLI",
        "");
}

void TestCliFiles::streamsAndInputsAreChecked()
{
    QFETCH(QString, command);
    QFETCH(QString, around);
    QFETCH(QString, told);
    QVERIFY(writeVela());
    QFile::remove("out.rlx");
    const CliRun r = withDevice(around, command, command.contains("PORT") ? "" : "-");
    if (told == "-") { // whether the broken pipe ends rlx-cli or is told
        QVERIFY2(r.code > 0 && r.err.isEmpty(), qPrintable(r.err));
    } else if (told.isEmpty()) {
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(runCli({"convert", "vela.json", "file.rlx"}).code, 0);
        QCOMPARE(fileBytes("out.rlx"), fileBytes("file.rlx"));
    } else {
        QCOMPARE(r.code, 4);
        QCOMPARE(r.err.count("rlx-cli: " + told + '\n'), 1);
        QCOMPARE(r.err.count("rlx-cli: "), 1);
        QVERIFY(!QFile::exists("out.rlx"));
    }
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"
