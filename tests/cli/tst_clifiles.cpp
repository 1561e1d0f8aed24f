// rlx-cli's files and standard output as a caller's shell sets them up (a full
// disk, a FIFO or device node under an output name, standard output full, closed
// or unread, inputs that never end), and its messages in each language.

#include "tests/cli/clirun.h"
#include "tests/filesizelimit.h"

#include <QSettings>

#include <optional>

#include <sys/stat.h>

namespace {

// `command` (PORT: the port of a device started with `device`, "-": none) in the
// bash script `around`, files limited to `fileSize` bytes as on a full disk.
CliRun withDevice(const QString &around, const QString &command, const QString &device,
                  int fileSize = -1)
{
    std::optional<Devsim> d;
    if (device != "-")
        d.emplace(device.split(' ', Qt::SkipEmptyParts));
    const QStringList args = QString(command).replace("PORT", d ? d->path : "").split(' ');
    std::optional<FileSizeLimit> full;
    if (fileSize >= 0)
        full.emplace(rlim_t(fileSize));
    Cli cli(args, QByteArray(), QProcessEnvironment::systemEnvironment(), around);
    full.reset();
    return cli.wait();
}

// Latin words that stay in Russian texts: names of the product, the program, its
// commands, kinds of files, JSON fields, the module's "ATO", the time zone, line signals.
const QStringList KeptNames =
    QString("RLX Vela rlx cli JSON CSV PDF HTML json pdf html null Qt ATO ports identify read "
            "write defaults test measure report convert diff get set backup port hardware "
            "firmware variant ok settings unanswered power en ru system default UTC Tx Rx RTS CTS")
        .split(' ');

// The lines of `text` not in `language`, once options, paths and what the command line,
// the file and the device gave (`given`) are taken out.
QStringList foreign(const QString &text, const QString &language, const QStringList &given)
{
    static const QRegularExpression cyrillic("[\\x{0400}-\\x{04FF}]");
    static const QRegularExpression word("[A-Za-z0-9]*[A-Za-z][A-Za-z0-9]*");
    static const QRegularExpression aside("(^|\\s|\\[)-{1,2}[a-z][a-z-]*|/\\S*");
    QStringList wrong;
    for (const QString &line : text.split('\n', Qt::SkipEmptyParts)) {
        QString t = line;
        for (const QString &d : given)
            t.remove(d);
        bool english = false;
        for (auto it = word.globalMatch(t.remove(aside)); it.hasNext();) {
            const QString w = it.next().captured();
            english =
                english || (!w.contains(QRegularExpression("[0-9]")) && !KeptNames.contains(w));
        }
        if (language == "en" ? line.contains(cyrillic) : english)
            wrong << line;
    }
    return wrong;
}

CliRun cliIn(const QString &language, const QStringList &args)
{
    return runCli(language.isEmpty() ? args : QStringList{"--lang", language} + args);
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QSettings("Orbelinex", "Rlx").remove("Language");
        QVERIFY(writeSettings("vela.json"));
    }
    void outputFileIsWholeOrLeftAlone_data();
    void outputFileIsWholeOrLeftAlone();
    void streamsAndInputsAreChecked_data();
    void streamsAndInputsAreChecked();
    void messagesInLanguage_data();
    void messagesInLanguage();
    void followsTheWindowsLanguage();
};

void TestCliFiles::outputFileIsWholeOrLeftAlone_data()
{
    QTest::addColumn<QString>("command"); // writes its last argument
    QTest::addColumn<QString>("device");  // rlx-devsim's arguments; "-": none
    // Bytes a file may have, as on a full disk (a port's lock file takes a few); -1: a FIFO.
    QTest::addColumn<int>("limit");
    const auto row = [](const char *command, const char *device, int limit) {
        QTest::addRow("%s", command) << command << device << limit;
    };
    row("convert vela.json keep.json", "-", 0);
    row("read --port PORT -o keep.json", "", 200);
    row("report --port PORT -o keep.html", "", 200);
    row("convert vela.json fifo.json", "-", -1);
    row("test --port PORT --addresses 1 --rounds 1 --csv fifo.csv", "--reachable 1", -1);
}

void TestCliFiles::outputFileIsWholeOrLeftAlone()
{
    QFETCH(QString, command);
    QFETCH(QString, device);
    QFETCH(int, limit);
    const bool fifo = limit < 0;
    if (!fifo && qEnvironmentVariableIsSet("RLX_MEMCHECK"))
        QSKIP("a file-size limit and Valgrind do not go together");
    const QString target = command.section(' ', -1);
    const QByteArray path = QFile::encodeName(target);
    QVERIFY(fifo ? mkfifo(path.constData(), 0600) == 0 : writeFile(target, "precious"));
    struct stat before, after;
    QCOMPARE(lstat(path.constData(), &before), 0);
    const CliRun r = withDevice("trap '' XFSZ; exec CLI", command, device, limit);
    QCOMPARE(r.code, 4);
    // One line names the file and says why; what stood there is left as it was.
    const QString why = fifo ? "Not a regular file but a FIFO; it was left as it was"
                             : QString::fromLocal8Bit(strerror(EFBIG));
    const QStringList lines = r.err.trimmed().split('\n');
    QCOMPARE(lines.last(), "rlx-cli: " + target + ": " + why);
    QVERIFY2(device != "-" || lines.size() == 1, qPrintable(r.err));
    QCOMPARE(lstat(path.constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mode, before.st_mode);
    QVERIFY(fifo || fileBytes(target) == "precious");
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

void TestCliFiles::messagesInLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("ru") << "ru";
    QTest::newRow("en") << "en";
}

// Help, a usage error, refused files, the progress, summary and table of a device, the report.
void TestCliFiles::messagesInLanguage()
{
    QFETCH(QString, language);
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
    };
    QString all;
    for (const auto &[args, code] : cases) {
        const CliRun r = cliIn(language, args);
        const QString said = r.err + r.out;
        QVERIFY2(r.code == code && !said.trimmed().isEmpty(), qPrintable(args.join(' ') + said));
        const QStringList wrong = foreign(said, language, given);
        QVERIFY2(wrong.isEmpty(), qPrintable(args.join(' ') + ":\n" + wrong.join('\n')));
        all += said;
    }
    const bool ru = language == "ru";
    for (const char *text :
         {ru ? "прошивка Aug  4 2022 (вариант 2): успешно" : "firmware Aug  4 2022 (variant 2): ok",
          ru ? "подключение 0%" : "connect 0%", ru ? "адрес  опросов" : "address  sent",
          ru ? "power (Мощность): 9 — недопустимо, нужно: от 0 до 7"
             : "power (Power): 9 is not 0 to 7"})
        QVERIFY2(all.contains(QString::fromUtf8(text)), qPrintable(all));
    // The report's words, and the settings' labels and values in it.
    QCOMPARE(cliIn(language, {"report", "--port", device.path, "-o", "report.html"}).code, 0);
    QString report = QString::fromUtf8(fileBytes("report.html"));
    report.remove(QRegularExpression("<style>.*</style>|<[^>]*>",
                                     QRegularExpression::DotMatchesEverythingOption |
                                         QRegularExpression::InvertedGreedinessOption));
    QVERIFY2(report.count('\n') > 30, qPrintable(report));
    QCOMPARE(foreign(report, language, given), QStringList());

    // An unknown language is a usage error that names the ones there are.
    const CliRun bad = cliIn("de", {"identify", "--port", device.path});
    QVERIFY2(bad.code == 2 && bad.err.contains("en, ru, system, default") &&
                 bad.err.contains("\"de\""),
             qPrintable(bad.err));
    QCOMPARE(cliIn(QString(), {"--lang"}).code, 2);
}

// The window's remembered language holds until --lang says otherwise for one run;
// "default" gives the program's own texts. rlx-cli leaves the setting as it was.
void TestCliFiles::followsTheWindowsLanguage()
{
    const QString own = cliIn(QString(), {"frob"}).err;
    QVERIFY2(own.startsWith("rlx-cli: unknown command \"frob\""), qPrintable(own));
    QSettings("Orbelinex", "Rlx").setValue("Language", "ru");
    QVERIFY(cliIn(QString(), {"frob"}).err.contains("неизвестная команда"));
    QCOMPARE(cliIn("default", {"frob"}).err, own);
    QCOMPARE(cliIn("en", {"frob"}).err, own);
    QCOMPARE(QSettings("Orbelinex", "Rlx").value("Language").toString(), QStringLiteral("ru"));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_clifiles.moc"
