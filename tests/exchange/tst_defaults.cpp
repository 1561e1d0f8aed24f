// The restore-defaults sequence against the virtual device: the search for
// the serial rate at which the radio module answers "ATR", then the write of
// the default record and the read-back. Each failed attempt waits out the
// time-outs of "+++" and "ATR" (4 s), so this runs on its own.

#include "devicesession.h"

#include <QtTest>

class TestDefaults : public QObject
{
    Q_OBJECT

private slots:
    void restoreDefaults();
};

void TestDefaults::restoreDefaults()
{
    // The module runs at rate 5 and the controller talks to it at 5.
    DeviceSession s;
    s.model.setModuleRate(5);
    s.model.setLinkRate(5);
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);

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
    s.engine.writeDefaults();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 40000);

    // Attempts at the recorded rate 3, then 0 to 4, fail silently (each
    // "+++" and "ATR" sent twice); the attempt at 5 is answered and the
    // attempts at 6 and 7 are skipped up to the configuration write, which
    // carries the rate digit 4.
    Bytes expected;
    for (const char rate : QByteArray("301234"))
        expected += Bytes{"$3" + QByteArray(1, rate), "+++", "+++", "ATR\r", "ATR\r"};
    const Bytes tail = {"ATS206=2\r",           "ATS201=0\r", "ATS200=0\r",   "ATS202=7\r",
                        "ATS214=17\r",          "ATS216=2\r", "ATS252=255\r", "ATS220=9\r",
                        "$8=005,005,005,005\r", "ATO\r"};
    expected += Bytes{"$35", "+++", "ATR\r"};
    expected += "$0=255,4,000,000,0,050,000,0,0000,0000,0000,0001,002,003,006\r";
    QCOMPARE(s.device.requests(), expected + tail + readAll);
    QVERIFY(s.errors.isEmpty());

    // A failed attempt costs the two give-ups of "+++" and "ATR".
    const QList<PtyDevice::Record> records = s.device.records();
    const qint64 attempt = records.at(5).ms - records.at(0).ms;
    QVERIFY2(attempt > 3800 && attempt < 4400, qPrintable(QString::number(attempt)));

    // The module was reset and still runs at rate 5; the record holds what
    // was written.
    QCOMPARE(s.model.moduleRate(), 5);
    QCOMPARE(r.testAdres, quint8(255));
    QVERIFY(std::is_sorted(s.progress.begin(), s.progress.end()));
}

QTEST_GUILESS_MAIN(TestDefaults)
#include "tst_defaults.moc"
