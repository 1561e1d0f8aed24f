// The virtual device's model: what the configurator writes the device keeps
// and reads back, what it cannot take it refuses rather than half-storing,
// and the module answers only when it can hear the controller.

#include "tools/devsim/devicemodel.h"

#include <QtTest>

namespace {

// Everything the device answers to `bytes`.
QByteArray ask(DeviceModel &m, const QByteArray &bytes)
{
    QByteArray out;
    for (const DeviceModel::Reply &r : m.feed(bytes, 0))
        out += r.reply;
    return out;
}

} // namespace

class TestDeviceModel : public QObject
{
    Q_OBJECT

private slots:
    void configurationRoundTrip();
    void registersAndPolls();
};

void TestDeviceModel::configurationRoundTrip()
{
    // Each variant takes and reports its own number of fields; the address
    // list comes back without separators.
    const QByteArrayList tails = {"", ",250", ",250,181,007"};
    for (const int variant : {0, 1, 2}) {
        DeviceModel m;
        m.setVariant(variant);
        const QByteArray tail = tails.at(variant) + '\r';
        QCOMPARE(ask(m, "$0=017,6,010,200,2,060,009,1,8000,0000,0000,0005" + tail),
                 QByteArray("OK\r"));
        QCOMPARE(ask(m, "$1"), "=017,6,010,200,2,060,009,1,8000000000000005" + tail);
    }

    // Refused, with nothing of it stored: a value above a byte, an address
    // list that is not hexadecimal, a text cut short.
    DeviceModel m;
    m.setVariant(2);
    const DeviceModel::Config before = m.config();
    for (const char *bad : {"$0=256,3,000,000,0,050,000,0,1,002,003,006\r",
                            "$0=001,3,000,000,0,050,000,0,00g1,002,003,006\r",
                            "$0=001,3,000,000,0,050,000,0,1,002\r", "$8=001,002,003,999\r"})
        QCOMPARE(ask(m, bad), QByteArray("ERROR\r"));
    QVERIFY(m.config() == before);
    QCOMPARE(ask(m, "$9"), QByteArray("a1=5,a2=5,l1=5,l2=5\r"));

    QCOMPARE(ask(m, "$8=133,001,001,200\r"), QByteArray("OK\r"));
    QCOMPARE(ask(m, "$9"), QByteArray("a1=133,a2=1,l1=1,l2=200\r"));
}

void TestDeviceModel::registersAndPolls()
{
    DeviceModel m;
    m.setReachable({3});
    // Outside command mode an AT line is radio data, not a command.
    QCOMPARE(ask(m, "ATS200=10\r"), QByteArray());
    QCOMPARE(ask(m, "+++ATS200=10\rATS200?\r"), QByteArray("OK\rOK\rS200=10\r"));
    // One-digit registers and bytes take no more.
    QCOMPARE(ask(m, "ATS201=10\rATS252=256\rATS201?\rATS252?\r"),
             QByteArray("ERROR\rERROR\rS201=0\rS252=1\r"));
    // The module hears the controller only at its own rate (4).
    QCOMPARE(ask(m, "$35ATS200?\r"), QByteArray("OK\r"));
    QCOMPARE(ask(m, "$34ATS200?\r"), QByteArray("OK\rS200=10\r"));
    // Radio polls: none in command mode, none to an unreachable address, none
    // when lost.
    QCOMPARE(ask(m, "3=$\r"), QByteArray());
    const QByteArray polled = ask(m, "ATO\r3=$\r\n5=$\r\n");
    QVERIFY2(polled.startsWith("OK\r3=") && polled.count(',') == 3 && polled.endsWith('\r'),
             polled.constData());
    m.setPollLossPercent(100);
    QCOMPARE(ask(m, "3=$\r\n"), QByteArray());
}

QTEST_GUILESS_MAIN(TestDeviceModel)
#include "tst_devicemodel.moc"
