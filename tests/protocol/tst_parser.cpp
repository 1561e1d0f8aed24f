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
    // Chunks and fields are written with "|" between them; "-": no reply.
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("chunks");
    QTest::addColumn<QByteArray>("fields");
    QTest::addColumn<int>("variant");
    auto row = [](const char *name, TypeParser type, const char *chunks, const char *fields,
                  int variant = 0) {
        QTest::newRow(name) << int(type) << QByteArray(chunks) << QByteArray(fields) << variant;
    };
    row("three chunks", ReadS206, "S2|06=|3\r", "3");
    row("echo then reply", ReadS206, "ATS206?\rS206=3\r", "3");
    row("one byte at a time", ReadIdentity, "f|i|r|m|w|a|r|e|=|0|8|1|2|,|p|p|=|A|D|\r", "0812|AD");
    row("breaking byte is dropped", EnterCommand, "OOK\r", "-");
    row("noise, then OK", EnterCommand, "garbage|OK\r", "");
    row("one-byte field rejects two digits", ReadS201, "S201=10\r", "-");
    row("variable field", ReadS200, "S200=10\r", "10");
    row("empty variable field", ReadS200, "S200=\r", "");
    row("module version takes any line", ReadModuleVersion, "LE50-868 v3.2\r", "LE50-868 v3.2");
    row("module version echo", ReadModuleVersion, "AT/V\rLE50-868\r", "AT/V");
    row("inputs", ReadInputs, "an1=1023,an2=0,d1=1,|d2=0\r", "1023|0|1|0");
    row("averaging after an echo", ReadAveraging, "$9a1=5,a2=5,l1=5,l2=4\r", "5|5|5|4");
    row("config variant 0", ReadConfig, "=255,4,010,|010,0,060,000,1,0000,0000,0000,0005\r",
        "255|4|010|010|0|060|000|1|0000,0000,0000,0005");
    row("config variant 2, an empty field", ReadConfig, "=1,2,3,4,5,6,7,8,,10,11,12\r",
        "1|2|3|4|5|6|7|8|10|11|12", 2);
    row("config variant 1 cut short", ReadConfig, "=1,2,3,4,5,6,7,8,9\r", "-", 1);
    row("test address", TestAddress, "\n7=12,0,|1,0\r", "12|0|1|0");
}

void TestParser::matching()
{
    QFETCH(int, type);
    QFETCH(QByteArray, chunks);
    QFETCH(QByteArray, fields);
    QFETCH(int, variant);
    const QByteArrayList pieces = chunks.split('|');
    const bool complete = fields != "-";
    Parser parser(nullptr, param(TypeParser(type), quint8(variant)));
    QByteArrayList out{"-"}; // left alone unless a reply completes
    for (int i = 0; i < pieces.size(); ++i)
        QCOMPARE(parser.parse(pieces.at(i), out), complete && i == pieces.size() - 1);
    QCOMPARE(parser.done(), complete);
    QCOMPARE(out.join('|'), fields);
}

void TestParser::scanState()
{
    // The fields of the reply completed by `bytes`, with "|" between them,
    // or "-".
    auto read = [](Parser &parser, const QByteArray &bytes) {
        QByteArrayList out;
        return parser.parse(bytes, out) ? out.join('|') : QByteArray("-");
    };
    // Only the first reply of a chunk counts; the matcher then starts afresh.
    Parser s200(nullptr, param(ReadS200));
    QCOMPARE(read(s200, "S200=1\rS200=2\r"), QByteArray("1"));
    QCOMPARE(read(s200, "S200=3\r"), QByteArray("3"));
    // A noisy line that never sends the terminator must not grow a field
    // without bound, and a good reply after it must still be read.
    QCOMPARE(read(s200, "S200=" + QByteArray(100000, 'A')), QByteArray("-"));
    QCOMPARE(read(s200, "S200=5\r"), QByteArray("5"));
    Parser version(nullptr, param(ReadModuleVersion));
    QCOMPARE(read(version, QByteArray(100000, 'Z')), QByteArray("-"));
    const QByteArray tail = read(version, "v1\r");
    QVERIFY(tail.endsWith("v1") && tail.size() <= Parser::MaxFieldLength);
    const QByteArray longest(Parser::MaxFieldLength, 'h');
    QCOMPARE(read(version, longest + '\r'), longest);

    // Sending again restarts the scan: a reply begun before is dropped.
    Parser s206(nullptr, param(ReadS206));
    QSignalSpy requests(&s206, &Parser::sgRequest);
    QCOMPARE(read(s206, "S206"), QByteArray("-"));
    s206.send();
    QCOMPARE(requests.count(), 1);
    QCOMPARE(requests.at(0).at(0).toByteArray(), QByteArray("ATS206?\r"));
    QCOMPARE(read(s206, "=3\r"), QByteArray("-"));
    QCOMPARE(read(s206, "S206=4\r"), QByteArray("4"));

    // A completed test reply stays done until a later byte breaks the match.
    Parser test(nullptr, param(TestAddress));
    QCOMPARE(read(test, "7=0,0,0,0\r\n"), QByteArray("0|0|0|0"));
    QVERIFY(test.done());
    QCOMPARE(read(test, "\n"), QByteArray("-"));
    QVERIFY(!test.done());

    // A run of "0" mask bytes takes any bytes into one field.
    ParserParam p = param(EnterCommand);
    p.answer = "V..:\r";
    p.mask = "10011";
    Parser run(nullptr, p);
    QCOMPARE(read(run, "V\r\n:\r"), QByteArray("\r\n"));
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
    // An empty text when `ms` is within 100 ms of `target`, else `ms`.
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
