// rlx-cli in its own process against the virtual device in another: the
// bytes it sends against the window's, what it reports, its exit codes and
// its files.

#include "app/mainwindow.h"
#include "session/settingsfile.h"
#include "tests/devsimprocess.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <list>

using namespace WindowDriver;

namespace {

struct Run
{
    int code = -1;
    QString out, err;
    qint64 ms = 0;
};

// rlx-cli as a process; the event loop runs meanwhile (a window may be at
// work beside it).
struct Cli
{
    explicit Cli(const QStringList &args)
    {
        clock.start();
        process.start(QStringLiteral(RLX_CLI), args);
    }
    Run wait(int ms = 60000)
    {
        Run r;
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, ms))
            qWarning("rlx-cli still running after %d ms", ms);
        r.ms = clock.elapsed();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
            return r;
        }
        r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.out = QString::fromUtf8(process.readAllStandardOutput());
        r.err = QString::fromUtf8(process.readAllStandardError());
        return r;
    }
    QProcess process;
    QElapsedTimer clock;
};

Run cli(const QStringList &args, int ms = 60000)
{
    return Cli(args).wait(ms);
}

// An RS-485 model of the newest firmware, away from its factory state; its
// radio module runs at serial rate `moduleRate` while the recorded rate is 5.
// At 0 the rate search of DEFAULT fails once (at the recorded rate), finds
// the module at the next attempt and skips the rest.
QStringList rs485(int moduleRate = 2)
{
    return QStringLiteral("--hardware RLX-31868-Vela-485 --firmware Aug__4_2022 --config "
                          "017,5,012,034,2,070,020,1,8000000000000005,030,181,009 --register "
                          "206=6 --register 201=2 --register 200=4 --register 202=5 --register "
                          "214=9 --register 216=0 --averaging 133,67,7,9 --module-rate %1")
        .arg(moduleRate)
        .split(' ')
        .replaceInStrings("_", " ");
}
const QStringList Rs485 = rs485();

// What a read of that device gives, field by field.
QJsonObject rs485Record()
{
    return QJsonObject{
        {"testAdres", 17},   {"serialRate", 5},    {"delRxTx", 12},
        {"delTxRx", 34},     {"parity", 2},        {"radioTransmitReset", 70},
        {"wdtReset", 20},    {"stopBit", 1},       {"adreses", "8000000000000005"},
        {"delRequest", 30},  {"numOfDown", 181},   {"radioModuleReset", 9},
        {"subBand", 6},      {"radioRate", 2},     {"chanel", 4},
        {"power", 5},        {"serialTimeout", 9}, {"flowControl", 0},
        {"averaging1", 133}, {"averaging2", 67},   {"diskret1", 7},
        {"diskret2", 9},     {"portName", "COM1"}, {"spare", 0},
        {"outType", 0},
    };
}

bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(name);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeJson(const QString &name, const QJsonObject &o)
{
    return writeFile(name, QJsonDocument(o).toJson());
}

QJsonDocument json(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8());
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void wireBytesEqualTheWindows_data();
    void wireBytesEqualTheWindows();
    void readJsonEqualsTheDevice();
    void identifyLeavesTheDeviceAlone();
    void stuckSettingGivesExit3AndNamesIt();
    void silentDeviceGivesExit1NamingThePort();
    void damagedReplyLeavesSettingsNotRead_data();
    void damagedReplyLeavesSettingsNotRead();
    void portsListVirtualDevices();
    void eightDevicesInParallel();
    void stabilityCsvCountsReachableAndUnreachable();
    void measureReportsInputValues();
    void reportWritesHtmlAndPdf();
    void convertRoundTripIsByteIdentical();
    void badJsonIsRefusedNamingTheField_data();
    void badJsonIsRefusedNamingTheField();
    void usageErrorsExit2_data();
    void usageErrorsExit2();
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
    QJsonObject record = rs485Record();
    record["delTxRx"] = 40;
    record["delRxTx"] = 15;
    record["power"] = 3;
    record["parity"] = 1;
    record["radioTransmitReset"] = 80;
    record["delRequest"] = 20;
    record["diskret1"] = 6;
    record["adreses"] = "0000000000000006";
    QVERIFY(writeJson("site.json", record));
    QCOMPARE(cli({"convert", "site.json", "site.rlx"}).code, 0);

    QStringList args{operation, "--port", forCli.path};
    if (operation == "write")
        args << "site.json";
    Cli run(args);

    Modals modals;
    modals.fileName = QDir::current().filePath("site.rlx");
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, forWindow.path));
    if (operation == "write") {
        click(&w, "Open Settings");
        QVERIFY(press(w, "WRITE", 20000));
    } else if (operation == "defaults") {
        QVERIFY(press(w, "DEFAULT", 90000));
    }
    click(&w, "pbOpen");
    QCOMPARE(modals.texts, QStringList());

    const Run r = run.wait(90000);
    QVERIFY2(r.code == 0, qPrintable(r.err + r.out));
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
    QStringList confirming;
    if (operation == "read")
        confirming = fromWindow;
    QCOMPARE(fromCli.mid(fromWindow.size()), confirming);
}

void TestCli::readJsonEqualsTheDevice()
{
    Devsim device(Rs485);
    const Run r = cli({"read", "--port", device.path, "--json"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QJsonObject o = json(r.out).object();
    QCOMPARE(o.value("port").toString(), device.path);
    QCOMPARE(o.value("hardware").toString(), QStringLiteral("RLX-31868-Vela-485"));
    QCOMPARE(o.value("firmware").toString(), QStringLiteral("Aug  4 2022"));
    QCOMPARE(o.value("variant").toInt(-1), 2);
    QCOMPARE(o.value("ok").toBool(false), true);
    QCOMPARE(o.value("unanswered").toArray(), QJsonArray());
    QCOMPARE(o.value("settings").toObject(), rs485Record());

    // Saved as the window saves a file, and that file written back changes nothing.
    QCOMPARE(cli({"read", "--port", device.path, "-o", "read.rlx"}).code, 0);
    DeviceSettings saved;
    QVERIFY(SettingsFile::load("read.rlx", saved));
    QCOMPARE(int(saved.numOfDown), 181);
    QCOMPARE(saved.adreses, QStringLiteral("8000000000000005"));
    const Run back = cli({"write", "--port", device.path, "read.rlx"});
    QVERIFY2(back.code == 0, qPrintable(back.err + back.out));
    QCOMPARE(json(cli({"read", "--port", device.path, "--json"}).out)
                 .object()
                 .value("settings")
                 .toObject()
                 .value("testAdres")
                 .toInt(),
             255); // the RS-485 model is written with the fixed test address
}

// Identify asks "$2" and nothing else: the module is not put in command mode.
void TestCli::identifyLeavesTheDeviceAlone()
{
    Devsim device({"--hardware", "RLX-31868-AD transmitter", "--firmware", "Mar 15 2022"});
    const Run r = cli({"identify", "--port", device.path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(r.out.contains("RLX-31868-AD transmitter, firmware Mar 15 2022 (variant 1)"),
             qPrintable(r.out));
    QTest::qWait(300); // a request sent after the identity would be in the log by now
    // Asked twice, so that a reply damaged on the line cannot pass for the identity.
    QCOMPARE(device.requests(), (QStringList{"$2", "$2"}));
}

void TestCli::stuckSettingGivesExit3AndNamesIt()
{
    // The device takes even its start configuration through "$0", so the
    // stuck field stays at its power-up value, 0.
    Devsim device(Rs485 + QStringList{"--stuck", "delTxRx", "--stuck", "S206"});
    QJsonObject record = rs485Record();
    record["delTxRx"] = 40;
    record["subBand"] = 4;
    record["power"] = 3;
    QVERIFY(writeJson("new.json", record));
    const Run r = cli({"write", "--port", device.path, "new.json"});
    QCOMPARE(r.code, 3);
    const QStringList lines = r.out.split('\n').filter(" device holds ");
    QCOMPARE(lines.size(), 2);
    QVERIFY2(
        lines.filter(device.path + ": delTxRx (Delay Tx-Rx): written 40, device holds 0").size() ==
            1,
        qPrintable(r.out));
    QVERIFY2(lines.filter(device.path + ": subBand (Sub-band): written 4, device holds 6").size() ==
                 1,
             qPrintable(r.out));
    // Power was taken: it is no difference.
    QVERIFY(!r.out.contains("power ("));

    // Without the check the same write succeeds.
    QCOMPARE(cli({"write", "--port", device.path, "new.json", "--no-verify"}).code, 0);
}

void TestCli::silentDeviceGivesExit1NamingThePort()
{
    Devsim silent({"--silent", "$2"});
    Devsim good({});
    Run r = cli({"read", "--json", "--port", silent.path, "--port", good.path});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.ms < 6000, qPrintable(QString::number(r.ms)));
    QVERIFY2(r.err.contains(silent.path + ": no answer to \"$2\" (identity)"), qPrintable(r.err));
    const QJsonArray ports = json(r.out).array();
    QCOMPARE(ports.size(), 2);
    QCOMPARE(ports[0].toObject().value("ok").toBool(true), false);
    // The identity is asked a second time before the device counts as not there.
    QCOMPARE(ports[0].toObject().value("unanswered").toArray(), (QJsonArray{"$2", "$2"}));
    QCOMPARE(ports[1].toObject().value("ok").toBool(false), true);
    // Nothing follows the identity that went unanswered.
    const QStringList asked = silent.requests();
    QVERIFY(!asked.isEmpty());
    QCOMPARE(asked.filter(QRegularExpression("^(?!\\$2$)")), QStringList());

    // One register that gets no answer: named, the rest of the read is there.
    Devsim deaf({"--silent", "ATS206?"});
    r = cli({"read", "--json", "--port", deaf.path});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(deaf.path + ": no answer to \"ATS206?\""), qPrintable(r.err));
    const QJsonObject o = json(r.out).object();
    // Read three times: no reading brought the sub-band, so it is not coming.
    QCOMPARE(o.value("unanswered").toArray(), (QJsonArray{"ATS206?", "ATS206?", "ATS206?"}));
    QCOMPARE(o.value("settings").toObject().value("power").toInt(), 7);
    QVERIFY(o.value("settings").toObject().value("subBand").isNull());
    QCOMPARE(o.value("notRead").toArray(), QJsonArray{"subBand"});

    // A port that is not there.
    r = cli({"identify", "--port", "/nonexistent/ttyRLX"});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains("/nonexistent/ttyRLX: cannot open the port"), qPrintable(r.err));
}

void TestCli::damagedReplyLeavesSettingsNotRead_data()
{
    QTest::addColumn<QString>("reply");         // --reply of the device
    QTest::addColumn<QStringList>("notRead");   // in the order read lists them
    QTest::addColumn<QStringList>("sameReply"); // what else may go with them
    // The device's own "$1" reply, with delTxRx, the address list and the
    // tail after numOfDown to fill in.
    const QString config = QStringLiteral("$1==017,5,012,%1,2,070,020,1,%2,030,181%3\\r");
    const QStringList wholeConfig{
        "delTxRx",   "parity",  "stopBit",    "radioTransmitReset", "serialRate",       "wdtReset",
        "testAdres", "delRxTx", "delRequest", "numOfDown",          "radioModuleReset", "adreses"};
    QTest::newRow("register empty")
        << "ATS214?=S214=\\r" << QStringList{"serialTimeout"} << QStringList();
    QTest::newRow("digits missing")
        << config.arg("34", "8000000000000005", ",009") << QStringList{"delTxRx"} << wholeConfig;
    QTest::newRow("address list not hexadecimal")
        << config.arg("034", "80000000000000G5", ",009") << QStringList{"adreses"} << wholeConfig;
    QTest::newRow("field empty") << config.arg("", "8000000000000005", ",009")
                                 << QStringList{"delTxRx"} << wholeConfig;
    QTest::newRow("field missing")
        << config.arg("034", "8000000000000005", "") << wholeConfig << wholeConfig;
}

// A reply that comes complete but damaged brings no value, however often
// the device is asked: the settings it carries are not read (the damaged one
// at least, the rest of its reply perhaps), and a write is not verified
// without them. What is read is what the device holds.
void TestCli::damagedReplyLeavesSettingsNotRead()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, notRead);
    QFETCH(QStringList, sameReply);
    Devsim device(Rs485 + QStringList{"--reply", reply});
    QVERIFY(!device.path.isEmpty());

    Run r = cli({"read", "--json", "--port", device.path});
    QCOMPARE(r.code, 1);
    const QJsonObject o = json(r.out).object();
    const QStringList missing = o.value("notRead").toVariant().toStringList();
    for (const QString &name : notRead)
        QVERIFY2(missing.contains(name), qPrintable(missing.join(',')));
    for (const QString &name : missing)
        QVERIFY2(notRead.contains(name) || sameReply.contains(name), qPrintable(name));
    QJsonObject settings = rs485Record(); // the rest as the device holds it
    for (const QString &name : missing)
        settings[name] = QJsonValue();
    QCOMPARE(o.value("settings").toObject(), settings);

    // The summary names them all; a write's goes on with its differences.
    const QRegularExpression summary(
        ", not read: " + QRegularExpression::escape(missing.join(", ")) + "(: |, )");
    r = cli({"read", "--port", device.path});
    QCOMPARE(r.code, 1);
    for (const QString &name : missing)
        QVERIFY2(r.out.split('\n').filter(QRegularExpression("^" + name + " = ")) ==
                     QStringList{name + " = not read"},
                 qPrintable(r.out));
    QVERIFY2(r.out.contains(summary), qPrintable(r.out));

    QVERIFY(writeJson("site.json", rs485Record()));
    r = cli({"write", "--port", device.path, "site.json"});
    QCOMPARE(r.code, 1);
    QVERIFY2(r.out.contains(summary) && !r.out.contains("verified"), qPrintable(r.out));
    for (const QString &name : missing) // no difference with a value never read
        QVERIFY2(!r.out.contains(": " + name + " ("), qPrintable(r.out));
}

void TestCli::portsListVirtualDevices()
{
    Devsim device({}, true);
    const QString entry = device.path + " (virtual RLX-31868-4-20-D receiver)";
    Run r;
    QVERIFY(QTest::qWaitFor(
        [&] {
            r = cli({"ports"});
            return r.out.split('\n').contains(entry);
        },
        3000));
    QCOMPARE(r.code, 0);
    r = cli({"ports", "--json"});
    QCOMPARE(r.code, 0);
    const QJsonObject expected{{"name", entry}, {"port", device.path}, {"virtual", true}};
    QVERIFY2(json(r.out).array().contains(expected), qPrintable(r.out));
    // The list entry names the port as well as its path does.
    QCOMPARE(cli({"identify", "--port", entry}).code, 0);
}

// Eight devices, each of its own kind, chosen by a glob and read in one
// process. The devices keep the pace of the line, so that time tells.
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
    const Run one = cli({"read", "--json", "--port", folder + "/ttyRLX0"});
    QCOMPARE(one.code, 0);
    const Run all = cli({"read", "--json", "--port", folder + "/ttyRLX*"});
    qInfo("full read of one device %lld ms, of eight %lld ms", one.ms, all.ms);
    QVERIFY2(all.code == 0, qPrintable(all.err));
    const QJsonArray ports = json(all.out).array();
    QCOMPARE(ports.size(), 8);
    for (int i = 0; i < 8; ++i) {
        const QJsonObject o = ports[i].toObject();
        QCOMPARE(o.value("port").toString(), QStringLiteral("%1/ttyRLX%2").arg(folder).arg(i));
        QCOMPARE(o.value("hardware").toString(), QString(hardware[i % 4]));
        QCOMPARE(o.value("variant").toInt(), i < 4 ? 2 : 1);
        QCOMPARE(o.value("ok").toBool(), true);
    }
    for (const Devsim &d : devices)
        QVERIFY(d.requests().size() >= 13);
    // One summary line per port, on standard error beside the JSON.
    QCOMPARE(all.err.split('\n').filter(QRegularExpression(": ok$")).size(), 8);
    // Side by side, not one after another: at the pace of the line one after
    // another would take eight times as long.
    QVERIFY2(all.ms < 3 * one.ms, qPrintable(QString::number(all.ms)));
}

void TestCli::stabilityCsvCountsReachableAndUnreachable()
{
    // Beside it, a line that carries stray bytes between the answers: an
    // answer that came whole counts, whatever follows it.
    Devsim noisy({"--reachable", "1,3", "--line-noise", "100"});
    QVERIFY(!noisy.path.isEmpty());
    Cli noisyRun({"test", "--port", noisy.path, "--addresses", "1,3", "--rounds", "5", "--csv",
                  "noisy.csv"});
    Devsim device({"--reachable", "1", "--poll-delay", "80"});
    const Run r = cli({"test", "--port", device.path, "--addresses", "1,2", "--rounds", "3",
                       "--csv", "test.csv"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(QString::fromUtf8(readFile("test.csv")),
             QStringLiteral("address,sent,answered,share,longest_miss_run,complete\n"
                            "1,3,3,1.000,0,1\n"
                            "2,3,0,0.000,3,1\n"));
    // Six polls a second apart, and none after the last.
    QCOMPARE(device.requests().filter(QRegularExpression("^[12]=\\$")).size(), 6);
    QVERIFY(r.ms >= 5500);

    const Run n = noisyRun.wait();
    const QStringList rows = QString::fromUtf8(readFile("noisy.csv")).split('\n');
    QVERIFY2(rows.size() == 4 && rows[3].isEmpty(), qPrintable(n.err + n.out));
    for (int i = 1; i <= 2; ++i) {
        const QStringList v = rows[i].split(',');
        QVERIFY2(v.size() == 6 && v[0] == (i == 1 ? "1" : "3") && v[1] == "5" &&
                     v[2].toInt() >= 4 && v[5] == "1",
                 qPrintable(rows[i]));
    }
}

void TestCli::measureReportsInputValues()
{
    Devsim device({"--hardware", "RLX-31868-AD transmitter"});
    const Run r = cli({"measure", "--port", device.path, "--count", "3", "--csv", "in.csv"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QCOMPARE(r.out.split('\n').filter(QRegularExpression(" mkA .* mV ")).size(), 3);
    const QStringList rows = QString::fromUtf8(readFile("in.csv")).trimmed().split('\n');
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[0], QStringLiteral("seconds,an1,an2,d1,d2"));
    for (const QString &row : rows.mid(1)) {
        const QStringList v = row.split(',');
        QCOMPARE(v.size(), 5);
        // A current input around 12 mA in microamperes, a voltage input
        // around 5 V in millivolts.
        QVERIFY2(v[1].toInt() > 3000 && v[1].toInt() < 21000, qPrintable(row));
        QVERIFY2(v[2].toInt() >= 0 && v[2].toInt() <= 10000, qPrintable(row));
    }
    QCOMPARE(device.requests().count("$7"), 3);
}

void TestCli::reportWritesHtmlAndPdf()
{
    Devsim device({"--reachable", "1", "--poll-delay", "80"});
    Run r = cli({"report", "--port", device.path, "-o", "r.html", "--test", "1", "--rounds", "2"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QString html = QString::fromUtf8(readFile("r.html"));
    QVERIFY(html.contains("RLX-31868-4-20-D receiver"));
    QVERIFY2(html.contains("<tr><td>Radio Transmit Reset</td><td>50 x100 ms</td>"),
             qPrintable(html));
    QVERIFY2(html.contains("<tr><td>1</td><td>2</td><td>2</td><td>100.0 %</td><td>0</td></tr>"),
             qPrintable(html));
    r = cli({"report", "--port", device.path, "-o", "r.pdf"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QByteArray pdf = readFile("r.pdf");
    QVERIFY(pdf.startsWith("%PDF"));
    QVERIFY(pdf.size() > 1000);
    QCOMPARE(cli({"report", "--port", device.path, "-o", "/nonexistent/r.pdf"}).code, 4);

    // Settings whose replies never came are marked, not shown with the
    // values the record happens to hold.
    Devsim deaf({"--silent", "ATS202?", "--silent", "$9"});
    r = cli({"report", "--port", deaf.path, "-o", "deaf.html"});
    QCOMPARE(r.code, 1);
    const QString marked = QString::fromUtf8(readFile("deaf.html"));
    for (const char *label : {"Power", "Averaging 1", "Averaging 2",
                              "Transition from low to high 1", "Transition from low to high 2"})
        QVERIFY2(marked.contains(QStringLiteral("<tr><td>%1</td><td>not read</td>").arg(label)),
                 label);
    QVERIFY2(marked.contains("<tr><td>Sub-band</td><td>g2 868.7-869.2 MHz (2)</td>"),
             qPrintable(marked));
}

void TestCli::convertRoundTripIsByteIdentical()
{
    // Values a device may be given (convert refuses others), apart where
    // the ranges allow.
    DeviceSettings s;
    s.delTxRx = 1;
    s.power = 2;
    s.radioRate = 3;
    s.chanel = 0;
    s.parity = 3;
    s.stopBit = 1;
    s.subBand = 7;
    s.serialTimeout = 8;
    s.radioTransmitReset = 99;
    s.serialRate = 6;
    s.wdtReset = 11;
    s.testAdres = 12;
    s.portName = QStringLiteral("COM7");
    s.averaging1 = 13;
    s.averaging2 = 0x80 | 14; // median over 14 s
    s.diskret1 = 15;
    s.diskret2 = 16;
    s.spare = 17;
    s.flowControl = 2;
    s.outType = 19;
    s.delRxTx = 20;
    s.delRequest = 21;
    s.numOfDown = 0xB5;
    s.radioModuleReset = 23;
    s.adreses = QString(); // null: written as FF FF FF FF
    const QByteArray bytes = SettingsFile::toBytes(s);
    QVERIFY(writeFile("a.rlx", bytes));

    QCOMPARE(cli({"convert", "a.rlx", "b.json"}).code, 0);
    const QJsonObject o = json(readFile("b.json")).object();
    QCOMPARE(o.size(), 25);
    QCOMPARE(o.value("delTxRx").toInt(), 1);
    QCOMPARE(o.value("delRxTx").toInt(), 20);
    QCOMPARE(o.value("numOfDown").toInt(), 181);
    QCOMPARE(o.value("outType").toInt(), 19);
    QCOMPARE(o.value("portName").toString(), QStringLiteral("COM7"));
    QVERIFY(o.value("adreses").isNull());

    QCOMPARE(cli({"convert", "b.json", "c.rlx"}).code, 0);
    QCOMPARE(readFile("c.rlx"), bytes);

    // An empty address text is not a null one.
    QJsonObject empty = o;
    empty["adreses"] = "";
    QVERIFY(writeJson("e.json", empty));
    QCOMPARE(cli({"convert", "e.json", "e.rlx"}).code, 0);
    QCOMPARE(readFile("e.rlx").right(4), QByteArray(4, '\0'));
    QCOMPARE(cli({"convert", "missing.rlx", "x.json"}).code, 4);
}

void TestCli::badJsonIsRefusedNamingTheField_data()
{
    // "field=JSON value" changes separated by ";", or a whole text; each
    // message on a line of its own.
    QTest::addColumn<QByteArray>("change");
    QTest::addColumn<QStringList>("messages");
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
                                  << QStringList{"power (Power): 200 is not 0 to 7",
                                                 "serialRate (Serial Data Rate): 250 is not 0 to 7",
                                                 "parity (Parity): 9 is not 0 to 3"};
    QTest::newRow("not an address list")
        << QByteArray("adreses=\"not an address list\"")
        << QStringList{"adreses (Addresses): \"not an address list\" is not an address list"};
}

void TestCli::badJsonIsRefusedNamingTheField()
{
    QFETCH(QByteArray, change);
    QFETCH(QStringList, messages);
    QByteArray text;
    if (change.startsWith('{') || change.startsWith('[')) {
        text = change;
    } else {
        QJsonObject o = rs485Record();
        for (const QByteArray &c : change.split(';')) {
            const int eq = c.indexOf('=');
            if (eq < 0) {
                o.remove(QString::fromLatin1(c));
            } else {
                const QJsonDocument v = QJsonDocument::fromJson("[" + c.mid(eq + 1) + "]");
                o.insert(QString::fromLatin1(c.left(eq)), v.array().at(0));
            }
        }
        text = QJsonDocument(o).toJson();
    }
    QVERIFY(writeFile("bad.json", text));
    Run r = cli({"convert", "bad.json", "out.rlx"});
    QCOMPARE(r.code, 4);
    QVERIFY2(r.err.startsWith("rlx-cli: bad.json: "), qPrintable(r.err));
    for (const QString &m : messages)
        QVERIFY2(r.err.split('\n').filter("rlx-cli: bad.json: ").filter(m).size() == 1,
                 qPrintable(r.err));
    QVERIFY(!QFile::exists("out.rlx"));
    // write refuses it before it opens the port: the device hears nothing.
    Devsim device({});
    QVERIFY(!device.path.isEmpty());
    r = cli({"write", "--port", device.path, "bad.json"});
    QCOMPARE(r.code, 4);
    QVERIFY2(!r.err.contains(device.path), qPrintable(r.err));
    for (const QString &m : messages)
        QVERIFY2(r.err.contains(m), qPrintable(r.err));
    QCOMPARE(device.requests(), QStringList());
}

void TestCli::usageErrorsExit2_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no command") << QStringList();
    QTest::newRow("unknown command") << QStringList{"flash"};
    QTest::newRow("unknown option") << QStringList{"read", "--port", "x", "--colour"};
    QTest::newRow("no port") << QStringList{"read", "--json"};
    QTest::newRow("write without a file") << QStringList{"write", "--port", "x"};
    QTest::newRow("rounds and duration") << QStringList{
        "test", "--port", "x", "--addresses", "1", "--rounds", "2", "--duration", "5"};
    QTest::newRow("no addresses") << QStringList{"test", "--port", "x"};
    QTest::newRow("bad address") << QStringList{"test", "--port", "x", "--addresses", "1,65"};
    QTest::newRow("test on two ports")
        << QStringList{"test", "--port", "x", "--port", "y", "--addresses", "1"};
    QTest::newRow("report without a file") << QStringList{"report", "--port", "x"};
    QTest::newRow("report of another kind") << QStringList{"report", "--port", "x", "-o", "r.txt"};
    QTest::newRow("convert one file") << QStringList{"convert", "a.rlx"};
    QTest::newRow("read of two ports to one file")
        << QStringList{"read", "--port", "x", "--port", "y", "-o", "a.rlx"};
    // Numbers that would wrap: polls counted, seconds in milliseconds.
    QTest::newRow("rounds beyond")
        << QStringList{"test", "--port", "x", "--addresses", "1,2,3", "--rounds", "1431655766"};
    QTest::newRow("duration beyond")
        << QStringList{"test", "--port", "x", "--addresses", "1", "--duration", "4294968"};
    QTest::newRow("share beyond") << QStringList{"test", "--port",      "x",  "--addresses",
                                                 "1",    "--min-share", "1.5"};
    QTest::newRow("count beyond") << QStringList{"measure", "--port", "x", "--count", "-3"};
    QTest::newRow("settings of no kind") << QStringList{"convert", "a.json", "a.txt"};
    QTest::newRow("kind of no name") << QStringList{"convert", "a.json", "-", "--format", "xml"};
}

void TestCli::usageErrorsExit2()
{
    QFETCH(QStringList, args);
    const Run r = cli(args);
    QCOMPARE(r.code, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith("rlx-cli: ") || r.err.startsWith("Usage:"), qPrintable(r.err));
    if (r.err.startsWith("rlx-cli: "))
        QCOMPARE(r.err.count('\n'), 1);

    if (QTest::currentDataTag() == QByteArray("no command")) {
        // The help and the version are no usage errors.
        const Run version = cli({"--version"});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, QStringLiteral("rlx-cli 2.5.16\n"));
        const Run help = cli({"write", "--help"});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.contains("--no-verify") && help.out.contains("write [options]"));
    }
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
