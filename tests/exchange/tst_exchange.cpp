// The exchange engine against the virtual device over a real pseudo-terminal:
// the engine's own serial port opens the device's slave side.

#include "devicesession.h"

#include <QEventLoop>
#include <QRandomGenerator>
#include <QSerialPort>
#include <QTimer>
#include <QtTest>

namespace {

// Waits like a modal question: the event loop keeps running.
void modalWait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Random bytes without an "a": whatever part of them reaches a waiting
// measurement request cannot start its reply ("an1=...").
QByteArray noise(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes) {
        c = char(random.bounded(256));
        if (c == 'a')
            c = 'b';
    }
    return bytes;
}

} // namespace

class TestExchange : public QObject
{
    Q_OBJECT

    // A 4-20 mA receiver with the latest firmware, shared by the cases up to
    // the one that unplugs it.
    DeviceSession *receiver = nullptr;

private slots:
    void initTestCase() { receiver = new DeviceSession; }
    void connectAndRead();
    void writeSettingsReadsBack();
    void calibration();
    void testCycleStartIndexWasReset();
    void failedRequestAndLostPort();
    void cleanupTestCase() { delete receiver; }
    void repliesOfTheWrongForm();
    void identityPaddedWithZerosWasRefused();
    void idleNoiseGrowsUnbounded();
    void idleNoiseGrowsUnboundedWithoutPort();
};

void TestExchange::connectAndRead()
{
    DeviceSession &s = *receiver;
    s.device.faults().pace = true;
    QVERIFY(s.device.open());
    // An identity reply left in the line before the port is opened must not
    // be taken for the device's answer.
    s.device.inject("firmware=STALE,pp=OLD\r");
    QTest::qWait(100);
    QVERIFY(s.engine.openPort(s.device.slavePath()));
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);

    QCOMPARE(s.device.requests(), Bytes{"$2"} + readAll);
    QCOMPARE(s.progress, (QList<quint8>{0, 7, 15, 23, 30, 38, 46, 53, 61, 69, 76, 84, 92, 100}));
    QCOMPARE(s.replies.size(), 10);
    QCOMPARE(s.replies.first(), reply(ReadIdentity, {"Aug  4 2022", "RLX-31868-4-20-D receiver"}));
    QCOMPARE(s.replies.at(8).count('|'), 11); // the configuration of variant 2
    QVERIFY(s.errors.isEmpty());
    QVERIFY(!s.model.commandMode());

    // Opening while open closes the port and drops the queue; the next
    // opening connects afresh.
    s.engine.getValue();
    QVERIFY(!s.engine.openPort(s.device.slavePath()));
    QCOMPARE(s.engine.queueLength(), 0);
    QTest::qWait(100);
    s.forget();
    QVERIFY(s.engine.openPort(s.device.slavePath()));
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);
    QCOMPARE(s.device.requests(), Bytes{"$2"} + readAll);
}

void TestExchange::writeSettingsReadsBack()
{
    DeviceSession &s = *receiver;
    s.forget();
    // Answers arrive in four-byte pieces 20 ms apart.
    s.device.faults() = PtyDevice::Faults();
    s.device.faults().chunkSize = 4;
    s.device.faults().chunkPauseMs = 20;
    using S = DeviceSettings;
    DeviceSettings &r = s.data.settings;
    assign(r, {{&S::subBand, 3},     {&S::radioRate, 1},      {&S::chanel, 12},
               {&S::power, 5},       {&S::serialTimeout, 30}, {&S::flowControl, 0},
               {&S::serialRate, 3},  {&S::testAdres, 17},     {&S::delRxTx, 10},
               {&S::delTxRx, 20},    {&S::parity, 2},         {&S::radioTransmitReset, 60},
               {&S::wdtReset, 9},    {&S::stopBit, 1},        {&S::averaging1, 0x85},
               {&S::averaging2, 10}, {&S::diskret1, 7},       {&S::diskret2, 3},
               {&S::delRequest, 4},  {&S::numOfDown, 0xB5},   {&S::radioModuleReset, 7}});
    r.adreses = "0000,0000,0000,0005";

    s.engine.writeSettings();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 15000);

    // A receiver is not a transmitter: its test address becomes 255.
    QCOMPARE(r.testAdres, quint8(255));
    QCOMPARE(s.device.requests(),
             (Bytes{"+++", "ATS210=4\r", "$34",
                    "$0=255,3,010,020,2,060,009,1,0000,0000,0000,0005,004,181,007\r", "ATS206=3\r",
                    "ATS201=1\r", "ATS200=12\r", "ATS202=5\r", "ATS214=30\r", "ATS216=0\r",
                    "ATS252=255\r", "ATS220=9\r", "$8=133,010,007,003\r", "ATO\r"} +
              readAll));
    QVERIFY(s.errors.isEmpty());

    // What was written is what the device now holds and reads back.
    QCOMPARE(s.model.linkRate(), 4);
    QCOMPARE(s.replies.at(7), reply(ReadConfig, {"255", "3", "010", "020", "2", "060", "009", "1",
                                                 "0000000000000005", "004", "181", "007"}));
}

void TestExchange::calibration()
{
    // A calibration request left unanswered drops the whole queue silently:
    // no question, no progress, no reply.
    DeviceSession &s = *receiver;
    s.forget();
    s.device.faults() = PtyDevice::Faults();
    s.device.faults().rules = {{"$a", -1, 3}};
    s.engine.enterCalibration();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);
    QElapsedTimer clock;
    clock.start();
    s.engine.sendCurrent(15000);
    s.engine.getValue(); // queued behind it, restarting it
    QTRY_COMPARE_WITH_TIMEOUT(s.engine.queueLength(), 0, 3000);
    QVERIFY2(clock.elapsed() >= 1900, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(300);
    QCOMPARE(s.device.requests(), (Bytes{"$d\r", "$aafc8\r", "$aafc8\r", "$aafc8\r"}));
    QCOMPARE(s.progress, (QList<quint8>{0, 100, 0, 0}));
    QVERIFY(s.replies.isEmpty() && s.errors.isEmpty());

    // The device takes what follows.
    s.engine.sendRealCurrent(20000, 19990);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);
    s.engine.exitCalibration();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 3000);
    QCOMPARE(s.device.requests().mid(4), (Bytes{"$bea60,4e16\r", "$c\r"}));
    QVERIFY(s.errors.isEmpty() && !s.model.calibrationMode());
}

void TestExchange::repliesOfTheWrongForm()
{
    // The device stays silent; replies reach the engine as from its port. A
    // reply with a field left empty completes its request unreported. A
    // damaged one (a number that is not a decimal byte, a text that is not
    // printable) leaves its request waiting, as if nothing had come.
    DeviceSession s;
    s.device.faults().rules = {{"", -1, -1}};
    QVERIFY(s.open());
    // In the order of the connection's requests, "|" between them; "!" marks
    // a damaged reply.
    const Bytes steps =
        QByteArray("!firmware=A\x01,pp=R\r|firmware=,pp=R\r|OK\r|!LE50\xC2\xB5\r|\r|"
                   "!S216=256\r|S216=255\r|!S206=a\r|S206=3\r|S201=1\r|!S200=-1\r|"
                   "!S200=0012\r|S200=\r|S214=30\r|S202=7\r|OK\r|!=1,2,3,4,5,6,7,300,1\r|"
                   "=1,2,3,4,5,6,7,8,00g1\r|!a1=5,a2=5,l1=5,l2=4 \r|a1=5,a2=5,l1=5,l2=4\r|"
                   "OK\r")
            .split('|');
    for (const QByteArray &step : steps) {
        const int before = s.engine.queueLength();
        const bool damaged = step.startsWith('!');
        s.engine.receive(damaged ? step.mid(1) : step);
        QVERIFY2(s.engine.queueLength() == before - (damaged ? 0 : 1), step.constData());
    }
    // The variant stays 0 (nine configuration fields); the address list is
    // taken as it is.
    QCOMPARE(s.replies,
             (QStringList{reply(ReadS216, {"255"}), reply(ReadS206, {"3"}), reply(ReadS201, {"1"}),
                          reply(ReadS214, {"30"}), reply(ReadS202, {"7"}),
                          reply(ReadConfig, {"1", "2", "3", "4", "5", "6", "7", "8", "00g1"}),
                          reply(ReadAveraging, {"5", "5", "5", "4"})}));

    // A measurement may exceed a byte but not nine digits; damaged, it is
    // given up like an unanswered one.
    s.engine.getValue();
    s.engine.receive("an1=20000,an2=0,d1=1,d2=0\r");
    s.engine.getValue();
    s.engine.receive("an1=1234567890,an2=0,d1=1,d2=0\r");
    QCOMPARE(s.engine.queueLength(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 1000);
    QCOMPARE(s.replies.mid(7), QStringList{reply(ReadInputs, {"20000", "0", "1", "0"})});
    QVERIFY(s.errors.isEmpty());
}

void TestExchange::identityPaddedWithZerosWasRefused()
{
    // A device that sends its whole text buffers pads the identity with zero
    // bytes: the texts end at the first of them, and the device is identified.
    DeviceSession s;
    s.model.setIdentityPadding(32);
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);
    QVERIFY2(s.replies.value(0).startsWith("23:Aug  4 2022"), qPrintable(s.replies.value(0)));
    QCOMPARE(s.engine.firmwareVariant(), quint8(2));
    QCOMPARE(s.replies.size(), 10);

    // Within the text itself, before its end, a control or 8-bit byte still
    // marks a reply damaged on the line; past its end nothing is looked at.
    DeviceSession quiet;
    quiet.device.faults().rules = {{"", -1, -1}};
    QVERIFY(quiet.open());
    const int queued = quiet.engine.queueLength();
    const QByteArray zeros(3, '\0');
    for (const QByteArray &damaged : {"firmware=Au\x01g" + zeros + ",pp=RLX" + zeros + "\r",
                                      "firmware=Aug" + zeros + ",pp=R\xB5X" + zeros + "\r"}) {
        quiet.engine.receive(damaged);
        QVERIFY2(quiet.engine.queueLength() == queued, damaged.toHex().constData());
    }
    quiet.engine.receive("firmware=Aug" + zeros + "\x01\xFF,pp=RLX" + zeros + "\r");
    QCOMPARE(quiet.engine.queueLength(), queued - 1);
    QCOMPARE(quiet.replies.size(), 1);
}

void TestExchange::testCycleStartIndexWasReset()
{
    DeviceSession &s = *receiver;
    s.model.setReachable({3});
    s.forget();

    // Each step as "R" request sent, "O" answered or "T" timed out, with its
    // request; each result comes one step after its request.
    QStringList steps;
    QList<qint64> times;
    QElapsedTimer clock;
    clock.start();
    auto record = [&](const char *kind) {
        return [&, kind](quint8 n, TypeParser, const QByteArray &r) {
            QCOMPARE(n, quint8(1));
            steps << kind + QString::fromLatin1(r);
            times << clock.elapsed();
        };
    };
    QObject context; // the recorders end with this case
    connect(&s.engine, &Exchange::sgRequest, &context, record("R"));
    connect(&s.engine, &Exchange::sgOk, &context, record("O"));
    connect(&s.engine, &Exchange::sgTimeOut, &context, record("T"));
    // The position starts past the end of the list: the first poll goes to
    // the first address, and the step after it wraps to the first address.
    QCOMPARE(s.engine.currentTestIndex(), quint8(100));
    s.engine.startTest(QByteArray("\x03\x05", 2));
    QTRY_COMPARE_WITH_TIMEOUT(steps.size(), 5, 4000);
    // Back to the first address: the step after the running one (to 5) goes
    // to 3.
    s.engine.resetTestPosition();
    QTRY_COMPARE_WITH_TIMEOUT(steps.size(), 11, 5000);
    QCOMPARE(steps, (QStringList{"R3=$\r", "O3=$\r", "R3=$\r\n", "O3=$\r\n", "R5=$\r\n", "T5=$\r\n",
                                 "R3=$\r\n", "O3=$\r\n", "R5=$\r\n", "T5=$\r\n", "R3=$\r\n"}));
    for (int i = 1; i < times.size(); i += 2) {
        const qint64 took = times.at(i) - times.at(i - 1);
        QVERIFY2(took > 900 && took < 1150, qPrintable(QString::number(took)));
    }
    QVERIFY(s.progress.isEmpty());
    // Stopped as a step result comes in: the cycle ends there.
    connect(&s.engine, &Exchange::sgOk, &context, [&] { s.engine.clearParsers(); });
    QTRY_COMPARE_WITH_TIMEOUT(s.engine.queueLength(), 0, 2000);
}

void TestExchange::failedRequestAndLostPort()
{
    // Both sends of a sub-band read answered 2.1 s late, that is while the
    // question (at 2 s) is open for 1.6 s; the measurement poll asks for
    // values meanwhile. Then the user answers Yes: the late replies belonged
    // to the failed request, the next request gets its own answer and the
    // measurement runs last.
    DeviceSession &s = *receiver;
    s.forget();
    s.device.faults().rules = {{"ATS206?", 2100, 2}};
    s.onError = [&](const QByteArray &) {
        QTimer::singleShot(300, &s.engine, [&] { s.engine.getValue(); });
        modalWait(1600);
    };
    s.engine.readSettings();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 8000);
    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    Bytes expected = readAll;
    expected.insert(3, "ATS206?\r");
    QCOMPARE(s.device.requests(), expected + Bytes{"$7"});
    QCOMPARE(s.replies.size(), 9);
    QCOMPARE(s.replies.at(2), reply(ReadS201, {"1"}));
    QCOMPARE(s.replies.at(3), reply(ReadS200, {"12"}));
    QVERIFY(s.replies.last().startsWith(reply(ReadInputs, {})));

    // The adapter goes while the question is open: the queue is dropped and
    // its parsers deleted inside the modal loop. A measurement request queued
    // afterwards (a new parser, possibly at the failed one's address) runs
    // its own course: one send, not written to the closed port, and its
    // give-up after 500 ms.
    s.forget();
    s.device.faults().rules = {{"ATS206?", -1, -1}};
    QElapsedTimer clock;
    qint64 answered = -1, ended = -1;
    QObject context;
    connect(&s.engine, &Exchange::sgSetProgres, &context, [&] { ended = clock.elapsed(); });
    s.onError = [&](const QByteArray &) {
        s.device.hangUp();
        modalWait(300);
        s.engine.getValue();
        answered = clock.elapsed();
    };
    clock.start();
    s.engine.readSettings();
    QTRY_COMPARE_WITH_TIMEOUT(s.portLost.size(), 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 2000);
    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    QVERIFY(!s.engine.isOpen());
    QVERIFY2(ended - answered >= 450, qPrintable(QString::number(ended - answered)));
    QCOMPARE(s.progress.mid(s.progress.size() - 2), (QList<quint8>{0, 100}));

    // The adapter is gone: opening it fails and queues nothing. (The hung-up
    // terminal's number is free for another process to take at once, so the
    // gone adapter is a name that nothing can take.)
    s.forget();
    QVERIFY(!s.engine.openPort(QDir::current().filePath("ttyGone")));
    QCOMPARE(s.engine.queueLength(), 0);
    QVERIFY(s.progress.isEmpty());
}

void TestExchange::idleNoiseGrowsUnbounded()
{
    // Megabytes of noise reach the connected engine while nothing is queued.
    // Only the newest few KiB wait for the next reply, in the engine or in
    // its port; they end in the start of a reply that the device's first
    // bytes after the next request complete.
    DeviceSession s;
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 5000);
    auto *port = s.engine.findChild<QSerialPort *>();
    QVERIFY(port);
    const QByteArray start = "\ran1=4000,an2=";
    const int pieces = 16; // a megabyte: far past the bound, quick under a memory checker
    const int pieceSize = 64 * 1024;
    const quint64 sentBefore = s.device.sentBytes();
    for (int i = 0; i < pieces; ++i)
        s.device.inject(noise(pieceSize, quint32(i)), true);
    s.device.inject(start, true);
    const quint64 flood = quint64(pieces) * pieceSize + quint64(start.size());
    QTRY_COMPARE_WITH_TIMEOUT(s.device.sentBytes() - sentBefore, flood, 60000);
    QTest::qWait(100);
    const qint64 waiting = port->bytesAvailable() + s.engine.keptBytes().size();
    QVERIFY2(waiting <= Exchange::KeptLimit, qPrintable(QString::number(waiting)));
    const QByteArray tail = (noise(pieceSize, pieces - 1) + start).right(Exchange::KeptLimit);
    QTRY_COMPARE_WITH_TIMEOUT(s.engine.keptBytes(), tail, 2000);

    // The device leaves the first measurement request to the rest of the
    // reply, sent just after it; the second one it answers itself.
    s.forget();
    s.device.faults().rules = {{"$7", -1, 1}};
    QObject context;
    connect(&s.device, &PtyDevice::sgRequest, &context, [&](const QByteArray &r) {
        if (r == "$7" && s.device.requests().size() == 1)
            s.device.inject("5000,d1=1,d2=0\r");
    });
    s.engine.getValue();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 2000);
    QCOMPARE(s.replies, QStringList{reply(ReadInputs, {"4000", "5000", "1", "0"})});
    QVERIFY(s.engine.keptBytes().isEmpty());
    s.engine.getValue();
    QTRY_COMPARE_WITH_TIMEOUT(s.replies.size(), 2, 2000);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 2000);
    const QByteArray answer = s.device.records().last().reply;
    QByteArrayList fields;
    for (const QByteArray &f : answer.trimmed().split(','))
        fields << f.mid(f.indexOf('=') + 1);
    QCOMPARE(s.replies.at(1), reply(ReadInputs, fields));
    QCOMPARE(s.device.requests(), (Bytes{"$7", "$7"}));
    QVERIFY(s.errors.isEmpty());

    // What was kept goes with the connection.
    s.device.inject(noise(100, 99));
    QTRY_COMPARE_WITH_TIMEOUT(int(s.engine.keptBytes().size()), 100, 2000);
    QVERIFY(!s.engine.openPort(s.device.slavePath()));
    QVERIFY(s.engine.keptBytes().isEmpty());
}

void TestExchange::idleNoiseGrowsUnboundedWithoutPort()
{
    // The line played straight into the engine, in pieces of every size.
    Data data;
    Exchange engine(nullptr, &data);
    QStringList replies;
    QObject context;
    connect(&engine, &Exchange::sgGetSetting, &context,
            [&](TypeParser t, const QByteArrayList &f) { replies << reply(t, f); });
    const QByteArray line = noise(10000, 7) + "\ran1=4000,an2=";
    for (int at = 0; at < line.size(); at += 999)
        engine.takeReceived(line.mid(at, 999));
    QCOMPARE(engine.keptBytes(), line.right(Exchange::KeptLimit));
    const QByteArray big = noise(3 * Exchange::KeptLimit, 8);
    engine.takeReceived(big);
    QCOMPARE(engine.keptBytes(), big.right(Exchange::KeptLimit));
    engine.takeReceived("x");
    QCOMPARE(engine.keptBytes(), (big + "x").right(Exchange::KeptLimit));
    engine.takeReceived("\ran1=4000,an2=");

    // A request does not take the kept bytes by itself; the first bytes read
    // after it do, and the reply may end in a later piece.
    engine.getValue();
    QCOMPARE(int(engine.keptBytes().size()), Exchange::KeptLimit);
    engine.takeReceived("5000,d1=1");
    QVERIFY(engine.keptBytes().isEmpty());
    QCOMPARE(engine.queueLength(), 1);
    engine.takeReceived(",d2=0\r");
    QCOMPARE(replies, QStringList{reply(ReadInputs, {"4000", "5000", "1", "0"})});
    QCOMPARE(engine.queueLength(), 0);
    QVERIFY(engine.keptBytes().isEmpty());
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
