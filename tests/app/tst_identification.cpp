#include "app/identification.h"

#include <QtTest>

class TestIdentification : public QObject
{
    Q_OBJECT

private slots:
    void models_data();
    void models();
    void outputKind_data();
    void outputKind();
    void firmwareVariant_data();
    void firmwareVariant();
};

void TestIdentification::models_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<int>("model");
    QTest::addColumn<bool>("receiver");
    QTest::addColumn<bool>("currentOutput");
    QTest::addColumn<bool>("transmitter");

    using I = Identification;
    QTest::newRow("4-20") << "RLX-31868-4-20 receiver AA" << int(I::Receiver420) << true << true
                          << false;
    QTest::newRow("4-20-D") << "RLX-31868-4-20-D receiver" << int(I::Receiver420D) << true << true
                            << false;
    QTest::newRow("DD") << "RLX-31868-DD receiver" << int(I::ReceiverDD) << true << false << false;
    QTest::newRow("485") << "RLX-31868-Vela-485" << int(I::Rs485) << false << false << false;
    QTest::newRow("485 transmitter")
        << "RLX-31868-Vela-485 transmitter" << int(I::Rs485) << false << false << true;
    QTest::newRow("inputs") << "RLX-31868-AD transmitter" << int(I::TransmitterWithInputs) << false
                            << false << true;
    QTest::newRow("unknown") << "something else" << int(I::TransmitterWithInputs) << false << false
                             << true;
    // Without the word "receiver" the 4-20 names do not make a receiver.
    QTest::newRow("4-20 not a receiver")
        << "RLX-31868-4-20-D" << int(I::TransmitterWithInputs) << false << false << true;
    QTest::newRow("receiver named transmitter")
        << "RLX-31868-DD receiver transmitter" << int(I::ReceiverDD) << true << false << true;
}

void TestIdentification::models()
{
    QFETCH(QString, hardware);
    const Identification id(hardware);
    QTEST(int(id.model()), "model");
    QTEST(id.isReceiver(), "receiver");
    QTEST(id.hasCurrentOutput(), "currentOutput");
    QTEST(id.isTransmitter(), "transmitter");
}

void TestIdentification::outputKind_data()
{
    QTest::addColumn<QString>("hardware");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("expected");
    QTest::newRow("AA at the start does not count") << "AA receiver" << 7 << 7;
    QTest::newRow("AA") << "xAA" << 7 << 0;
    QTest::newRow("AD") << "xAD" << 0 << 1;
    QTest::newRow("DD") << "RLX-31868-DD receiver" << 0 << 2;
    QTest::newRow("AD and DD") << "xAD DD" << 0 << 2;
    QTest::newRow("DD before AD still gives DD") << "xDD AD" << 0 << 2;
    QTest::newRow("none") << "RLX-31868-Vela-485" << 1 << 1;
}

void TestIdentification::outputKind()
{
    QFETCH(QString, hardware);
    QFETCH(int, current);
    QTEST(int(Identification(hardware).outType(quint8(current))), "expected");
}

void TestIdentification::firmwareVariant_data()
{
    QTest::addColumn<QString>("firmware");
    QTest::addColumn<QString>("digital");
    QTest::addColumn<int>("variant");
    QTest::newRow("second threshold itself") << "Aug  3 2022"
                                             << "8 3 2022" << 1;
    QTest::newRow("after the second") << "Aug  4 2022"
                                      << "8 4 2022" << 2;
    QTest::newRow("first threshold itself") << "Aug  1 2021"
                                            << "8 1 2021" << 0;
    QTest::newRow("after the first") << "Aug  2 2021"
                                     << "8 2 2021" << 1;
    QTest::newRow("two-digit day") << "Dec 25 2023"
                                   << "12 25 2023" << 2;
    QTest::newRow("July") << "July 30 2022"
                          << "7 30 2022" << 1;
    QTest::newRow("Jul is unreadable") << "Jul 30 2022"
                                       << "Jul 30 2022" << 0;
    QTest::newRow("June") << "Jun 15 2021"
                          << "6 15 2021" << 0;
    QTest::newRow("empty") << ""
                           << "" << 0;
    QTest::newRow("garbage") << "v1.2"
                             << "v1.2" << 0;
}

void TestIdentification::firmwareVariant()
{
    QFETCH(QString, firmware);
    QTEST(Identification::digitalDate(firmware), "digital");
    QTEST(int(Identification::firmwareVariant(firmware)), "variant");
}

QTEST_GUILESS_MAIN(TestIdentification)
#include "tst_identification.moc"
