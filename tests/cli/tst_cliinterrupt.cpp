// rlx-cli interrupted mid-operation: the request on the line finishes, the module leaves command
// mode, what was written is told, results so far are kept.

#include "protocol/portlock.h"
#include "tests/cli/clirun.h"

class TestCliInterrupt : public QObject
{
    Q_OBJECT

private slots:
    void writeEndsAfterTheRequestOnTheLine_data();
    void writeEndsAfterTheRequestOnTheLine();
    void defaultsStopsItsRateSearch();
    void checksKeepWhatTheyMeasured();
};

void TestCliInterrupt::writeEndsAfterTheRequestOnTheLine_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("twice");
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGINT twice") << int(SIGINT) << true;
}

// A signal while "ATS201=" waits for its answer (to its repeat): that request
// finishes, then "ATO", nothing else; a second signal leaves at once.
void TestCliInterrupt::writeEndsAfterTheRequestOnTheLine()
{
    QFETCH(int, signal);
    QFETCH(bool, twice);
    Devsim device(rs485() +
                  QStringList{"--pace", "--silent", "ATS201=:1", "--late", "ATS201=:400"});
    QVERIFY(writeSettings("site.json", changedSettings()));
    Cli cli({"write", "--port", device.path, "site.json"});
    QVERIFY(device.received("ATS201="));
    cli.signal(signal);
    if (twice) {
        QVERIFY(cli.errShows("interrupted: ending after the request on the line"));
        cli.signal(signal);
        const CliRun run = cli.wait();
        QCOMPARE(run.code, 130);
        QVERIFY2(run.err.endsWith(": interrupted again: leaving now\n"), qPrintable(run.err));
        // Gone at once, but not leaving the port's lock behind.
        const QString lock = PortLock::fileFor(PortLock::devicePath(device.path));
        QVERIFY2(!lock.isEmpty() && !QFile::exists(lock), qPrintable(lock));
        return;
    }
    const CliRun run = cli.wait();
    QCOMPARE(run.code, 128 + signal);
    const QStringList exchanges = device.exchanges();
    QVERIFY2(exchanges.size() >= 2 && exchanges.last() == "ATO\\r -> OK\\r" &&
                 exchanges.at(exchanges.size() - 2).startsWith("ATS201=2\\r -> OK"),
             qPrintable(exchanges.join('\n')));
    const QString told = ": write interrupted: written: serialRate, delRxTx, delTxRx, parity, "
                         "radioTransmitReset, wdtReset, stopBit, adreses, delRequest, numOfDown, "
                         "radioModuleReset, subBand, radioRate; not written: testAdres, chanel, "
                         "power, serialTimeout, flowControl, averaging1, averaging2, diskret1, "
                         "diskret2";
    QCOMPARE(run.err.split('\n').filter(" write interrupted: "), QStringList(device.path + told));
    QCOMPARE(run.out, device.path + ": RLX-31868-Vela-485, firmware Aug  4 2022 (variant 2), "
                                    "interrupted: FAILED\n");
}

// Interrupted during the rate search: nothing written, and no "ATO" to a module
// that never took "+++" (it would go out as radio data).
void TestCliInterrupt::defaultsStopsItsRateSearch()
{
    Devsim device(rs485(7));
    Cli cli({"defaults", "--port", device.path});
    QVERIFY(device.received("$30"));
    const int before = device.requests().size();
    cli.signal(SIGINT);
    const CliRun run = cli.wait();
    QCOMPARE(run.code, 130);
    // After the signal at most the request on the line, repeated.
    const QStringList requests = device.requests();
    QVERIFY2(QSet<QString>(requests.begin() + before - 1, requests.end()).size() <= 2,
             qPrintable(requests.join('\n')));
    QCOMPARE(requests.mid(requests.indexOf("$35")).filter(QRegularExpression("^\\$0|^ATO")),
             QStringList());
    QVERIFY2(run.err.contains(device.path + ": defaults interrupted: written: nothing; ") &&
                 run.err.contains(device.path + ": the device may be left at another serial rate; "
                                                "running defaults again restores it"),
             qPrintable(run.err));
}

// The stability check and the measurement keep every result up to the signal.
void TestCliInterrupt::checksKeepWhatTheyMeasured()
{
    Devsim radio({"--reachable", "1", "--poll-delay", "80"});
    Devsim inputs({"--hardware", "RLX-31868-AD transmitter"});
    Cli testCli({"test", "--port", radio.path, "--addresses", "1,2", "--rounds", "20", "--csv",
                 "test.csv"});
    Cli measureCli({"measure", "--port", inputs.path, "--count", "20", "--csv", "in.csv"});
    QVERIFY(radio.received("2=$", 2));
    testCli.signal(SIGHUP);
    QVERIFY(inputs.received("$7", 2));
    measureCli.signal(SIGINT);
    const CliRun test = testCli.wait(), measure = measureCli.wait();
    QCOMPARE(test.code, 128 + SIGHUP);
    QCOMPARE(measure.code, 130);

    // Address 1 answers, address 2 does not; every row says the check was cut short.
    const QRegularExpressionMatch rows =
        QRegularExpression("^address,sent,answered,share,longest_miss_run,complete\n"
                           "1,(\\d+),\\1,1\\.000,0,0\n2,(\\d+),0,0\\.000,\\2,0\n$")
            .match(QString::fromUtf8(fileBytes("test.csv")));
    QVERIFY2(rows.hasMatch(), qPrintable(test.err));
    QCOMPARE(rows.captured(1).toInt() + rows.captured(2).toInt(),
             radio.requests().filter(QRegularExpression("^[12]=\\$")).size());

    const int asked = inputs.requests().count("$7");
    const QString values = QString::fromUtf8(fileBytes("in.csv"));
    const QString kept = QString("(([^,\n]*,){5}0\n){%1}$").arg(asked);
    QVERIFY2(
        QRegularExpression("^seconds,an1,an2,d1,d2,complete\n" + kept).match(values).hasMatch(),
        qPrintable(values));
    QCOMPARE(measure.out.count(QRegularExpression(" mkA .* mV ")), asked);
}

QTEST_GUILESS_MAIN(TestCliInterrupt)
#include "tst_cliinterrupt.moc"
