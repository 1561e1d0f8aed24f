// rlx-cli in its own process against the virtual device in another: the
// bytes it sends against the window's, what it reports, its exit codes and
// its files. What a damaged or missing reply does to a read is settled in
// memory (tests/session/tst_notread); here only how rlx-cli tells it.

#include "app/mainwindow.h"
#include "session/settingsfile.h"
#include "tests/cli/clirun.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QDir>
#include <QJsonArray>

#include <list>

using namespace WindowDriver;

namespace {

QJsonDocument json(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8());
}

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
    void stuckSettingGivesExit3AndNamesIt();
    void notReadIsToldEverywhere();
    void silentDeviceGivesExit1NamingThePort();
    void portsListVirtualDevices();
    void eightDevicesInParallel();
    void checksAndReport();
    void convertRoundTripIsByteIdentical();
    void badJsonIsRefusedNamingTheField_data();
    void badJsonIsRefusedNamingTheField();
    void usageErrorsExit2_data();
    void usageErrorsExit2();
    // Commands for fleets of devices, and settings through the standard streams.
    void diffGetAndSetWorkOnSingleSettings();
    void backupAndModelCheck();
    void standardStreamsAndSuffixes();
};

void TestCli::wireBytesEqualTheWindows_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("read") << "read";
    QTest::newRow("write") << "write";
    QTest::newRow("defaults") << "defaults";
}

// Two devices alike: the window runs the operation on one, rlx-cli on the
// other, side by side; each device must have received the same requests.
void TestCli::wireBytesEqualTheWindows()
{
    QFETCH(QString, operation);
    const QStringList device = rs485(operation == "defaults" ? 0 : 2);
    Devsim forWindow(device), forCli(device);
    QVERIFY(!forWindow.path.isEmpty() && !forCli.path.isEmpty());

    // Settings to write, as a file the window opens and as JSON for rlx-cli;
    // the address list is in the device's bare form, which the window's
    // address panel writes grouped.
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
    // A device may log a request after it answered it: each log is whole once
    // its device has ended.
    forWindow.stop();
    forCli.stop();
    const QStringList fromWindow = forWindow.requests();
    QVERIFY(fromWindow.size() >= 13);
    if (operation != "read")
        QVERIFY(!fromWindow.filter(QRegularExpression("^\\$0=")).isEmpty());
    if (operation == "defaults")
        QCOMPARE(fromWindow.filter(QRegularExpression("^\\$3")), (QStringList{"$35", "$30"}));
    // rlx-cli then reads again until two readings agree: once more after a
    // read (identity and full read), not at all after a verified write.
    const QStringList fromCli = forCli.requests();
    QCOMPARE(fromCli.mid(0, fromWindow.size()), fromWindow);
    QCOMPARE(fromCli.mid(fromWindow.size()), operation == "read" ? fromWindow : QStringList());
}

// Identify, read as JSON, as a settings file and on standard output: each
// gives the device as it is, and identify asks nothing but the identity.
void TestCli::readGivesWhatTheDeviceHolds()
{
    Devsim device(rs485());
    CliRun r = runCli({"identify", "--port", device.path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains("RLX-31868-Vela-485, firmware Aug  4 2022 (variant 2)"),
             qPrintable(r.out));
    // Asked twice, so that a reply damaged on the line cannot pass for the
    // identity; the module is not put in command mode.
    QVERIFY(QTest::qWaitFor([&] { return device.requests().size() >= 2; }, Cli::HangMs));
    QTest::qWait(100); // a request sent after the identity would be in the log by now
    QCOMPARE(device.requests(), (QStringList{"$2", "$2"}));

    r = runCli({"read", "--port", device.path, "--json"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QJsonObject o = json(r.out).object();
    QCOMPARE(o.value("port").toString(), device.path);
    QCOMPARE(o.value("hardware").toString(), QStringLiteral("RLX-31868-Vela-485"));
    QCOMPARE(o.value("firmware").toString(), QStringLiteral("Aug  4 2022"));
    QCOMPARE(o.value("variant").toInt(-1), 2);
    QCOMPARE(o.value("ok").toBool(false), true);
    QCOMPARE(o.value("unanswered").toArray(), QJsonArray());
    QCOMPARE(o.value("settings").toObject(), settingsJson(rs485Settings()));

    // Saved as the window saves a file, to a file and to standard output.
    QCOMPARE(runCli({"read", "--port", device.path, "-o", "read.rlx"}).code, 0);
    DeviceSettings saved;
    QVERIFY(SettingsFile::load("read.rlx", saved));
    QCOMPARE(settingsJson(saved), settingsJson(rs485Settings()));
    r = runCli({"read", "--port", device.path, "-o", "-", "--format", "rlx"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.bytes, fileBytes("read.rlx"));
}

void TestCli::stuckSettingGivesExit3AndNamesIt()
{
    // The device takes even its start configuration through "$0", so the
    // stuck field stays at its power-up value, 0.
    Devsim device(rs485() + QStringList{"--stuck", "delTxRx", "--stuck", "S206"});
    DeviceSettings s = rs485Settings();
    s.delTxRx = 40, s.subBand = 4, s.power = 3;
    QVERIFY(writeFile("new.json", QJsonDocument(settingsJson(s)).toJson()));
    const CliRun r = runCli({"write", "--port", device.path, "new.json"});
    QCOMPARE(r.code, 3);
    const QStringList lines = r.out.split('\n').filter(" device holds ");
    QVERIFY2(
        lines.size() == 2 &&
            lines.contains(device.path + ": " + named("delTxRx") +
                           ": written 40, device holds 0") &&
            lines.contains(device.path + ": " + named("subBand") + ": written 4, device holds 6"),
        qPrintable(r.out));
    // Without the check the same write succeeds.
    QCOMPARE(runCli({"write", "--port", device.path, "new.json", "--no-verify"}).code, 0);
}

// A register whose reply comes damaged: read as JSON and as text, write and
// report each name it as not read, show no value for it and claim nothing
// of it; the rest is what the device holds.
void TestCli::notReadIsToldEverywhere()
{
    Devsim device(rs485() + QStringList{"--reply", "ATS214?=S214=\\r"});
    const QString name = QStringLiteral("serialTimeout");
    CliRun r = runCli({"read", "--json", "--port", device.path});
    QCOMPARE(r.code, 1);
    const QJsonObject o = json(r.out).object();
    QCOMPARE(o.value("notRead").toArray(), QJsonArray{name});
    QJsonObject settings = settingsJson(rs485Settings());
    settings[name] = QJsonValue();
    QCOMPARE(o.value("settings").toObject(), settings);

    const QString summary = ", not read: " + name;
    r = runCli({"read", "--port", device.path});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.split('\n').contains(name + " = not read") && r.out.contains(summary + ": "),
             qPrintable(r.out));

    DeviceSettings s = rs485Settings();
    s.serialTimeout = 20; // no difference with a value never read
    QVERIFY(writeFile("site.json", QJsonDocument(settingsJson(s)).toJson()));
    r = runCli({"write", "--port", device.path, "site.json"});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains(summary) && !r.out.contains("verified") &&
                 !r.out.contains(named("serialTimeout")),
             qPrintable(r.out));

    r = runCli({"report", "--port", device.path, "-o", "r.html"});
    QCOMPARE(r.code, 1);
    const QString html = QString::fromUtf8(fileBytes("r.html"));
    QVERIFY2(html.contains(QStringLiteral("<tr><td>%1</td><td>not read</td>")
                               .arg(SettingsFields::byName(name)->label)),
             qPrintable(html));
}

void TestCli::silentDeviceGivesExit1NamingThePort()
{
    Devsim silent({"--silent", "$2"});
    Devsim good({});
    CliRun r = runCli({"read", "--json", "--port", silent.path, "--port", good.path});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(silent.path + ": no answer to \"$2\" (identity)"), qPrintable(r.err));
    const QJsonArray ports = json(r.out).array();
    QCOMPARE(ports.size(), 2);
    QCOMPARE(ports[0].toObject().value("ok").toBool(true), false);
    // The identity is asked a second time before the device counts as not
    // there, and nothing follows it.
    QCOMPARE(ports[0].toObject().value("unanswered").toArray(), (QJsonArray{"$2", "$2"}));
    QCOMPARE(silent.requests().filter(QRegularExpression("^(?!\\$2$)")), QStringList());
    QCOMPARE(ports[1].toObject().value("ok").toBool(false), true);

    r = runCli({"identify", "--port", "/nonexistent/ttyRLX"});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains("/nonexistent/ttyRLX: cannot open the port"), qPrintable(r.err));
    // A name that would clear the terminal is shown, not obeyed; a bracket
    // that closes nothing makes a name, not a broken glob.
    r = runCli({"identify", "--port", "/nonexistent/x\x1b[2J"});
    QCOMPARE(r.code, 1);
    const QString said = r.out + r.err;
    QVERIFY2(said.contains("/nonexistent/x<1b>[2J: cannot open the port") &&
                 said.contains("/nonexistent/x<1b>[2J: FAILED"),
             qPrintable(said));
    QVERIFY2(!said.contains('\x1b') && !said.contains("QRegularExpression"), qPrintable(said));
}

void TestCli::portsListVirtualDevices()
{
    Devsim device({}, true);
    const QString entry = device.path + " (virtual RLX-31868-4-20-D receiver)";
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
    const QJsonObject expected{{"name", entry}, {"port", device.path}, {"virtual", true}};
    QVERIFY2(json(r.out).array().contains(expected), qPrintable(r.out));
    // The list entry names the port as well as its path does.
    QCOMPARE(runCli({"identify", "--port", entry}).code, 0);
}

// Eight devices, each of its own kind, chosen by a glob and read in one
// process, side by side: every port has started before any has finished.
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
    const QJsonArray ports = json(all.out).array();
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
    // One summary line per port, on standard error beside the JSON.
    QCOMPARE(err.filter(QRegularExpression(": ok$")).size(), 8);
}

// The stability check, the measurement and the report, side by side.
void TestCli::checksAndReport()
{
    // A line that carries stray bytes between the answers: an answer that
    // came whole counts, whatever follows it.
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
    // Four polls, and none after the last.
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
        // A current input around 12 mA in microamperes, a voltage input
        // around 5 V in millivolts.
        const QStringList v = row.split(',');
        QVERIFY2(v.size() == 5 && v[1].toInt() > 3000 && v[1].toInt() < 21000 &&
                     v[2].toInt() >= 0 && v[2].toInt() <= 10000,
                 qPrintable(row));
    }
    QCOMPARE(inputs.requests().count("$7"), 3);

    // The report a customer reads: every setting by its label, values in words.
    r = reportRun.wait();
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QString html = QString::fromUtf8(fileBytes("r.html"));
    for (const SettingsField &f : SettingsFields::all())
        if (f.isDeviceField())
            QVERIFY2(html.contains(QStringLiteral("<tr><td>%1</td>").arg(f.label)), f.label);
    for (const char *cell :
         {"RLX-31868-Vela-485", "<td>Site</td><td>Pump &lt;3&gt;</td>",
          "<td>Technician</td><td>A. Engineer</td>", "<td>Note</td><td>after repair</td>",
          "<td>Serial Data Rate</td><td>38400 baud (5)</td>",
          "<td>Parity</td><td>8-bit data, parity odd (2)</td>",
          "<td>Delay Tx-Rx</td><td>34 x100 µs</td>", "<td>Power</td><td>+7 dBm (5)</td>",
          "<tr><td>1</td><td>2</td><td>2</td><td>100.0 %</td><td>0</td></tr>"})
        QVERIFY2(html.contains(QString::fromUtf8(cell)), cell);
    r = runCli({"report", "--port", vela.path, "-o", "r.pdf"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QByteArray pdf = fileBytes("r.pdf");
    QVERIFY(pdf.startsWith("%PDF") && pdf.size() > 1000);
    QCOMPARE(runCli({"report", "--port", vela.path, "-o", "/nonexistent/r.pdf"}).code, 4);
}

void TestCli::convertRoundTripIsByteIdentical()
{
    // Every field at a value a device may be given, unlike its neighbours'
    // where the ranges allow (convert refuses others).
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
    // Where one field's range hangs on another's (the channel on the radio
    // rate), its lowest value.
    for (const SettingsProblem &p : SettingsFields::validate(s))
        s.*p.field->byte = quint8(p.field->low);
    for (const SettingsProblem &p : SettingsFields::validate(s))
        QFAIL(qPrintable(QLatin1String(p.field->name) + ": " + p.why));
    const QByteArray bytes = SettingsFile::toBytes(s);
    QVERIFY(writeFile("a.rlx", bytes));

    QCOMPARE(runCli({"convert", "a.rlx", "b.json"}).code, 0);
    const QJsonObject o = json(fileBytes("b.json")).object();
    QCOMPARE(o, settingsJson(s));
    QVERIFY(o.value("adreses").isNull());
    QCOMPARE(runCli({"convert", "b.json", "c.rlx"}).code, 0);
    QCOMPARE(fileBytes("c.rlx"), bytes);

    // An empty address text is not a null one.
    QJsonObject empty = o;
    empty["adreses"] = "";
    QVERIFY(writeFile("e.json", QJsonDocument(empty).toJson()));
    QCOMPARE(runCli({"convert", "e.json", "e.rlx"}).code, 0);
    QCOMPARE(fileBytes("e.rlx").right(4), QByteArray(4, '\0'));
    QCOMPARE(runCli({"convert", "missing.rlx", "x.json"}).code, 4);
}

void TestCli::badJsonIsRefusedNamingTheField_data()
{
    // "field=JSON value" changes separated by ";", or a whole text; each
    // message on a line of its own.
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
    // Bytes, but values no device may be given.
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
    // write refuses it before it opens the port: the device hears nothing.
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
    QTest::newRow("no command") << "";
    QTest::newRow("unknown command") << "flash";
    QTest::newRow("unknown option") << "read --port x --colour";
    QTest::newRow("no port") << "read --json";
    QTest::newRow("write without a file") << "write --port x";
    QTest::newRow("rounds and duration") << "test --port x --addresses 1 --rounds 2 --duration 5";
    QTest::newRow("no addresses") << "test --port x";
    QTest::newRow("bad address") << "test --port x --addresses 1,65";
    QTest::newRow("test on two ports") << "test --port x --port y --addresses 1";
    QTest::newRow("report without a file") << "report --port x";
    QTest::newRow("report of another kind") << "report --port x -o r.txt";
    QTest::newRow("convert one file") << "convert a.rlx";
    QTest::newRow("read of two ports to one file") << "read --port x --port y -o a.rlx";
    // Numbers that would wrap: polls counted, seconds in milliseconds.
    QTest::newRow("rounds beyond") << "test --port x --addresses 1,2,3 --rounds 1431655766";
    QTest::newRow("duration beyond") << "test --port x --addresses 1 --duration 4294968";
    QTest::newRow("share beyond") << "test --port x --addresses 1 --min-share 1.5";
    QTest::newRow("count beyond") << "measure --port x --count -3";
    QTest::newRow("settings of no kind") << "convert a.json a.txt";
    QTest::newRow("kind of no name") << "convert a.json - --format xml";
    // Fleet commands: a name that is no field.
    QTest::newRow("set of no field") << "set powr=2 --port x";
    QTest::newRow("get of no field") << "get spare2 --port x";
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
        // The help and the version are no usage errors.
        const CliRun version = runCli({"--version"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QStringLiteral("rlx-cli 2.5.16\n"));
        const CliRun help = runCli({"write", "--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("--no-verify") && help.out.contains("write [options]"));
    }
}

void TestCli::diffGetAndSetWorkOnSingleSettings()
{
    Devsim device(rs485());
    // A file of the device's own settings: no difference, nothing written.
    QCOMPARE(runCli({"read", "--port", device.path, "-o", "site.json"}).code, 0);
    const int asked = device.requests().size();
    CliRun r = runCli({"diff", "site.json", "--port", device.path});
    QVERIFY2(r.code == 0 && r.out.isEmpty(), qPrintable(r.out + r.err));
    // Writes of settings: registers (S220 belongs to the read), the
    // configuration and the averaging.
    const QRegularExpression writes("^(ATS2(?!20)\\d\\d=|\\$0|\\$8)");
    QVERIFY(device.requests().mid(asked).filter(writes).isEmpty());

    // Settings changed on the device: get sees them, diff names them.
    r = runCli({"set", "power=3", "delTxRx=40", "--port", device.path});
    QVERIFY2(r.code == 0 && r.out.contains(", verified: ok"), qPrintable(r.out + r.err));
    r = runCli({"get", "power", "delTxRx", "testAdres", "--port", device.path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    // The RS-485 model is written with the fixed test address 255.
    QCOMPARE(r.out, QStringLiteral("power = 3\ndelTxRx = 40\ntestAdres = 255\n"));
    r = runCli({"diff", "site.json", "--port", device.path});
    QCOMPARE(r.code, 3);
    QVERIFY2(r.out.contains(device.path + ": power (Power): file 5, device 3") &&
                 r.out.contains("delTxRx (Delay Tx-Rx): file 34, device 40"),
             qPrintable(r.out));

    // A value no device may be given: refused before anything is written.
    const int before = device.requests().size();
    QCOMPARE(runCli({"set", "power=200", "--port", device.path}).code, 2);
    QVERIFY(device.requests().mid(before).filter(writes).isEmpty());
}

void TestCli::backupAndModelCheck()
{
    Devsim rs485Device(rs485());
    Devsim transmitter({"--hardware", "RLX-31868-AD transmitter"});
    QVERIFY(QDir().mkdir("backup"));
    const CliRun r = runCli(
        {"backup", "--dir", "backup", "--port", rs485Device.path, "--port", transmitter.path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QStringList files = QDir("backup").entryList(QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 2);
    // Named by hardware, port and date, and naming the hardware inside.
    const QString fromTransmitter = "backup/" + files.filter("RLX-31868-AD-transmitter_").value(0);
    QVERIFY2(QRegularExpression("^RLX-31868-AD-transmitter_\\d+_\\d{8}-\\d{6}\\.json$")
                 .match(QFileInfo(fromTransmitter).fileName())
                 .hasMatch(),
             qPrintable(files.join(' ')));
    QCOMPARE(jsonObject(QString::fromUtf8(fileBytes(fromTransmitter))).value("hardware").toString(),
             QStringLiteral("RLX-31868-AD transmitter"));

    // The transmitter's settings are not for the RS-485 model.
    const int before = rs485Device.requests().size();
    CliRun w = runCli({"write", "--port", rs485Device.path, fromTransmitter});
    QCOMPARE(w.code, 1);
    QVERIFY2(w.out.contains("the settings were read from RLX-31868-AD transmitter, this device "
                            "is RLX-31868-Vela-485; nothing was written"),
             qPrintable(w.out));
    QVERIFY(rs485Device.requests().mid(before).filter(QRegularExpression("^\\$0")).isEmpty());
    w = runCli({"write", "--force", "--port", rs485Device.path, fromTransmitter});
    QVERIFY2(w.code == 0, qPrintable(w.out + w.err));
    QVERIFY(!rs485Device.requests().mid(before).filter(QRegularExpression("^\\$0=")).isEmpty());
}

// "-" is standard input or output, --format says what kind where no suffix
// tells, and a suffix that names neither kind is a usage error.
void TestCli::standardStreamsAndSuffixes()
{
    QVERIFY(writeFile("site.json", QJsonDocument(settingsJson(rs485Settings())).toJson()));
    QCOMPARE(runCli({"convert", "site.json", "site.rlx"}).code, 0);
    const QByteArray rlx = fileBytes("site.rlx");
    QVERIFY(!rlx.isEmpty());

    CliRun r = runCli({"convert", "site.rlx", "site.txt"});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains("site.txt: settings are a .rlx or a .json file"), qPrintable(r.err));
    QVERIFY(!QFile::exists("site.txt"));
    r = runCli({"convert", "site.rlx", "-"});
    QCOMPARE(r.code, 0);
    QCOMPARE(jsonObject(r.out), settingsJson(rs485Settings()));
    // Through standard input and output, byte for byte.
    const CliRun back = runCli({"convert", "-", "-", "--format", "rlx"}, rlx);
    QCOMPARE(back.code, 0);
    QCOMPARE(back.bytes, rlx);
    r = runCli({"convert", "-", "copy.rlx"}, r.out.toUtf8());
    QCOMPARE(r.code, 0);
    QCOMPARE(fileBytes("copy.rlx"), rlx);

    // One port named plainly: an object; a glob, even of one port: an array.
    Devsim device(rs485());
    QVERIFY(runCli({"identify", "--json", "--port", device.path}).out.trimmed().startsWith('{'));
    const QString glob = device.path.left(device.path.size() - 1) + '?';
    const CliRun many = runCli({"identify", "--json", "--port", glob});
    QVERIFY2(many.out.trimmed().startsWith('['), qPrintable(many.out + many.err));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
