#include "link/portlist.h"
#include "link/w_comport.h"
#include "tests/editors/reportlog.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>

class TestComPort : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("Orbelinex");
        QCoreApplication::setApplicationName("Rlx");
    }
    void init()
    {
        QSettings().clear();
        enumerations = 0;
    }
    void cleanup()
    {
        delete bar;
        bar = nullptr;
    }

    void startWithoutRememberedPort()
    {
        makeBar({"ttyS1", "ttyS0", "ttyUSB0"});
        QCOMPARE(items(), QStringList({"ttyS1", "ttyS0", "ttyUSB0"}));
        QCOMPARE(combo->currentText(), QString("ttyS1"));
        QCOMPARE(open->text(), QString("Connect"));
        QVERIFY(!QSettings().contains("PortName"));
        bar->slUpdatePortName();
        QCOMPARE(enumerations, 2); // one look per refresh, however many ports
    }

    void rememberedPortIsChosenByItsBeginning()
    {
        QSettings().setValue("PortName", "COM3");
        makeBar({"COM1", "COM3"});
        QCOMPARE(combo->currentText(), QString("COM3"));
        delete bar;

        QSettings().setValue("PortName", "COM10");
        makeBar({"COM2"});
        present << "COM1";
        bar->slUpdatePortName();
        QCOMPARE(combo->currentText(), QString("COM1"));

        // While connected a returning port is listed but not chosen.
        QSettings().setValue("PortName", "COM5");
        bar->setConnected(true); // remembers COM1
        present << "COM5";
        bar->slUpdatePortName();
        QCOMPARE(items(), QStringList({"COM2", "COM1", "COM5"}));
        QCOMPARE(combo->currentText(), QString("COM1"));
    }

    void portsFollowThePlugButNotWhileConnected()
    {
        makeBar({"ttyS0"});
        present = QStringList{"ttyUSB0", "ttyS0"};
        bar->slUpdatePortName();
        QCOMPARE(items(), QStringList({"ttyS0", "ttyUSB0"})); // new ones at the end
        combo->setCurrentIndex(1);
        bar->setConnected(true);
        QCOMPARE(open->text(), QString("Disconnect"));
        present = QStringList{"ttyS0"};
        bar->slUpdatePortName();
        QCOMPARE(items(), QStringList({"ttyS0", "ttyUSB0"}));
        QCOMPARE(combo->currentText(), QString("ttyUSB0"));
        bar->setConnected(false);
        bar->slUpdatePortName();
        QCOMPARE(items(), QStringList({"ttyS0"}));
        present.clear();
        bar->slUpdatePortName();
        QCOMPARE(bar->getText("PortName"), QString());
    }

    void rememberedOnlyOnConnecting()
    {
        makeBar({"ttyS0", "ttyUSB0"});
        QVERIFY(showAndWait(bar));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down); // the user picks ttyUSB0
        bar->setConnected(false);             // the port did not open
        QVERIFY(!QSettings().contains("PortName"));
        bar->setConnected(true);
        QCOMPARE(QSettings().value("PortName").toString(), QString("ttyUSB0"));
    }

    void reports()
    {
        makeBar({"ttyS0", "ttyS1"});
        bar->connectControls();
        QVERIFY(showAndWait(bar));
        ReportLog log(bar);
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::mouseClick(open, Qt::LeftButton);
        for (QPushButton *button : bar->findChildren<QPushButton *>())
            if (button != open)
                QTest::mouseClick(button, Qt::LeftButton); // the disabled one is silent
        QCOMPARE(log.take(), QStringList({"PortName=1", "PortName:ttyS1", "pbOpen=0",
                                          "Open Settings=0", "Save Settings=0"}));
    }

    void timerRefreshesEverySecond()
    {
        makeBar({"ttyS0"});
        present << "ttyACM0";
        QTest::qWait(500); // not before the tick
        QCOMPARE(combo->count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(combo->count(), 2, 1500);
        QCOMPARE(enumerations, 2);
    }

private:
    void makeBar(const QStringList &ports)
    {
        present = ports;
        auto source = [this] {
            ++enumerations;
            return present;
        };
        bar = new W_ComPort(nullptr, new PortList(source, {}));
        combo = bar->findChild<QComboBox *>("PortName");
        open = bar->findChild<QPushButton *>("pbOpen");
        QVERIFY(combo && open);
    }
    QStringList items() const
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    QStringList present;
    int enumerations = 0;
    W_ComPort *bar = nullptr;
    QComboBox *combo = nullptr;
    QPushButton *open = nullptr;
};

QTEST_MAIN(TestComPort)
#include "tst_comport.moc"
