// The exchange engine against the virtual device over a real pseudo-terminal:
// the engine's own serial port opens the device's slave side.

#include "devicesession.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <sys/resource.h>

namespace {

using Bytes = QList<QByteArray>;
using Fields = QByteArrayList;

const Bytes readAll = {"+++",        "AT/V\r",    "ATS216?\r", "ATS206?\r",
                       "ATS201?\r",  "ATS200?\r", "ATS214?\r", "ATS202?\r",
                       "ATS220=9\r", "$1",        "$9",        "ATO\r"};

Bytes connectRun()
{
    return Bytes{"$2"} + readAll;
}

qint64 cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

// Waits like a modal question: the event loop keeps running.
void modalWait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

    // A 4-20 mA receiver with the latest firmware, shared by the first cases.
    DeviceSession *receiver = nullptr;

private slots:
    void initTestCase();
    void connectionRun();
    void measurementRestartsTheRunningRequest();
    void writeSettingsReadsBack();
    void calibration();
    void calibrationWithoutAnswerClearsTheQueue();
    void openWhileOpenClosesThePort();
    void cleanupTestCase();

    void wrongFieldCountIsConsumedNotReported();
    void failedRequestAnsweredNo();
    void failedRequestAnsweredYesWhileEventsArrive();
    void testCycle();
    void unpluggedAdapter();
    void portLostWhileTheQuestionIsOpen();
};

void TestExchange::initTestCase()
{
    receiver = new DeviceSession;
}

void TestExchange::cleanupTestCase()
{
    delete receiver;
}

void TestExchange::connectionRun()
{
    DeviceSession &s = *receiver;
    s.device.faults().pace = true;
    QVERIFY(s.device.open());
    // An identity reply left in the line before the port is opened must not
    // be taken for the device's answer.
    s.device.inject("firmware=STALE,pp=OLD\r");
    QTest::qWait(100);
    s.device.clearRecords();

    QVERIFY(s.engine.openPort(s.device.slavePath()));
    QVERIFY(s.engine.isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);

    QCOMPARE(s.device.requests(), connectRun());
    QCOMPARE(s.progress, (QList<quint8>{0, 7, 15, 23, 30, 38, 46, 53, 61, 69, 76, 84, 92, 100}));
    QCOMPARE(s.settingKinds(),
             (QList<int>{ReadIdentity, ReadModuleVersion, ReadS216, ReadS206, ReadS201, ReadS200,
                         ReadS214, ReadS202, ReadConfig, ReadAveraging}));
    QCOMPARE(s.fieldsOf(ReadIdentity), (Fields{"Aug  4 2022", "RLX-31868-4-20-D receiver"}));
    QCOMPARE(s.fieldsOf(ReadModuleVersion), Fields{"LE50-868 V2.3.1"});
    QCOMPARE(s.fieldsOf(ReadS216), Fields{"2"});
    QCOMPARE(s.fieldsOf(ReadS206), Fields{"2"});
    QCOMPARE(s.fieldsOf(ReadS202), Fields{"7"});
    QCOMPARE(s.fieldsOf(ReadConfig), (Fields{"001", "3", "000", "000", "0", "050", "000", "0",
                                             "0000000000000001", "002", "003", "006"}));
    QCOMPARE(s.fieldsOf(ReadAveraging), (Fields{"5", "5", "5", "5"}));
    QVERIFY(s.errors.isEmpty());
    QCOMPARE(s.engine.firmwareVariant(), quint8(2));
    QCOMPARE(s.engine.isTransmitter(), 0);
    QVERIFY(!s.model.commandMode());
}

void TestExchange::measurementRestartsTheRunningRequest()
{
    DeviceSession &s = *receiver;
    s.forget();
    s.device.faults().pace = false;
    s.device.faults().rules = {{"ATS214?", 300, 1}};
    bool polled = false;
    auto poll = connect(&s.device, &PtyDevice::sgRequest, this, [&](const QByteArray &r) {
        if (r == "ATS214?\r" && !polled) {
            polled = true;
            s.engine.getValue();
        }
    });
    s.engine.readSettings();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);
    disconnect(poll);

    // The running request is sent again at once and the measurement request
    // goes last; the progress base becomes the queue at that moment.
    Bytes expected = readAll;
    expected.insert(expected.indexOf("ATS214?\r"), "ATS214?\r");
    expected.append("$7");
    QCOMPARE(s.device.requests(), expected);
    QCOMPARE(s.progress, (QList<quint8>{0, 8, 16, 25, 33, 41, 50, 0, 14, 28, 42, 57, 71, 85, 100}));
    QCOMPARE(s.settingKinds().count(ReadS214), 1);
    QCOMPARE(s.settingKinds().count(ReadInputs), 1);
    const Fields inputs = s.fieldsOf(ReadInputs);
    QCOMPARE(inputs.size(), 4);
    for (const QByteArray &v : inputs) {
        bool ok = false;
        v.toUInt(&ok);
        QVERIFY2(ok, v.constData());
    }
    QVERIFY(s.errors.isEmpty());
}

void TestExchange::writeSettingsReadsBack()
{
    DeviceSession &s = *receiver;
    s.forget();
    // Answers arrive in four-byte pieces 20 ms apart.
    s.device.faults() = PtyDevice::Faults();
    s.device.faults().chunkSize = 4;
    s.device.faults().chunkPauseMs = 20;

    DeviceSettings &r = s.data.settings;
    r.subBand = 3;
    r.radioRate = 1;
    r.chanel = 12;
    r.power = 5;
    r.serialTimeout = 30;
    r.flowControl = 0;
    r.serialRate = 3;
    r.testAdres = 17;
    r.delRxTx = 10;
    r.delTxRx = 20;
    r.parity = 2;
    r.radioTransmitReset = 60;
    r.wdtReset = 9;
    r.stopBit = 1;
    r.averaging1 = 0x85;
    r.averaging2 = 10;
    r.diskret1 = 7;
    r.diskret2 = 3;
    r.adreses = "0000,0000,0000,0005";
    r.delRequest = 4;
    r.numOfDown = 0xB5;
    r.radioModuleReset = 7;

    s.engine.writeSettings();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 15000);

    // A receiver is not a transmitter: its test address becomes 255.
    QCOMPARE(r.testAdres, quint8(255));
    const Bytes expected = Bytes{"+++",
                                 "ATS210=4\r",
                                 "$34",
                                 "$0=255,3,010,020,2,060,009,1,0000,0000,0000,0005,004,181,007\r",
                                 "ATS206=3\r",
                                 "ATS201=1\r",
                                 "ATS200=12\r",
                                 "ATS202=5\r",
                                 "ATS214=30\r",
                                 "ATS216=0\r",
                                 "ATS252=255\r",
                                 "ATS220=9\r",
                                 "$8=133,010,007,003\r",
                                 "ATO\r"} +
                           readAll;
    QCOMPARE(s.device.requests(), expected);
    QVERIFY(s.errors.isEmpty());

    // What was written is what the device now holds and reads back.
    QCOMPARE(s.model.reg(210), 4);
    QCOMPARE(s.model.linkRate(), 4);
    QCOMPARE(s.model.reg(252), 255);
    QCOMPARE(s.fieldsOf(ReadConfig), (Fields{"255", "3", "010", "020", "2", "060", "009", "1",
                                             "0000000000000005", "004", "181", "007"}));
    QCOMPARE(s.fieldsOf(ReadS206), Fields{"3"});
    QCOMPARE(s.fieldsOf(ReadS201), Fields{"1"});
    QCOMPARE(s.fieldsOf(ReadS200), Fields{"12"});
    QCOMPARE(s.fieldsOf(ReadS202), Fields{"5"});
    QCOMPARE(s.fieldsOf(ReadS214), Fields{"30"});
    QCOMPARE(s.fieldsOf(ReadS216), Fields{"0"});
    QCOMPARE(s.fieldsOf(ReadAveraging), (Fields{"133", "10", "7", "3"}));
    QCOMPARE(s.progress.first(), quint8(0));
    QCOMPARE(s.progress.last(), quint8(100));
    QVERIFY(std::is_sorted(s.progress.begin(), s.progress.end()));
}

void TestExchange::calibration()
{
    DeviceSession &s = *receiver;
    s.forget();
    s.device.faults() = PtyDevice::Faults();

    s.engine.enterCalibration();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);
    QVERIFY(s.model.calibrationMode());
    QCOMPARE(s.model.outputCurrent(), 20000);
    s.engine.sendCurrent(15000);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);
    QCOMPARE(s.model.outputCurrent(), 15000);
    s.engine.sendRealCurrent(20000, 19990);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);
    s.engine.exitCalibration();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);

    QCOMPARE(s.device.requests(), (Bytes{"$d\r", "$aafc8\r", "$bea60,4e16\r", "$c\r"}));
    QVERIFY(!s.model.calibrationMode());
    QCOMPARE(s.model.calibrationPoints().size(), 1);
    QCOMPARE(s.model.calibrationPoints().first().setPoint, 20000);
    QCOMPARE(s.model.calibrationPoints().first().measured, 19990);
    QVERIFY(s.settings.isEmpty());
    QVERIFY(s.errors.isEmpty());
}

void TestExchange::calibrationWithoutAnswerClearsTheQueue()
{
    DeviceSession &s = *receiver;
    s.engine.enterCalibration();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);
    s.forget();
    s.device.faults().rules = {{"$a", -1, -1}};

    QElapsedTimer clock;
    clock.start();
    s.engine.sendCurrent(15000);
    s.engine.getValue(); // queued behind it, restarting it
    QTRY_COMPARE_WITH_TIMEOUT(s.engine.queueLength(), 0, 3000);
    const qint64 gaveUp = clock.elapsed();
    QVERIFY2(gaveUp >= 1900, qPrintable(QString::number(gaveUp)));
    QTest::qWait(300);

    // The whole queue went, silently: no question, no progress, no reply.
    QCOMPARE(s.countOf("$7"), 0);
    QCOMPARE(s.countOf("$aafc8\r"), 3);
    QCOMPARE(s.progress, (QList<quint8>{0, 0}));
    QVERIFY(s.errors.isEmpty());
    QVERIFY(s.settings.isEmpty());

    s.device.faults().rules.clear();
    s.engine.exitCalibration();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);
    QVERIFY(!s.model.calibrationMode());
}

void TestExchange::openWhileOpenClosesThePort()
{
    DeviceSession &s = *receiver;
    s.forget();
    QVERIFY(s.engine.isOpen());
    s.engine.getValue();
    QVERIFY(!s.engine.openPort(s.device.slavePath()));
    QVERIFY(!s.engine.isOpen());
    QCOMPARE(s.engine.queueLength(), 0);

    // Whatever the device answered while the port was closed is not read as
    // the answer to the next connection's requests.
    QTest::qWait(100);
    s.forget();
    QVERIFY(s.engine.openPort(s.device.slavePath()));
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);
    QCOMPARE(s.device.requests(), connectRun());
    QCOMPARE(s.settingKinds().size(), 10);
}

void TestExchange::wrongFieldCountIsConsumedNotReported()
{
    // A device with an empty firmware date and module version, and a
    // channel register that answers without its digits.
    DeviceSession s;
    s.model.setFirmware("");
    s.model.setModuleVersion("");
    s.device.faults().rules = {{"ATS200?", -1, -1}};
    connect(&s.device, &PtyDevice::sgRequest, this, [&](const QByteArray &r) {
        if (r == "ATS200?\r")
            s.device.inject("S200=\r");
    });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);

    // Each reply completed its request (nothing was sent twice or waited
    // for its time-out) but only the well-formed ones were reported.
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(s.device.requests(), connectRun());
    QCOMPARE(s.settingKinds(), (QList<int>{ReadS216, ReadS206, ReadS201, ReadS214, ReadS202,
                                           ReadConfig, ReadAveraging}));
    QCOMPARE(s.fieldsOf(ReadConfig).size(), 9);
    QVERIFY(s.errors.isEmpty());
}

void TestExchange::failedRequestAnsweredNo()
{
    DeviceSession s;
    s.device.faults().rules = {{"ATS206?", -1, -1}};
    s.onError = [&](const QByteArray &) { s.engine.clearParsers(); };
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);
    QTest::qWait(1100); // a give-up that stayed alive would tick again by now

    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    QCOMPARE(s.device.requests(),
             (Bytes{"$2", "+++", "AT/V\r", "ATS216?\r", "ATS206?\r", "ATS206?\r"}));
    QCOMPARE(s.progress.last(), quint8(100));
    QCOMPARE(s.engine.queueLength(), 0);
}

void TestExchange::failedRequestAnsweredYesWhileEventsArrive()
{
    // Both sends of the sub-band read are answered 2.1 s late, that is while
    // the question about the give-up (at 2 s) is open.
    DeviceSession s;
    s.device.faults().rules = {{"ATS206?", 2100, 2}};
    s.onError = [&](const QByteArray &) {
        // The question stays open for 1.6 s; the measurement poll asks for
        // values meanwhile. Then the user answers Yes.
        QTimer::singleShot(300, &s.engine, [&] { s.engine.getValue(); });
        modalWait(1600);
    };
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 8000);

    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    Bytes expected = connectRun();
    expected.insert(expected.indexOf("ATS206?\r"), "ATS206?\r");
    expected.append("$7"); // once, after the rest of the read
    QCOMPARE(s.device.requests(), expected);
    // The late sub-band replies belonged to the failed request; the next
    // request got its own answer.
    QCOMPARE(s.settingKinds(),
             (QList<int>{ReadIdentity, ReadModuleVersion, ReadS216, ReadS201, ReadS200, ReadS214,
                         ReadS202, ReadConfig, ReadAveraging, ReadInputs}));
    QCOMPARE(s.fieldsOf(ReadS201), Fields{"0"});
    QCOMPARE(s.fieldsOf(ReadS200), Fields{"0"});
}

void TestExchange::testCycle()
{
    DeviceSession s;
    s.model.setHardware("RLX-31868-Vela-485");
    s.model.setReachable({3});
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);
    s.forget();

    auto results = [&] {
        return int(std::count_if(s.steps.begin(), s.steps.end(),
                                 [](const DeviceSession::Step &st) { return st.kind != 'R'; }));
    };
    s.engine.startTest(QByteArray("\x03\x05", 2));
    QTRY_COMPARE_WITH_TIMEOUT(results(), 2, 4000);
    // Back to the first address: the step after the running one (to 3) goes
    // to 3 again.
    s.engine.resetTestPosition();
    QTRY_COMPARE_WITH_TIMEOUT(results(), 5, 5000);

    QString kinds;
    Bytes requests;
    for (const DeviceSession::Step &st : qAsConst(s.steps)) {
        kinds += QLatin1Char(st.kind);
        if (st.kind == 'R')
            requests.append(st.request);
        QCOMPARE(st.count, quint8(1));
    }
    QCOMPARE(kinds, QStringLiteral("RORTRORORTR"));
    QCOMPARE(requests, (Bytes{"3=$\r", "5=$\r\n", "3=$\r\n", "3=$\r\n", "5=$\r\n", "3=$\r\n"}));
    for (int i = 1; i < s.steps.size(); i += 2) {
        // Each result names its own request and comes one step after it,
        // whether the address answered or not.
        QCOMPARE(s.steps.at(i).request, s.steps.at(i - 1).request);
        const qint64 took = s.steps.at(i).ms - s.steps.at(i - 1).ms;
        QVERIFY2(took > 900 && took < 1150, qPrintable(QString::number(took)));
    }
    QVERIFY(s.progress.isEmpty());

    // Stopped as a step result comes in: the cycle ends there, nothing more
    // is sent. A test over no addresses does not start.
    auto stop = connect(&s.engine, &Exchange::sgOk, this, [&] { s.engine.clearParsers(); });
    QTRY_COMPARE_WITH_TIMEOUT(s.engine.queueLength(), 0, 2000);
    disconnect(stop);
    QCOMPARE(s.progress, QList<quint8>{100});
    s.engine.startTest(QByteArray());
    QCOMPARE(s.engine.queueLength(), 0);
    const int sent = s.device.requestCount();
    const int seen = s.steps.size();
    QTest::qWait(1300);
    QCOMPARE(s.device.requestCount(), sent);
    QCOMPARE(s.steps.size(), seen);
}

void TestExchange::unpluggedAdapter()
{
    DeviceSession s;
    s.device.faults().pace = true;
    s.device.faults().hangUpAfter = 5;
    QVERIFY(s.device.open());
    const QString path = s.device.slavePath();
    QVERIFY(s.engine.openPort(path));
    QTRY_COMPARE_WITH_TIMEOUT(s.portLost.size(), 1, 3000);
    QVERIFY(!s.engine.isOpen());
    QCOMPARE(s.engine.queueLength(), 0);
    QCOMPARE(s.device.requestCount(), 5);
    QVERIFY(s.settings.size() <= 4);

    // The measurement poll may still ask before the owner has reacted. A
    // write to a hung-up port would make it report errors without end; the
    // closed port takes nothing and the process stays idle.
    const qint64 cpuBefore = cpuMs();
    s.engine.getValue();
    QTest::qWait(600);
    const qint64 cpu = cpuMs() - cpuBefore;
    QVERIFY2(cpu < 200, qPrintable(QString::number(cpu)));
    QCOMPARE(s.portLost.size(), 1);
    QCOMPARE(s.engine.queueLength(), 0);
    QVERIFY(s.errors.isEmpty());

    // The adapter is gone: opening it fails and queues nothing.
    s.forget();
    QVERIFY(!s.engine.openPort(path));
    QCOMPARE(s.engine.queueLength(), 0);
    QVERIFY(s.progress.isEmpty());

    // Plugged in again (as a new port), the engine connects as before.
    DeviceModel model;
    PtyDevice again(&model);
    QVERIFY(again.open());
    QVERIFY(s.engine.openPort(again.slavePath()));
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);
    QCOMPARE(again.requests(), connectRun());
    QCOMPARE(s.settingKinds().size(), 10);
    s.engine.openPort(again.slavePath()); // close before the device goes
}

void TestExchange::portLostWhileTheQuestionIsOpen()
{
    DeviceSession s;
    s.device.faults().rules = {{"ATS206?", -1, -1}};
    qint64 answered = -1;
    s.onError = [&](const QByteArray &) {
        // The adapter goes while the question is open; the queue is dropped
        // and its parsers deleted inside the modal loop. A measurement
        // request queued afterwards (a new parser, possibly at the failed
        // one's address) must not be taken for the failed request.
        s.device.hangUp();
        modalWait(300);
        s.engine.getValue();
        answered = s.clock.elapsed();
    };
    QVERIFY(s.open());
    QTRY_COMPARE_WITH_TIMEOUT(s.portLost.size(), 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 2000);
    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    QVERIFY(!s.engine.isOpen());
    // The measurement request ran its own course: one send (not written to
    // the closed port) and its give-up after 500 ms.
    const qint64 ended = s.lastSignalMs - answered;
    QVERIFY2(ended >= 450, qPrintable(QString::number(ended)));
    QCOMPARE(s.progress.mid(s.progress.size() - 2), (QList<quint8>{0, 100}));
    QTest::qWait(100);
    QCOMPARE(s.portLost.size(), 1);
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
