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
    void onlyTheFirstReplyOfAChunkCounts();
    void doneIsClearedByALaterMismatch();
    void sendRestartsTheScan();
    void overlongFieldRestartsTheScan();
    void retryTiming();
};

void TestParser::matching_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("variant");
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QByteArrayList>("fields");

    using L = QByteArrayList;
    QTest::newRow("reply in three chunks")
        << int(ReadS206) << 0 << L{"S2", "06=", "3\r"} << true << L{"3"};
    QTest::newRow("echo then reply")
        << int(ReadS206) << 0 << L{"ATS206?\rS206=3\r"} << true << L{"3"};
    QTest::newRow("one byte at a time")
        << int(ReadIdentity) << 0 << L{"f", "i", "r", "m", "w", "a", "r", "e", "=", "0",
                                       "8", "1", "2", ",", "p", "p", "=", "A", "D", "\r"}
        << true << L{"0812", "AD"};
    QTest::newRow("breaking byte is dropped")
        << int(EnterCommand) << 0 << L{"OOK\r"} << false << L{};
    QTest::newRow("plain OK") << int(EnterCommand) << 0 << L{"garbage", "OK\r"} << true << L{};
    QTest::newRow("one-byte field rejects two digits")
        << int(ReadS201) << 0 << L{"S201=10\r"} << false << L{};
    QTest::newRow("variable field takes two digits")
        << int(ReadS200) << 0 << L{"S200=10\r"} << true << L{"10"};
    QTest::newRow("empty variable field yields no field")
        << int(ReadS200) << 0 << L{"S200=\r"} << true << L{};
    QTest::newRow("identity") << int(ReadIdentity) << 0 << L{"firmware=0812,pp=AD\r"} << true
                              << L{"0812", "AD"};
    QTest::newRow("module version takes any line")
        << int(ReadModuleVersion) << 0 << L{"LE50-868 v3.2\r"} << true << L{"LE50-868 v3.2"};
    QTest::newRow("module version echo")
        << int(ReadModuleVersion) << 0 << L{"AT/V\rLE50-868\r"} << true << L{"AT/V"};
    QTest::newRow("inputs") << int(ReadInputs) << 0 << L{"an1=1023,an2=0,d1=1,", "d2=0\r"} << true
                            << L{"1023", "0", "1", "0"};
    QTest::newRow("averaging") << int(ReadAveraging) << 0 << L{"$9a1=5,a2=5,l1=5,l2=4\r"} << true
                               << L{"5", "5", "5", "4"};
    QTest::newRow("config variant 0")
        << int(ReadConfig) << 0 << L{"=255,4,010,", "010,0,060,000,1,0000,0000,0000,0005\r"} << true
        << L{"255", "4", "010", "010", "0", "060", "000", "1", "0000,0000,0000,0005"};
    QTest::newRow("config variant 2")
        << int(ReadConfig) << 2 << L{"=1,2,3,4,5,6,7,8,,10,11,12\r"} << true
        << L{"1", "2", "3", "4", "5", "6", "7", "8", "10", "11", "12"};
    QTest::newRow("config variant 1 cut short")
        << int(ReadConfig) << 1 << L{"=1,2,3,4,5,6,7,8,9\r"} << false << L{};
    QTest::newRow("test address reply")
        << int(TestAddress) << 0 << L{"\n7=12,0,", "1,0\r"} << true << L{"12", "0", "1", "0"};
}

void TestParser::matching()
{
    QFETCH(int, type);
    QFETCH(int, variant);
    QFETCH(QByteArrayList, chunks);
    Parser parser(nullptr, param(TypeParser(type), quint8(variant)));
    QByteArrayList out{"untouched"};
    bool complete = false;
    for (int i = 0; i < chunks.size(); ++i) {
        complete = parser.parse(chunks.at(i), out);
        if (complete)
            QCOMPARE(i, chunks.size() - 1);
    }
    QTEST(complete, "complete");
    QCOMPARE(parser.done(), complete);
    if (complete)
        QTEST(out, "fields");
    else
        QCOMPARE(out, QByteArrayList{"untouched"});
}

void TestParser::onlyTheFirstReplyOfAChunkCounts()
{
    Parser parser(nullptr, param(ReadS200));
    QByteArrayList out;
    QVERIFY(parser.parse("S200=1\rS200=2\r", out));
    QCOMPARE(out, QByteArrayList{"1"});
    // The matcher starts afresh after a complete reply.
    QVERIFY(parser.parse("S200=3\r", out));
    QCOMPARE(out, QByteArrayList{"3"});
}

void TestParser::doneIsClearedByALaterMismatch()
{
    QByteArrayList out;
    Parser later(nullptr, param(TestAddress));
    QVERIFY(later.parse("7=0,0,0,0\r", out));
    QVERIFY(later.done());
    QVERIFY(!later.parse("\n", out));
    QVERIFY(!later.done());

    Parser same(nullptr, param(TestAddress));
    QVERIFY(same.parse("7=0,0,0,0\r\n", out));
    QVERIFY(same.done());
}

void TestParser::sendRestartsTheScan()
{
    Parser parser(nullptr, param(ReadS206));
    QSignalSpy requests(&parser, &Parser::sgRequest);
    QByteArrayList out;
    QVERIFY(!parser.parse("S206", out));
    parser.send();
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.at(0).at(0).toByteArray(), QByteArray("ATS206?\r"));
    QVERIFY(!parser.parse("=3\r", out));
    QVERIFY(parser.parse("S206=4\r", out));
    QCOMPARE(out, QByteArrayList{"4"});
}

void TestParser::overlongFieldRestartsTheScan()
{
    // A noisy line that never sends the terminator must not grow a field
    // without bound, and a good reply after it must still be read correctly.
    Parser parser(nullptr, param(ReadS200));
    QByteArrayList out;
    QVERIFY(!parser.parse("S200=" + QByteArray(100000, 'A'), out));
    QVERIFY(parser.parse("S200=5\r", out));
    QCOMPARE(out, QByteArrayList{"5"});

    Parser version(nullptr, param(ReadModuleVersion));
    QVERIFY(!version.parse(QByteArray(100000, 'Z'), out));
    QVERIFY(version.parse("v1\r", out));
    QCOMPARE(out.size(), 1);
    QVERIFY(out.at(0).endsWith("v1"));
    QVERIFY(out.at(0).size() <= Parser::MaxFieldLength);

    // A real reply just under the limit is kept whole.
    const QByteArray longText(Parser::MaxFieldLength, 'h');
    QVERIFY(version.parse(longText + '\r', out));
    QCOMPARE(out, QByteArrayList{longText});
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

    clock.start();
    common.start();
    single.start();
    QTRY_COMPARE_WITH_TIMEOUT(commonGiveUps.size(), 1, 3000);

    QCOMPARE(commonSends.size(), 2);
    QVERIFY(commonSends.at(0) < 50);
    QVERIFY2(qAbs(commonSends.at(1) - 1000) < 100, qPrintable(QString::number(commonSends.at(1))));
    QVERIFY2(qAbs(commonGiveUps.at(0) - 2000) < 100,
             qPrintable(QString::number(commonGiveUps.at(0))));

    // The one-send parser gave up at 500 ms and, still alive, at every later
    // tick, without sending again.
    QCOMPARE(singleSends.size(), 1);
    QVERIFY(singleGiveUps.size() >= 3);
    QVERIFY2(qAbs(singleGiveUps.at(0) - 500) < 100,
             qPrintable(QString::number(singleGiveUps.at(0))));

    // start() again gives a fresh budget.
    commonSends.clear();
    commonGiveUps.clear();
    clock.restart();
    common.start();
    QCOMPARE(commonSends.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(commonSends.size(), 2, 1500);
    QVERIFY(commonGiveUps.isEmpty());
}

QTEST_GUILESS_MAIN(TestParser)
#include "tst_parser.moc"
