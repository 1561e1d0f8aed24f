// The virtual device's model, checked against the configurator's own
// catalogue and reply parser: what the configurator writes the device must
// take, and what the device answers the parser must read.

#include "protocol/catalogue.h"
#include "protocol/parser.h"
#include "tools/devsim/devicemodel.h"

#include <QtTest>

#include <climits>

namespace {

// Everything the device answers to `bytes`.
QByteArray ask(DeviceModel &m, const QByteArray &bytes, qint64 nowMs = 0)
{
    QByteArray out;
    for (const DeviceModel::Reply &r : m.feed(bytes, nowMs))
        out += r.reply;
    return out;
}

// The fields the configurator's parser reads from a reply, or {"<no match>"}.
QByteArrayList parsed(TypeParser type, const QByteArray &reply, quint8 variant = 0,
                      quint8 address = 1)
{
    const ParserParam p = Catalogue::makeParserParam(type, QByteArray(), DeviceSettings(), variant,
                                                     QByteArray(1, char(address)), 0);
    Parser parser(nullptr, p);
    QByteArrayList fields;
    if (!parser.parse(reply, fields))
        return {"<no match>"};
    return fields;
}

DeviceSettings sample()
{
    DeviceSettings s;
    s.testAdres = 17;
    s.serialRate = 6;
    s.delRxTx = 10;
    s.delTxRx = 200;
    s.parity = 2;
    s.radioTransmitReset = 60;
    s.wdtReset = 9;
    s.stopBit = 1;
    s.adreses = "8000,0000,0000,0005";
    s.delRequest = 250;
    s.numOfDown = 0xB5;
    s.radioModuleReset = 7;
    s.averaging1 = 0x85;
    s.averaging2 = 200;
    s.diskret1 = 20;
    s.diskret2 = 1;
    return s;
}

} // namespace

class TestDeviceModel : public QObject
{
    Q_OBJECT

private slots:
    void rateSearch_data();
    void rateSearch();
    void serialRateChangeKeepsTheLink();
    void configurationRoundTrip_data();
    void configurationRoundTrip();
    void malformedConfigurationIsRefused_data();
    void malformedConfigurationIsRefused();
    void averagingRoundTrip();
    void registers();
    void framing();
    void polls();
    void inputs();
    void calibration();
    void identity_data();
    void identity();
};

void TestDeviceModel::rateSearch_data()
{
    QTest::addColumn<int>("rate");
    for (int r = 0; r <= 9; ++r)
        QTest::addRow("$3%d", r) << r;
}

void TestDeviceModel::rateSearch()
{
    // The module runs at 5; the controller is set to each rate in turn.
    QFETCH(int, rate);
    DeviceModel m;
    m.setModuleRate(5);
    m.setLinkRate(5);
    QCOMPARE(ask(m, "+++"), QByteArray("OK\r"));
    QCOMPARE(ask(m, "ATS206=4\rATS200=9\r"), QByteArray("OK\rOK\r"));

    QCOMPARE(ask(m, "$3" + QByteArray::number(rate)), QByteArray("OK\r"));
    QCOMPARE(m.linkRate(), rate);
    const bool match = rate == 5;
    QCOMPARE(ask(m, "+++"), match ? QByteArray("OK\r") : QByteArray());
    QCOMPARE(ask(m, "ATR\r"), match ? QByteArray("OK\r") : QByteArray());
    // The reset restores the radio registers but not the module's rate.
    QCOMPARE(m.reg(206), match ? 2 : 4);
    QCOMPARE(m.reg(200), match ? 0 : 9);
    QCOMPARE(m.moduleRate(), 5);
}

void TestDeviceModel::serialRateChangeKeepsTheLink()
{
    // The write-all sequence: S210 first, then the controller follows with
    // "$3"; in between the module is out of reach.
    DeviceModel m;
    QCOMPARE(ask(m, "+++ATS210=7\r"), QByteArray("OK\rOK\r"));
    QCOMPARE(ask(m, "ATS206?\r"), QByteArray());
    QCOMPARE(ask(m, "$37"), QByteArray("OK\r"));
    QCOMPARE(ask(m, "ATS206?\r"), QByteArray("S206=2\r"));
    QCOMPARE(ask(m, "ATS210?\r"), QByteArray("S210=7\r"));
    QCOMPARE(ask(m, "$3x"), QByteArray("ERROR\r"));
    QCOMPARE(m.linkRate(), 7);
}

void TestDeviceModel::configurationRoundTrip_data()
{
    QTest::addColumn<int>("variant");
    QTest::newRow("variant 0") << 0;
    QTest::newRow("variant 1") << 1;
    QTest::newRow("variant 2") << 2;
}

void TestDeviceModel::configurationRoundTrip()
{
    QFETCH(int, variant);
    DeviceModel m;
    m.setVariant(variant);
    const DeviceModel::Config before = m.config();
    const DeviceSettings s = sample();
    const QByteArray text = Catalogue::configText(s, quint8(variant), s.serialRate);
    QCOMPARE(ask(m, "$0" + text), QByteArray("OK\r"));

    const QByteArrayList fields = parsed(ReadConfig, ask(m, "$1"), quint8(variant));
    QCOMPARE(fields.size(), Catalogue::readConfigFieldCount(quint8(variant)));
    const QList<int> numbers = {s.testAdres, s.serialRate,         s.delRxTx,  s.delTxRx,
                                s.parity,    s.radioTransmitReset, s.wdtReset, s.stopBit};
    for (int i = 0; i < numbers.size(); ++i)
        QCOMPARE(fields.at(i).toInt(), numbers.at(i));
    QCOMPARE(fields.at(8), QByteArray("8000000000000005"));
    const DeviceModel::Config after = m.config();
    QCOMPARE(after.adreses, Q_UINT64_C(0x8000000000000005));
    // Fields the variant does not carry keep their values.
    QCOMPARE(after.delRequest, variant >= 1 ? s.delRequest : before.delRequest);
    QCOMPARE(after.numOfDown, variant == 2 ? s.numOfDown : before.numOfDown);
    QCOMPARE(after.radioModuleReset, variant == 2 ? s.radioModuleReset : before.radioModuleReset);
    if (variant >= 1)
        QCOMPARE(fields.at(9).toInt(), int(s.delRequest));
    if (variant == 2) {
        QCOMPARE(fields.at(10).toInt(), int(s.numOfDown));
        QCOMPARE(fields.at(11).toInt(), int(s.radioModuleReset));
    }

    // The list as the device reports it (no separators) is taken back as is.
    DeviceSettings back = s;
    back.adreses = QString::fromLatin1(fields.at(8));
    QCOMPARE(ask(m, "$0" + Catalogue::configText(back, quint8(variant), 4)), QByteArray("OK\r"));
    QCOMPARE(m.config().adreses, after.adreses);
    QCOMPARE(m.config().serialRate, quint8(4));
}

void TestDeviceModel::malformedConfigurationIsRefused_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QByteArray>("request");
    QTest::newRow("too few fields") << 0 << QByteArray("$0=001,3,000\r");
    QTest::newRow("value above a byte")
        << 0 << QByteArray("$0=256,3,000,000,0,050,000,0,0000000000000001\r");
    QTest::newRow("not a number") << 0 << QByteArray("$0=001,3,0x0,000,0,050,000,0,1\r");
    QTest::newRow("address list not hexadecimal")
        << 0 << QByteArray("$0=001,3,000,000,0,050,000,0,00g1\r");
    QTest::newRow("address list too long")
        << 0 << QByteArray("$0=001,3,000,000,0,050,000,0,10000,0000,0000,0000\r");
    QTest::newRow("variant 2 text cut short")
        << 2 << QByteArray("$0=001,3,000,000,0,050,000,0,1,002\r");
    QTest::newRow("no leading =") << 0 << QByteArray("$0001,3,000,000,0,050,000,0,1\r");
}

void TestDeviceModel::malformedConfigurationIsRefused()
{
    QFETCH(int, variant);
    QFETCH(QByteArray, request);
    DeviceModel m;
    m.setVariant(variant);
    const DeviceModel::Config before = m.config();
    QCOMPARE(ask(m, request), QByteArray("ERROR\r"));
    QVERIFY(m.config() == before);
}

void TestDeviceModel::averagingRoundTrip()
{
    DeviceModel m;
    const DeviceSettings s = sample();
    QCOMPARE(ask(m, Catalogue::averagingRequest(s)), QByteArray("OK\r"));
    QCOMPARE(parsed(ReadAveraging, ask(m, "$9")), (QByteArrayList{"133", "200", "20", "1"}));
    QCOMPARE(ask(m, "$8=001,002,003\r"), QByteArray("ERROR\r"));
    QCOMPARE(ask(m, "$8=001,002,003,999\r"), QByteArray("ERROR\r"));
    QCOMPARE(m.averaging().averaging2, quint8(200));
}

void TestDeviceModel::registers()
{
    DeviceModel m;
    // Outside command mode an AT line is radio data, not a command.
    QCOMPARE(ask(m, "ATS206?\r"), QByteArray());
    QCOMPARE(ask(m, "+++"), QByteArray("OK\r"));
    QVERIFY(m.commandMode());
    QCOMPARE(ask(m, "ATS200=10\r"), QByteArray("OK\r"));
    QCOMPARE(parsed(ReadS200, ask(m, "ATS200?\r")), QByteArrayList{"10"});
    // Sub-band, radio rate and power hold one digit.
    QCOMPARE(ask(m, "ATS201=10\r"), QByteArray("ERROR\r"));
    QCOMPARE(ask(m, "ATS201=3\r"), QByteArray("OK\r"));
    QCOMPARE(parsed(ReadS201, ask(m, "ATS201?\r")), QByteArrayList{"3"});
    QCOMPARE(ask(m, "ATS252=255\r"), QByteArray("OK\r"));
    QCOMPARE(ask(m, "ATS252=256\r"), QByteArray("ERROR\r"));
    QCOMPARE(m.reg(252), 255);
    QCOMPARE(ask(m, "ATS999?\r"), QByteArray("ERROR\r"));
    QCOMPARE(ask(m, "ATX\r"), QByteArray("ERROR\r"));
    QCOMPARE(parsed(ReadModuleVersion, ask(m, "AT/V\r")), QByteArrayList{"LE50-868 V2.3.1"});
    QCOMPARE(ask(m, "ATO\r"), QByteArray("OK\r"));
    QVERIFY(!m.commandMode());
    QCOMPARE(ask(m, "ATS201?\r"), QByteArray());

    // A module that echoes: the version read then yields the echo.
    m.setEcho(true);
    QCOMPARE(ask(m, "+++AT/V\r"), QByteArray("OK\rAT/V\rLE50-868 V2.3.1\r"));
    QCOMPARE(parsed(ReadModuleVersion, "AT/V\rLE50-868 V2.3.1\r"), QByteArrayList{"AT/V"});
}

void TestDeviceModel::framing()
{
    DeviceModel m;
    // A request in single bytes, with noise and line ends around it.
    QByteArray out;
    for (const char c : QByteArray("\n\x01zz+++\r\nA")) {
        out += ask(m, QByteArray(1, c));
    }
    QCOMPARE(out, QByteArray("OK\r"));
    for (const char c : QByteArray("TS206?\r"))
        out += ask(m, QByteArray(1, c));
    QCOMPARE(out, QByteArray("OK\rS206=2\r"));

    // A command cut off half way is dropped after a quiet line and does not
    // swallow the next one.
    QCOMPARE(ask(m, "$0=001,3,0"), QByteArray());
    m.dropPartialInput();
    QCOMPARE(ask(m, "$2").left(9), QByteArray("firmware="));
    // A long stretch without a terminator is dropped as noise.
    QCOMPARE(ask(m, "AT" + QByteArray(400, 'q')), QByteArray());
    QCOMPARE(ask(m, "\rATS202?\r"), QByteArray("S202=7\r"));

    // Several requests in one chunk are all answered, in order.
    const QList<DeviceModel::Reply> replies = m.feed("$9ATS214?\r$3", 0);
    QCOMPARE(replies.size(), 2);
    QCOMPARE(replies.at(0).request, QByteArray("$9"));
    QCOMPARE(replies.at(1).reply, QByteArray("S214=3\r"));
    QCOMPARE(ask(m, "4"), QByteArray("OK\r"));
}

void TestDeviceModel::polls()
{
    DeviceModel m;
    m.setReachable({3, 64});
    m.setPollDelayMs(150);
    QCOMPARE(ask(m, "+++"), QByteArray("OK\r"));
    // The radio is not used while the module is in command mode.
    QCOMPARE(ask(m, "3=$\r"), QByteArray());
    QCOMPARE(ask(m, "ATO\r"), QByteArray("OK\r"));

    const QList<DeviceModel::Reply> first = m.feed("3=$\r", 1000);
    QCOMPARE(first.size(), 1);
    QCOMPARE(first.at(0).delayMs, 150);
    QCOMPARE(parsed(TestAddress, first.at(0).reply, 0, 3).size(), 4);
    // Later polls end in CR LF; the LF is not a request of its own.
    const QList<DeviceModel::Reply> later = m.feed("64=$\r\n5=$\r\n", 2000);
    QCOMPARE(later.size(), 2);
    QCOMPARE(parsed(TestAddress, later.at(0).reply, 0, 64).size(), 4);
    QVERIFY(later.at(1).reply.isEmpty());

    m.setPollLossPercent(100);
    QCOMPARE(ask(m, "3=$\r"), QByteArray());
}

void TestDeviceModel::inputs()
{
    DeviceModel m;
    DeviceModel::Averaging a = m.averaging();
    a.averaging1 = 0; // no averaging
    a.averaging2 = 5; // kind 0: mean of the last whole 5 s
    a.diskret1 = 12;  // 12 mA
    m.setAveraging(a);
    for (qint64 t = 0; t < 60000; t += 700) {
        QCOMPARE(m.inputValue(1, t), m.rawInput(1, t));
        const int v = m.inputValue(1, t);
        QVERIFY2(v >= 4000 && v <= 20000, qPrintable(QString::number(v)));
        const QByteArrayList f = parsed(ReadInputs, ask(m, "$7", t));
        QCOMPARE(f.size(), 4);
        QCOMPARE(f.at(0).toInt(), v);
        QCOMPARE(f.at(2), QByteArray(v >= 12000 ? "1" : "0"));
    }
    // The inputs change over time.
    QVERIFY(m.rawInput(1, 0) != m.rawInput(1, 7000));
    // A block mean holds for its whole interval and moves with the next one;
    // the sliding mean and the median follow time.
    QCOMPARE(m.inputValue(2, 10100), m.inputValue(2, 14900));
    QVERIFY(m.inputValue(2, 10100) != m.inputValue(2, 15100));
    a.averaging2 = 2 << 6 | 5;
    m.setAveraging(a);
    QVERIFY(m.inputValue(2, 10100) != m.inputValue(2, 14900));
    a.averaging2 = 1 << 6 | 3;
    m.setAveraging(a);
    int low = INT_MAX, high = 0;
    for (qint64 t = 7100; t <= 10000; t += 100) {
        low = qMin(low, m.rawInput(2, t));
        high = qMax(high, m.rawInput(2, t));
    }
    const int median = m.inputValue(2, 10000);
    QVERIFY(median > low && median < high);

    // A device with two voltage inputs reports millivolts.
    m.setHardware("RLX-31868-DD receiver");
    for (qint64 t = 0; t < 50000; t += 900) {
        const int v = m.rawInput(1, t);
        QVERIFY2(v >= 0 && v <= 10000, qPrintable(QString::number(v)));
    }
    QCOMPARE(m.averaging().diskret2, quint8(4));
}

void TestDeviceModel::calibration()
{
    DeviceModel m;
    QCOMPARE(ask(m, Catalogue::setCurrent(20000).request), QByteArray("ERROR\r"));
    QCOMPARE(ask(m, Catalogue::calibrationMode(true).request), QByteArray("OK\r"));
    QVERIFY(m.calibrationMode());
    QCOMPARE(m.outputCurrent(), 20000);
    QCOMPARE(ask(m, Catalogue::setCurrent(4000).request), QByteArray("OK\r"));
    QCOMPARE(m.outputCurrent(), 4000);
    QCOMPARE(ask(m, Catalogue::setRealCurrent(4000, 4012).request), QByteArray("OK\r"));
    QCOMPARE(m.calibrationPoints().size(), 1);
    QCOMPARE(m.calibrationPoints().first().setPoint, 4000);
    QCOMPARE(m.calibrationPoints().first().measured, 4012);
    QCOMPARE(ask(m, "$a10000\r"), QByteArray("ERROR\r")); // 21845 uA, above 21.6 mA
    QCOMPARE(ask(m, Catalogue::calibrationMode(false).request), QByteArray("OK\r"));
    QVERIFY(!m.calibrationMode());

    DeviceModel noOutput;
    noOutput.setHardware("RLX-31868-AD transmitter");
    QCOMPARE(ask(noOutput, "$d\r"), QByteArray("ERROR\r"));
}

void TestDeviceModel::identity_data()
{
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<int>("variant");
    QTest::newRow("after the second threshold") << QByteArray("Aug  4 2022") << 2;
    QTest::newRow("the second threshold") << QByteArray("Aug  3 2022") << 1;
    QTest::newRow("between") << QByteArray("Sep 15 2021") << 1;
    QTest::newRow("the first threshold") << QByteArray("Aug  1 2021") << 0;
    QTest::newRow("July spelled in full") << QByteArray("July 10 2023") << 2;
    QTest::newRow("Jul does not read") << QByteArray("Jul 10 2023") << 0;
    QTest::newRow("empty") << QByteArray() << 0;
}

void TestDeviceModel::identity()
{
    QFETCH(QByteArray, firmware);
    QFETCH(int, variant);
    DeviceModel m;
    m.setFirmware(firmware);
    m.setHardware("RLX-31868-AD transmitter");
    QCOMPARE(m.variant(), variant);
    QCOMPARE(m.outputKind(), 1);
    const QByteArray reply = ask(m, "$2");
    QCOMPARE(reply, "firmware=" + firmware + ",pp=RLX-31868-AD transmitter\r");
    if (!firmware.isEmpty())
        QCOMPARE(parsed(ReadIdentity, reply),
                 (QByteArrayList{firmware, "RLX-31868-AD transmitter"}));
    QCOMPARE(parsed(ReadConfig, ask(m, "$1"), quint8(variant)).size(),
             Catalogue::readConfigFieldCount(quint8(variant)));
    m.setVariant(0);
    QCOMPARE(m.variant(), 0);
}

QTEST_GUILESS_MAIN(TestDeviceModel)
#include "tst_devicemodel.moc"
