#include "protocol/catalogue.h"

namespace {

QByteArray digits(int value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0');
}

QByteArray hex4(int value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0');
}

} // namespace

ParserParam Catalogue::base(TypeParser type)
{
    ParserParam p;
    p.type = type;
    p.answer = "OK\r";
    p.mask = "111";
    p.countRepeat = 2;
    p.timeout = 1000;
    return p;
}

ParserParam Catalogue::makeParserParam(TypeParser type, const QByteArray &arg,
                                       const DeviceSettings &settings, quint8 variant,
                                       const QByteArray &testAdreses, quint8 testIndex)
{
    ParserParam p = base(type);
    auto registerRead = [&p](const char *request, const char *answer, const char *mask) {
        p.request = request;
        p.answer = answer;
        p.mask = mask;
    };
    switch (type) {
    case EnterCommand:
        p.request = "+++";
        break;
    case SetS220:
        p.request = "ATS220=9\r";
        break;
    case TestAddress:
        if (!testAdreses.isEmpty()) {
            const int index = testIndex < testAdreses.size() ? testIndex : 0;
            p = testAddress(quint8(testAdreses.at(index)));
        } else {
            p.countRepeat = 1;
            p.keepAfterAnswer = true;
        }
        break;
    case ModuleDefaults:
        p.request = "ATR\r";
        break;
    case WriteConfig:
        p.request = "$0" + arg;
        break;
    case WriteS206:
        p.request = "ATS206=" + arg + '\r';
        break;
    case WriteS201:
        p.request = "ATS201=" + arg + '\r';
        break;
    case WriteS200:
        p.request = "ATS200=" + arg + '\r';
        break;
    case WriteS202:
        p.request = "ATS202=" + arg + '\r';
        break;
    case WriteS214:
        p.request = "ATS214=" + arg + '\r';
        break;
    case WriteS210:
        p.request = "ATS210=" + arg + '\r';
        break;
    case SetLinkRate:
        p.request = "$3" + arg;
        break;
    case WriteS216:
        p.request = "ATS216=" + arg + '\r';
        break;
    case ReadConfig:
        p.request = "$1";
        applyReadConfigLayout(p, variant);
        break;
    case ReadS206:
        registerRead("ATS206?\r", "S206=x\r", "1111101");
        break;
    case ReadS201:
        registerRead("ATS201?\r", "S201=x\r", "1111101");
        break;
    case ReadS200:
        registerRead("ATS200?\r", "S200=x\r", "11111X1");
        break;
    case ReadS202:
        registerRead("ATS202?\r", "S202=x\r", "1111101");
        break;
    case ReadS214:
        registerRead("ATS214?\r", "S214=x\r", "11111X1");
        break;
    case ReadS216:
        registerRead("ATS216?\r", "S216=x\r", "11111X1");
        break;
    case ReadInputs:
        registerRead("$7", "an1=x,an2=x,d1=x,d2=x\r", "1111X11111X1111X1111X1");
        p.countRepeat = 1;
        p.timeout = 500;
        break;
    case ReadIdentity:
        registerRead("$2", "firmware=x,pp=x\r", "111111111X1111X1");
        break;
    case ReadModuleVersion:
        registerRead("AT/V\r", "x\r", "X1");
        break;
    case ExitCommand:
        p.request = "ATO\r";
        break;
    case WriteS252:
        p.request = "ATS252=" + arg + '\r';
        break;
    case WriteAveraging:
        p.request = averagingRequest(settings);
        break;
    case ReadAveraging:
        registerRead("$9", "a1=x,a2=x,l1=x,l2=x\r", "111X1111X1111X1111X1");
        p.countRepeat = 1;
        p.timeout = 500;
        break;
    default:
        // Calibration records are built by their own operations; anything
        // else is not a request the catalogue knows.
        break;
    }
    return p;
}

void Catalogue::applyReadConfigLayout(ParserParam &param, quint8 variant)
{
    const int fields = readConfigFieldCount(variant);
    if (fields == 0) {
        param.answer = "OK\r";
        param.mask = "111";
        return;
    }
    param.answer.clear();
    param.mask.clear();
    for (int i = 0; i < fields; ++i) {
        param.answer += i == 0 ? "=x" : ",x";
        param.mask += "1X";
    }
    param.answer += '\r';
    param.mask += '1';
}

int Catalogue::readConfigFieldCount(quint8 variant)
{
    switch (variant) {
    case 0:
        return 9;
    case 1:
        return 10;
    case 2:
        return 12;
    default:
        return 0;
    }
}

QByteArray Catalogue::configText(const DeviceSettings &s, quint8 variant, int rateDigit)
{
    QByteArray t = "=";
    t += digits(s.testAdres, 3) + ',';
    t += digits(rateDigit, 1) + ',';
    t += digits(s.delRxTx, 3) + ',';
    t += digits(s.delTxRx, 3) + ',';
    t += digits(s.parity, 1) + ',';
    t += digits(s.radioTransmitReset, 3) + ',';
    t += digits(s.wdtReset, 3) + ',';
    t += digits(s.stopBit, 1) + ',';
    t += s.adreses.toLatin1();
    if (variant == 1 || variant == 2)
        t += ',' + digits(s.delRequest, 3);
    if (variant == 2) {
        t += ',' + digits(s.numOfDown, 3);
        t += ',' + digits(s.radioModuleReset, 3);
    }
    t += '\r';
    return t;
}

QByteArray Catalogue::averagingRequest(const DeviceSettings &s)
{
    return "$8=" + digits(s.averaging1, 3) + ',' + digits(s.averaging2, 3) + ',' +
           digits(s.diskret1, 3) + ',' + digits(s.diskret2, 3) + '\r';
}

ParserParam Catalogue::testAddress(quint8 address)
{
    ParserParam p = base(TestAddress);
    p.request = QByteArray::number(address) + "=$\r";
    p.answer = testAnswer(address);
    p.mask = testMask(address);
    p.countRepeat = 1;
    p.timeout = 1000;
    p.keepAfterAnswer = true;
    return p;
}

QByteArray Catalogue::testRequest(quint8 address)
{
    return QByteArray::number(address) + "=$\r\n";
}

QByteArray Catalogue::testAnswer(quint8 address)
{
    return QByteArray::number(address) + "=0,0,0,0\r";
}

QByteArray Catalogue::testMask(quint8 address)
{
    return QByteArray(QByteArray::number(address).size(), '1') + "1X1X1X1X1";
}

ParserParam Catalogue::setCurrent(quint16 setPoint)
{
    ParserParam p = base(SetCurrent);
    p.request = "$a" + hex4(int(setPoint) * 3) + '\r';
    p.clearOnTimeout = true;
    return p;
}

ParserParam Catalogue::setRealCurrent(quint16 setPoint, quint16 measured)
{
    ParserParam p = base(SetCurrent);
    p.request = "$b" + hex4((int(setPoint) * 3) & 0xFFFF) + ',' + hex4(measured) + '\r';
    p.clearOnTimeout = true;
    return p;
}

ParserParam Catalogue::calibrationMode(bool enter)
{
    ParserParam p = base(CalibrationMode);
    p.request = enter ? "$d\r" : "$c\r";
    p.clearOnTimeout = true;
    return p;
}
