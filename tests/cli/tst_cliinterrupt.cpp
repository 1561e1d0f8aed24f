// rlx-cli interrupted by a signal in the middle of a device operation, in its
// own process against rlx-devsim in another: the request on the line
// finishes, the radio module leaves command mode, what was written is told,
// results so far are kept. And the engine's debug log stays off the terminal
// unless asked for.

#include "tests/devsimprocess.h"

#include <QtTest>

#include <csignal>

namespace {

// rlx-cli as a process that a test can signal while it runs.
struct Cli
{
    explicit Cli(const QStringList &args,
                 const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
    {
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(RLX_CLI), args);
        process.waitForStarted(10000);
    }
    void signal(int number) { ::kill(pid_t(process.processId()), number); }
    // Waits until standard error holds `text`.
    bool errShows(const QString &text)
    {
        return QTest::qWaitFor(
            [&] {
                err += QString::fromUtf8(process.readAllStandardError());
                return err.contains(text);
            },
            30000);
    }
    // The exit code, -1 for a crash or a process still running after `ms`.
    int wait(int ms = 60000)
    {
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, ms)) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
        out += QString::fromUtf8(process.readAllStandardOutput());
        err += QString::fromUtf8(process.readAllStandardError());
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }
    QProcess process;
    QString out, err;
};

// Waits until the device has received `count` requests that begin with `prefix`.
bool received(const Devsim &device, const QString &prefix, int count = 1)
{
    const QRegularExpression start('^' + QRegularExpression::escape(prefix));
    return QTest::qWaitFor([&] { return device.requests().filter(start).size() >= count; }, 60000);
}

QByteArray readFile(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// An RS-485 model of the newest firmware with its radio module at serial
// rate `moduleRate`, recorded rate 5.
QStringList rs485(int moduleRate)
{
    return QStringLiteral("--hardware RLX-31868-Vela-485 --firmware Aug__4_2022 --config "
                          "017,5,012,034,2,070,020,1,8000000000000005,030,181,009 --register "
                          "206=6 --register 201=2 --register 200=4 --register 202=5 --register "
                          "214=9 --register 216=0 --averaging 133,67,7,9 --module-rate %1")
        .arg(moduleRate)
        .split(' ')
        .replaceInStrings("_", " ");
}

// That device's settings with eight of them changed, as a file to write.
const char *const ChangedRecord = R"({"testAdres": 17, "serialRate": 5, "delRxTx": 15,
    "delTxRx": 40, "parity": 1, "radioTransmitReset": 80, "wdtReset": 20, "stopBit": 1,
    "adreses": "0000000000000006", "delRequest": 20, "numOfDown": 181, "radioModuleReset": 9,
    "subBand": 6, "radioRate": 2, "chanel": 4, "power": 3, "serialTimeout": 9, "flowControl": 0,
    "averaging1": 133, "averaging2": 67, "diskret1": 6, "diskret2": 9, "portName": "COM1",
    "spare": 0, "outType": 0})";

} // namespace

class TestCliInterrupt : public QObject
{
    Q_OBJECT

private slots:
    void writeEndsAfterTheRequestOnTheLine_data();
    void writeEndsAfterTheRequestOnTheLine();
    void defaultsStopsItsRateSearch();
    void checksKeepWhatTheyMeasured();
    void debugLogOnlyWhenAsked_data();
    void debugLogOnlyWhenAsked();
};

void TestCliInterrupt::writeEndsAfterTheRequestOnTheLine_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("twice");
    QTest::newRow("SIGINT") << int(SIGINT) << false;
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGINT twice") << int(SIGINT) << true;
}

// The signal comes while "ATS201=" (the radio rate) waits for its answer,
// which comes only to its repeat: that request finishes, the module is
// taken out of command mode, and nothing else of the write goes out. A
// second signal meanwhile leaves at once.
void TestCliInterrupt::writeEndsAfterTheRequestOnTheLine()
{
    QFETCH(int, signal);
    QFETCH(bool, twice);
    Devsim device(rs485(2) +
                  QStringList{"--pace", "--silent", "ATS201=:1", "--late", "ATS201=:400"});
    QVERIFY(!device.path.isEmpty());
    QFile file("site.json");
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(ChangedRecord) > 0);
    file.close();

    Cli run({"write", "--port", device.path, "site.json"});
    QVERIFY(received(device, "ATS201="));
    run.signal(signal);
    if (twice) {
        QVERIFY(run.errShows("interrupted: ending after the request on the line"));
        run.signal(signal);
        QCOMPARE(run.wait(), 130);
        QCOMPARE(run.err.count("interrupted again: leaving now"), 1);
        QVERIFY2(!run.err.contains("write interrupted"), qPrintable(run.err));
        return;
    }
    QCOMPARE(run.wait(), 128 + signal);

    // The interrupted request got its answer, then only "ATO", answered.
    const QStringList exchanges = device.exchanges();
    QVERIFY2(exchanges.size() >= 2 && exchanges.last() == "ATO\\r -> OK\\r" &&
                 exchanges.at(exchanges.size() - 2).startsWith("ATS201=2\\r -> OK"),
             qPrintable(exchanges.join('\n')));
    QCOMPARE(device.requests().filter(QRegularExpression("^ATS20[02]=|^\\$8=")).size(), 0);

    // Written: the configuration and the registers up to S201; not the rest.
    const QRegularExpressionMatch m =
        QRegularExpression(": write interrupted: written: (.*); not written: (.*)").match(run.err);
    const QStringList written = m.captured(1).split(", "), notWritten = m.captured(2).split(", ");
    for (const char *name : {"delTxRx", "adreses", "subBand", "radioRate"})
        QVERIFY2(written.contains(name), qPrintable(run.err));
    for (const char *name : {"chanel", "power", "serialTimeout", "testAdres", "diskret1"})
        QVERIFY2(notWritten.contains(name), qPrintable(run.err));
    QVERIFY2(run.out.contains(device.path + ": RLX-31868-Vela-485") &&
                 run.out.contains(", interrupted") && run.out.trimmed().endsWith(": FAILED") &&
                 !run.out.contains("differ"),
             qPrintable(run.out));
}

// The module answers at none of the rates tried first: interrupted there,
// the search goes no further, no configuration is written, and "ATO" is not
// sent to a module that never took "+++" (it would go out as radio data).
void TestCliInterrupt::defaultsStopsItsRateSearch()
{
    Devsim device(rs485(7));
    QVERIFY(!device.path.isEmpty());
    Cli run({"defaults", "--port", device.path});
    QVERIFY(received(device, "$30"));
    const int before = device.requests().size();
    run.signal(SIGINT);
    QCOMPARE(run.wait(), 130);

    const QStringList requests = device.requests();
    // After the signal at most the request that was on the line, repeated.
    QVERIFY2(QSet<QString>(requests.begin() + before - 1, requests.end()).size() <= 2,
             qPrintable(requests.join('\n')));
    const QStringList search = requests.mid(requests.indexOf("$35"));
    QVERIFY2(search.size() < requests.size(), qPrintable(requests.join('\n')));
    QCOMPARE(search.filter(QRegularExpression("^\\$0|^ATO")).size(), 0);
    QVERIFY2(run.err.contains(device.path + ": defaults interrupted: written: nothing; "),
             qPrintable(run.err));
    QVERIFY2(run.err.contains(device.path + ": the device may be left at another serial rate; "
                                            "running defaults again restores it"),
             qPrintable(run.err));
}

// The stability check and the measurement keep every result up to the
// signal, the one that was under way included, in their tables and CSV.
void TestCliInterrupt::checksKeepWhatTheyMeasured()
{
    Devsim radio({"--reachable", "1", "--poll-delay", "80"});
    Devsim inputs({"--hardware", "RLX-31868-AD transmitter"});
    QVERIFY(!radio.path.isEmpty() && !inputs.path.isEmpty());
    Cli test({"test", "--port", radio.path, "--addresses", "1,2", "--rounds", "20", "--csv",
              "test.csv"});
    Cli measure({"measure", "--port", inputs.path, "--count", "20", "--csv", "in.csv"});
    QVERIFY(received(radio, "2=$", 2));
    test.signal(SIGINT);
    QVERIFY(received(inputs, "$7", 2));
    measure.signal(SIGINT);
    QCOMPARE(test.wait(), 130);
    QCOMPARE(measure.wait(), 130);

    const int polls = radio.requests().filter(QRegularExpression("^[12]=\\$")).size();
    QVERIFY(polls >= 3 && polls < 40);
    const QStringList rows = QString::fromUtf8(readFile("test.csv")).trimmed().split('\n');
    QVERIFY2(rows.size() == 3 && rows[0].endsWith(",complete"), qPrintable(test.err));
    int sent = 0;
    for (const QString &row : rows.mid(1)) {
        QVERIFY2(row.endsWith(",0"), qPrintable(row));
        sent += row.section(',', 1, 1).toInt();
    }
    QCOMPARE(sent, polls);
    QVERIFY2(test.out.contains("address  sent  answered"), qPrintable(test.out));
    QVERIFY2(test.err.contains(radio.path + ": test interrupted after"), qPrintable(test.err));

    const int asked = inputs.requests().count("$7");
    const QStringList values = QString::fromUtf8(readFile("in.csv")).trimmed().split('\n');
    QCOMPARE(values.value(0), QStringLiteral("seconds,an1,an2,d1,d2,complete"));
    QCOMPARE(values.size() - 1, asked);
    for (const QString &row : values.mid(1))
        QVERIFY2(row.split(',').size() == 6 && row.endsWith(",0"), qPrintable(row));
    QCOMPARE(measure.out.count(" mkA "), asked);
}

void TestCliInterrupt::debugLogOnlyWhenAsked_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("rules"); // QT_LOGGING_RULES; empty: not set
    QTest::addColumn<bool>("logged");
    QTest::newRow("default") << ""
                             << "" << false;
    QTest::newRow("--verbose") << "--verbose"
                               << "" << true;
    QTest::newRow("rules on") << ""
                              << "rlx.protocol.debug=true" << true;
    QTest::newRow("rules off --verbose") << "--verbose"
                                         << "*.debug=false" << false;
}

void TestCliInterrupt::debugLogOnlyWhenAsked()
{
    QFETCH(QString, option);
    QFETCH(QString, rules);
    QFETCH(bool, logged);
    Devsim device({});
    QVERIFY(!device.path.isEmpty());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_LOGGING_RULES");
    if (!rules.isEmpty())
        env.insert("QT_LOGGING_RULES", rules);
    QStringList args{"read", "--port", device.path};
    if (!option.isEmpty())
        args.prepend(option);
    Cli run(args, env);
    QCOMPARE(run.wait(), 0);
    QCOMPARE(run.err.contains("rlx.protocol: "), logged);
    // Progress and the summary are there either way.
    QVERIFY2(run.err.contains(device.path + ": read 0%"), qPrintable(run.err));
    QVERIFY2(run.out.contains(": ok"), qPrintable(run.out));
}

QTEST_GUILESS_MAIN(TestCliInterrupt)
#include "tst_cliinterrupt.moc"
