#include "protocol/catalogue.h"
#include "protocol/data.h"

#include <QtTest>

#include <tuple>

namespace {

ParserParam make(TypeParser type, const QByteArray &arg = QByteArray(), quint8 variant = 0,
                 const QByteArray &addresses = QByteArray(), quint8 index = 100)
{
    return Catalogue::makeParserParam(type, arg, DeviceSettings(), variant, addresses, index);
}

// The reply template, mask, sends, interval and give-up flags of a request.
QString shape(const ParserParam &p)
{
    return QStringLiteral("%1 %2 %3x%4ms%5%6")
        .arg(QString::fromLatin1(p.answer), QString::fromLatin1(p.mask))
        .arg(p.countRepeat)
        .arg(p.timeout)
        .arg(p.clearOnTimeout ? " clear" : "", p.keepAfterAnswer ? " keep" : "");
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void requests();
    void configurationText();
    void testAddress();
};

void TestCatalogue::requests()
{
    // Kinds answered by a plain "OK", sent twice 1000 ms apart.
    const QList<std::tuple<TypeParser, QByteArray, QByteArray>> plain = {
        {EnterCommand, "", "+++"},
        {SetS220, "", "ATS220=9\r"},
        {ModuleDefaults, "", "ATR\r"},
        {WriteConfig, "=255,4,x\r", "$0=255,4,x\r"},
        {WriteS206, "3", "ATS206=3\r"},
        {WriteS201, "1", "ATS201=1\r"},
        {WriteS200, "17", "ATS200=17\r"},
        {WriteS202, "4", "ATS202=4\r"},
        {WriteS214, "30", "ATS214=30\r"},
        {WriteS210, "4", "ATS210=4\r"},
        {SetLinkRate, "4", "$34"},
        {WriteS216, "2", "ATS216=2\r"},
        {WriteS252, "255", "ATS252=255\r"},
        {ExitCommand, "ignored", "ATO\r"},
        {WriteAveraging, "", "$8=001,001,001,001\r"}};
    for (const auto &[type, arg, request] : plain) {
        const ParserParam p = make(type, arg);
        QCOMPARE(int(p.type), int(type));
        QCOMPARE(p.request, request);
        QCOMPARE(shape(p), QStringLiteral("OK\r 111 2x1000ms"));
    }
    const QList<std::tuple<TypeParser, QByteArray, QString>> reads = {
        {ReadS206, "ATS206?\r", "S206=x\r 1111101 2x1000ms"},
        {ReadS201, "ATS201?\r", "S201=x\r 1111101 2x1000ms"},
        {ReadS200, "ATS200?\r", "S200=x\r 11111X1 2x1000ms"},
        {ReadS202, "ATS202?\r", "S202=x\r 1111101 2x1000ms"},
        {ReadS214, "ATS214?\r", "S214=x\r 11111X1 2x1000ms"},
        {ReadS216, "ATS216?\r", "S216=x\r 11111X1 2x1000ms"},
        {ReadInputs, "$7", "an1=x,an2=x,d1=x,d2=x\r 1111X11111X1111X1111X1 1x500ms"},
        {ReadIdentity, "$2", "firmware=x,pp=x\r 111111111X1111X1 2x1000ms"},
        {ReadModuleVersion, "AT/V\r", "x\r X1 2x1000ms"},
        {ReadAveraging, "$9", "a1=x,a2=x,l1=x,l2=x\r 111X1111X1111X1111X1 1x500ms"},
        {ReadConfig, "$1", "=x,x,x,x,x,x,x,x,x\r 1X1X1X1X1X1X1X1X1X1 2x1000ms"}};
    for (const auto &[type, request, expected] : reads) {
        const ParserParam p = make(type);
        QCOMPARE(int(p.type), int(type));
        QCOMPARE(p.request, request);
        QCOMPARE(shape(p), expected);
    }

    // The configuration read's layout follows the firmware variant, also
    // when it is applied again for another one.
    const QList<QPair<int, QString>> layouts = {
        {1, "=x,x,x,x,x,x,x,x,x,x\r 1X1X1X1X1X1X1X1X1X1X1"},
        {2, "=x,x,x,x,x,x,x,x,x,x,x,x\r 1X1X1X1X1X1X1X1X1X1X1X1X1"},
        {5, "OK\r 111"}};
    for (const auto &[variant, layout] : layouts) {
        QCOMPARE(shape(make(ReadConfig, "", quint8(variant))), layout + " 2x1000ms");
        ParserParam q = make(ReadConfig, "", 2);
        Catalogue::applyReadConfigLayout(q, quint8(variant));
        QCOMPARE(shape(q), layout + " 2x1000ms");
    }

    // Calibration: a give-up drops the whole queue. "$a" keeps all digits of
    // the tripled set point in hexadecimal; "$b" always carries four, so
    // the tripled set point wraps at 65536.
    QCOMPARE(shape(Catalogue::setCurrent(20000)), QStringLiteral("OK\r 111 2x1000ms clear"));
    QCOMPARE(shape(Catalogue::setRealCurrent(4000, 0)), QStringLiteral("OK\r 111 2x1000ms clear"));
    QCOMPARE(shape(Catalogue::calibrationMode(false)), QStringLiteral("OK\r 111 2x1000ms clear"));
    QCOMPARE(Catalogue::setCurrent(1).request, QByteArray("$a0003\r"));
    QCOMPARE(Catalogue::setCurrent(30000).request, QByteArray("$a15f90\r"));
    QCOMPARE(Catalogue::setRealCurrent(4000, 0).request, QByteArray("$b2ee0,0000\r"));
    QCOMPARE(Catalogue::setRealCurrent(30000, 21600).request, QByteArray("$b5f90,5460\r"));
}

void TestCatalogue::configurationText()
{
    DeviceSettings s;
    s.testAdres = 7;
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
    const QByteArray common = "=007,3,012,200,1,060,009,2,0000,0000,0000,0005";
    QCOMPARE(Catalogue::configText(s, 0, 3), common + "\r");
    QCOMPARE(Catalogue::configText(s, 1, 3), common + ",030\r");
    QCOMPARE(Catalogue::configText(s, 2, 3), common + ",030,181,045\r");
    QCOMPARE(Catalogue::configText(s, 7, 3), common + "\r"); // unknown: the common fields
    // A rate wider than one digit keeps all its digits; an empty address
    // list leaves its place empty.
    s.adreses.clear();
    QCOMPARE(Catalogue::configText(s, 0, 12), QByteArray("=007,12,012,200,1,060,009,2,\r"));
}

void TestCatalogue::testAddress()
{
    // The first poll of the address at the engine's position (past the list:
    // the first one) ends in CR; it stays at the head after its answer.
    const QByteArray addresses("\x0c\x07\xc8", 3); // 12, 7, 200
    const QList<std::tuple<int, QByteArray, QString>> polls = {
        {0, "12=$\r", "12=0,0,0,0\r 111X1X1X1X1 1x1000ms keep"},
        {1, "7=$\r", "7=0,0,0,0\r 11X1X1X1X1 1x1000ms keep"},
        {2, "200=$\r", "200=0,0,0,0\r 1111X1X1X1X1 1x1000ms keep"},
        {100, "12=$\r", "12=0,0,0,0\r 111X1X1X1X1 1x1000ms keep"}};
    for (const auto &[index, request, expected] : polls) {
        const ParserParam p = make(TestAddress, "", 0, addresses, quint8(index));
        QCOMPARE(p.request, request);
        QCOMPARE(shape(p), expected);
    }
    // Every later poll ends in CR LF.
    QCOMPARE(Catalogue::testRequest(7), QByteArray("7=$\r\n"));
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
