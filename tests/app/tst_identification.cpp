#include "session/identification.h"

#include <QtTest>

class TestIdentification : public QObject
{
    Q_OBJECT

private slots:
    // Rows: the identity's hardware text, a receiver's in full (shown models: tst_windowmodels).
    void models_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("kinds"); // receiver, current output, transmitter
        QTest::addColumn<int>("outType");   // with 7 as the kind before
        using I = Identification;
        QTest::newRow("RLX-31868-4-20 receiver AA") << int(I::Receiver420) << "RC." << 0;
        QTest::newRow("RLX-31868-AD transmitter") << int(I::TransmitterWithInputs) << "..T" << 1;
        // "AA" at the very start does not count.
        QTest::newRow("AA something") << int(I::TransmitterWithInputs) << "..T" << 7;
        // Without the word "receiver" the 4-20 names do not make a receiver.
        QTest::newRow("RLX-31868-4-20-D") << int(I::TransmitterWithInputs) << "..T" << 7;
        QTest::newRow("RLX-31868-DD receiver transmitter") << int(I::ReceiverDD) << "R.T" << 2;
        QTest::newRow("xDD AD") << int(I::TransmitterWithInputs) << "..T" << 2;
    }

    void models()
    {
        const Identification id(QTest::currentDataTag());
        QTEST(int(id.model()), "model");
        QTEST(QString(id.isReceiver() ? "R" : ".") + (id.hasCurrentOutput() ? "C" : ".") +
                  (id.isTransmitter() ? "T" : "."),
              "kinds");
        QTEST(int(id.outType(7)), "outType");
    }

    // Rows are named by the firmware date of the identity reply.
    void firmwareVariant_data()
    {
        QTest::addColumn<QString>("digital");
        QTest::addColumn<int>("variant");
        QTest::newRow("Aug  3 2022") << "8 3 2022" << 1; // the second threshold itself
        QTest::newRow("Aug  4 2022") << "8 4 2022" << 2;
        QTest::newRow("Aug  1 2021") << "8 1 2021" << 0; // the first threshold itself
        QTest::newRow("Aug  2 2021") << "8 2 2021" << 1;
        QTest::newRow("Dec 25 2023") << "12 25 2023" << 2;
        QTest::newRow("July 30 2022") << "7 30 2022" << 1; // the firmware's own spelling
        QTest::newRow("Jul 30 2022") << "Jul 30 2022" << 0;
    }

    void firmwareVariant()
    {
        const QString firmware = QTest::currentDataTag();
        QTEST(Identification::digitalDate(firmware), "digital");
        QTEST(int(Identification::firmwareVariant(firmware)), "variant");
    }

    // A firmware text is a date that exists, spelt as the firmware spells it.
    void plausibleFirmware()
    {
        for (const char *yes : {"Aug  4 2022", "July 30 2022", "Feb 29 2024"})
            QVERIFY2(Identification::plausibleFirmware(yes), yes);
        for (const char *no : {"Feb 30 2022", "Feb 29 2023", "Aug 32 2022", "Aug 4 2022", "v1.2"})
            QVERIFY2(!Identification::plausibleFirmware(no), no);
    }
};

QTEST_GUILESS_MAIN(TestIdentification)
#include "tst_identification.moc"
