// rlx-cli's files and standard output as a caller's shell sets them up (a full disk, a FIFO,
// standard output full, closed or unread, inputs that never end), and its messages in Russian.

#include "tests/cli/clirun.h"

#include <QFileInfo>
#include <QSettings>

namespace {

// Latin words that stay in Russian texts: names of the product, the program, its
// commands, kinds of files, JSON fields, the module's "ATO", the time zone, line signals.
const QStringList KeptNames =
    QString("RLX Vela rlx cli JSON CSV PDF HTML json pdf html null Qt ATO ports identify read "
            "write defaults test measure report convert diff get set backup port hardware "
            "firmware variant ok settings unanswered power en ru system default UTC Tx Rx RTS CTS")
        .split(' ');

// The lines of `text` with English words, besides options, paths and what was `given`.
QStringList englishLines(const QString &text, const QStringList &given)
{
    static const QRegularExpression english("(?<![A-Za-z0-9])(?!(" + KeptNames.join('|') +
                                            ")(?![A-Za-z0-9]))[A-Za-z]+(?![A-Za-z0-9])");
    static const QRegularExpression aside("(^|\\s|\\[)-{1,2}[a-z][a-z-]*|/\\S*");
    QStringList wrong;
    for (const QString &line : text.split('\n', Qt::SkipEmptyParts)) {
        QString t = line;
        for (const QString &d : given)
            t.remove(d);
        if (t.remove(aside).contains(english))
            wrong << line;
    }
    return wrong;
}

CliRun cliIn(const QString &language, const QStringList &args)
{
    return runCli(QStringList{"--lang", language} + args);
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(writeSettings("vela.json")); }
    void outputsAndInputsAreChecked_data();
    void outputsAndInputsAreChecked();
    void messagesInRussian();
};

void TestCliFiles::outputsAndInputsAreChecked_data()
{
    QTest::addColumn<QString>("command"); // PORT: the port of a device rlx-devsim starts
    QTest::addColumn<QString>("around");  // the bash script it runs in
    // The one line after "rlx-cli: "; "": taken as vela.json; "-": quiet.
    QTest::addColumn<QString>("told");
    const auto row = [](const char *name, const char *command, const QString &around,
                        const QString &told) { QTest::newRow(name) << command << around << told; };
    // An output file is written whole or not at all; keep.*: an earlier file kept as it was. A
    // full disk: files of 1 KiB blocks at most (a port's lock file takes a few bytes).
    const QString full = "trap '' XFSZ; ulimit -f %1; exec CLI";
    const QString efbig = QString::fromLocal8Bit(strerror(EFBIG));
    row("convert, disk full", "convert vela.json keep.json", full.arg(0), "keep.json: " + efbig);
    row("report, disk full", "report --port PORT -o keep.html", full.arg(1), "keep.html: " + efbig);
    const QString fifo = ": Not a regular file but a FIFO; it was left as it was";
    row("convert into a FIFO", "convert vela.json fifo.json", "mkfifo fifo.json; exec CLI",
        "fifo.json" + fifo);
    row("CSV into a FIFO", "test --port PORT --addresses 1 --rounds 1 --csv fifo.csv",
        "mkfifo fifo.csv; exec CLI", "fifo.csv" + fifo);
    row("json of a read, disk full", "read --json --port PORT", "exec CLI >/dev/full",
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
    row("too large", "convert big.json out.rlx",
        "head -c 1048577 /dev/zero | tr '\\0' ' ' > big.json; exec CLI",
        "big.json: Too large: more than 1048576 bytes");
    row("endless standard input", "convert - out.rlx", "exec CLI </dev/zero",
        "standard input: Too large: more than 1048576 bytes");
    row("largest", "convert big.json out.rlx",
        "{ cat vela.json; head -c $((1048576 - $(stat -c%s vela.json))) /dev/zero | tr '\\0' ' '; }"
        " > big.json; exec CLI",
        "");
}

void TestCliFiles::outputsAndInputsAreChecked()
{
    QFETCH(QString, command);
    QFETCH(QString, around);
    QFETCH(QString, told);
    const QString target = command.section(' ', -1);
    QVERIFY(!target.startsWith("keep") || writeFile(target, "precious"));
    QFile::remove("out.rlx");
    const Devsim device({});
    const CliRun r = Cli(command.replace("PORT", device.path).split(' '), QByteArray(),
                         QProcessEnvironment::systemEnvironment(), around)
                         .wait();
    if (told == "-") { // whether the broken pipe ends rlx-cli or is told
        QVERIFY2(r.code > 0 && r.err.isEmpty(), qPrintable(r.err));
    } else if (told.isEmpty()) {
        QVERIFY2(r.code == 0 && QFile::exists("out.rlx"), qPrintable(r.err));
    } else { // that line once, nothing else told
        QCOMPARE(r.code, 4);
        QVERIFY2(r.err.count("rlx-cli: ") == 1 && r.err.contains("rlx-cli: " + told + '\n'),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists("out.rlx"));
    }
    QVERIFY(!target.startsWith("keep") || fileBytes(target) == "precious");
    QVERIFY(!target.startsWith("fifo") ||
            (QFileInfo::exists(target) && !QFileInfo(target).isFile()));
}

// Help, usage errors, refused files, the progress, summary and table of a device, the report;
// then the window's remembered language, which holds until --lang says otherwise for one run.
void TestCliFiles::messagesInRussian()
{
    Devsim device(rs485());
    QVERIFY(writeFile("unknown.json", "{\"colour\": 1}") && writeFile("settings.txt", "x"));
    DeviceSettings tooStrong = rs485Settings();
    tooStrong.power = 9;
    QVERIFY(writeSettings("strong.json", tooStrong));
    const QStringList given = {
        "RLX-31868-Vela-485", "Aug  4 2022", device.path, RLX_CLI, "settings.txt",
        "unknown.json",       "strong.json", "colour",    "frob"};
    const QList<std::pair<QStringList, int>> cases = {
        {{"--help"}, 0},
        {{"read", "--help"}, 0},
        {{"frob"}, 2},
        {{"test", "--port", device.path}, 2},
        {{"write", "--port", device.path, "settings.txt"}, 2},
        {{"write", "--port", device.path, "unknown.json"}, 4},
        {{"write", "--port", device.path, "strong.json"}, 4},
        {{"identify", "--port", device.path}, 0},
        {{"test", "--port", device.path, "--addresses", "1", "--rounds", "1"}, 0},
        {{"report", "--port", device.path, "-o", "report.html"}, 0},
    };
    QString all;
    for (const auto &[args, code] : cases) {
        const CliRun r = cliIn("ru", args);
        const QString said = r.err + r.out;
        QVERIFY2(r.code == code && !said.trimmed().isEmpty(), qPrintable(args.join(' ') + said));
        const QStringList wrong = englishLines(said, given);
        QVERIFY2(wrong.isEmpty(), qPrintable(args.join(' ') + ":\n" + wrong.join('\n')));
        QVERIFY(code != 4 || device.requests().isEmpty()); // a refused file: the port not opened
        all += said;
    }
    for (const char *text :
         {"прошивка Aug  4 2022 (вариант 2): успешно", "подключение 0%", "адрес  опросов",
          "power (Мощность): 9 — недопустимо, нужно: от 0 до 7"})
        QVERIFY2(all.contains(QString::fromUtf8(text)), qPrintable(all));

    // "default" is the program's own text; rlx-cli leaves the setting as it was.
    QSettings("Orbelinex", "Rlx").setValue("Language", "ru");
    QVERIFY(runCli({"frob"}).err.contains("неизвестная команда"));
    for (const QString language : {"default", "en"})
        QCOMPARE(cliIn(language, {"frob"}).err,
                 QString("rlx-cli: unknown command \"frob\" (see rlx-cli --help)\n"));
    QCOMPARE(QSettings("Orbelinex", "Rlx").value("Language").toString(), QStringLiteral("ru"));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"
