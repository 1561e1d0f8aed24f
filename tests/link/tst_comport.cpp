#include "link/portlist.h"
#include "link/w_comport.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

using Reports = QList<QPair<QString, int>>;

static QStringList items(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

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
        present.clear();
        enumerations = 0;
    }
    void cleanup()
    {
        delete bar;
        bar = nullptr;
    }

    void startWithoutRememberedPort();
    void startSelectsRememberedPort();
    void rememberedNameSelectsByItsBeginning();
    void portsFollowThePlugWhileDisconnected();
    void connectedKeepsAnUnpluggedPort();
    void rememberOnlyOnConnecting();
    void reports();
    void timerRefreshesEverySecond();

private:
    // A bar that sees the ports of `present`, enumerated once per refresh.
    void makeBar()
    {
        auto ports = new PortList(
            [this] {
                ++enumerations;
                return present;
            },
            {});
        bar = new W_ComPort(nullptr, ports);
        combo = bar->findChild<QComboBox *>("PortName");
        open = bar->findChild<QPushButton *>("pbOpen");
        QVERIFY(combo && open);
    }

    QStringList present;
    int enumerations = 0;
    W_ComPort *bar = nullptr;
    QComboBox *combo = nullptr;
    QPushButton *open = nullptr;
};

void TestComPort::startWithoutRememberedPort()
{
    present = QStringList{"ttyS1", "ttyS0", "ttyUSB0"};
    makeBar();
    QCOMPARE(items(combo), present);
    QCOMPARE(combo->currentText(), QString("ttyS1"));
    QCOMPARE(open->text(), QString("Connect"));
    QCOMPARE(enumerations, 1);
    QVERIFY(!QSettings().contains("PortName"));

    // One look at the ports per refresh, however many are listed.
    bar->slUpdatePortName();
    QCOMPARE(enumerations, 2);
}

void TestComPort::startSelectsRememberedPort()
{
    QSettings().setValue("PortName", "COM3");
    present = QStringList{"COM1", "COM3"};
    makeBar();
    QCOMPARE(items(combo), present);
    QCOMPARE(combo->currentText(), QString("COM3"));
}

void TestComPort::rememberedNameSelectsByItsBeginning()
{
    QSettings().setValue("PortName", "COM10");
    present = QStringList{"COM2"};
    makeBar();
    QCOMPARE(combo->currentText(), QString("COM2"));
    present << "COM1";
    bar->slUpdatePortName();
    QCOMPARE(combo->currentText(), QString("COM1"));

    // While connected a returning port is listed but not chosen.
    combo->setCurrentIndex(0);
    bar->setConnected(true); // remembers COM2 now
    QSettings().setValue("PortName", "COM5");
    present << "COM5";
    bar->slUpdatePortName();
    QCOMPARE(items(combo), QStringList({"COM2", "COM1", "COM5"}));
    QCOMPARE(combo->currentText(), QString("COM2"));
}

void TestComPort::portsFollowThePlugWhileDisconnected()
{
    present = QStringList{"ttyS0"};
    makeBar();
    present = QStringList{"ttyUSB0", "ttyS0"};
    bar->slUpdatePortName();
    QCOMPARE(items(combo), QStringList({"ttyS0", "ttyUSB0"})); // new ones at the end
    present = QStringList{"ttyS0"};
    bar->slUpdatePortName();
    QCOMPARE(items(combo), QStringList({"ttyS0"}));
    present.clear();
    bar->slUpdatePortName();
    QCOMPARE(combo->count(), 0);
    QCOMPARE(bar->getText("PortName"), QString());
}

void TestComPort::connectedKeepsAnUnpluggedPort()
{
    present = QStringList{"ttyS0", "ttyUSB0"};
    makeBar();
    combo->setCurrentIndex(1);
    bar->setConnected(true);
    QCOMPARE(open->text(), QString("Disconnect"));
    present = QStringList{"ttyS0"};
    bar->slUpdatePortName();
    bar->slUpdatePortName();
    QCOMPARE(items(combo), QStringList({"ttyS0", "ttyUSB0"}));
    QCOMPARE(combo->currentText(), QString("ttyUSB0"));

    bar->setConnected(false);
    QCOMPARE(open->text(), QString("Connect"));
    bar->slUpdatePortName();
    QCOMPARE(items(combo), QStringList({"ttyS0"}));
}

void TestComPort::rememberOnlyOnConnecting()
{
    present = QStringList{"ttyS0", "ttyUSB0"};
    makeBar();
    bar->show();
    QVERIFY(QTest::qWaitForWindowExposed(bar));
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down); // the user picks ttyUSB0
    bar->setConnected(false);             // a failed connection
    QVERIFY(!QSettings().contains("PortName"));
    bar->setConnected(true);
    QCOMPARE(QSettings().value("PortName").toString(), QString("ttyUSB0"));

    // Remembered across runs: a new bar picks it when it appears.
    delete bar;
    bar = nullptr;
    present = QStringList{"ttyS0"};
    makeBar();
    present << "ttyUSB0";
    bar->slUpdatePortName();
    QCOMPARE(combo->currentText(), QString("ttyUSB0"));
}

void TestComPort::reports()
{
    present = QStringList{"ttyS0", "ttyS1"};
    makeBar();
    bar->connectControls();
    bar->show();
    QVERIFY(QTest::qWaitForWindowExposed(bar));
    QStringList log;
    connect(bar, &W_QWidget::sgValueChange, this,
            [&](const QString &n, int v) { log << QString("%1=%2").arg(n).arg(v); });
    connect(bar, &W_QWidget::sgTextChange, this,
            [&](const QString &n, const QString &v) { log << QString("%1:%2").arg(n, v); });

    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    QTest::mouseClick(open, Qt::LeftButton);
    QTest::mouseClick(bar->findChild<QPushButton *>("Open Settings"), Qt::LeftButton);
    QTest::mouseClick(bar->findChild<QPushButton *>("Save Settings"), Qt::LeftButton);
    QPushButton *remote = nullptr;
    for (QPushButton *b : bar->findChildren<QPushButton *>())
        if (b->text() == "Configure Remote Device")
            remote = b;
    QVERIFY(remote && !remote->isEnabled());
    QTest::mouseClick(remote, Qt::LeftButton);
    QCOMPARE(log, QStringList({"PortName=1", "PortName:ttyS1", "pbOpen=0", "Open Settings=0",
                               "Save Settings=0"}));
}

void TestComPort::timerRefreshesEverySecond()
{
    present = QStringList{"ttyS0"};
    makeBar();
    present << "ttyACM0";
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(combo->count(), 2, 1500);
    QVERIFY(clock.elapsed() <= 1100);
    QCOMPARE(enumerations, 2);
}

QTEST_MAIN(TestComPort)
#include "tst_comport.moc"
