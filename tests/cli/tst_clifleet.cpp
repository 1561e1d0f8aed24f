// rlx-cli's commands for fleets of devices, each against rlx-devsim in its
// own process: a file against a device, single settings read and changed, a
// backup per device, a file kept to its model, and a report a customer reads.

#include "tests/cli/clirun.h"
#include "tests/devsimprocess.h"

#include <QDir>
#include <QJsonArray>

namespace {

// An RS-485 model whose settings differ from the factory's.
const QStringList Rs485 = {"--hardware", "RLX-31868-Vela-485",
                           "--config",   "017,5,012,034,2,070,020,1,8000000000000005,030,181,009",
                           "--register", "202=5"};

} // namespace

class TestCliFleet : public QObject
{
    Q_OBJECT
private slots:
    void diffGetAndSetWorkOnSingleSettings();
    void backupAndModelCheck();
    void reportReadsAsWords();
    void standardStreamsAndSuffixes();
};

void TestCliFleet::diffGetAndSetWorkOnSingleSettings()
{
    Devsim device(Rs485);
    // A file of the device's own settings: no difference, nothing written.
    QCOMPARE(runCli({"read", "--port", device.path, "-o", "site.json"}).code, 0);
    const int asked = device.requests().size();
    CliRun r = runCli({"diff", "site.json", "--port", device.path});
    QVERIFY2(r.code == 0 && r.out.isEmpty(), qPrintable(r.out + r.err));
    // Writes of settings: registers (S220 belongs to the read), the
    // configuration and the averaging.
    const QRegularExpression writes("^(ATS2(?!20)\\d\\d=|\\$0|\\$8)");
    QVERIFY(device.requests().mid(asked).filter(writes).isEmpty());

    // One setting changed on the device: get sees it, diff names it.
    r = runCli({"set", "power=3", "delTxRx=40", "--port", device.path});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    QVERIFY2(r.out.contains(", verified: ok"), qPrintable(r.out));
    r = runCli({"get", "power", "delTxRx", "testAdres", "--port", device.path});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    // The RS-485 model is written with the fixed test address 255.
    QCOMPARE(r.out, QStringLiteral("power = 3\ndelTxRx = 40\ntestAdres = 255\n"));
    r = runCli({"diff", "site.json", "--port", device.path});
    QCOMPARE(r.code, 3);
    QVERIFY2(r.out.contains(device.path + ": power (Power): file 5, device 3") &&
                 r.out.contains("delTxRx (Delay Tx-Rx): file 34, device 40"),
             qPrintable(r.out));

    // A value no device may be given, a name that is none: refused before
    // anything is written.
    const int before = device.requests().size();
    QCOMPARE(runCli({"set", "power=200", "--port", device.path}).code, 2);
    QCOMPARE(runCli({"set", "powr=2", "--port", device.path}).code, 2);
    QCOMPARE(runCli({"get", "spare2", "--port", device.path}).code, 2);
    QVERIFY(device.requests().mid(before).filter(writes).isEmpty());
}

void TestCliFleet::backupAndModelCheck()
{
    Devsim rs485(Rs485);
    Devsim transmitter({"--hardware", "RLX-31868-AD transmitter"});
    QVERIFY(QDir().mkdir("backup"));
    const CliRun r =
        runCli({"backup", "--dir", "backup", "--port", rs485.path, "--port", transmitter.path});
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
    const int before = rs485.requests().size();
    CliRun w = runCli({"write", "--port", rs485.path, fromTransmitter});
    QCOMPARE(w.code, 1);
    QVERIFY2(w.out.contains("the settings were read from RLX-31868-AD transmitter, this device "
                            "is RLX-31868-Vela-485; nothing was written"),
             qPrintable(w.out));
    QVERIFY(rs485.requests().mid(before).filter(QRegularExpression("^\\$0")).isEmpty());
    w = runCli({"write", "--force", "--port", rs485.path, fromTransmitter});
    QVERIFY2(w.code == 0, qPrintable(w.out + w.err));
    QVERIFY(!rs485.requests().mid(before).filter(QRegularExpression("^\\$0=")).isEmpty());
}

void TestCliFleet::reportReadsAsWords()
{
    Devsim device(Rs485);
    const CliRun r = runCli({"report", "--port", device.path, "-o", "r.html", "--site", "Pump <3>",
                             "--technician", "A. Engineer", "--note", "after repair"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    const QString html = QString::fromUtf8(fileBytes("r.html"));
    for (const char *cell :
         {"<td>Site</td><td>Pump &lt;3&gt;</td>", "<td>Technician</td><td>A. Engineer</td>",
          "<td>Note</td><td>after repair</td>", "<td>Serial Data Rate</td><td>38400 baud (5)</td>",
          "<td>Parity</td><td>8-bit data, parity odd (2)</td>",
          "<td>Delay Tx-Rx</td><td>34 x100 µs</td>", "<td>Channel</td>",
          "<td>Power</td><td>+7 dBm (5)</td>"})
        QVERIFY2(html.contains(QString::fromUtf8(cell)), cell);
}

// "-" is standard input or output, --format says what kind where no suffix
// tells, and a suffix that names neither kind is a usage error.
void TestCliFleet::standardStreamsAndSuffixes()
{
    Devsim device(Rs485);
    QCOMPARE(runCli({"read", "--port", device.path, "-o", "site.rlx"}).code, 0);
    const QByteArray rlx = fileBytes("site.rlx");
    QVERIFY(!rlx.isEmpty());

    CliRun r = runCli({"convert", "site.rlx", "site.txt"});
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains("site.txt: settings are a .rlx or a .json file"), qPrintable(r.err));
    QVERIFY(!QFile::exists("site.txt"));
    r = runCli({"convert", "site.rlx", "-"});
    QCOMPARE(r.code, 0);
    QCOMPARE(jsonObject(r.out).value("power").toInt(), 5);
    // Through standard input and output, byte for byte.
    const CliRun back = runCli({"convert", "-", "-", "--format", "rlx"}, 60000, rlx);
    QCOMPARE(back.code, 0);
    QCOMPARE(back.bytes, rlx);
    r = runCli({"convert", "-", "copy.rlx"}, 60000, r.out.toUtf8());
    QCOMPARE(r.code, 0);
    QCOMPARE(fileBytes("copy.rlx"), rlx);
    r = runCli({"read", "--port", device.path, "-o", "-", "--format", "rlx"});
    QCOMPARE(r.code, 0);
    QCOMPARE(r.bytes, rlx);

    // One port named plainly: an object; a glob, even of one port: an array.
    QVERIFY(runCli({"read", "--json", "--port", device.path}).out.trimmed().startsWith('{'));
    const QString glob = device.path.left(device.path.size() - 1) + '?';
    const CliRun many = runCli({"identify", "--json", "--port", glob});
    QVERIFY2(many.out.trimmed().startsWith('['), qPrintable(many.out + many.err));
}

QTEST_GUILESS_MAIN(TestCliFleet)
#include "tst_clifleet.moc"
