// The exchange engine against the virtual device in memory, on a clock the test moves.

#include "protocol/factorydefaults.h"
#include "protocol/settingsfields.h"
#include "tests/enginesession.h"

class TestExchange : public QObject
{
    Q_OBJECT

private slots:
    void connectAndRead();
    void readLandsWhatTheDeviceHolds();
    void writeSettingsReadsBack();
    void testCycleStartIndexWasReset();
    void failedRequestsAndLostPort();
    void repliesOfTheWrongForm();
    void noiseBeforeTheReply();
    void restoreDefaults_data();
    void restoreDefaults();
};

void TestExchange::connectAndRead()
{
    MemorySession s;
    QVERIFY(s.open());
    // Opening while open closes and drops the queue; the next opening connects afresh.
    s.engine.getValue();
    QVERIFY(!s.engine.openPort("memory"));
    QCOMPARE(s.engine.state(), Exchange::State::Idle);
    s.clock.advance(100);
    s.forget();

    // Receivers call back: a measurement started at the first progress starts the head once, a
    // reply held 3 s gives nothing up. The identity's texts end at their first zero byte.
    s.model.setIdentityPadding(32);
    QStringList gaveUp;
    QObject context;
    connect(&s.engine, &Exchange::sgGaveUp, &context,
            [&](TypeParser t, const QByteArray &r) { gaveUp << QString::number(t) + r; });
    bool first = true;
    connect(&s.engine, &Exchange::sgSetProgres, &context, [&](quint8 p) {
        if (p == 0 && std::exchange(first, false))
            s.engine.getValue();
    });
    connect(&s.engine, &Exchange::sgGetSetting, &context, [&](TypeParser t) {
        if (t == ReadS216) {
            QCOMPARE(s.engine.state(), Exchange::State::Reporting);
            s.clock.advance(3000);
        }
    });
    QVERIFY(s.open());
    QVERIFY(s.run());
    QVERIFY2(gaveUp.isEmpty(), qPrintable(gaveUp.join(',')));
    Bytes expected = Bytes{"$2"} + readAll + Bytes{"$7"};
    expected.insert(4, "ATS216?\r"); // its repeat goes out while its reply is held
    QCOMPARE(s.device.requests(), expected);
    // The measurement joins the run, restarting it with a base of 14 requests.
    QCOMPARE(s.progress,
             (QList<quint8>{0, 0, 7, 14, 21, 28, 35, 42, 50, 57, 64, 71, 78, 85, 92, 100}));
}

// Every setting lands in its own record field, for each firmware variant; the rest stays.
void TestExchange::readLandsWhatTheDeviceHolds()
{
    const QList<QPair<QByteArray, QByteArrayList>> variants = {
        {"Aug  1 2021", {"delRequest", "numOfDown", "radioModuleReset"}},
        {"Aug  3 2022", {"numOfDown", "radioModuleReset"}},
        {"Aug  4 2022", {}}};
    for (const auto &[firmware, unreported] : variants) {
        MemorySession s;
        const char *hardware = "RLX-31868-DD receiver";
        s.model.setHardware(hardware);
        s.model.setFirmware(firmware);
        // A value of its own for every setting, so that one in another's field shows.
        s.model.setConfig({17, 7, 11, 200, 3, 60, 9, 1, 0x8000000000000005, 25, 181, 70});
        for (auto [reg, value] :
             {std::pair{206, 8}, {201, 4}, {200, 5}, {202, 6}, {214, 30}, {216, 1}})
            s.model.setReg(reg, value);
        s.model.setAveraging({133, 10, 12, 13});
        const DeviceSettings before, truth = held(s.model);
        DeviceSettings record;
        QObject context;
        connect(&s.engine, &Exchange::sgGetSetting, &context,
                [&](TypeParser t, const QByteArrayList &f) {
                    ReplyDecoder::apply(t, f, s.engine.firmwareVariant(), hardware, record);
                });
        QVERIFY(s.connected());
        QStringList wrong;
        for (const SettingsField &f : SettingsFields::all()) {
            const QVariant expected = f.value(unreported.contains(f.name) ? before : truth);
            if (f.isDeviceField() && !SettingsFields::same(f, f.value(record), expected))
                wrong << firmware + ' ' + f.name + ' ' + f.value(record).toString();
        }
        QCOMPARE(wrong, QStringList());
    }
}

void TestExchange::writeSettingsReadsBack()
{
    MemorySession s;
    QVERIFY(s.connected());
    DeviceSettings &r = s.data.settings;
    r = site();
    s.engine.writeSettings();
    QVERIFY(s.run());

    // A receiver is not a transmitter: its test address becomes 255.
    QCOMPARE(r.testAdres, quint8(255));
    QCOMPARE(s.device.requests(),
             (Bytes{"+++", "ATS210=5\r", "$35",
                    "$0=255,4,010,020,2,060,009,1,0000,0000,0000,0005,004,181,007\r", "ATS206=3\r",
                    "ATS201=1\r", "ATS200=12\r", "ATS202=5\r", "ATS214=30\r", "ATS216=0\r",
                    "ATS252=255\r", "ATS220=9\r", "$8=133,010,007,003\r", "ATO\r"} +
              readAll));
}

void TestExchange::testCycleStartIndexWasReset()
{
    MemorySession s;
    s.model.setReachable({3});
    QVERIFY(s.connected());
    // Each step as "R" sent, "O" answered or "T" timed out, with its request.
    QStringList steps;
    auto record = [&](const char *kind) {
        return [&, kind](quint8 n, TypeParser, const QByteArray &r) {
            QCOMPARE(n, quint8(1));
            steps << kind + QString::fromLatin1(r);
        };
    };
    QObject context;
    connect(&s.engine, &Exchange::sgRequest, &context, record("R"));
    connect(&s.engine, &Exchange::sgOk, &context, record("O"));
    connect(&s.engine, &Exchange::sgTimeOut, &context, record("T"));
    // Address 200 (a byte past 127) never answers.
    const qint64 started = s.clock.nowMs();
    s.engine.startTest(QByteArray("\x03\xc8", 2));
    QVERIFY(s.clock.advanceUntil([&] { return steps.size() == 3; }, 10000));
    // Reset while 3, the first address, is polled: the next step goes to 3 again, not to 200.
    s.engine.resetTestPosition();
    QVERIFY(s.clock.advanceUntil([&] { return steps.size() == 9; }, 10000));
    QCOMPARE(steps, (QStringList{"R3=$\r", "O3=$\r", "R3=$\r\n", "O3=$\r\n", "R3=$\r\n", "O3=$\r\n",
                                 "R200=$\r\n", "T200=$\r\n", "R3=$\r\n"}));
    // A step lasts its full second whether the address answers or not.
    QCOMPARE(s.clock.nowMs() - started, qint64(4000));
    // Stopped as a step result comes in: the cycle ends there.
    connect(&s.engine, &Exchange::sgOk, &context, [&] { s.engine.clearParsers(); });
    QVERIFY(s.clock.advanceUntil([&] { return s.engine.queueLength() == 0; }, 3000));
    s.clock.advance(3000);
    QCOMPARE(steps.size(), 10);
}

void TestExchange::failedRequestsAndLostPort()
{
    // A register read goes twice, 1000 ms apart, and gives up 1000 ms later; its late replies go
    // with it. The measurement queued meanwhile goes last, once, and gives up after 500 ms.
    ManualClock other;
    MemorySession s;
    s.model.setReg(201, 1);
    s.model.setReg(200, 12);
    QVERIFY(s.connected());
    s.device.faults().rules = {{"ATS206?", 2100, 2}, {"$7", -1, -1}};
    QList<qint64> asked;
    s.onError = [&](const QByteArray &) {
        asked << s.clock.nowMs();
        s.clock.singleShot(300, &s.engine, [&] { s.engine.getValue(); });
        s.clock.advance(1600);
        QCOMPARE(s.engine.state(), Exchange::State::Deciding);
    };
    s.engine.readSettings();
    QVERIFY(s.run());
    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    Bytes expected = readAll;
    expected.insert(3, "ATS206?\r");
    QCOMPARE(s.device.requests(), expected + Bytes{"$7"});
    const QList<PtyDevice::Record> sent = s.device.records();
    QCOMPARE(sent.at(4).ms - sent.at(3).ms, qint64(1000));
    QCOMPARE(asked, QList<qint64>{sent.at(4).ms + 1000});
    QCOMPARE(s.clock.nowMs() - sent.last().ms, qint64(500));
    QCOMPARE(s.replies.size(), 8);
    QCOMPARE(s.replies.mid(2, 2), (QStringList{reply(ReadS201, {"1"}), reply(ReadS200, {"12"})}));

    // An unanswered set point drops the queue silently after two intervals (bytes: tst_protocol).
    s.forget();
    s.device.faults().rules = {{"$a", -1, 3}};
    s.engine.enterCalibration();
    QVERIFY(s.run());
    const qint64 started = s.clock.nowMs();
    s.engine.sendCurrent(30000);
    s.engine.getValue();       // queued behind it, restarting it
    s.engine.setClock(&other); // refused while requests are queued: s.clock still gives up
    QVERIFY(s.clock.advanceUntil([&] { return s.engine.queueLength() == 0; }, 10000));
    QCOMPARE(s.clock.nowMs() - started, qint64(2000));
    s.clock.advance(300);
    QCOMPARE(s.device.requests(), (Bytes{"$d\r", "$a15f90\r", "$a15f90\r", "$a15f90\r"}));
    QCOMPARE(s.progress, (QList<quint8>{0, 100, 0, 0}));
    QVERIFY(s.replies.isEmpty() && s.errors.isEmpty());

    // The adapter goes during the question: the queue goes; a later measurement gives up unsent.
    s.forget();
    s.device.faults().rules = {{"ATS206?", -1, -1}};
    qint64 answered = -1;
    int lost = 0;
    QObject context;
    connect(&s.engine, &Exchange::sgPortLost, &context, [&] { ++lost; });
    s.onError = [&](const QByteArray &) {
        s.device.hangUp();
        s.clock.advance(300);
        s.engine.getValue();
        answered = s.clock.nowMs();
    };
    s.engine.readSettings();
    QVERIFY(s.run());
    QCOMPARE(lost, 1);
    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    QCOMPARE(s.clock.nowMs() - answered, qint64(500));
    QCOMPARE(s.device.requests(), readAll.mid(0, 4) + Bytes{"ATS206?\r"});
    s.forget();
    s.clock.advance(10000);
    QVERIFY(s.progress.isEmpty() && s.replies.isEmpty() && s.errors.isEmpty());
    QCOMPARE(s.engine.state(), Exchange::State::Idle);
}

void TestExchange::repliesOfTheWrongForm()
{
    // A reply with an empty field completes unreported; a damaged one ("!") leaves its request
    // waiting. Control and 8-bit bytes are damage in an identity before the zero bytes that
    // end its texts, not past them; a module version may hold 8-bit bytes (UTF-8). A measurement
    // may exceed a byte but not nine digits.
    MemorySession s;
    s.device.faults().rules = {{"", -1, -1}};
    QVERIFY(s.open());
    s.engine.getValue();
    s.engine.getValue();
    const QByteArray z(3, '\0');
    Bytes steps = {"!firmware=Au\x01g" + z + ",pp=RLX" + z + "\r",
                   "!firmware=Aug" + z + ",pp=R\xB5X" + z + "\r",
                   "firmware=Aug" + z + "\x01\xFF,pp=RLX" + z + "\r"};
    steps +=
        QByteArray("OK\r|!LE50\x1b\r|LE50\xC2\xB5\r|!S216=256\r|S216=255\r|!S206=a\r|S206=3\r|"
                   "S201=1\r|!S200=-1\r|!S200=0012\r|S200=\r|S214=30\r|S202=7\r|OK\r|"
                   "!=1,2,3,4,5,6,7,300,1\r|!=1,2,3,4,5,6,7,8,00g1\r|=1,2,3,4,5,6,7,8,00a1\r|"
                   "!a1=5,a2=5,l1=5,l2=4 \r|a1=5,a2=5,l1=5,l2=4\r|OK\r|an1=20000,an2=0,d1=1,d2=0\r|"
                   "!an1=1234567890,an2=0,d1=1,d2=0\r")
            .split('|');
    for (const QByteArray &step : steps) {
        const int before = s.engine.queueLength();
        const bool damaged = step.startsWith('!');
        s.engine.receive(damaged ? step.mid(1) : step);
        QVERIFY2(s.engine.queueLength() == before - (damaged ? 0 : 1), step.toHex().constData());
    }
    // The variant stays 0 (nine configuration fields).
    QCOMPARE(s.replies.mid(1),
             (QStringList{reply(ReadModuleVersion, {"LE50\xC2\xB5"}), reply(ReadS216, {"255"}),
                          reply(ReadS206, {"3"}), reply(ReadS201, {"1"}), reply(ReadS214, {"30"}),
                          reply(ReadS202, {"7"}),
                          reply(ReadConfig, {"1", "2", "3", "4", "5", "6", "7", "8", "00a1"}),
                          reply(ReadAveraging, {"5", "5", "5", "4"}),
                          reply(ReadInputs, {"20000", "0", "1", "0"})}));
}

void TestExchange::noiseBeforeTheReply()
{
    // Noise past one read slice (or the reply on the slice's edge), then the reply: no repeat.
    for (const int noiseBytes :
         {Exchange::ReadSlice * 3 / 2, Exchange::ReadSlice * 3, Exchange::ReadSlice - 10}) {
        MemorySession s;
        QVERIFY(s.connected());
        s.device.faults().rules = {{"$7", -1, 1}};
        s.device.inject(noise(noiseBytes, 5) + "an1=4000,an2=5000,d1=1,d2=0\r", 30);
        s.engine.getValue();
        QVERIFY(s.run(5000));
        QCOMPARE(s.device.requests(), Bytes{"$7"});
        QCOMPARE(s.replies, QStringList{reply(ReadInputs, {"4000", "5000", "1", "0"})});
        QCOMPARE(s.clock.nowMs() - s.device.records().first().ms, qint64(30));
        QCOMPARE(s.device.bytesAvailable(), qint64(0));
    }

    // The newest KeptLimit bytes kept without a request (tst_exchangepty) go with the first bytes
    // read after one; the reply may end later.
    Data data;
    Exchange engine(nullptr, &data);
    EngineLog log;
    log.watch(engine);
    engine.takeReceived(noise(3 * Exchange::KeptLimit, 8));
    engine.takeReceived("\ran1=4000,an2=");
    engine.getValue();
    engine.takeReceived("5000,d1=1");
    QVERIFY(engine.keptBytes().isEmpty());
    engine.takeReceived(",d2=0\r");
    QCOMPARE(log.replies, QStringList{reply(ReadInputs, {"4000", "5000", "1", "0"})});
}

// DEFAULT: the serial rate searched where the module answers "ATR" (4 s per failed rate), the
// factory record for the device's output kind written (thresholds 5 mA or 4 V), the read-back.
void TestExchange::restoreDefaults_data()
{
    QTest::addColumn<int>("moduleRate");
    QTest::addColumn<QByteArray>("failedRates"); // recorded 3 first, then 0 to 7
    QTest::addColumn<QByteArray>("thresholds");
    // Each row is named by the device's hardware text.
    QTest::newRow("RLX-31868-AA") << 5 << QByteArray("301234") << QByteArray("005,005");
    QTest::newRow("RLX-31868-AD") << 3 << QByteArray() << QByteArray("005,004");
    QTest::newRow("RLX-31868-DD receiver") << 0 << QByteArray("3") << QByteArray("004,004");
    QTest::newRow("RLX-31868-4-20-D receiver")
        << 7 << QByteArray("30123456") << QByteArray("005,005");
}

void TestExchange::restoreDefaults()
{
    QFETCH(int, moduleRate);
    QFETCH(QByteArray, failedRates);
    QFETCH(QByteArray, thresholds);
    const QByteArray hardware = QTest::currentDataTag();
    MemorySession s;
    s.model.setHardware(hardware);
    s.model.setModuleRate(moduleRate);
    s.model.setLinkRate(moduleRate);
    QVERIFY(s.connected());
    // The record as the window's DEFAULT leaves it.
    DeviceSettings &r = s.data.settings;
    r.outType = quint8(DeviceModel::outputKindFor(hardware));
    r.serialRate = 3;
    const bool transmitter = !hardware.contains("receiver");
    FactoryDefaults::apply(r, transmitter);
    s.engine.writeDefaults();
    QVERIFY(s.run());

    // Failed attempts pass silently, the answered one ends the search; a transmitter keeps 1.
    Bytes expected;
    for (const char rate : failedRates)
        expected += Bytes{"$3" + QByteArray(1, rate), "+++", "+++", "ATR\r", "ATR\r"};
    const QByteArray address = transmitter ? "1" : "255";
    const QByteArray config = transmitter ? "=001,4,000,000,0,050,009" : "=255,4,000,000,0,050,000";
    expected += ("$3" + QByteArray::number(moduleRate) + "|+++|ATR\r|$0" + config +
                 ",0,0000,0000,0000,0001,002,003,006\r|ATS206=2\r|ATS201=0\r|ATS200=0\r|"
                 "ATS202=7\r|ATS214=17\r|ATS216=2\r|ATS252=" +
                 address + "\r|ATS220=9\r|$8=005,005," + thresholds + "\r|ATO\r")
                    .split('|');
    QCOMPARE(s.device.requests(), expected + readAll);
    const QList<PtyDevice::Record> sent = s.device.records();
    QCOMPARE(sent.at(5 * failedRates.size()).ms - sent.first().ms,
             qint64(4000) * failedRates.size());
}

QTEST_GUILESS_MAIN(TestExchange)
#include "tst_exchange.moc"
