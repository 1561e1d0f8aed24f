// DEFAULT against the virtual device in memory: the search for the serial rate
// at which the module answers "ATR" (a failed attempt costs 4 s of time-outs),
// the write of the default record for the device's output kind, the read-back.

#include "protocol/factorydefaults.h"
#include "tests/enginesession.h"

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
    QTest::addColumn<QByteArray>("failedRates"); // recorded 3 first, then 0 to 7
    QTest::addColumn<QByteArray>("hardware");
    // Up to the address list: a transmitter keeps address 1 and its watchdog reset.
    QTest::addColumn<QByteArray>("config");
    const QByteArray transmitter = "$0=001,4,000,000,0,050,009,0,";
    const QByteArray receiver = "$0=255,4,000,000,0,050,000,0,";
    QTest::newRow("module at 5") << 5 << QByteArray("301234") << QByteArray("RLX-31868-AA")
                                 << transmitter;
    QTest::newRow("module at the recorded rate")
        << 3 << QByteArray() << QByteArray("RLX-31868-AD") << transmitter;
    QTest::newRow("module at 0") << 0 << QByteArray("3") << QByteArray("RLX-31868-DD receiver")
                                 << receiver;
    QTest::newRow("module at 7") << 7 << QByteArray("30123456")
                                 << QByteArray("RLX-31868-4-20-D receiver") << receiver;
}

void TestDefaults::restoreDefaults()
{
    QFETCH(int, moduleRate);
    QFETCH(QByteArray, failedRates);
    QFETCH(QByteArray, hardware);
    QFETCH(QByteArray, config);
    MemorySession s;
    s.model.setHardware(hardware);
    const DeviceModel::Averaging factory = s.model.averaging();
    s.model.setModuleRate(moduleRate);
    s.model.setLinkRate(moduleRate);
    QVERIFY(s.open());
    QVERIFY(s.run());

    // The record as the window's DEFAULT leaves it (thresholds it did not set show as 20).
    DeviceSettings &r = s.data.settings;
    r.outType = quint8(DeviceModel::outputKindFor(hardware));
    r.diskret1 = r.diskret2 = 20;
    r.serialRate = 3;
    const bool transmitter = !hardware.contains("receiver");
    FactoryDefaults::apply(r, transmitter);
    s.forget();
    const qint64 started = s.clock.nowMs();
    s.engine.writeDefaults();
    QVERIFY(s.run());

    // Failed attempts pass silently; the answered one skips the rest of the search.
    Bytes expected;
    for (const char rate : failedRates)
        expected += Bytes{"$3" + QByteArray(1, rate), "+++", "+++", "ATR\r", "ATR\r"};
    const QByteArray averaging = QStringLiteral("$8=005,005,%1,%2\r")
                                     .arg(factory.diskret1, 3, 10, QChar('0'))
                                     .arg(factory.diskret2, 3, 10, QChar('0'))
                                     .toLatin1();
    const QByteArray address = QByteArray::number(transmitter ? 1 : 255);
    expected += Bytes{"$3" + QByteArray::number(moduleRate), "+++", "ATR\r",
                      config + "0000,0000,0000,0001,002,003,006\r"};
    expected += Bytes{"ATS206=2\r", "ATS201=0\r", "ATS200=0\r", "ATS202=7\r", "ATS214=17\r"};
    expected += Bytes{"ATS216=2\r", "ATS252=" + address + "\r", "ATS220=9\r", averaging, "ATO\r"};
    QCOMPARE(s.device.requests(), expected + readAll);
    QVERIFY(s.errors.isEmpty());

    const QList<PtyDevice::Record> records = s.device.records();
    for (int i = 0; i < failedRates.size(); ++i)
        QCOMPARE(records.at(5 * i + 5).ms - records.at(5 * i).ms, qint64(4000));
    QCOMPARE(records.first().ms, started);

    QCOMPARE(s.model.moduleRate(), moduleRate);
    QCOMPARE(int(r.testAdres), address.toInt());

    // Progress over the whole queue, skipped attempts and all, rises to 100.
    QVERIFY(std::is_sorted(s.progress.begin(), s.progress.end()));
    QCOMPARE(s.progress.first(), quint8(0));
    QCOMPARE(s.progress.last(), quint8(100));
}

QTEST_GUILESS_MAIN(TestDefaults)
#include "tst_defaults.moc"
