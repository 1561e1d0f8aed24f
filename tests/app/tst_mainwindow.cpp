#include "app/core.h"
#include "app/mainwindow.h"
#include "app/settingsfile.h"
#include "editors/w_rb.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "tests/modals.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

namespace {

// A virtual device on its own pseudo-terminal.
struct Device
{
    DeviceModel model;
    PtyDevice line{&model};

    Device(const QByteArray &hardware, const QByteArray &firmware = "Aug  4 2022")
    {
        model.setHardware(hardware);
        model.setFirmware(firmware);
        model.setReachable({1});
        QVERIFY2(line.open(), qPrintable(line.errorString()));
    }
};

template <typename T> T *child(QWidget *w, const QString &name)
{
    T *found = w->findChild<T *>(name);
    if (!found)
        qWarning() << "no control" << name;
    return found;
}

QPushButton *button(QWidget *w, const QString &name)
{
    return child<QPushButton>(w, name);
}

int progressOf(MainWindow &w)
{
    return w.findChild<QProgressBar *>()->value();
}

// Chooses the port in the connection bar and presses "Connect", as a user.
void pressConnect(MainWindow &w, const QString &port)
{
    auto *ports = child<QComboBox>(&w, "PortName");
    if (ports->findText(port) < 0)
        ports->addItem(port);
    ports->setCurrentIndex(ports->findText(port));
    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);
}

bool waitIdle(MainWindow &w, int ms = 10000)
{
    return QTest::qWaitFor([&] { return w.exchange()->queueLength() == 0 && progressOf(w) == 100; },
                           ms);
}

bool connectTo(MainWindow &w, Device &d)
{
    pressConnect(w, d.line.slavePath());
    return w.exchange()->isOpen() && waitIdle(w);
}

bool visible(MainWindow &w, const char *className)
{
    for (QWidget *child : w.findChildren<QWidget *>())
        if (QByteArray(child->metaObject()->className()) == className)
            return child->isVisibleTo(&w);
    qWarning() << "no panel" << className;
    return false;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void centring();
    void identification_data();
    void identification();
    void fullReadShowsTheDevice();
    void writeThenReadBack();
    void defaults_data();
    void defaults();
    void routingPacksTheRecord();
    void settingsFiles();
    void failedRequestQuestion();
    void portProblems();
    void unpluggedDuringRead();
};

void TestMainWindow::initTestCase()
{
    QApplication::setOrganizationName("Orbelinex");
    QApplication::setApplicationName("Rlx");
}

void TestMainWindow::centring()
{
    QCOMPARE(Core::centredPosition(QRect(0, 0, 1920, 1040), QSize(801, 600)), QPoint(559, 219));
    QCOMPARE(Core::centredPosition(QRect(100, 50, 800, 600), QSize(400, 300)), QPoint(299, 199));

    Core core;
    QVERIFY(core.window()->isVisible());
    QCOMPARE(core.window()->windowTitle(), QStringLiteral("RLX Vela Конфигуратор v.2.5.16"));
    // The start-up check leaves the twelve bytes and the port text behind.
    QFile file("test_rlx");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(),
             SettingsFile::toBytes(core.window()->settingsData()->settings).left(12 + 4 + 8));
}

void TestMainWindow::identification_data()
{
    QTest::addColumn<QByteArray>("hardware");
    QTest::addColumn<QByteArray>("firmware");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("transmitter");
    QTest::addColumn<bool>("warning");
    // Visible panels: calibration, measurement, serial, stability check, addresses, poll.
    QTest::addColumn<QString>("panels");

    QTest::newRow("4-20-D receiver, variant 2")
        << QByteArray("RLX-31868-4-20-D receiver") << QByteArray("Aug  4 2022") << 2 << 0 << false
        << "K..TAP";
    QTest::newRow("4-20 receiver, variant 1")
        << QByteArray("RLX-31868-4-20 receiver") << QByteArray("Aug  3 2022") << 1 << 0 << false
        << "K..TAP";
    QTest::newRow("DD receiver, variant 0")
        << QByteArray("RLX-31868-DD receiver") << QByteArray("Aug  1 2021") << 0 << 0 << true
        << "...TAP";
    QTest::newRow("RS-485") << QByteArray("RLX-31868-Vela-485") << QByteArray("Dec 12 2023") << 2
                            << 0 << false << "..STAP";
    QTest::newRow("RS-485 transmitter") << QByteArray("RLX-31868-Vela-485 transmitter")
                                        << QByteArray("Jul 12 2023") << 0 << 1 << true << "..STAP";
    QTest::newRow("transmitter with inputs")
        << QByteArray("RLX-31868-AD transmitter") << QByteArray("July 12 2022") << 1 << 1 << false
        << ".M....";
}

void TestMainWindow::identification()
{
    QFETCH(QByteArray, hardware);
    QFETCH(QByteArray, firmware);
    QFETCH(QString, panels);
    Modals modals;
    Device device(hardware, firmware);
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device));

    QCOMPARE(w.windowTitle(),
             QStringLiteral("RLX Vela Конфигуратор v.2.5.16  Hardware: %1  "
                            "Firmware: v.%2")
                 .arg(QString::fromLatin1(hardware), QString::fromLatin1(firmware)));
    QTEST(int(w.firmwareVariant()), "variant");
    QTEST(int(w.exchange()->firmwareVariant()), "variant");
    QTEST(w.isTransmitter(), "transmitter");
    QTEST(modals.texts.contains(QStringLiteral("Убедитесь в актуальности FirmWare")), "warning");
    QVERIFY(modals.texts.count(QStringLiteral("Убедитесь в актуальности FirmWare")) <= 1);

    QString shown;
    shown += visible(w, "Kalibr") ? 'K' : '.';
    shown += visible(w, "Measure") ? 'M' : '.';
    shown += visible(w, "W_Rs485") ? 'S' : '.';
    shown += visible(w, "W_Test") ? 'T' : '.';
    shown += visible(w, "AdresArray") ? 'A' : '.';
    shown += visible(w, "ReqPeriod") ? 'P' : '.';
    QCOMPARE(shown, panels);
    QCOMPARE(child<QLineEdit>(&w, "Radio module")->text(), QStringLiteral("LE50-868"));
    QCOMPARE(child<QLineEdit>(&w, "FirmWare")->text(), QStringLiteral("LE50-868 V2.3.1"));

    // The outputs editor is offered only by the newest firmware.
    QFETCH(int, variant);
    for (QWidget *c : w.findChildren<QWidget *>())
        if (QByteArray(c->metaObject()->className()) == "w_NumOfDown")
            QCOMPARE(c->isVisibleTo(c->parentWidget()), variant == 2);
    QCOMPARE(child<QPushButton>(&w, "pbOpen")->text(), QStringLiteral("Disconnect"));

    // Disconnecting keeps the arrangement and disables everything but the address list.
    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);
    QVERIFY(!w.exchange()->isOpen());
    QCOMPARE(w.windowTitle(), QStringLiteral("RLX Vela Конфигуратор v.2.5.16"));
    QCOMPARE(child<QLineEdit>(&w, "FirmWare")->text(), QStringLiteral("x/x"));
    QCOMPARE(child<QLineEdit>(&w, "Radio module")->text(), QString());
    QCOMPARE(child<QPushButton>(&w, "pbOpen")->text(), QStringLiteral("Connect"));
    QVERIFY(!button(&w, "WRITE")->isEnabled());
    QVERIFY(w.findChild<QWidget *>("PortName")->isEnabled());
    for (QWidget *c : w.findChildren<QWidget *>())
        if (QByteArray(c->metaObject()->className()) == "AdresArray")
            QVERIFY(c->isEnabled());
}

void TestMainWindow::fullReadShowsTheDevice()
{
    Modals modals;
    Device device("RLX-31868-Vela-485");
    DeviceModel::Config c;
    c.testAdres = 255;
    c.serialRate = 5;
    c.delRxTx = 12;
    c.delTxRx = 34;
    c.parity = 2;
    c.radioTransmitReset = 70;
    c.wdtReset = 20;
    c.stopBit = 1;
    c.adreses = 0x8000000000000005ull;
    c.delRequest = 30;
    c.numOfDown = 0xB5;
    c.radioModuleReset = 9;
    device.model.setConfig(c);
    device.model.setReg(206, 3);
    device.model.setReg(201, 2);
    device.model.setReg(200, 4);
    device.model.setReg(202, 5);
    device.model.setReg(214, 9); // above the floor of serial rate 5, below that of rate 0
    device.model.setReg(216, 0);
    device.model.setAveraging({0x85, 0x43, 7, 9});

    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device));
    QVERIFY(modals.texts.isEmpty());

    const DeviceSettings &s = w.settingsData()->settings;
    QCOMPARE(int(s.subBand), 3);
    QCOMPARE(int(s.radioRate), 2);
    QCOMPARE(int(s.chanel), 4);
    QCOMPARE(int(s.power), 5);
    QCOMPARE(int(s.serialTimeout), 9);
    QCOMPARE(int(s.flowControl), 0);
    QCOMPARE(int(s.testAdres), 255);
    QCOMPARE(int(s.serialRate), 5);
    QCOMPARE(int(s.delRxTx), 12);
    QCOMPARE(int(s.delTxRx), 34);
    QCOMPARE(int(s.parity), 2);
    QCOMPARE(int(s.radioTransmitReset), 70);
    QCOMPARE(int(s.wdtReset), 20);
    QCOMPARE(int(s.stopBit), 1);
    QCOMPARE(int(s.delRequest), 30);
    QCOMPARE(int(s.numOfDown), 0xB5);
    QCOMPARE(int(s.radioModuleReset), 9);
    QCOMPARE(int(s.averaging1), 0x85);
    QCOMPARE(int(s.averaging2), 0x43);
    QCOMPARE(int(s.diskret1), 7);
    QCOMPARE(int(s.diskret2), 9);

    // The editors show the same values.
    QCOMPARE(child<QSpinBox>(&w, "Serial Timeout")->value(), 9);
    QCOMPARE(child<QSpinBox>(&w, "Test address")->value(), 255);
    QCOMPARE(child<QSpinBox>(&w, "Delay Tx-Rx")->value(), 34);
    QCOMPARE(child<QSpinBox>(&w, "Delay Rx-Tx")->value(), 12);
    QCOMPARE(child<QComboBox>(&w, "Parity")->currentIndex(), 2);
    QCOMPARE(child<QComboBox>(&w, "Stop bit")->currentIndex(), 1);
    QCOMPARE(child<QComboBox>(&w, "Chanel")->currentIndex(), 4);
    QCOMPARE(child<QComboBox>(&w, "Flow control")->currentIndex(), 1);
    QCOMPARE(child<QSpinBox>(&w, "Requests period")->value(), 30);
    QCOMPARE(child<QSpinBox>(&w, "Num of down")->value(), 5);
    QCOMPARE(child<QLineEdit>(&w, "FirmWare")->text(), QStringLiteral("LE50-868 V2.3.1"));
    QCOMPARE(progressOf(w), 100);
}

void TestMainWindow::writeThenReadBack()
{
    Modals modals;
    Device device("RLX-31868-Vela-485");
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device));

    // Edits as a user makes them.
    child<QSpinBox>(&w, "Delay Tx-Rx")->setValue(77);
    child<QSpinBox>(&w, "Delay Rx-Tx")->setValue(66);
    child<QComboBox>(&w, "Parity")->setCurrentIndex(1);
    child<QComboBox>(&w, "Flow control")->setCurrentIndex(0);
    child<QSpinBox>(&w, "Requests period")->setValue(12);
    child<QSpinBox>(&w, "Num of down")->setValue(6);
    QTest::mouseClick(button(&w, "WRITE"), Qt::LeftButton);
    QVERIFY(waitIdle(w));
    QVERIFY(modals.texts.isEmpty());

    const DeviceModel::Config c = device.model.config();
    const DeviceSettings &s = w.settingsData()->settings;
    QCOMPARE(int(c.delTxRx), 77);
    QCOMPARE(int(c.delRxTx), 66);
    QCOMPARE(int(c.parity), 1);
    QCOMPARE(int(c.delRequest), 12);
    QCOMPARE(int(c.numOfDown & 0x0F), 6);
    QCOMPARE(int(c.testAdres), 255); // not a transmitter
    QCOMPARE(device.model.reg(216), 2);
    // The read-back after the write leaves the record equal to the device.
    QCOMPARE(int(s.delTxRx), 77);
    QCOMPARE(int(s.flowControl), 2);
    QCOMPARE(int(s.numOfDown), int(c.numOfDown));
    QCOMPARE(child<QSpinBox>(&w, "Delay Tx-Rx")->value(), 77);
    QCOMPARE(child<QComboBox>(&w, "Flow control")->currentIndex(), 0);
}

void TestMainWindow::defaults_data()
{
    QTest::addColumn<QByteArray>("hardware");
    QTest::addColumn<int>("moduleRate");
    QTest::addColumn<int>("wdtReset");
    // The module answers at the recorded rate for the receiver; the RS-485
    // model's module sits at rate 0, so the search has to find it.
    QTest::newRow("receiver") << QByteArray("RLX-31868-4-20-D receiver") << 3 << 0;
    QTest::newRow("RS-485") << QByteArray("RLX-31868-Vela-485") << 0 << 9;
}

void TestMainWindow::defaults()
{
    QFETCH(QByteArray, hardware);
    QFETCH(int, moduleRate);
    Modals modals;
    Device device(hardware);
    device.model.setModuleRate(moduleRate);
    device.model.setLinkRate(moduleRate);
    DeviceModel::Config c = device.model.config();
    c.serialRate = 3;
    c.wdtReset = 55;
    device.model.setConfig(c);
    device.model.setReg(202, 1);
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device));

    QTest::mouseClick(button(&w, "DEFAULT"), Qt::LeftButton);
    QVERIFY(waitIdle(w, 30000));
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('|')));
    QTEST(int(device.model.config().wdtReset), "wdtReset");
    QCOMPARE(device.model.reg(202), 7);
    QCOMPARE(device.model.reg(206), 2);
    QCOMPARE(int(device.model.config().testAdres), 255);
    QCOMPARE(int(device.model.config().radioTransmitReset), 50);
    QCOMPARE(device.model.config().adreses, quint64(1));
    QCOMPARE(int(w.settingsData()->settings.power), 7);
}

void TestMainWindow::routingPacksTheRecord()
{
    MainWindow w;
    w.show();
    DeviceSettings &s = w.settingsData()->settings;

    s.numOfDown = 0xB3;
    child<QSpinBox>(&w, "Num of down")->setValue(5);
    QCOMPARE(int(s.numOfDown), 0xB5);

    s.averaging1 = 5;
    child<QComboBox>(&w, "TypeAveraging1")->setCurrentIndex(2);
    QCOMPARE(int(s.averaging1), 0x85);
    child<QSpinBox>(&w, "Averaging1")->setValue(10);
    QCOMPARE(int(s.averaging1), 0x8A);

    child<QComboBox>(&w, "Flow control")->setCurrentIndex(1);
    QCOMPARE(int(s.flowControl), 0);
    child<QComboBox>(&w, "Flow control")->setCurrentIndex(0);
    QCOMPARE(int(s.flowControl), 2);

    // A new serial rate starts from the module's smallest time-out.
    for (auto [rate, timeout] : {std::pair{3, 3}, std::pair{7, 2}, std::pair{0, 17}}) {
        QGroupBox *group = nullptr;
        for (QGroupBox *g : w.findChildren<QGroupBox *>())
            if (g->title() == "Serial Data Rate")
                group = g;
        QVERIFY(group);
        W_Rb *rb = nullptr;
        for (W_Rb *b : group->findChildren<W_Rb *>())
            if (b->value() == rate)
                rb = b;
        QVERIFY(rb);
        // On the button's indicator: a wide button takes clicks only there and on its text.
        QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(6, rb->height() / 2));
        QCOMPARE(int(s.serialRate), rate);
        QCOMPARE(int(s.serialTimeout), timeout);
        QCOMPARE(child<QSpinBox>(&w, "Serial Timeout")->value(), timeout);
    }

    // Freeze Protection shows the reset panel on the first press, hides it on the next.
    QVERIFY(!visible(w, "W_FreezProtection"));
    QTest::mouseClick(button(&w, "Freeze Protection"), Qt::LeftButton);
    QVERIFY(visible(w, "W_FreezProtection"));
    QTest::mouseClick(button(&w, "Freeze Protection"), Qt::LeftButton);
    QVERIFY(!visible(w, "W_FreezProtection"));
}

void TestMainWindow::settingsFiles()
{
    Modals modals;
    MainWindow w;
    w.show();
    DeviceSettings &s = w.settingsData()->settings;
    child<QSpinBox>(&w, "Delay Tx-Rx")->setValue(42);
    child<QSpinBox>(&w, "Requests period")->setValue(9);
    const QByteArray expected = SettingsFile::toBytes(s);

    modals.fileName = QDir::current().filePath("saved.rlx");
    QTest::mouseClick(button(&w, "Save Settings"), Qt::LeftButton);
    QCOMPARE(modals.fileDialogs, 1);
    QFile saved(modals.fileName);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), expected);
    saved.close();

    // Opening brings the file's values back into the record and the editors.
    child<QSpinBox>(&w, "Delay Tx-Rx")->setValue(1);
    QTest::mouseClick(button(&w, "Open Settings"), Qt::LeftButton);
    QCOMPARE(int(s.delTxRx), 42);
    QCOMPARE(child<QSpinBox>(&w, "Delay Tx-Rx")->value(), 42);
    QCOMPARE(child<QSpinBox>(&w, "Requests period")->value(), 9);
    QVERIFY(modals.texts.isEmpty());

    // A truncated file is refused, with a message, and changes nothing.
    QFile cut("cut.rlx");
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(expected.left(20));
    cut.close();
    child<QSpinBox>(&w, "Delay Tx-Rx")->setValue(3);
    const QByteArray before = SettingsFile::toBytes(s);
    modals.fileName = QDir::current().filePath("cut.rlx");
    QTest::mouseClick(button(&w, "Open Settings"), Qt::LeftButton);
    QCOMPARE(modals.texts.size(), 1);
    QCOMPARE(SettingsFile::toBytes(s), before);
    QCOMPARE(child<QSpinBox>(&w, "Delay Tx-Rx")->value(), 3);

    // A cancelled dialog does nothing.
    modals.fileName.clear();
    QTest::mouseClick(button(&w, "Open Settings"), Qt::LeftButton);
    QCOMPARE(SettingsFile::toBytes(s), before);
    QCOMPARE(modals.texts.size(), 1);
}

void TestMainWindow::failedRequestQuestion()
{
    Modals modals;
    Device device("RLX-31868-Vela-485");
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device));

    // The device no longer answers the power register.
    device.line.faults().rules = {{"ATS202?", -1, -1}};
    device.line.clearRecords();
    modals.question = QMessageBox::No;
    QTest::mouseClick(button(&w, "READ"), Qt::LeftButton);
    QVERIFY(waitIdle(w, 8000));
    QCOMPARE(modals.texts, QStringList{QStringLiteral("Ошибка выполнения команды. Продолжить?")});
    QCOMPARE(modals.titles.value(0), QStringLiteral("ATS202?\r"));
    // "No" dropped the rest of the read.
    QVERIFY(!device.line.requests().contains("ATO\r"));

    modals.texts.clear();
    device.line.clearRecords();
    modals.question = QMessageBox::Yes;
    QTest::mouseClick(button(&w, "READ"), Qt::LeftButton);
    QVERIFY(waitIdle(w, 8000));
    QCOMPARE(modals.texts.size(), 1);
    // "Yes" went on with the rest.
    QVERIFY(device.line.requests().contains("ATO\r"));
}

void TestMainWindow::portProblems()
{
    Modals modals;
    MainWindow w;
    w.show();
    pressConnect(w, "/dev/rlx-no-such-port");
    QVERIFY(!w.exchange()->isOpen());
    QCOMPARE(modals.texts.size(), 1);
    QVERIFY2(modals.texts.at(0).contains("was not found"), qPrintable(modals.texts.at(0)));
    QCOMPARE(child<QPushButton>(&w, "pbOpen")->text(), QStringLiteral("Connect"));

    // A port another program holds.
    Device device("RLX-31868-Vela-485");
    QSerialPort other(device.line.slavePath());
    QVERIFY(other.open(QIODevice::ReadWrite));
    pressConnect(w, device.line.slavePath());
    QVERIFY(!w.exchange()->isOpen());
    QCOMPARE(modals.texts.size(), 2);
    QVERIFY2(modals.texts.at(1).contains("in use"), qPrintable(modals.texts.at(1)));
}

void TestMainWindow::unpluggedDuringRead()
{
    Modals modals;
    Device device("RLX-31868-Vela-485");
    MainWindow w;
    w.show();
    device.line.faults().hangUpAfter = 5;
    pressConnect(w, device.line.slavePath());
    QVERIFY(QTest::qWaitFor([&] { return !w.exchange()->isOpen(); }, 5000));
    QTRY_COMPARE(modals.texts.size(), 1);
    QVERIFY(modals.texts.at(0).contains("lost"));
    QCOMPARE(child<QPushButton>(&w, "pbOpen")->text(), QStringLiteral("Connect"));
    QCOMPARE(child<QLineEdit>(&w, "FirmWare")->text(), QStringLiteral("x/x"));
    QCOMPARE(w.windowTitle(), QStringLiteral("RLX Vela Конфигуратор v.2.5.16"));
    QVERIFY(!button(&w, "READ")->isEnabled());
    QCOMPARE(w.exchange()->queueLength(), 0);
    QTest::qWait(300);
    QCOMPARE(modals.texts.size(), 1);

    // A fresh device connects without restarting anything.
    Device fresh("RLX-31868-Vela-485");
    QVERIFY(connectTo(w, fresh));
    QCOMPARE(int(w.settingsData()->settings.testAdres), int(fresh.model.config().testAdres));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
