#include "protocol/catalogue.h"

#include "protocol/requestkinds.h"
#include "protocol/settingsfields.h"

#include <QVector>

namespace {

QByteArray digits(int value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0');
}

QByteArray hex4(int value)
{
    return QByteArray::number(value, 16).rightJustified(4, '0');
}

// A row's texts as byte arrays, made once: the records of the requests
// queued share them instead of each making them again (a write queues some
// sixty requests).
struct RowTexts
{
    QByteArray request;
    QByteArray answer;
    QByteArray mask;
    bool takesArgument = false; // the request holds "%1"
};

const RowTexts &rowTexts(TypeParser type)
{
    static const QVector<RowTexts> table = [] {
        QVector<RowTexts> t;
        for (const RequestKinds::Row &r : RequestKinds::all()) {
            RowTexts texts;
            if (r.request) {
                texts.request = r.request;
                texts.takesArgument = texts.request.contains("%1");
            }
            if (r.answer) {
                texts.answer = r.answer;
                texts.mask = r.mask;
            }
            t.append(texts);
        }
        return t;
    }();
    static const RowTexts none;
    const int value = int(type);
    return value >= 0 && value < table.size() ? table.at(value) : none;
}

// The configuration read's reply template and mask per firmware variant.
struct ConfigLayout
{
    QByteArray answer;
    QByteArray mask;
};

const ConfigLayout &configLayout(int fields)
{
    static const QVector<ConfigLayout> layouts = [] {
        // The table holds the longest layout; each field takes two places of
        // it ("=x" or ",x", "1X"), and the closing CR follows.
        const RequestKinds::Row &r = RequestKinds::row(ReadConfig);
        QVector<ConfigLayout> all;
        for (int n = 0; n <= RequestKinds::MaxFields; ++n)
            all.append({QByteArray(r.answer, 2 * n) + '\r', QByteArray(r.mask, 2 * n) + '1'});
        return all;
    }();
    return layouts.at(fields);
}

} // namespace

ParserParam Catalogue::base(TypeParser type)
{
    ParserParam p;
    p.type = type;
    p.answer = QByteArrayLiteral("OK\r");
    p.mask = QByteArrayLiteral("111");
    p.countRepeat = 2;
    p.timeout = 1000;
    return p;
}

ParserParam Catalogue::fromRow(TypeParser type)
{
    const RequestKinds::Row &r = RequestKinds::row(type);
    ParserParam p = base(type);
    if (r.answer) {
        const RowTexts &texts = rowTexts(type);
        p.answer = texts.answer;
        p.mask = texts.mask;
    }
    p.countRepeat = r.countRepeat;
    p.timeout = r.timeout;
    p.clearOnTimeout = r.clearOnTimeout();
    p.keepAfterAnswer = r.keepAfterAnswer;
    return p;
}

QByteArray Catalogue::request(TypeParser type, const QByteArray &arg)
{
    const RowTexts &texts = rowTexts(type);
    if (!texts.takesArgument)
        return texts.request;
    return QByteArray(texts.request).replace("%1", arg);
}

ParserParam Catalogue::makeParserParam(TypeParser type, const QByteArray &arg,
                                       const DeviceSettings &settings, quint8 variant,
                                       const QByteArray &testAdreses, quint8 testIndex)
{
    const RequestKinds::Row &r = RequestKinds::row(type);
    if (type == TestAddress) {
        if (!testAdreses.isEmpty()) {
            const int index = testIndex < testAdreses.size() ? testIndex : 0;
            return testAddress(quint8(testAdreses.at(index)));
        }
        // Nothing to poll: no request, with the step's budget.
        ParserParam p = base(type);
        p.countRepeat = r.countRepeat;
        p.keepAfterAnswer = r.keepAfterAnswer;
        return p;
    }
    // Not a kind, or a calibration record, which its own operation builds.
    if (!r.request)
        return base(type);

    ParserParam p = fromRow(type);
    p.request = request(type, type == WriteAveraging ? averagingNumbers(settings) : arg);
    if (type == ReadConfig)
        applyReadConfigLayout(p, variant);
    return p;
}

void Catalogue::applyReadConfigLayout(ParserParam &param, quint8 variant)
{
    const int fields = readConfigFieldCount(variant);
    if (fields == 0) {
        param.answer = QByteArrayLiteral("OK\r");
        param.mask = QByteArrayLiteral("111");
        return;
    }
    const ConfigLayout &layout = configLayout(fields);
    param.answer = layout.answer;
    param.mask = layout.mask;
}

int Catalogue::readConfigFieldCount(quint8 variant)
{
    return qMax(0, RequestKinds::expectedFields(ReadConfig, variant));
}

QByteArray Catalogue::configText(const DeviceSettings &s, quint8 variant, int rateDigit)
{
    // The fields in the order of the configuration reply, each in the
    // digits the device sends it with; the address list as it is.
    QByteArray t = "=";
    const QList<const SettingsField *> fields = SettingsFields::configuration(variant);
    for (int i = 0; i < fields.size(); ++i) {
        const SettingsField *f = fields.at(i);
        if (i > 0)
            t += ',';
        if (f->isText())
            t += (s.*f->text).toLatin1();
        else
            t += digits(f->byte == &DeviceSettings::serialRate ? rateDigit : s.*f->byte, f->digits);
    }
    t += '\r';
    return t;
}

QByteArray Catalogue::averagingNumbers(const DeviceSettings &s)
{
    return digits(s.averaging1, 3) + ',' + digits(s.averaging2, 3) + ',' + digits(s.diskret1, 3) +
           ',' + digits(s.diskret2, 3);
}

QByteArray Catalogue::averagingRequest(const DeviceSettings &s)
{
    return request(WriteAveraging, averagingNumbers(s));
}

ParserParam Catalogue::testAddress(quint8 address)
{
    ParserParam p = fromRow(TestAddress);
    p.request = QByteArray::number(address) + "=$\r";
    p.answer = testAnswer(address);
    p.mask = testMask(address);
    return p;
}

namespace {

// The radio test's texts for every address, made once: the test turns its
// step to the next address every second, for as long as it runs.
struct TestTexts
{
    QByteArray request;
    QByteArray answer;
    QByteArray mask;
};

const TestTexts &testTexts(quint8 address)
{
    static const QVector<TestTexts> table = [] {
        QVector<TestTexts> t;
        for (int a = 0; a <= 0xFF; ++a) {
            const QByteArray number = QByteArray::number(a);
            t.append({number + "=$\r\n", number + "=0,0,0,0\r",
                      QByteArray(number.size(), '1') + "1X1X1X1X1"});
        }
        return t;
    }();
    return table.at(address);
}

} // namespace

QByteArray Catalogue::testRequest(quint8 address)
{
    return testTexts(address).request;
}

QByteArray Catalogue::testAnswer(quint8 address)
{
    return testTexts(address).answer;
}

QByteArray Catalogue::testMask(quint8 address)
{
    return testTexts(address).mask;
}

ParserParam Catalogue::setCurrent(quint16 setPoint)
{
    ParserParam p = fromRow(SetCurrent);
    p.request = "$a" + hex4(int(setPoint) * 3) + '\r';
    return p;
}

ParserParam Catalogue::setRealCurrent(quint16 setPoint, quint16 measured)
{
    ParserParam p = fromRow(SetCurrent);
    p.request = "$b" + hex4((int(setPoint) * 3) & 0xFFFF) + ',' + hex4(measured) + '\r';
    return p;
}

ParserParam Catalogue::calibrationMode(bool enter)
{
    ParserParam p = fromRow(CalibrationMode);
    p.request = enter ? "$d\r" : "$c\r";
    return p;
}
