#include "protocol/catalogue.h"
#include "protocol/data.h"

#include <QtTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

    static ParserParam make(TypeParser type, const QByteArray &arg = QByteArray(),
                            quint8 variant = 0)
    {
        return Catalogue::makeParserParam(type, arg, DeviceSettings(), variant, QByteArray(), 100);
    }

private slots:
    void everyKind_data();
    void everyKind();
    void unknownKindsGiveTheStartingRecord();
    void readConfigLayoutFollowsVariant_data();
    void readConfigLayoutFollowsVariant();
    void configurationText();
    void averaging();
    void testAddress();
    void calibration();
};

void TestCatalogue::everyKind_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("arg");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("mask");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("timeout");

    auto row = [](const char *name, TypeParser t, QByteArray arg, QByteArray req,
                  QByteArray ans = "OK\r", QByteArray mask = "111", int count = 2, int ms = 1000) {
        QTest::newRow(name) << int(t) << arg << req << ans << mask << count << ms;
    };
    row("EnterCommand", EnterCommand, "", "+++");
    row("SetS220", SetS220, "", "ATS220=9\r");
    row("ModuleDefaults", ModuleDefaults, "", "ATR\r");
    row("WriteConfig", WriteConfig, "=255,4,x\r", "$0=255,4,x\r");
    row("WriteS206", WriteS206, "3", "ATS206=3\r");
    row("WriteS201", WriteS201, "1", "ATS201=1\r");
    row("WriteS200", WriteS200, "17", "ATS200=17\r");
    row("WriteS202", WriteS202, "4", "ATS202=4\r");
    row("WriteS214", WriteS214, "30", "ATS214=30\r");
    row("WriteS210", WriteS210, "4", "ATS210=4\r");
    row("SetLinkRate", SetLinkRate, "4", "$34");
    row("WriteS216", WriteS216, "2", "ATS216=2\r");
    row("WriteS252", WriteS252, "255", "ATS252=255\r");
    row("ExitCommand", ExitCommand, "ignored", "ATO\r");
    row("ReadS206", ReadS206, "", "ATS206?\r", "S206=x\r", "1111101");
    row("ReadS201", ReadS201, "", "ATS201?\r", "S201=x\r", "1111101");
    row("ReadS200", ReadS200, "", "ATS200?\r", "S200=x\r", "11111X1");
    row("ReadS202", ReadS202, "", "ATS202?\r", "S202=x\r", "1111101");
    row("ReadS214", ReadS214, "", "ATS214?\r", "S214=x\r", "11111X1");
    row("ReadS216", ReadS216, "", "ATS216?\r", "S216=x\r", "11111X1");
    row("ReadInputs", ReadInputs, "", "$7", "an1=x,an2=x,d1=x,d2=x\r", "1111X11111X1111X1111X1", 1,
        500);
    row("ReadIdentity", ReadIdentity, "", "$2", "firmware=x,pp=x\r", "111111111X1111X1");
    row("ReadModuleVersion", ReadModuleVersion, "", "AT/V\r", "x\r", "X1");
    row("ReadAveraging", ReadAveraging, "", "$9", "a1=x,a2=x,l1=x,l2=x\r", "111X1111X1111X1111X1",
        1, 500);
    row("WriteAveraging of a fresh record", WriteAveraging, "", "$8=001,001,001,001\r");
}

void TestCatalogue::everyKind()
{
    QFETCH(int, type);
    QFETCH(QByteArray, arg);
    const ParserParam p = make(TypeParser(type), arg);
    QCOMPARE(int(p.type), type);
    QTEST(p.request, "request");
    QTEST(p.answer, "answer");
    QTEST(p.mask, "mask");
    QCOMPARE(p.answer.size(), p.mask.size());
    QTEST(int(p.countRepeat), "count");
    QTEST(int(p.timeout), "timeout");
    QVERIFY(!p.clearOnTimeout);
    QVERIFY(!p.keepAfterAnswer);
}

void TestCatalogue::unknownKindsGiveTheStartingRecord()
{
    for (int t : {12, 20, 29, 30, 31, 40}) {
        const ParserParam p = make(TypeParser(t), "5");
        QVERIFY2(p.request.isEmpty(), qPrintable(QString::number(t)));
        QCOMPARE(p.answer, QByteArray("OK\r"));
        QCOMPARE(p.mask, QByteArray("111"));
        QCOMPARE(int(p.countRepeat), 2);
        QCOMPARE(int(p.timeout), 1000);
        QVERIFY(!p.clearOnTimeout && !p.keepAfterAnswer);
    }
    // The blank record differs from the catalogue's starting point.
    const ParserParam blank;
    QCOMPARE(int(blank.type), 0);
    QCOMPARE(int(blank.countRepeat), 3);
    QCOMPARE(int(blank.timeout), 200);
}

void TestCatalogue::readConfigLayoutFollowsVariant_data()
{
    QTest::addColumn<int>("variant");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QByteArray>("mask");
    QTest::newRow("0") << 0 << QByteArray("=x,x,x,x,x,x,x,x,x\r")
                       << QByteArray("1X1X1X1X1X1X1X1X1X1");
    QTest::newRow("1") << 1 << QByteArray("=x,x,x,x,x,x,x,x,x,x\r")
                       << QByteArray("1X1X1X1X1X1X1X1X1X1X1");
    QTest::newRow("2") << 2 << QByteArray("=x,x,x,x,x,x,x,x,x,x,x,x\r")
                       << QByteArray("1X1X1X1X1X1X1X1X1X1X1X1X1");
    QTest::newRow("5") << 5 << QByteArray("OK\r") << QByteArray("111");
}

void TestCatalogue::readConfigLayoutFollowsVariant()
{
    QFETCH(int, variant);
    const ParserParam p = make(ReadConfig, "", quint8(variant));
    QCOMPARE(p.request, QByteArray("$1"));
    QTEST(p.answer, "answer");
    QTEST(p.mask, "mask");

    // Re-applying the layout for another variant replaces it completely.
    ParserParam q = make(ReadConfig, "", 2);
    Catalogue::applyReadConfigLayout(q, quint8(variant));
    QCOMPARE(q.answer, p.answer);
    QCOMPARE(q.mask, p.mask);
}

void TestCatalogue::configurationText()
{
    DeviceSettings s;
    s.testAdres = 7;
    s.serialRate = 3;
    s.delRxTx = 12;
    s.delTxRx = 200;
    s.parity = 1;
    s.radioTransmitReset = 60;
    s.wdtReset = 9;
    s.stopBit = 2;
    s.adreses = QStringLiteral("0000,0000,0000,0005");
    s.delRequest = 30;
    s.numOfDown = 0xB5;
    s.radioModuleReset = 45;

    QCOMPARE(Catalogue::configText(s, 0, s.serialRate),
             QByteArray("=007,3,012,200,1,060,009,2,0000,0000,0000,0005\r"));
    QCOMPARE(Catalogue::configText(s, 1, s.serialRate),
             QByteArray("=007,3,012,200,1,060,009,2,0000,0000,0000,0005,030\r"));
    QCOMPARE(Catalogue::configText(s, 2, 4),
             QByteArray("=007,4,012,200,1,060,009,2,0000,0000,0000,0005,030,181,045\r"));
    // An unknown variant writes the common fields only.
    QCOMPARE(Catalogue::configText(s, 7, 3), Catalogue::configText(s, 0, 3));

    // A one-digit field wider than one digit keeps all its digits; an empty
    // address list leaves its place empty.
    s.adreses.clear();
    s.testAdres = 255;
    QCOMPARE(Catalogue::configText(s, 0, 12), QByteArray("=255,12,012,200,1,060,009,2,\r"));
}

void TestCatalogue::averaging()
{
    DeviceSettings s;
    s.averaging1 = 5;
    s.averaging2 = 5;
    s.diskret1 = 5;
    s.diskret2 = 4;
    QCOMPARE(Catalogue::averagingRequest(s), QByteArray("$8=005,005,005,004\r"));
    const ParserParam p = Catalogue::makeParserParam(WriteAveraging, "", s, 0, "", 0);
    QCOMPARE(p.request, QByteArray("$8=005,005,005,004\r"));

    s.averaging1 = 0x85; // kind 2, interval 5
    s.diskret2 = 255;
    QCOMPARE(Catalogue::averagingRequest(s), QByteArray("$8=133,005,005,255\r"));
}

void TestCatalogue::testAddress()
{
    const QByteArray addresses("\x0c\x07\xc8", 3); // 12, 7, 200
    ParserParam p = Catalogue::makeParserParam(TestAddress, "", DeviceSettings(), 0, addresses, 0);
    QCOMPARE(int(p.type), int(TestAddress));
    QCOMPARE(p.request, QByteArray("12=$\r"));
    QCOMPARE(p.answer, QByteArray("12=0,0,0,0\r"));
    QCOMPARE(p.mask, QByteArray("111X1X1X1X1"));
    QCOMPARE(int(p.countRepeat), 1);
    QCOMPARE(int(p.timeout), 1000);
    QVERIFY(p.keepAfterAnswer);
    QVERIFY(!p.clearOnTimeout);

    p = Catalogue::makeParserParam(TestAddress, "", DeviceSettings(), 0, addresses, 1);
    QCOMPARE(p.request, QByteArray("7=$\r"));
    QCOMPARE(p.answer, QByteArray("7=0,0,0,0\r"));
    QCOMPARE(p.mask, QByteArray("11X1X1X1X1"));

    p = Catalogue::makeParserParam(TestAddress, "", DeviceSettings(), 0, addresses, 2);
    QCOMPARE(p.request, QByteArray("200=$\r"));
    QCOMPARE(p.mask, QByteArray("1111X1X1X1X1"));

    // An index past the list (a new run starts at 100) polls the first address.
    p = Catalogue::makeParserParam(TestAddress, "", DeviceSettings(), 0, addresses, 100);
    QCOMPARE(p.request, QByteArray("12=$\r"));

    // Every later poll ends in CR LF.
    QCOMPARE(Catalogue::testRequest(7), QByteArray("7=$\r\n"));
    QCOMPARE(Catalogue::testRequest(12), QByteArray("12=$\r\n"));
}

void TestCatalogue::calibration()
{
    ParserParam p = Catalogue::setCurrent(20000);
    QCOMPARE(p.request, QByteArray("$aea60\r"));
    QCOMPARE(int(p.type), int(SetCurrent));
    QCOMPARE(p.answer, QByteArray("OK\r"));
    QCOMPARE(p.mask, QByteArray("111"));
    QCOMPARE(int(p.countRepeat), 2);
    QCOMPARE(int(p.timeout), 1000);
    QVERIFY(p.clearOnTimeout);
    QVERIFY(!p.keepAfterAnswer);

    QCOMPARE(Catalogue::setCurrent(1).request, QByteArray("$a0003\r"));
    QCOMPARE(Catalogue::setCurrent(0).request, QByteArray("$a0000\r"));
    // Above 21845 the tripled set point needs five digits; "$a" keeps them all.
    QCOMPARE(Catalogue::setCurrent(30000).request, QByteArray("$a15f90\r"));

    p = Catalogue::setRealCurrent(20000, 19990);
    QCOMPARE(p.request, QByteArray("$bea60,4e16\r"));
    QVERIFY(p.clearOnTimeout);
    QCOMPARE(Catalogue::setRealCurrent(4000, 0).request, QByteArray("$b2ee0,0000\r"));
    // "$b" always carries four digits: the tripled set point wraps at 65536.
    QCOMPARE(Catalogue::setRealCurrent(30000, 21600).request, QByteArray("$b5f90,5460\r"));

    p = Catalogue::calibrationMode(true);
    QCOMPARE(p.request, QByteArray("$d\r"));
    QCOMPARE(int(p.type), int(CalibrationMode));
    QVERIFY(p.clearOnTimeout);
    QCOMPARE(Catalogue::calibrationMode(false).request, QByteArray("$c\r"));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
