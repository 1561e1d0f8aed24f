#include "editors/w_power.h"
#include "editors/w_radio.h"
#include "editors/w_radiocommonleft.h"
#include "editors/w_rb.h"
#include "tests/editors/reportlog.h"

#include <QComboBox>
#include <QDial>
#include <QGroupBox>
#include <QProgressBar>
#include <QSpinBox>

class TestRadioEditors : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        radio = new W_Radio;
        radio->connectControls(); // as the main window does
        QVERIFY(showAndWait(radio));
        log = new ReportLog(radio);
        chanel = radio->findChild<QComboBox *>("Chanel");
        QVERIFY(chanel);
    }
    void cleanup()
    {
        delete log;
        delete radio;
    }

    void channelTexts_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<QStringList>("expected");
        const QStringList ten = {"868.725 MHz", "868.775 MHz", "868.825 MHz", "868.875 MHz",
                                 "868.925 MHz", "868.975 MHz", "869.025 MHz", "869.075 MHz",
                                 "869.125 MHz", "869.175 MHz"};
        QTest::newRow("4800") << 0 << ten;
        QTest::newRow("9600") << 1 << ten;
        QTest::newRow("19200") << 2
                               << QStringList({"868.75 MHz", "868.85 MHz", "868.95 MHz",
                                               "869.05 MHz", "869.15 MHz"});
        QTest::newRow("38400") << 3 << QStringList({"868.8 MHz", "869 MHz"});
        QTest::newRow("115200") << 4 << QStringList({"868.95 MHz"});
    }
    void channelTexts()
    {
        QFETCH(int, rate);
        QFETCH(QStringList, expected);
        radio->setSpeed(quint8(rate));
        QCOMPARE(items(), expected);
        QCOMPARE(log->named("Chanel").last(), QString("Chanel=0"));
        log->take();
        radio->setSpeed(5); // no plan for this rate: the list stays
        QCOMPARE(items(), expected);
        QCOMPARE(log->take(), QStringList());
    }

    void ratePressRebuildsChannelsAndResetsChannel()
    {
        radio->setSpeed(0);
        radio->setValue("Chanel", 6);
        log->take();
        clickIndicator(rateButton(1));
        QCOMPARE(chanel->count(), 10);
        QCOMPARE(chanel->currentIndex(), 0);
        QVERIFY(log->entries.contains("Chanel=-1")); // emptied on the way
        QCOMPARE(log->named("Chanel").last(), QString("Chanel=0"));
        QCOMPARE(log->named("Radio Data Rate"), QStringList({"Radio Data Rate=1"}));

        // The checked button again: reported again, channel reset again.
        radio->setValue("Chanel", 4);
        log->take();
        clickIndicator(rateButton(1));
        QCOMPARE(log->named("Radio Data Rate"), QStringList({"Radio Data Rate=1"}));
        QCOMPARE(log->named("Chanel").last(), QString("Chanel=0"));
        clickIndicator(rateButton(3));
        QCOMPARE(items(), QStringList({"868.8 MHz", "869 MHz"}));
    }

    void rangeIndicatorFollowsRate()
    {
        auto bar = radio->findChild<QProgressBar *>();
        for (int value = 0; value < 5; ++value) {
            clickIndicator(rateButton(value));
            QCOMPARE(bar->value(), (5 - value) * 20);
        }
        log->take();
        radio->setValue("Radio Data Rate", 1); // by name: silent, but followed
        QCOMPARE(bar->value(), 80);
        radio->setValue("Radio Data Rate", 9);
        QCOMPARE(bar->value(), 80);
        QCOMPARE(log->take(), QStringList());
        auto dial = radio->findChild<W_Power *>("Power")->findChild<QDial *>();
        radio->setValue("Power", 256 + 3); // the low 8 bits
        QCOMPARE(dial->value(), 3);
        QCOMPARE(log->take(), QStringList({"Power=3"}));
    }

    void serialTimeoutFloor()
    {
        auto timeout = radio->findChild<QSpinBox *>("Serial Timeout");
        const int floors[] = {17, 9, 5, 3, 2, 2, 2, 2, 3, 3};
        for (quint8 index = 0; index < 10; ++index) {
            radio->setSerialRate(7);
            radio->setValue("Serial Timeout", 2);
            log->take();
            radio->setSerialRate(index);
            QCOMPARE(timeout->minimum(), floors[index]);
            // A value under the new floor is raised and reported.
            QCOMPARE(log->take(),
                     floors[index] > 2
                         ? QStringList({QString("Serial Timeout=%1").arg(floors[index])})
                         : QStringList());
        }
        radio->setSerialRate(17);
        QCOMPARE(timeout->minimum(), 3);
    }

    void testAddressModes()
    {
        auto address = radio->findChild<QSpinBox *>("Test address");
        QVERIFY(address->maximum() <= 255); // one byte on the device
        radio->setTestAddressEnabled(true);
        QVERIFY(address->isEnabled());
        QCOMPARE(address->maximum(), 64);
        address->setFocus();
        QTest::keyClick(address, Qt::Key_Up);
        QCOMPARE(log->take(), QStringList({"Test address=1", "Test address=2"}));

        radio->setTestAddressEnabled(false);
        QVERIFY(!address->isEnabled());
        QCOMPARE(address->value(), 255);
        QCOMPARE(log->take(), QStringList({"Test address=255"}));
        // Already 255: only the inner editor's own, unconnected signal fires.
        ReportLog innerLog(radio->findChild<W_RadioCommonLeft *>());
        radio->setTestAddressEnabled(false);
        QCOMPARE(log->take(), QStringList());
        QCOMPARE(innerLog.take(), QStringList({"Test address=255"}));
    }

private:
    QStringList items() const
    {
        QStringList out;
        for (int i = 0; i < chanel->count(); ++i)
            out << chanel->itemText(i);
        return out;
    }
    W_Rb *rateButton(int value) const
    {
        for (QGroupBox *group : radio->findChildren<QGroupBox *>())
            if (group->title() == "Radio Data Rate")
                for (W_Rb *rb : group->findChildren<W_Rb *>())
                    if (rb->value() == value)
                        return rb;
        return nullptr;
    }

    W_Radio *radio = nullptr;
    ReportLog *log = nullptr;
    QComboBox *chanel = nullptr;
};

QTEST_MAIN(TestRadioEditors)
#include "tst_radioeditors.moc"
