// rlx-cli in its own process against rlx-devsim: its bytes on the line against the window's,
// what it reports, exit codes and files (what a damaged reply does to a job: tst_confirmed).

#include "app/mainwindow.h"
#include "session/settingsfile.h"
#include "tests/cli/clirun.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <algorithm>

using namespace WindowDriver;

namespace {

// What `rlx-cli convert` gives: the file written, or standard output for "-"; empty if refused.
QByteArray convert(const QStringList &args, const QByteArray &input = QByteArray())
{
    const CliRun r = runCli(QStringList("convert") + args, input);
    return r.code != 0 ? QByteArray() : args.at(1) == "-" ? r.bytes : fileBytes(args.at(1));
}

// Requests without repeats, which depend on how soon a device in its own process answers.
QStringList withoutRepeats(QStringList requests)
{
    requests.erase(std::unique(requests.begin(), requests.end()), requests.end());
    return requests;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void wireBytesEqualTheWindows_data();
    void wireBytesEqualTheWindows();
    void portsReadsAndUnreachableDevices();
    void checksAndReport();
    void convertRoundTripAndStandardStreams();
    void refusedWithALineEach_data();
    void refusedWithALineEach();
    void singleSettingsCheckedWritesAndBackup();
};

void TestCli::wireBytesEqualTheWindows_data()
{
    QTest::addColumn<QString>("operation");
    for (const char *operation : {"read", "write", "defaults"})
        QTest::newRow(operation) << operation;
}

// The window runs the operation on one device, rlx-cli on another alike: the same requests.
void TestCli::wireBytesEqualTheWindows()
{
    QFETCH(QString, operation);
    const QStringList device = rs485(operation == "defaults" ? 0 : 2);
    Devsim forWindow(device), forCli(device);
    QVERIFY(writeSettings("site.json", changedSettings()) &&
            writeFile("site.rlx", SettingsFile::toBytes(changedSettings())));
    Cli run(QStringList{operation, "--port", forCli.path} +
            QStringList(operation == "write" ? "site.json" : QString()).filter("."));

    Modals modals;
    modals.fileName = QDir::current().filePath("site.rlx");
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, forWindow.path, Cli::HangMs));
    if (operation == "write")
        click(&w, "Open Settings");
    if (operation != "read")
        QVERIFY(press(w, operation == "write" ? "WRITE" : "DEFAULT", Cli::HangMs));
    click(&w, "pbOpen");
    QCOMPARE(modals.texts, QStringList());

    const CliRun r = run.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err + r.out));
    forWindow.stop(); // a device's log is whole once it has ended
    forCli.stop();
    const QStringList fromWindow = withoutRepeats(forWindow.requests());
    const QStringList fromCli = withoutRepeats(forCli.requests());
    if (operation == "defaults")
        QCOMPARE(fromWindow.filter(QRegularExpression("^\\$3")), (QStringList{"$35", "$30"}));
    // rlx-cli reads again until two readings agree: once more after a read only.
    QCOMPARE(fromCli.mid(0, fromWindow.size()), fromWindow);
    QCOMPARE(fromCli.mid(fromWindow.size()), operation == "read" ? fromWindow : QStringList());
}

// Ports listed and opened by their entry in any language; a silent, a sound and a damaged
// device (by a glob) read in one run: what each holds, exit 1 naming what failed.
void TestCli::portsReadsAndUnreachableDevices()
{
    Devsim silent({"--silent", "$2"}), good(rs485(), true);
    Devsim damaged(rs485() + QStringList{"--reply", "ATS214?=S214=\\r"});
    const QString entry = good.path + " (virtual RLX-31868-Vela-485)";
    QVERIFY(QTest::qWaitFor([&] { return runCli({"ports"}).out.split('\n').contains(entry); },
                            Cli::HangMs));
    CliRun r = runCli({"--lang", "ru", "ports", "--json"});
    const QJsonObject listed{{"name", entry}, {"port", good.path}, {"virtual", true}};
    QVERIFY2(r.code == 0 && QJsonDocument::fromJson(r.bytes).array().contains(listed),
             qPrintable(r.out));
    r = runCli({"identify", "--port", good.path + " (виртуальный RLX-31868-Vela-485)"});
    QVERIFY2(r.code == 0 && r.out.contains("RLX-31868-Vela-485, firmware Aug  4 2022 (variant 2)"),
             qPrintable(r.out + r.err));
    // Asked twice (one damaged reply cannot pass); nothing else is asked.
    QVERIFY(good.received("$2", 2));
    QTest::qWait(100); // a request sent after the identity would be in the log by now
    QCOMPARE(good.requests(), (QStringList{"$2", "$2"}));

    const QString glob = damaged.path.chopped(1) + '[' + damaged.path.right(1) + ']';
    r = runCli({"read", "--json", "--port", silent.path, "--port", good.path, "--port", glob});
    QCOMPARE(r.code, 1);
    // The damaged register has no value and is named as not read.
    QJsonObject settings = settingsJson(rs485Settings());
    const QString sound = QJsonDocument(settings).toJson(QJsonDocument::Compact);
    settings["serialTimeout"] = QJsonValue();
    const QString damagedSettings = QJsonDocument(settings).toJson(QJsonDocument::Compact);
    const QString expected =
        QString("[{'port': '%1', 'ok': false, 'error': 'no answer to \\'$2\\' (identity)', "
                "'hardware': null, 'firmware': null, 'variant': null, 'settings': null, "
                "'notRead': [], 'unanswered': ['$2', '$2']}, "
                "{'port': '%2', 'ok': true, 'hardware': 'RLX-31868-Vela-485', 'firmware': "
                "'Aug  4 2022', 'variant': 2, 'settings': %4, 'notRead': [], 'unanswered': []}, "
                "{'port': '%3', 'ok': false, 'hardware': 'RLX-31868-Vela-485', 'firmware': "
                "'Aug  4 2022', 'variant': 2, 'settings': %5, 'notRead': ['serialTimeout'], "
                "'unanswered': []}]")
            .replace('\'', '"')
            .arg(silent.path, good.path, damaged.path, sound, damagedSettings);
    QCOMPARE(QJsonDocument::fromJson(r.bytes), QJsonDocument::fromJson(expected.toUtf8()));
    QCOMPARE(silent.requests().filter(QRegularExpression("^(?!\\$2$)")), QStringList());
    r = runCli({"read", "--port", damaged.path});
    QVERIFY2(r.code == 1 && r.out.split('\n').contains("serialTimeout = not read"),
             qPrintable(r.out));

    // A name that would clear the terminal is shown, not obeyed; "[" alone is no glob.
    r = runCli({"identify", "--port", "/nonexistent/x\x1b[2J"});
    const QString said = r.out + r.err;
    QVERIFY2(r.code == 1 && said.contains("/nonexistent/x<1b>[2J: cannot open the port") &&
                 !said.contains('\x1b') && !said.contains("QRegularExpression"),
             qPrintable(said));
}

// The stability check (address 2 misses its first two polls), measurement and report at once.
void TestCli::checksAndReport()
{
    Devsim device({"--reachable", "1,2", "--poll-delay", "80", "--silent", "2=$:2"});
    Devsim inputs({"--hardware", "RLX-31868-AD transmitter"});
    Devsim vela(rs485());
    Cli testRun({"test", "--port", device.path, "--addresses", "1,2", "--rounds", "3", "--csv",
                 "test.csv"});
    Cli measureRun({"measure", "--port", inputs.path, "--count", "3", "--csv", "in.csv"});
    Cli reportRun({"report", "--port", vela.path, "-o", "r.html", "--test", "1", "--rounds", "2",
                   "--site", "Pump <3>", "--technician", "A. Engineer", "--note", "after repair"});

    CliRun r = testRun.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(fileBytes("test.csv"), QByteArray("address,sent,answered,share,longest_miss_run,"
                                               "complete\n1,3,3,1.000,0,1\n2,3,1,0.333,2,1\n"));

    // Three rows, no "complete" column: a current near 12 mA in µA, a voltage near 5 V in mV.
    r = measureRun.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QString row = "[0-9.]+,([3-9]\\d{3}|1\\d{4}|20\\d{3}),(\\d{1,4}|10000),\\d+,\\d+\n";
    const QString csv = QString::fromUtf8(fileBytes("in.csv"));
    QVERIFY2(QRegularExpression("^seconds,an1,an2,d1,d2\n(" + row + "){3}$").match(csv).hasMatch(),
             qPrintable(csv));

    // What rlx-cli gives the report (its layout: tst_report).
    r = reportRun.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QString html = QString::fromUtf8(fileBytes("r.html"));
    for (const char *cell :
         {"RLX-31868-Vela-485", "<td>Site</td><td>Pump &lt;3&gt;</td>",
          "<td>Technician</td><td>A. Engineer</td>", "<td>Note</td><td>after repair</td>",
          "<td>Delay Tx-Rx</td><td>34 x100 µs</td>",
          "<tr><td>1</td><td>2</td><td>2</td><td>100.0 %</td><td>0</td></tr>"})
        QVERIFY2(html.contains(QString::fromUtf8(cell)), cell);
}

// Every field its own value: .rlx to .json and back byte for byte, also through "-" (--format).
void TestCli::convertRoundTripAndStandardStreams()
{
    DeviceSettings s;
    int n = 0;
    for (const SettingsField &f : SettingsFields::all()) {
        ++n;
        if (f.encoding == SettingsField::AddressList)
            s.adreses = QString(); // null: written as FF FF FF FF
        else if (f.isText())
            s.*f.text = QStringLiteral("COM%1").arg(n);
        else if (!f.choices.isEmpty())
            s.*f.byte = quint8(f.choices.at(n % f.choices.size()));
        else
            s.*f.byte = quint8(f.low + n % (f.high - f.low + 1));
    }
    // Where one field's range hangs on another's (the channel on the radio rate): its lowest.
    for (const SettingsProblem &p : SettingsFields::validate(s))
        s.*p.field->byte = quint8(p.field->low);
    const QByteArray bytes = SettingsFile::toBytes(s);
    QVERIFY(writeFile("a.rlx", bytes));
    QCOMPARE(QJsonDocument::fromJson(convert({"a.rlx", "b.json"})).object(), settingsJson(s));
    QCOMPARE(convert({"a.rlx", "-"}), fileBytes("b.json"));
    QCOMPARE(convert({"-", "-", "--format", "rlx"}, bytes), bytes);
    // JSON on standard input; an empty address text is not a null one.
    QJsonObject empty = settingsJson(s);
    empty["adreses"] = "";
    QCOMPARE(convert({"-", "d.rlx"}, QJsonDocument(empty).toJson()),
             bytes.chopped(4) + QByteArray(4, '\0'));
}

void TestCli::refusedWithALineEach_data()
{
    QTest::addColumn<QString>("args");
    // bad.json: "field=JSON" changes joined by ";", or its text; told after "rlx-cli: " ("":
    // usage).
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("told");
    const auto usage = [](const char *args, const QString &told) {
        QTest::addRow("%s", *args ? args : "no command")
            << QString(args) << QByteArray()
            << (told.isEmpty() ? told : told + " (see rlx-cli --help)");
    };
    const auto bad = [](const char *change, const QString &told) {
        QTest::addRow("%s", change) << "convert bad.json out.rlx" << QByteArray(change)
                                    << "bad.json: " + QString(told).replace("\n", "\nbad.json: ");
    };
    usage("", "");
    usage("read --port x --colour", "read: Unknown option 'colour'.");
    usage("read --json", "--port is missing");
    usage("write --port x", "write takes one settings file");
    usage("test --port x", "--addresses is missing");
    usage("test --port x --addresses 1,65", "bad address \"65\" (0 to 64, comma-separated)");
    usage("test --port x --port y --addresses 1", "this command takes one port");
    usage("read --port x --port y -o a.rlx", "-o takes one port");
    usage("report --port x", "-o FILE.pdf or FILE.html is missing");
    usage("report --port x -o r.txt", "the report is a .pdf or an .html file");
    usage("convert a.rlx", "convert takes two files");
    usage("convert a.rlx a.txt", "a.txt: settings are a .rlx or a .json file (or give --format)");
    usage("convert a.json - --format xml", "--format takes rlx or json, not \"xml\"");
    usage("get spare2 --port x", "no setting \"spare2\" (the names of 'rlx-cli read')");
    // Numbers that would wrap.
    usage("test --port x --addresses 1,2,3 --rounds 1431655766",
          "--rounds takes a number from 1 to 100000");
    usage("test --port x --addresses 1 --duration 4294968",
          "--duration takes seconds from 1 to 604800 (a week)");
    usage("test --port x --addresses 1 --min-share 1.5", "--min-share takes a share from 0 to 1");
    usage("measure --port x --count -3", "--count takes a number from 1 to 100000");
    bad("colour=3", "unknown field \"colour\"");
    for (const QString c : {"power=256", "chanel=-1", "parity=1.5", "testAdres=\"17\""})
        bad(qPrintable(c), QString("field \"%1\" must be a whole number from 0 to 255, not %2")
                               .arg(c.section('=', 0, 0), c.section('=', 1)));
    bad("adreses=5", "field \"adreses\" must be a string or null");
    bad("stopBit", "field \"stopBit\" is missing");
    bad("{\"power\": ", "not JSON: unterminated object at offset 10");
    bad("[1,2]", "not a JSON object");
    bad("power=200;serialRate=250;parity=9",
        "power (Power): 200 is not 0 to 7\nparity (Parity): 9 is not 0 to 3\nserialRate (Serial "
        "Data Rate): 250 is not 0 to 7\n3 setting(s) out of range; nothing was sent");
    bad("adreses=\"not an address list\"",
        "adreses (Addresses): \"not an address list\" is not an address list (up to 16 "
        "hexadecimal digits)\n1 setting(s) out of range; nothing was sent");
}

// Usage errors exit 2, settings files refused exit 4; nothing written, nothing else said.
void TestCli::refusedWithALineEach()
{
    QFETCH(QString, args);
    QFETCH(QByteArray, file);
    QFETCH(QString, told);
    QJsonObject o = settingsJson(rs485Settings());
    for (const QByteArray &c : file.split(';')) {
        const int eq = c.indexOf('=');
        if (eq < 0)
            o.remove(QString::fromLatin1(c));
        else
            o.insert(c.left(eq), QJsonDocument::fromJson("[" + c.mid(eq + 1) + "]").array().at(0));
    }
    const bool whole = file.startsWith('{') || file.startsWith('[');
    QVERIFY(file.isNull() || writeFile("bad.json", whole ? file : QJsonDocument(o).toJson()));
    const CliRun r = runCli(args.split(' ', Qt::SkipEmptyParts));
    QCOMPARE(r.code, file.isNull() ? 2 : 4);
    QCOMPARE(r.out, QString());
    QVERIFY(!QFile::exists("a.txt") && !QFile::exists("out.rlx"));
    if (!told.isEmpty()) {
        QCOMPARE(r.err, "rlx-cli: " + QString(told).replace("\n", "\nrlx-cli: ") + '\n');
        return;
    }
    QVERIFY2(r.err.startsWith("Usage:"), qPrintable(r.err));
}

// One RS-485 device with two stuck settings (at their power-up values), a command after another:
// diff, set, get, write's check naming what was not taken, backup, another model's settings.
void TestCli::singleSettingsCheckedWritesAndBackup()
{
    Devsim device(rs485() + QStringList{"--stuck", "delTxRx", "--stuck", "S206"});
    Devsim transmitter({"--hardware", "RLX-31868-AD transmitter"});
    DeviceSettings s = rs485Settings();
    s.delTxRx = 40, s.subBand = 4, s.power = 3;
    QVERIFY(writeSettings("new.json", s));
    QVERIFY(QDir().mkdir("backup"));
    // Setting writes: registers (S220 belongs to the read), configuration, averaging.
    const QRegularExpression writing("^(ATS2(?!20)\\d\\d=|\\$0|\\$8)");
    const QString at = device.path + ": ";
    // On the device (BACKUP: the transmitter's backup): exit code, whether it writes, what it says.
    const QList<std::tuple<QString, int, bool, QString>> steps = {
        {"read -o site.json", 0, false, ""},
        {"diff site.json", 0, false, ""},
        {"set power=200", 2, false,
         "rlx-cli: " + at + "power (Power): 200 is not 0 to 7; nothing was written"},
        {"set power=3 radioTransmitReset=80", 0, true, ", verified: ok"},
        // The RS-485 model is written with the test address 255.
        {"get power radioTransmitReset testAdres", 0, false,
         "power = 3\nradioTransmitReset = 80\ntestAdres = 255\n"},
        {"diff site.json", 3, false,
         at + "power (Power): file 5, device 3\n" + at +
             "radioTransmitReset (Radio Transmit Reset): file 70, device 80\n"},
        {"write new.json", 3, true,
         at + "delTxRx (Delay Tx-Rx): written 40, device holds 0\n" + at +
             "subBand (Sub-band): written 4, device holds 6\n"},
        {"write new.json --no-verify", 0, true, ""},
        {"backup --dir backup --port " + transmitter.path, 0, false, ""},
        {"write BACKUP", 1, false,
         "the settings were read from RLX-31868-AD transmitter, this device is "
         "RLX-31868-Vela-485; nothing was written"},
        {"write --force --no-verify BACKUP", 0, true, ""},
    };
    for (const auto &[command, code, writes, said] : steps) {
        const QStringList files = QDir("backup").entryList(QDir::Files, QDir::Name);
        const int before = device.requests().size();
        const CliRun r =
            runCli(QString(command).replace("BACKUP", "backup/" + files.value(0)).split(' ') +
                   QStringList{"--port", device.path});
        const bool wrote = !device.requests().mid(before).filter(writing).isEmpty();
        QVERIFY2(r.code == code && (r.out + r.err).contains(said) && wrote == writes,
                 qPrintable(command + ": " + QString::number(r.code) + '\n' + r.out + r.err));
    }
    // A backup of each port, named by its hardware, port number, date and time.
    const QStringList files = QDir("backup").entryList(QDir::Files, QDir::Name);
    const QRegularExpression named(
        "^RLX-31868-(AD-transmitter|Vela-485)_\\d+_\\d{8}-\\d{6}\\.json$");
    QVERIFY2(files.filter(named).size() == 2, qPrintable(files.join(' ')));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
