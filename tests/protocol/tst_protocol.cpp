// The catalogue, the reply parser and the settings table, where the engine tests do not reach.

#include "protocol/averagingbyte.h"
#include "protocol/catalogue.h"
#include "protocol/data.h"
#include "protocol/factorydefaults.h"
#include "protocol/parser.h"
#include "protocol/pollsettingsbyte.h"
#include "protocol/replydecoder.h"
#include "protocol/requestkinds.h"
#include "protocol/serialtimeout.h"
#include "protocol/settingsfields.h"
#include "protocol/stabilitytally.h"

#include <QtTest>

#include <cmath>

namespace {

ParserParam make(TypeParser type, const QByteArray &arg = QByteArray(), quint8 variant = 0)
{
    return Catalogue::makeParserParam(type, arg, DeviceSettings(), variant, "\x07", 100);
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

class TestProtocol : public QObject
{
    Q_OBJECT

private slots:
    void catalogue();
    void sharedSettingBytes();
    void scanState();
    void replyFieldsLandInTheirRecordFields();
    void valuesADeviceMayBeGiven();
    void stabilityCountedPerAddress();
};

// Editors sharing these bytes change only their own bits (plain cases: tst_mainwindow, tst_panels).
void TestProtocol::sharedSettingBytes()
{
    using A = AveragingByte;
    // No choice (-1) lands as kind 3; a too long interval cannot reach the kind.
    QCOMPARE(int(A::withKind(0x05, quint8(-1))), 0xC5);
    QCOMPARE(int(A::withInterval(0x45, 64)), 0x40);
    using P = PollSettingsByte;
    QCOMPARE(int(P::withDownCount(0xB3, 0x1F)), 0xBF); // the options stay
    // Bits 7 and 6 invert outputs 1 and 2, bits 5 and 4 set their link-loss level.
    const quint8 flags[] = {P::Out1Inverted, P::Out2Inverted, P::Out1OnLinkLoss, P::Out2OnLinkLoss};
    for (int i = 0; i < 4; ++i) {
        const int bit = 0x80 >> i;
        QCOMPARE(int(P::withOption(0x03, flags[i], true)), 0x03 | bit);
        QCOMPARE(int(P::withOption(0xF3, flags[i], false)), 0xF3 & ~bit);
        QCOMPARE(P::option(quint8(bit), flags[i]), 1);
        QCOMPARE(P::option(quint8(0xF3 & ~bit), flags[i]), 0);
    }
}

void TestProtocol::catalogue()
{
    // A calibration request that gives up drops the queue (its bytes: tst_exchange).
    for (const ParserParam &p : {Catalogue::setCurrent(1), Catalogue::setRealCurrent(4000, 0),
                                 Catalogue::calibrationMode(false)})
        QCOMPARE(shape(p), QStringLiteral("OK\r 111 2x1000ms clear"));
    // "$a": every hex digit of the set point times 3, four at least; "$b": four, wrapping at 65536.
    QCOMPARE(Catalogue::setCurrent(1).request, QByteArray("$a0003\r"));
    QCOMPARE(Catalogue::setRealCurrent(30000, 21600).request, QByteArray("$b5f90,5460\r"));

    // The tail of each firmware variant (an unknown one: none; variant 2's: tst_exchange).
    DeviceSettings s;
    s.testAdres = 7;
    s.adreses = QStringLiteral("0000,0000,0000,0005");
    const QByteArray common = "=007,3,000,000,0,000,000,0,0000,0000,0000,0005";
    for (const auto &[variant, tail] : {std::pair{0, ""}, {1, ",002"}, {7, ""}})
        QCOMPARE(Catalogue::configText(s, quint8(variant), 3), common + tail + "\r");
    s.adreses.clear();
    QCOMPARE(Catalogue::configText(s, 0, 12), QByteArray("=007,12,000,000,0,000,000,0,\r"));

    // A value that is no kind sends and hands out nothing (the polls' bytes: tst_exchange).
    for (int value : {12, 20, 30, 29, 31, 40}) {
        const ParserParam p = make(TypeParser(value), "3");
        QVERIFY2(p.request.isEmpty(), qPrintable(QString::number(value)));
        QCOMPARE(shape(p), QStringLiteral("OK\r 111 2x1000ms"));
        QCOMPARE(RequestKinds::expectedFields(TypeParser(value), 2), -1);
    }
}

void TestProtocol::scanState()
{
    // Chunks fed to one parser in turn: what each completes, "-" for nothing.
    auto feed = [](Parser &parser, const QByteArrayList &chunks) {
        QByteArrayList results;
        for (const QByteArray &chunk : chunks) {
            QByteArrayList out;
            results << (parser.parse(chunk, out) ? out.join('|') : QByteArray("-"));
        }
        return results.join(' ');
    };
    // Whole replies: "|" between chunks and fields; "-": no reply (every kind's: tst_exchange).
    using Case = std::tuple<const char *, TypeParser, const char *, const char *, int>;
    for (const auto &[name, type, chunks, fields, variant] :
         {Case{"echo then reply", ReadS206, "ATS206?\rS206=3\r", "3", 0},
          Case{"one byte at a time", ReadIdentity, "f|i|r|m|w|a|r|e|=|0|8|1|2|,|p|p|=|A|D|\r",
               "0812|AD", 0},
          Case{"one-byte field rejects two digits", ReadS201, "S201=10\r", "-", 0},
          Case{"config variant 2, an empty field", ReadConfig, "=1,2,3,4,5,6,7,8,,10,11,12\r",
               "1|2|3|4|5|6|7|8|10|11|12", 2},
          Case{"config variant 1 cut short", ReadConfig, "=1,2,3,4,5,6,7,8,9\r", "-", 1}}) {
        const QByteArrayList pieces = QByteArray(chunks).split('|');
        Parser parser(nullptr, make(type, "", quint8(variant)));
        QCOMPARE(feed(parser, pieces), QByteArray("- ").repeated(pieces.size() - 1) + fields);
        QVERIFY2(parser.done() == (QByteArray(fields) != "-"), name);
    }

    // One reply a chunk; noise skipped to the template's first byte, a match broken there dropped.
    Parser s200(nullptr, make(ReadS200));
    QCOMPARE(feed(s200, {"S200=1\rS200=2\r", "xxSxS200=6\r", "SS200=7\r", "S200=8\r"}),
             QByteArray("1 6 - 8"));
    // A field never terminated does not grow without bound.
    Parser version(nullptr, make(ReadModuleVersion));
    QCOMPARE(feed(version, {QByteArray(100000, 'Z')}), QByteArray("-"));
    const QByteArray tail = feed(version, {"v1\r"});
    QVERIFY(tail.endsWith("v1") && tail.size() <= Parser::MaxFieldLength);
    const QByteArray longest(Parser::MaxFieldLength, 'h');
    QCOMPARE(feed(version, {longest + '\r'}), longest);
    // A number of the longest length is taken; one byte more restarts the scan.
    Parser s214(nullptr, make(ReadS214));
    const QByteArray digits(Parser::MaxFieldLength, '7');
    QCOMPARE(feed(s214, {"S214=" + digits + "\r", "S214=" + digits + "7\r", "S214=4\r"}),
             digits + " - 4");

    // Sending again restarts the scan: a reply begun before is dropped.
    Parser s206(nullptr, make(ReadS206));
    QCOMPARE(feed(s206, {"S206"}), QByteArray("-"));
    s206.send();
    QCOMPARE(feed(s206, {"=3\r", "S206=4\r"}), QByteArray("- 4"));

    // A completed test reply stays done until the poll is sent again.
    Parser test(nullptr, make(TestAddress));
    QCOMPARE(feed(test, {"7=0,0,0,0\r\n", "\n\x85x"}), QByteArray("0|0|0|0 -"));
    QVERIFY(test.done());
    test.send();
    QVERIFY(!test.done());

    // Turned to another request (the engine's next head), as if just made: the old scan dropped.
    test.start();
    QCOMPARE(feed(test, {"7=0,0,0,0\r7=1,", "7=1,"}), QByteArray("0|0|0|0 -"));
    QVERIFY(test.done() && test.isRunning());
    test.reset(make(ReadS206));
    QVERIFY(!test.done() && !test.isRunning());
    QCOMPARE(test.request(), QByteArray("ATS206?\r"));
    QCOMPARE(feed(test, {"2,3\r", "S206=5\r"}), QByteArray("- 5"));
}

void TestProtocol::replyFieldsLandInTheirRecordFields()
{
    // What the virtual device never sends.
    const QByteArrayList config = {
        "17", "3", "10", "11", "2", "70", "9", "1", QByteArray("8000000000000005\0\0", 18)};
    DeviceSettings s;
    QVERIFY(ReplyDecoder::apply(ReadConfig, config, 0, "RLX-31868-Vela-485", s));
    QCOMPARE(s.adreses, QString("8000000000000005"));                   // up to the first zero byte
    QCOMPARE(QList<int>({s.delRxTx, s.delTxRx}), QList<int>({10, 11})); // the delays' own fields
    // Every 4-20 model polls address 1, whatever its reply says.
    ReplyDecoder::apply(ReadConfig, config, 0, "RLX-31868-4-20-D receiver", s);
    QCOMPARE(s.adreses, QString("00000001"));

    // Variant 2's tail is bytes; an older layout's address list takes it, commas and all.
    const QByteArray head = "1,2,3,4,5,6,7,8,";
    QVERIFY(RequestKinds::plausible(ReadConfig, (head + "00000029,9,255,0").split(',')));
    QVERIFY(RequestKinds::plausible(ReadConfig, head.split(',').mid(0, 8)
                                                    << "0000000000000001,002,003,006"));
    for (const char *tail : {"0000\x01,9,255,0", "00 29,9,255,0", "0g29,9,255,0",
                             "00000029,256,255,0", "00000029,9,1a,0", "00000029,9,255,-1"})
        QVERIFY2(!RequestKinds::plausible(ReadConfig, (head + tail).split(',')), tail);
    // (Numbers, bytes and texts in replies: tst_exchange::repliesOfTheWrongForm.)
    QVERIFY(!RequestKinds::fits(RequestKinds::Field::Text, "RLX\x7F"));

    // Written and read back compared (no difference, and what the user reads: tst_outcomes).
    DeviceSettings written;
    written.adreses = "8000,0000,0000,0005", written.numOfDown = 0xB5, written.spare = 4;
    DeviceSettings held = written;
    held.adreses = "8000000000000005"; // the device's notation of the same list
    held.numOfDown = 3, held.spare = 0;
    QList<SettingsDifference> d = SettingsFields::compare(written, held, 2, "RLX-31868-Vela-485");
    QCOMPARE(d.size(), 1);
    QCOMPARE(QString(d.at(0).field->name), QString("numOfDown"));
    held.adreses = "0000000000000005";
    d = SettingsFields::compare(written, held, 0, "RLX-31868-Vela-485");
    QCOMPARE(d.size(), 1);
    QCOMPARE(QString(d.at(0).field->name), QString("adreses"));
}

// The factory settings pass; one field changed is taken or refused (one past each plain range).
void TestProtocol::valuesADeviceMayBeGiven()
{
    DeviceSettings valid;
    FactoryDefaults::apply(valid, true);
    valid.serialRate = 2;
    valid.radioRate = 2;
    valid.adreses = QStringLiteral("0000,0000,0000,0005");
    QVERIFY(SettingsFields::validate(valid).isEmpty());
    const QStringList taken = {"power=7",    "chanel=4",       "serialTimeout=5",
                               "wdtReset=0", "numOfDown=0xFF", "spare=255"};
    const QStringList refused = {
        "power=8",         "chanel=5",        "serialTimeout=4", "radioTransmitReset=9",
        "averaging1=0xC5", "averaging2=0x40", "numOfDown=0xF0",  "flowControl=1"};
    for (const QString &change : taken + refused) {
        const QString field = change.section('=', 0, 0);
        DeviceSettings s = valid;
        s.*SettingsFields::byName(field)->byte = quint8(change.section('=', 1).toInt(nullptr, 0));
        QStringList names;
        for (const SettingsProblem &p : SettingsFields::validate(s))
            names << p.field->name;
        QCOMPARE(change + ": " + names.join(','),
                 change + ": " + (refused.contains(change) ? field : QString()));
    }
    // An address list not hexadecimal is a problem of its own.
    valid.adreses = QStringLiteral("0000,0000,000g,0005");
    QCOMPARE(SettingsFields::validate(valid).size(), 1);

    // The time-out's floor: two characters of ten bits at the serial rate, never less than 2 ms.
    for (const auto &[rate, name] : SettingsFields::byName("serialRate")->names) {
        const double baud = name.section(' ', 0, 0).toDouble();
        QCOMPARE(int(SerialTimeout::minSerialTimeout(rate)), qMax(2, int(std::ceil(20000 / baud))));
    }
    // Outside the table (DEFAULT's display): the factory time-out is not clamped.
    for (int rate : {8, -1})
        QCOMPARE(int(SerialTimeout::minSerialTimeout(rate)), 3);
}

void TestProtocol::stabilityCountedPerAddress()
{
    // Address 3's longest run of misses is not its last; address 5 never answers.
    StabilityTally t;
    const QByteArray p3 = Catalogue::testRequest(3), p5 = Catalogue::testRequest(5);
    const QString outcomes3 = "AMMMAM";
    for (int i = 0; i < outcomes3.size(); ++i) {
        t.sent(i == 0 ? QByteArray("3=$\r") : p3);
        outcomes3.at(i) == 'A' ? t.answered(p3) : t.missed(p3);
        t.sent(p5);
        t.missed(p5);
    }
    // A request that is no poll counts for no address.
    for (const char *none : {"junk", "=$\r\n", "a=$\r\n", "1234=$\r\n", "+1=$\r", "3=0,0\r"})
        t.sent(none);
    QCOMPARE(t.rows().size(), 2);
    const StabilityTally::Row r3 = t.row(3), r5 = t.row(5);
    QCOMPARE(QList<int>({r3.address, r3.sent, r3.answered, r3.longestMissRun}),
             QList<int>({3, 6, 2, 3}));
    QCOMPARE(QList<int>({r5.sent, r5.answered, r5.longestMissRun}), QList<int>({6, 0, 6}));
}

QTEST_GUILESS_MAIN(TestProtocol)
#include "tst_protocol.moc"
