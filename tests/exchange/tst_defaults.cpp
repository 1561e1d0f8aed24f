// The restore-defaults sequence against the virtual device in memory: the
// search for the serial rate at which the radio module answers "ATR", then
// the write of the default record and the read-back. Each failed attempt
// costs the time-outs of "+++" and "ATR" (4 s), moved by the test.

#include "tests/enginesession.h"

#include <QtTest>

class TestDefaults : public QObject
{
    Q_OBJECT

private slots:
    void restoreDefaults_data();
    void restoreDefaults();
};

void TestDefaults::restoreDefaults_data()
{
    QTest::addColumn<int>("moduleRate");
    QTest::addColumn<QByteArray>("failedRates"); // the attempts before the answered one

    // The recorded rate 3 is tried first, then 0 to 7.
    QTest::newRow("module at 5") << 5 << QByteArray("301234");
    QTest::newRow("module at the recorded rate") << 3 << QByteArray();
    QTest::newRow("module at 0") << 0 << QByteArray("3");
    QTest::newRow("module at 7") << 7 << QByteArray("30123456");
}

void TestDefaults::restoreDefaults()
{
    QFETCH(int, moduleRate);
    QFETCH(QByteArray, failedRates);
    // The controller talks to the module at its rate.
    MemorySession s;
    s.model.setModuleRate(moduleRate);
    s.model.setLinkRate(moduleRate);
    QVERIFY(s.open());
    QVERIFY(s.run());

    // The record as the main window's DEFAULT leaves it for a 4-20 receiver
    // (the fields not set here start so), with the serial rate 3 recorded.
    using S = DeviceSettings;
    DeviceSettings &r = s.data.settings;
    assign(r, {{&S::subBand, 2},
               {&S::power, 7},
               {&S::testAdres, 1},
               {&S::serialTimeout, 17},
               {&S::radioTransmitReset, 50},
               {&S::flowControl, 2},
               {&S::radioModuleReset, 6},
               {&S::averaging1, 5},
               {&S::averaging2, 5},
               {&S::diskret1, 5},
               {&S::diskret2, 5},
               {&S::serialRate, 3}});
    r.adreses = "0000,0000,0000,0001";
    s.forget();
    const qint64 started = s.clock.nowMs();
    s.engine.writeDefaults();
    QVERIFY(s.run());

    // The failed attempts pass silently (each "+++" and "ATR" sent twice);
    // the answered one skips the remaining attempts up to the configuration
    // write, which carries the rate digit 4.
    Bytes expected;
    for (const char rate : failedRates)
        expected += Bytes{"$3" + QByteArray(1, rate), "+++", "+++", "ATR\r", "ATR\r"};
    const Bytes tail = {"ATS206=2\r",           "ATS201=0\r", "ATS200=0\r",   "ATS202=7\r",
                        "ATS214=17\r",          "ATS216=2\r", "ATS252=255\r", "ATS220=9\r",
                        "$8=005,005,005,005\r", "ATO\r"};
    expected += Bytes{"$3" + QByteArray::number(moduleRate), "+++", "ATR\r"};
    expected += "$0=255,4,000,000,0,050,000,0,0000,0000,0000,0001,002,003,006\r";
    QCOMPARE(s.device.requests(), expected + tail + readAll);
    QVERIFY(s.errors.isEmpty());

    // A failed attempt costs the two give-ups of "+++" and "ATR", each after
    // its two sends a second apart.
    const QList<PtyDevice::Record> records = s.device.records();
    for (int i = 0; i < failedRates.size(); ++i)
        QCOMPARE(records.at(5 * i + 5).ms - records.at(5 * i).ms, qint64(4000));
    QCOMPARE(records.first().ms, started);

    // The module was reset and still runs at its rate; the record holds what
    // was written.
    QCOMPARE(s.model.moduleRate(), moduleRate);
    QCOMPARE(r.testAdres, quint8(255));

    // Progress runs over the whole queue of the search: it rises, jumps over
    // the skipped attempts and ends at 100.
    QVERIFY(std::is_sorted(s.progress.begin(), s.progress.end()));
    QCOMPARE(s.progress.first(), quint8(0));
    QCOMPARE(s.progress.last(), quint8(100));
    const int queued = 27 + 1 + 10 + 12; // nine attempts, the configuration, the tail, the read
    const int skipped = 27 - 3 * (failedRates.size() + 1);
    // The progress after the configuration write is answered.
    const int written = 3 * (failedRates.size() + 1) + skipped + 1;
    QVERIFY2(s.progress.contains(quint8(written * 100 / queued)),
             qPrintable(QString::number(written * 100 / queued)));
    QCOMPARE(s.progress.size(), queued - skipped + 1);
}

QTEST_GUILESS_MAIN(TestDefaults)
#include "tst_defaults.moc"
