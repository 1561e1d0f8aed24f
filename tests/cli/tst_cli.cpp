// rlx-cli in its own process against rlx-devsim: its bytes on the line against
// the window's, what it reports, its exit codes and files. What a damaged reply
// does to a job is settled in memory (tst_notread); here how rlx-cli tells it.

#include "app/mainwindow.h"
#include "session/settingsfile.h"
#include "tests/cli/clirun.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <list>

using namespace WindowDriver;

namespace {

// "name (Label)", as messages name a field.
QString named(const char *name)
{
    return QStringLiteral("%1 (%2)").arg(QLatin1String(name),
                                         QLatin1String(SettingsFields::byName(name)->label));
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void wireBytesEqualTheWindows_data();
    void wireBytesEqualTheWindows();
    void readGivesWhatTheDeviceHolds();
    void notReadIsTold();
    void portsAndUnreachableDevices();
    void eightDevicesInParallel();
    void checksAndReport();
    void convertRoundTripAndStandardStreams();
    void badJsonIsRefusedNamingTheField_data();
    void badJsonIsRefusedNamingTheField();
    void usageErrorsExit2_data();
    void usageErrorsExit2();
    void singleSettingsCheckedWritesAndBackup();
};

void TestCli::wireBytesEqualTheWindows_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("read") << "read";
    QTest::newRow("write") << "write";
    QTest::newRow("defaults") << "defaults";
}

// The window runs the operation on one device, rlx-cli on another alike: the same requests.
void TestCli::wireBytesEqualTheWindows()
{
    QFETCH(QString, operation);
    const QStringList device = rs485(operation == "defaults" ? 0 : 2);
    Devsim forWindow(device), forCli(device);
    QVERIFY(!forWindow.path.isEmpty() && !forCli.path.isEmpty());

    // The address list in the device's bare form, which the window's panel writes grouped.
    DeviceSettings s = rs485Settings();
    s.delTxRx = 40, s.delRxTx = 15, s.power = 3, s.parity = 1, s.radioTransmitReset = 80;
    s.delRequest = 20, s.diskret1 = 6, s.adreses = QStringLiteral("0000000000000006");
    QVERIFY(writeFile("site.json", QJsonDocument(settingsJson(s)).toJson()));
    QCOMPARE(runCli({"convert", "site.json", "site.rlx"}).code, 0);

    QStringList args{operation, "--port", forCli.path};
    if (operation == "write")
        args << "site.json";
    Cli run(args);

    Modals modals;
    modals.fileName = QDir::current().filePath("site.rlx");
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, forWindow.path, Cli::HangMs));
    if (operation == "write") {
        click(&w, "Open Settings");
        QVERIFY(press(w, "WRITE", Cli::HangMs));
    } else if (operation == "defaults") {
        QVERIFY(press(w, "DEFAULT", Cli::HangMs));
    }
    click(&w, "pbOpen");
    QCOMPARE(modals.texts, QStringList());

    const CliRun r = run.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err + r.out));
    // A device's log is whole once it has ended.
    forWindow.stop();
    forCli.stop();
    const QStringList fromWindow = forWindow.requests();
    QVERIFY(fromWindow.size() >= 13);
    if (operation != "read")
        QVERIFY(!fromWindow.filter(QRegularExpression("^\\$0=")).isEmpty());
    if (operation == "defaults")
        QCOMPARE(fromWindow.filter(QRegularExpression("^\\$3")), (QStringList{"$35", "$30"}));
    // rlx-cli reads again until two readings agree: once more after a read only.
    const QStringList fromCli = forCli.requests();
    QCOMPARE(fromCli.mid(0, fromWindow.size()), fromWindow);
    QCOMPARE(fromCli.mid(fromWindow.size()), operation == "read" ? fromWindow : QStringList());
}

// Identify, read as JSON, to a settings file and to standard output: the device as it is.
void TestCli::readGivesWhatTheDeviceHolds()
{
    Devsim device(rs485());
    CliRun r = runCli({"identify", "--port", device.path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains("RLX-31868-Vela-485, firmware Aug  4 2022 (variant 2)"),
             qPrintable(r.out));
    // Asked twice (one damaged reply cannot pass); nothing else is asked.
    QVERIFY(QTest::qWaitFor([&] { return device.requests().size() >= 2; }, Cli::HangMs));
    QTest::qWait(100); // a request sent after the identity would be in the log by now
    QCOMPARE(device.requests(), (QStringList{"$2", "$2"}));

    r = runCli({"read", "--port", device.path, "--json"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QJsonObject o = jsonObject(r.out);
    QCOMPARE(o.value("port").toString(), device.path);
    QCOMPARE(o.value("hardware").toString(), QStringLiteral("RLX-31868-Vela-485"));
    QCOMPARE(o.value("firmware").toString(), QStringLiteral("Aug  4 2022"));
    QCOMPARE(o.value("variant").toInt(-1), 2);
    QCOMPARE(o.value("ok").toBool(false), true);
    QCOMPARE(o.value("unanswered").toArray(), QJsonArray());
    QCOMPARE(o.value("settings").toObject(), settingsJson(rs485Settings()));

    QCOMPARE(runCli({"read", "--port", device.path, "-o", "read.rlx"}).code, 0);
    DeviceSettings saved;
    QVERIFY(SettingsFile::load("read.rlx", saved));
    QCOMPARE(settingsJson(saved), settingsJson(rs485Settings()));
    r = runCli({"read", "--port", device.path, "-o", "-", "--format", "rlx"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.bytes, fileBytes("read.rlx"));
}

// A register whose reply comes damaged: no value for it, named as not read, exit 1.
void TestCli::notReadIsTold()
{
    Devsim device(rs485() + QStringList{"--reply", "ATS214?=S214=\\r"});
    CliRun r = runCli({"read", "--json", "--port", device.path});
    QCOMPARE(r.code, 1);
    const QJsonObject o = jsonObject(r.out);
    QCOMPARE(o.value("notRead").toArray(), QJsonArray{"serialTimeout"});
    QJsonObject settings = settingsJson(rs485Settings());
    settings["serialTimeout"] = QJsonValue();
    QCOMPARE(o.value("settings").toObject(), settings);
    r = runCli({"read", "--port", device.path});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.split('\n').contains("serialTimeout = not read") &&
                 r.out.contains(", not read: serialTimeout: "),
             qPrintable(r.out));
}

// Ports listed (virtual devices named), named by their entry, a glob or plainly;
// a silent or missing one gives exit 1 naming the port, as the terminal shows it.
void TestCli::portsAndUnreachableDevices()
{
    Devsim silent({"--silent", "$2"});
    Devsim good({}, true);
    const QString entry = good.path + " (virtual RLX-31868-4-20-D receiver)";
    CliRun r;
    QVERIFY(QTest::qWaitFor(
        [&] {
            r = runCli({"ports"});
            return r.out.split('\n').contains(entry);
        },
        Cli::HangMs));
    QCOMPARE(r.code, 0);
    r = runCli({"ports", "--json"});
    QCOMPARE(r.code, 0);
    const QJsonObject expected{{"name", entry}, {"port", good.path}, {"virtual", true}};
    QVERIFY2(QJsonDocument::fromJson(r.out.toUtf8()).array().contains(expected), qPrintable(r.out));
    r = runCli({"identify", "--json", "--port", entry});
    QVERIFY2(r.code == 0 && r.out.trimmed().startsWith('{'), qPrintable(r.out + r.err));
    const QString glob = good.path.chopped(1) + '[' + good.path.right(1) + ']';
    r = runCli({"identify", "--json", "--port", glob});
    QVERIFY2(r.code == 0 && r.out.trimmed().startsWith('['), qPrintable(r.out + r.err));

    r = runCli({"read", "--json", "--port", silent.path, "--port", good.path});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(silent.path + ": no answer to \"$2\" (identity)"), qPrintable(r.err));
    const QJsonArray ports = QJsonDocument::fromJson(r.out.toUtf8()).array();
    QCOMPARE(ports.size(), 2);
    QCOMPARE(ports[0].toObject().value("ok").toBool(true), false);
    // The identity is asked twice, and nothing follows it.
    QCOMPARE(ports[0].toObject().value("unanswered").toArray(), (QJsonArray{"$2", "$2"}));
    QCOMPARE(silent.requests().filter(QRegularExpression("^(?!\\$2$)")), QStringList());
    QCOMPARE(ports[1].toObject().value("ok").toBool(false), true);
    r = runCli({"identify", "--port", "/nonexistent/ttyRLX"});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains("/nonexistent/ttyRLX: cannot open the port"), qPrintable(r.err));
    // A name that would clear the terminal is shown, not obeyed; "[" alone is no glob.
    r = runCli({"identify", "--port", "/nonexistent/x\x1b[2J"});
    QCOMPARE(r.code, 1);
    const QString said = r.out + r.err;
    QVERIFY2(said.contains("/nonexistent/x<1b>[2J: cannot open the port") &&
                 said.contains("/nonexistent/x<1b>[2J: FAILED"),
             qPrintable(said));
    QVERIFY2(!said.contains('\x1b') && !said.contains("QRegularExpression"), qPrintable(said));
}

// Eight devices of four kinds by a glob, read side by side: all start before any ends.
void TestCli::eightDevicesInParallel()
{
    const char *const hardware[] = {"RLX-31868-4-20 receiver", "RLX-31868-4-20-D receiver",
                                    "RLX-31868-DD receiver", "RLX-31868-Vela-485"};
    std::list<Devsim> devices;
    const QString folder = QDir::current().absoluteFilePath("ports");
    QDir().mkdir(folder);
    for (int i = 0; i < 8; ++i) {
        devices.emplace_back(QStringList{"--pace", "--hardware", hardware[i % 4], "--firmware",
                                         i < 4 ? "Aug  4 2022" : "Mar 15 2022"});
        QVERIFY(QFile::link(devices.back().path, QStringLiteral("%1/ttyRLX%2").arg(folder).arg(i)));
    }
    const CliRun all = runCli({"read", "--json", "--port", folder + "/ttyRLX*"});
    QVERIFY2(all.code == 0, qPrintable(all.err));
    const QJsonArray ports = QJsonDocument::fromJson(all.out.toUtf8()).array();
    QCOMPARE(ports.size(), 8);
    const QStringList err = all.err.split('\n');
    const int firstDone = err.indexOf(QRegularExpression(".*: read 100%"));
    for (int i = 0; i < 8; ++i) {
        const QString port = QStringLiteral("%1/ttyRLX%2").arg(folder).arg(i);
        const QJsonObject o = ports[i].toObject();
        QCOMPARE(o.value("port").toString(), port);
        QCOMPARE(o.value("hardware").toString(), QString(hardware[i % 4]));
        QCOMPARE(o.value("variant").toInt(), i < 4 ? 2 : 1);
        QCOMPARE(o.value("ok").toBool(), true);
        const int started =
            err.indexOf(QRegularExpression(QRegularExpression::escape(port) + ": .*"));
        QVERIFY2(started >= 0 && started < firstDone, qPrintable(all.err));
    }
    for (const Devsim &d : devices)
        QVERIFY(d.requests().size() >= 13);
    QCOMPARE(err.filter(QRegularExpression(": ok$")).size(), 8);
}

// The stability check (also on a noisy line), the measurement and the report, side by side.
void TestCli::checksAndReport()
{
    Devsim noisy({"--reachable", "1", "--line-noise", "100"});
    Devsim device({"--reachable", "1", "--poll-delay", "80"});
    Devsim inputs({"--hardware", "RLX-31868-AD transmitter"});
    Devsim vela(rs485());
    Cli noisyRun(
        {"test", "--port", noisy.path, "--addresses", "1", "--rounds", "3", "--csv", "noisy.csv"});
    Cli testRun({"test", "--port", device.path, "--addresses", "1,2", "--rounds", "2", "--csv",
                 "test.csv"});
    Cli measureRun({"measure", "--port", inputs.path, "--count", "3", "--csv", "in.csv"});
    Cli reportRun({"report", "--port", vela.path, "-o", "r.html", "--test", "1", "--rounds", "2",
                   "--site", "Pump <3>", "--technician", "A. Engineer", "--note", "after repair"});

    CliRun r = testRun.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(fileBytes("test.csv"), QByteArray("address,sent,answered,share,longest_miss_run,"
                                               "complete\n1,2,2,1.000,0,1\n2,2,0,0.000,2,1\n"));
    QCOMPARE(device.requests().filter(QRegularExpression("^[12]=\\$")).size(), 4);
    r = noisyRun.wait();
    const QList<QByteArray> rows = fileBytes("noisy.csv").split('\n');
    QVERIFY2(rows.size() == 3 && rows[1].startsWith("1,3,") && rows[1].endsWith(",1") &&
                 rows[1].split(',').value(2).toInt() >= 2,
             qPrintable(r.err + r.out));

    r = measureRun.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(r.out.split('\n').filter(QRegularExpression(" mkA .* mV ")).size(), 3);
    const QStringList values = QString::fromUtf8(fileBytes("in.csv")).trimmed().split('\n');
    QCOMPARE(values.value(0), QStringLiteral("seconds,an1,an2,d1,d2"));
    QCOMPARE(values.size(), 4);
    for (const QString &row : values.mid(1)) {
        // A current input around 12 mA in µA, a voltage around 5 V in mV.
        const QStringList v = row.split(',');
        QVERIFY2(v.size() == 5 && v[1].toInt() > 3000 && v[1].toInt() < 21000 &&
                     v[2].toInt() >= 0 && v[2].toInt() <= 10000,
                 qPrintable(row));
    }
    QCOMPARE(inputs.requests().count("$7"), 3);

    // Every setting by its label (values in words: tst_report).
    r = reportRun.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QString html = QString::fromUtf8(fileBytes("r.html"));
    for (const SettingsField &f : SettingsFields::all())
        if (f.isDeviceField())
            QVERIFY2(html.contains(QStringLiteral("<tr><td>%1</td>").arg(f.label)), f.label);
    for (const char *cell :
         {"RLX-31868-Vela-485", "<td>Site</td><td>Pump &lt;3&gt;</td>",
          "<td>Technician</td><td>A. Engineer</td>", "<td>Note</td><td>after repair</td>",
          "<td>Delay Tx-Rx</td><td>34 x100 µs</td>",
          "<tr><td>1</td><td>2</td><td>2</td><td>100.0 %</td><td>0</td></tr>"})
        QVERIFY2(html.contains(QString::fromUtf8(cell)), cell);
    QCOMPARE(runCli({"report", "--port", vela.path, "-o", "/nonexistent/r.pdf"}).code, 4);
}

// Every field at a value of its own: .rlx to .json and back byte for byte, also
// through "-" (standard input and output, --format where no suffix tells).
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
    for (const SettingsProblem &p : SettingsFields::validate(s))
        QFAIL(qPrintable(QLatin1String(p.field->name) + ": " + p.why));
    const QByteArray bytes = SettingsFile::toBytes(s);
    QVERIFY(writeFile("a.rlx", bytes));
    QCOMPARE(runCli({"convert", "a.rlx", "b.json"}).code, 0);
    const QJsonObject o = QJsonDocument::fromJson(fileBytes("b.json")).object();
    QCOMPARE(o, settingsJson(s));
    QVERIFY(o.value("adreses").isNull());
    QCOMPARE(runCli({"convert", "b.json", "c.rlx"}).code, 0);
    QCOMPARE(fileBytes("c.rlx"), bytes);
    CliRun r = runCli({"convert", "a.rlx", "-"});
    QCOMPARE(jsonObject(r.out), o);
    r = runCli({"convert", "-", "-", "--format", "rlx"}, bytes);
    QCOMPARE(r.code, 0);
    QCOMPARE(r.bytes, bytes);
    QCOMPARE(runCli({"convert", "-", "d.rlx"}, fileBytes("b.json")).code, 0);
    QCOMPARE(fileBytes("d.rlx"), bytes);

    // An empty address text is not a null one.
    QJsonObject empty = o;
    empty["adreses"] = "";
    QVERIFY(writeFile("e.json", QJsonDocument(empty).toJson()));
    QCOMPARE(runCli({"convert", "e.json", "e.rlx"}).code, 0);
    QCOMPARE(fileBytes("e.rlx").right(4), QByteArray(4, '\0'));
    QCOMPARE(runCli({"convert", "missing.rlx", "x.json"}).code, 4);
    r = runCli({"convert", "a.rlx", "a.txt"});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains("a.txt: settings are a .rlx or a .json file"), qPrintable(r.err));
    QVERIFY(!QFile::exists("a.txt"));
}

void TestCli::badJsonIsRefusedNamingTheField_data()
{
    // "field=JSON value" changes separated by ";", or a whole text.
    QTest::addColumn<QByteArray>("change");
    QTest::addColumn<QStringList>("messages");
    const auto range = [](const char *name, int v) {
        const SettingsField &f = *SettingsFields::byName(name);
        return QStringLiteral("%1: %2 is not %3").arg(named(name)).arg(v).arg(f.validText());
    };
    QTest::newRow("unknown field")
        << QByteArray("colour=3") << QStringList{"unknown field \"colour\""};
    QTest::newRow("above a byte") << QByteArray("power=256")
                                  << QStringList{"field \"power\" must be"};
    QTest::newRow("negative") << QByteArray("chanel=-1") << QStringList{"field \"chanel\" must be"};
    QTest::newRow("fraction") << QByteArray("parity=1.5")
                              << QStringList{"field \"parity\" must be"};
    QTest::newRow("text for a byte")
        << QByteArray("testAdres=\"17\"") << QStringList{"\"testAdres\""};
    QTest::newRow("number for a text")
        << QByteArray("adreses=5") << QStringList{"field \"adreses\""};
    QTest::newRow("missing field")
        << QByteArray("stopBit") << QStringList{"field \"stopBit\" is missing"};
    QTest::newRow("not JSON") << QByteArray("{\"power\": ") << QStringList{"not JSON"};
    QTest::newRow("array") << QByteArray("[1,2]") << QStringList{"not a JSON object"};
    QTest::newRow("out of range") << QByteArray("power=200;serialRate=250;parity=9")
                                  << QStringList{range("power", 200), range("serialRate", 250),
                                                 range("parity", 9)};
    QTest::newRow("not an address list")
        << QByteArray("adreses=\"not an address list\"")
        << QStringList{named("adreses") + ": \"not an address list\" is not an address list"};
}

void TestCli::badJsonIsRefusedNamingTheField()
{
    QFETCH(QByteArray, change);
    QFETCH(QStringList, messages);
    QByteArray text = change;
    if (!change.startsWith('{') && !change.startsWith('[')) {
        QJsonObject o = settingsJson(rs485Settings());
        for (const QByteArray &c : change.split(';')) {
            const int eq = c.indexOf('=');
            if (eq < 0)
                o.remove(QString::fromLatin1(c));
            else
                o.insert(QString::fromLatin1(c.left(eq)),
                         QJsonDocument::fromJson("[" + c.mid(eq + 1) + "]").array().at(0));
        }
        text = QJsonDocument(o).toJson();
    }
    QVERIFY(writeFile("bad.json", text));
    CliRun r = runCli({"convert", "bad.json", "out.rlx"});
    QCOMPARE(r.code, 4);
    QVERIFY2(r.err.startsWith("rlx-cli: bad.json: "), qPrintable(r.err));
    for (const QString &m : messages)
        QVERIFY2(r.err.split('\n').filter("rlx-cli: bad.json: ").filter(m).size() == 1,
                 qPrintable(r.err));
    QVERIFY(!QFile::exists("out.rlx"));
    // write refuses it before it opens the port.
    Devsim device({});
    r = runCli({"write", "--port", device.path, "bad.json"});
    QCOMPARE(r.code, 4);
    QVERIFY2(!r.err.contains(device.path), qPrintable(r.err));
    for (const QString &m : messages)
        QVERIFY2(r.err.contains(m), qPrintable(r.err));
    QCOMPARE(device.requests(), QStringList());
}

void TestCli::usageErrorsExit2_data()
{
    QTest::addColumn<QString>("args");
    for (const char *args :
         {"", "flash", "read --port x --colour", "read --json", "write --port x",
          "test --port x --addresses 1 --rounds 2 --duration 5", "test --port x",
          "test --port x --addresses 1,65", "test --port x --port y --addresses 1",
          "report --port x", "report --port x -o r.txt", "convert a.rlx",
          "read --port x --port y -o a.rlx", "convert a.json a.txt",
          "convert a.json - --format xml", "set powr=2 --port x", "get spare2 --port x",
          // Numbers that would wrap.
          "test --port x --addresses 1,2,3 --rounds 1431655766",
          "test --port x --addresses 1 --duration 4294968",
          "test --port x --addresses 1 --min-share 1.5", "measure --port x --count -3"})
        QTest::addRow("%s", *args ? args : "no command") << QString(args);
}

void TestCli::usageErrorsExit2()
{
    QFETCH(QString, args);
    const CliRun r = runCli(args.split(' ', Qt::SkipEmptyParts));
    QCOMPARE(r.code, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith("rlx-cli: ") || r.err.startsWith("Usage:"), qPrintable(r.err));
    if (r.err.startsWith("rlx-cli: "))
        QCOMPARE(r.err.count('\n'), 1);

    if (args.isEmpty()) {
        const CliRun version = runCli({"--version"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QStringLiteral("rlx-cli 2.5.16\n"));
        const CliRun help = runCli({"write", "--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("--no-verify") && help.out.contains("write [options]"));
    }
}

// One RS-485 device with two stuck settings and a transmitter: diff, set and get
// of single settings, write's check naming what the device did not take, backup
// and the check that settings are for this model.
void TestCli::singleSettingsCheckedWritesAndBackup()
{
    Devsim device(rs485() + QStringList{"--stuck", "delTxRx", "--stuck", "S206"});
    Devsim transmitter({"--hardware", "RLX-31868-AD transmitter"});
    QCOMPARE(runCli({"read", "--port", device.path, "-o", "site.json"}).code, 0);
    const int asked = device.requests().size();
    CliRun r = runCli({"diff", "site.json", "--port", device.path});
    QVERIFY2(r.code == 0 && r.out.isEmpty(), qPrintable(r.out + r.err));
    QCOMPARE(runCli({"set", "power=200", "--port", device.path}).code, 2);
    // Setting writes: registers (S220 belongs to the read), configuration, averaging.
    const QRegularExpression writes("^(ATS2(?!20)\\d\\d=|\\$0|\\$8)");
    QVERIFY(device.requests().mid(asked).filter(writes).isEmpty());
    r = runCli({"set", "power=3", "radioTransmitReset=80", "--port", device.path});
    QVERIFY2(r.code == 0 && r.out.contains(", verified: ok"), qPrintable(r.out + r.err));
    r = runCli({"get", "power", "radioTransmitReset", "testAdres", "--port", device.path});
    // The RS-485 model is written with the test address 255.
    QCOMPARE(r.out, QStringLiteral("power = 3\nradioTransmitReset = 80\ntestAdres = 255\n"));
    r = runCli({"diff", "site.json", "--port", device.path});
    QCOMPARE(r.code, 3);
    QVERIFY2(r.out.contains(device.path + ": power (Power): file 5, device 3") &&
                 r.out.contains(named("radioTransmitReset") + ": file 70, device 80"),
             qPrintable(r.out));

    // A stuck field stays at its power-up value (delTxRx 0): exit 3, naming each.
    DeviceSettings s = rs485Settings();
    s.delTxRx = 40, s.subBand = 4, s.power = 3;
    QVERIFY(writeFile("new.json", QJsonDocument(settingsJson(s)).toJson()));
    r = runCli({"write", "--port", device.path, "new.json"});
    QCOMPARE(r.code, 3);
    const QStringList lines = r.out.split('\n').filter(" device holds ");
    QVERIFY2(
        lines.size() == 2 &&
            lines.contains(device.path + ": " + named("delTxRx") +
                           ": written 40, device holds 0") &&
            lines.contains(device.path + ": " + named("subBand") + ": written 4, device holds 6"),
        qPrintable(r.out));
    QCOMPARE(runCli({"write", "--port", device.path, "new.json", "--no-verify"}).code, 0);

    QVERIFY(QDir().mkdir("backup"));
    r = runCli({"backup", "--dir", "backup", "--port", device.path, "--port", transmitter.path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QStringList files = QDir("backup").entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 2);
    const QString fromTransmitter = "backup/" + files.filter("RLX-31868-AD-transmitter_").value(0);
    QVERIFY2(QRegularExpression("^RLX-31868-AD-transmitter_\\d+_\\d{8}-\\d{6}\\.json$")
                 .match(QFileInfo(fromTransmitter).fileName())
                 .hasMatch(),
             qPrintable(files.join(' ')));
    QCOMPARE(jsonObject(QString::fromUtf8(fileBytes(fromTransmitter))).value("hardware").toString(),
             QStringLiteral("RLX-31868-AD transmitter"));
    const int before = device.requests().size();
    r = runCli({"write", "--port", device.path, fromTransmitter});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains("the settings were read from RLX-31868-AD transmitter, this device "
                            "is RLX-31868-Vela-485; nothing was written"),
             qPrintable(r.out));
    QVERIFY(device.requests().mid(before).filter(QRegularExpression("^\\$0")).isEmpty());
    r = runCli({"write", "--force", "--no-verify", "--port", device.path, fromTransmitter});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    QVERIFY(!device.requests().mid(before).filter(QRegularExpression("^\\$0=")).isEmpty());
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
