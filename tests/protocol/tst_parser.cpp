#include "protocol/catalogue.h"
#include "protocol/parser.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

namespace {

ParserParam param(TypeParser type, quint8 variant = 0)
{
    return Catalogue::makeParserParam(type, QByteArray(), DeviceSettings(), variant,
                                      QByteArray("\x07", 1), 0);
}

} // namespace

class TestParser : public QObject
{
    Q_OBJECT

private slots:
    void matching_data();
    void matching();
    void scanState();
    void retryTiming();
};

void TestParser::matching_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("variant");
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<QByteArrayList>("fields"); // {"-"}: no complete reply

    using L = QByteArrayList;
    const L none{"-"};
    QTest::newRow("three chunks") << int(ReadS206) << 0 << L{"S2", "06=", "3\r"} << L{"3"};
    QTest::newRow("echo then reply") << int(ReadS206) << 0 << L{"ATS206?\rS206=3\r"} << L{"3"};
    QTest::newRow("one byte at a time")
        << int(ReadIdentity) << 0 << L{"f", "i", "r", "m", "w", "a", "r", "e", "=", "0",
                                       "8", "1", "2", ",", "p", "p", "=", "A", "D", "\r"}
        << L{"0812", "AD"};
    QTest::newRow("breaking byte is dropped") << int(EnterCommand) << 0 << L{"OOK\r"} << none;
    QTest::newRow("noise, then OK") << int(EnterCommand) << 0 << L{"garbage", "OK\r"} << L{};
    QTest::newRow("one-byte field rejects two digits")
        << int(ReadS201) << 0 << L{"S201=10\r"} << none;
    QTest::newRow("variable field") << int(ReadS200) << 0 << L{"S200=10\r"} << L{"10"};
    QTest::newRow("empty variable field") << int(ReadS200) << 0 << L{"S200=\r"} << L{};
    QTest::newRow("module version takes any line")
        << int(ReadModuleVersion) << 0 << L{"LE50-868 v3.2\r"} << L{"LE50-868 v3.2"};
    QTest::newRow("module version echo")
        << int(ReadModuleVersion) << 0 << L{"AT/V\rLE50-868\r"} << L{"AT/V"};
    QTest::newRow("inputs") << int(ReadInputs) << 0 << L{"an1=1023,an2=0,d1=1,", "d2=0\r"}
                            << L{"1023", "0", "1", "0"};
    QTest::newRow("averaging after an echo")
        << int(ReadAveraging) << 0 << L{"$9a1=5,a2=5,l1=5,l2=4\r"} << L{"5", "5", "5", "4"};
    QTest::newRow("config variant 0")
        << int(ReadConfig) << 0 << L{"=255,4,010,", "010,0,060,000,1,0000,0000,0000,0005\r"}
        << L{"255", "4", "010", "010", "0", "060", "000", "1", "0000,0000,0000,0005"};
    QTest::newRow("config variant 2 with an empty field")
        << int(ReadConfig) << 2 << L{"=1,2,3,4,5,6,7,8,,10,11,12\r"}
        << L{"1", "2", "3", "4", "5", "6", "7", "8", "10", "11", "12"};
    QTest::newRow("config variant 1 cut short")
        << int(ReadConfig) << 1 << L{"=1,2,3,4,5,6,7,8,9\r"} << none;
    QTest::newRow("test address") << int(TestAddress) << 0 << L{"\n7=12,0,", "1,0\r"}
                                  << L{"12", "0", "1", "0"};
}

void TestParser::matching()
{
    QFETCH(int, type);
    QFETCH(int, variant);
    QFETCH(QByteArrayList, chunks);
    QFETCH(QByteArrayList, fields);
    const bool complete = fields != QByteArrayList{"-"};
    Parser parser(nullptr, param(TypeParser(type), quint8(variant)));
    QByteArrayList out{"-"}; // left alone unless a reply completes
    for (int i = 0; i < chunks.size(); ++i)
        QCOMPARE(parser.parse(chunks.at(i), out), complete && i == chunks.size() - 1);
    QCOMPARE(parser.done(), complete);
    QCOMPARE(out, fields);
}

void TestParser::scanState()
{
    QByteArrayList out;
    // Only the first reply of a chunk counts; the matcher then starts afresh.
    Parser s200(nullptr, param(ReadS200));
    QVERIFY(s200.parse("S200=1\rS200=2\r", out));
    QCOMPARE(out, QByteArrayList{"1"});
    QVERIFY(s200.parse("S200=3\r", out));
    QCOMPARE(out, QByteArrayList{"3"});

    // A noisy line that never sends the terminator must not grow a field
    // without bound, and a good reply after it must still be read.
    QVERIFY(!s200.parse("S200=" + QByteArray(100000, 'A'), out));
    QVERIFY(s200.parse("S200=5\r", out));
    QCOMPARE(out, QByteArrayList{"5"});
    Parser version(nullptr, param(ReadModuleVersion));
    QVERIFY(!version.parse(QByteArray(100000, 'Z'), out));
    QVERIFY(version.parse("v1\r", out));
    QCOMPARE(out.size(), 1);
    QVERIFY(out.at(0).endsWith("v1") && out.at(0).size() <= Parser::MaxFieldLength);
    const QByteArray longest(Parser::MaxFieldLength, 'h');
    QVERIFY(version.parse(longest + '\r', out));
    QCOMPARE(out, QByteArrayList{longest});

    // Sending again restarts the scan: a reply begun before is dropped.
    Parser s206(nullptr, param(ReadS206));
    QSignalSpy requests(&s206, &Parser::sgRequest);
    QVERIFY(!s206.parse("S206", out));
    s206.send();
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.at(0).at(0).toByteArray(), QByteArray("ATS206?\r"));
    QVERIFY(!s206.parse("=3\r", out));
    QVERIFY(s206.parse("S206=4\r", out));
    QCOMPARE(out, QByteArrayList{"4"});

    // A completed test reply stays done until a later byte breaks the match.
    Parser test(nullptr, param(TestAddress));
    QVERIFY(test.parse("7=0,0,0,0\r\n", out));
    QVERIFY(test.done());
    QVERIFY(!test.parse("\n", out));
    QVERIFY(!test.done());

    // A run of "0" mask bytes takes any bytes into one field.
    ParserParam p = param(EnterCommand);
    p.answer = "V..:\r";
    p.mask = "10011";
    Parser run(nullptr, p);
    QVERIFY(run.parse("V\r\n:\r", out));
    QCOMPARE(out, QByteArrayList{"\r\n"});
}

void TestParser::retryTiming()
{
    // The common budget (two sends, 1000 ms apart) and the measurement budget
    // (one send, 500 ms) run side by side.
    Parser common(nullptr, param(ReadS206));
    Parser single(nullptr, param(ReadInputs));
    QElapsedTimer clock;
    QList<qint64> commonSends, singleSends, commonGiveUps, singleGiveUps;
    connect(&common, &Parser::sgRequest, this, [&] { commonSends << clock.elapsed(); });
    connect(&single, &Parser::sgRequest, this, [&] { singleSends << clock.elapsed(); });
    connect(&common, &Parser::sgTimeout, this, [&] { commonGiveUps << clock.elapsed(); });
    connect(&single, &Parser::sgTimeout, this, [&] { singleGiveUps << clock.elapsed(); });
    auto near = [](qint64 ms, qint64 target) {
        return qAbs(ms - target) < 100 ? QString() : QString::number(ms);
    };

    clock.start();
    common.start();
    single.start();
    QTRY_COMPARE_WITH_TIMEOUT(commonGiveUps.size(), 1, 3000);
    QCOMPARE(commonSends.size(), 2);
    QCOMPARE(near(commonSends.at(0), 0), QString());
    QCOMPARE(near(commonSends.at(1), 1000), QString());
    QCOMPARE(near(commonGiveUps.at(0), 2000), QString());
    // The one-send parser gave up at 500 ms and, still alive, at every later
    // tick, without sending again.
    QCOMPARE(singleSends.size(), 1);
    QVERIFY(singleGiveUps.size() >= 3);
    QCOMPARE(near(singleGiveUps.at(0), 500), QString());

    // start() again gives a fresh budget.
    commonSends.clear();
    commonGiveUps.clear();
    common.start();
    QCOMPARE(commonSends.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(commonSends.size(), 2, 1500);
    QVERIFY(commonGiveUps.isEmpty());
}

QTEST_GUILESS_MAIN(TestParser)
#include "tst_parser.moc"
