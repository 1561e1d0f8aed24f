// The restore-defaults sequence against the virtual device: the search for
// the serial rate at which the radio module answers "ATR", then the write of
// the default record and the read-back. Each failed attempt waits out the
// time-outs of "+++" and "ATR" (4 s), so this runs on its own.

#include "devicesession.h"

#include <QtTest>

namespace {

using Bytes = QList<QByteArray>;

const Bytes readAll = {"+++",        "AT/V\r",    "ATS216?\r", "ATS206?\r",
                       "ATS201?\r",  "ATS200?\r", "ATS214?\r", "ATS202?\r",
                       "ATS220=9\r", "$1",        "$9",        "ATO\r"};

// The record as the main window's DEFAULT leaves it for a 4-20 receiver.
void setDefaults(DeviceSettings &r)
{
    r.subBand = 2;
    r.radioRate = 0;
    r.chanel = 0;
    r.power = 7;
    r.testAdres = 1;
    r.serialTimeout = 17;
    r.delRxTx = 0;
    r.delTxRx = 0;
    r.parity = 0;
    r.radioTransmitReset = 50;
    r.stopBit = 0;
    r.flowControl = 2;
    r.radioModuleReset = 6;
    r.wdtReset = 0;
    r.averaging1 = 5;
    r.averaging2 = 5;
    r.delRequest = 2;
    r.numOfDown = 3;
    r.diskret1 = 5;
    r.diskret2 = 5;
    r.adreses = "0000,0000,0000,0001";
}

Bytes writeTail()
{
    return Bytes{"$0=255,4,000,000,0,050,000,0,0000,0000,0000,0001,002,003,006\r",
                 "ATS206=2\r",
                 "ATS201=0\r",
                 "ATS200=0\r",
                 "ATS202=7\r",
                 "ATS214=17\r",
                 "ATS216=2\r",
                 "ATS252=255\r",
                 "ATS220=9\r",
                 "$8=005,005,005,005\r",
                 "ATO\r"} +
           readAll;
}

} // namespace

class TestDefaults : public QObject
{
    Q_OBJECT

    DeviceSession *s = nullptr;

private slots:
    void initTestCase();
    void searchFindsTheModuleRate();
    void recordedRateAnswersAtOnce();
    void cleanupTestCase();
};

void TestDefaults::initTestCase()
{
    // The module runs at rate 5 and the controller talks to it at 5.
    s = new DeviceSession;
    s->model.setModuleRate(5);
    s->model.setLinkRate(5);
    s->model.setReg(206, 4);
    s->model.setReg(200, 9);
    QVERIFY(s->open());
    QTRY_VERIFY_WITH_TIMEOUT(s->idle(), 5000);
    QCOMPARE(s->engine.firmwareVariant(), quint8(2));
    QCOMPARE(s->engine.isTransmitter(), 0);
}

void TestDefaults::cleanupTestCase()
{
    delete s;
}

void TestDefaults::searchFindsTheModuleRate()
{
    s->forget();
    setDefaults(s->data.settings);
    s->data.settings.serialRate = 3;
    s->engine.writeDefaults();
    QTRY_VERIFY_WITH_TIMEOUT(s->idle(), 40000);

    // Attempts at the recorded rate 3, then 0 to 4, fail silently (each
    // "+++" and "ATR" sent twice); the attempt at 5 is answered and the
    // attempts at 6 and 7 are skipped up to the configuration write, which
    // carries the rate digit 4.
    Bytes expected;
    for (const char rate : QByteArray("301234")) {
        expected += Bytes{"$3" + QByteArray(1, rate), "+++", "+++", "ATR\r", "ATR\r"};
    }
    expected += Bytes{"$35", "+++", "ATR\r"};
    expected += writeTail();
    QCOMPARE(s->device.requests(), expected);
    QVERIFY(s->errors.isEmpty());

    // A failed attempt costs the two give-ups of "+++" and "ATR".
    const QList<PtyDevice::Record> records = s->device.records();
    const qint64 attempt = records.at(5).ms - records.at(0).ms;
    QVERIFY2(attempt > 3800 && attempt < 4400, qPrintable(QString::number(attempt)));

    // The module was reset, then written, and still runs at rate 5; the
    // controller stores the external serial rate 4.
    QCOMPARE(s->model.moduleRate(), 5);
    QCOMPARE(s->model.linkRate(), 5);
    QCOMPARE(s->model.reg(206), 2);
    QCOMPARE(s->model.reg(200), 0);
    QCOMPARE(s->model.reg(214), 17);
    QCOMPARE(s->model.config().serialRate, quint8(4));
    QCOMPARE(s->model.config().testAdres, quint8(255));
    QCOMPARE(s->data.settings.testAdres, quint8(255));
    QCOMPARE(s->fieldsOf(ReadConfig).mid(0, 2), (QByteArrayList{"255", "4"}));

    // The progress base is shared by the whole program, so the figures only
    // have to stay in range and climb to 100.
    QCOMPARE(s->progress.first(), quint8(0));
    QCOMPARE(s->progress.last(), quint8(100));
    QVERIFY(std::is_sorted(s->progress.begin(), s->progress.end()));
}

void TestDefaults::recordedRateAnswersAtOnce()
{
    s->forget();
    setDefaults(s->data.settings);
    s->data.settings.serialRate = 5;
    QElapsedTimer clock;
    clock.start();
    s->engine.writeDefaults();
    QTRY_VERIFY_WITH_TIMEOUT(s->idle(), 5000);
    QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(s->device.requests(), (Bytes{"$35", "+++", "ATR\r"} + writeTail()));
    QVERIFY(s->errors.isEmpty());
}

QTEST_GUILESS_MAIN(TestDefaults)
#include "tst_defaults.moc"
