#include "editors/w_power.h"
#include "editors/w_radio.h"
#include "editors/w_radiocommonleft.h"
#include "editors/w_rb.h"
#include "editors/w_subband.h"

#include <QComboBox>
#include <QDial>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using Reports = QList<QPair<QString, int>>;

static Reports reports(const QSignalSpy &spy, const QString &name = QString())
{
    Reports out;
    for (const QList<QVariant> &args : spy) {
        if (name.isEmpty() || args.at(0).toString() == name)
            out.append({args.at(0).toString(), args.at(1).toInt()});
    }
    return out;
}

static QStringList items(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

class TestRadioEditors : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        radio = new W_Radio;
        radio->connectControls(); // as the main window does
        radio->show();
        QVERIFY(QTest::qWaitForWindowExposed(radio));
        chanel = radio->findChild<QComboBox *>("Chanel");
        QVERIFY(chanel);
    }
    void cleanup() { delete radio; }

    void startState();
    void channelTexts_data();
    void channelTexts();
    void ratePressRebuildsChannelsAndResetsChannel();
    void rangeIndicatorFollowsRate();
    void channelPlanOfOtherBands();
    void serialTimeoutFloor_data();
    void serialTimeoutFloor();
    void testAddressModes();
    void powerDialReportsEveryPositionWhileDragged();

private:
    W_Rb *rateButton(int value) const
    {
        const auto box = radio->findChildren<QGroupBox *>();
        for (QGroupBox *group : box) {
            if (group->title() != "Radio Data Rate")
                continue;
            for (W_Rb *rb : group->findChildren<W_Rb *>())
                if (rb->value() == value)
                    return rb;
        }
        return nullptr;
    }
    static void click(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }

    W_Radio *radio = nullptr;
    QComboBox *chanel = nullptr;
};

void TestRadioEditors::startState()
{
    QCOMPARE(items(chanel),
             QStringList({"868.75 MHz", "868.85 MHz", "868.95 MHz", "869.05 MHz", "869.15 MHz"}));
    auto module = radio->findChild<QLineEdit *>("Radio module");
    auto firmware = radio->findChild<QLineEdit *>("FirmWare");
    QVERIFY(module && firmware);
    QCOMPARE(module->text(), QString("LE50-868"));
    QCOMPARE(firmware->text(), QString("x/x"));
    QVERIFY(!module->isEnabled() && !firmware->isEnabled());

    QGroupBox *subBand = nullptr;
    for (QGroupBox *group : radio->findChildren<QGroupBox *>())
        if (group->title() == "Sub-band")
            subBand = group;
    QVERIFY(subBand);
    QStringList enabled;
    for (W_Rb *rb : subBand->findChildren<W_Rb *>()) {
        QVERIFY(!rb->isChecked());
        if (rb->isEnabled())
            enabled << QString("%1 %2").arg(rb->value()).arg(rb->text());
    }
    QCOMPARE(enabled, QStringList({"2 g2 868.7-869.2 MHz"}));

    auto flow = radio->findChild<QComboBox *>("Flow control");
    QVERIFY(flow);
    QCOMPARE(items(flow), QStringList({"None", "HardWare"}));
    QCOMPARE(radio->findChild<QProgressBar *>()->value(), 0);
}

void TestRadioEditors::channelTexts_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("4800") << 0
                          << QStringList({"868.725 MHz", "868.775 MHz", "868.825 MHz",
                                          "868.875 MHz", "868.925 MHz", "868.975 MHz",
                                          "869.025 MHz", "869.075 MHz", "869.125 MHz",
                                          "869.175 MHz"});
    QTest::newRow("9600") << 1
                          << QStringList({"868.725 MHz", "868.775 MHz", "868.825 MHz",
                                          "868.875 MHz", "868.925 MHz", "868.975 MHz",
                                          "869.025 MHz", "869.075 MHz", "869.125 MHz",
                                          "869.175 MHz"});
    QTest::newRow("19200") << 2
                           << QStringList({"868.75 MHz", "868.85 MHz", "868.95 MHz", "869.05 MHz",
                                           "869.15 MHz"});
    QTest::newRow("38400") << 3 << QStringList({"868.8 MHz", "869 MHz"});
    QTest::newRow("115200") << 4 << QStringList({"868.95 MHz"});
}

void TestRadioEditors::channelTexts()
{
    QFETCH(int, rate);
    QFETCH(QStringList, expected);
    radio->setSpeed(3); // start from another plan
    QSignalSpy spy(radio, &W_QWidget::sgValueChange);
    radio->setSpeed(quint8(rate));
    QCOMPARE(items(chanel), expected);
    QCOMPARE(chanel->currentIndex(), 0);
    QCOMPARE(reports(spy).last(), qMakePair(QString("Chanel"), 0));

    spy.clear();
    radio->setSpeed(5); // no plan for this rate: the list stays
    radio->setSpeed(200);
    QCOMPARE(items(chanel), expected);
    QCOMPARE(spy.count(), 0);
}

void TestRadioEditors::ratePressRebuildsChannelsAndResetsChannel()
{
    W_Rb *rate1 = rateButton(1);
    QVERIFY(rate1);
    radio->setSpeed(0);
    radio->setValue("Chanel", 6);
    QSignalSpy spy(radio, &W_QWidget::sgValueChange);
    click(rate1);
    QCOMPARE(chanel->count(), 10);
    QCOMPARE(chanel->currentIndex(), 0);
    Reports chanelReports = reports(spy, "Chanel");
    QVERIFY(chanelReports.contains(qMakePair(QString("Chanel"), -1)));
    QCOMPARE(chanelReports.last().second, 0);
    QCOMPARE(reports(spy, "Radio Data Rate"), Reports({{"Radio Data Rate", 1}}));

    // The same button again: reported again, and the channel is reset again.
    radio->setValue("Chanel", 4);
    spy.clear();
    click(rate1);
    QVERIFY(rate1->isChecked());
    QCOMPARE(reports(spy, "Radio Data Rate"), Reports({{"Radio Data Rate", 1}}));
    QCOMPARE(reports(spy, "Chanel").last().second, 0);
    QCOMPARE(chanel->currentIndex(), 0);

    // A faster rate means fewer, wider channels.
    click(rateButton(3));
    QCOMPARE(items(chanel), QStringList({"868.8 MHz", "869 MHz"}));
}

void TestRadioEditors::rangeIndicatorFollowsRate()
{
    auto bar = radio->findChild<QProgressBar *>();
    QVERIFY(bar);
    for (int value = 0; value < 5; ++value) {
        click(rateButton(value));
        QCOMPARE(bar->value(), (5 - value) * 20);
    }
    // Set by name: no report, but the indicator follows.
    QSignalSpy spy(radio, &W_QWidget::sgValueChange);
    radio->setValue("Radio Data Rate", 1);
    QCOMPARE(bar->value(), 80);
    radio->setValue("Radio Data Rate", 9);
    QCOMPARE(bar->value(), 80);
    QCOMPARE(spy.count(), 0);
}

void TestRadioEditors::channelPlanOfOtherBands()
{
    auto subBand = radio->findChild<W_SubBand *>();
    subBand->setBand(8, 3, 869700, 870000);
    QCOMPARE(items(chanel), QStringList({"869.775 MHz", "869.925 MHz"}));
    subBand->setBand(0, 4, 868000, 868600);
    QCOMPARE(items(chanel), QStringList({"868.3 MHz"}));
    subBand->setBand(6, 4, 869400, 869650);
    QCOMPARE(chanel->count(), 0);
    QCOMPARE(chanel->currentIndex(), -1);
    subBand->setBand(6, 0, 869400, 869650);
    QCOMPARE(items(chanel), QStringList({"869.525 MHz"}));
    subBand->setBand(4, 0, 869400, 869650); // no such band
    QCOMPARE(items(chanel), QStringList({"869.525 MHz"}));
}

void TestRadioEditors::serialTimeoutFloor_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("floor");
    const int floors[] = {17, 9, 5, 3, 2, 2, 2, 2, 3, 3};
    for (int index = 0; index < 10; ++index)
        QTest::addRow("index %d", index) << index << floors[index];
    QTest::addRow("index 17") << 17 << 3;
}

void TestRadioEditors::serialTimeoutFloor()
{
    QFETCH(int, index);
    QFETCH(int, floor);
    auto timeout = radio->findChild<QSpinBox *>("Serial Timeout");
    QVERIFY(timeout);
    radio->setSerialRate(7);
    radio->setValue("Serial Timeout", 2);
    QCOMPARE(timeout->value(), 2);

    QSignalSpy spy(radio, &W_QWidget::sgValueChange);
    radio->setSerialRate(quint8(index));
    QCOMPARE(timeout->minimum(), floor);
    QCOMPARE(timeout->maximum(), 250);
    if (floor > 2)
        QCOMPARE(reports(spy), Reports({{"Serial Timeout", floor}}));
    else
        QCOMPARE(spy.count(), 0);
}

void TestRadioEditors::testAddressModes()
{
    auto address = radio->findChild<QSpinBox *>("Test address");
    auto inner = radio->findChild<W_RadioCommonLeft *>();
    QVERIFY(address && inner);
    QVERIFY(address->maximum() <= 255); // one byte on the device

    QSignalSpy spy(radio, &W_QWidget::sgValueChange);
    radio->setTestAddressEnabled(true);
    QCOMPARE(address->minimum(), 1);
    QCOMPARE(address->maximum(), 64);
    QVERIFY(address->isEnabled());
    QCOMPARE(reports(spy), Reports({{"Test address", 1}})); // raised from 0
    address->setFocus();
    QTest::keyClick(address, Qt::Key_Up);
    QCOMPARE(reports(spy).last(), qMakePair(QString("Test address"), 2));

    spy.clear();
    QSignalSpy innerSpy(inner, &W_QWidget::sgValueChange);
    radio->setTestAddressEnabled(false);
    QCOMPARE(address->value(), 255);
    QVERIFY(!address->isEnabled());
    QCOMPARE(reports(spy), Reports({{"Test address", 255}}));

    // Already showing 255: the main window hears nothing.
    spy.clear();
    innerSpy.clear();
    radio->setTestAddressEnabled(false);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(reports(innerSpy), Reports({{"Test address", 255}}));
}

void TestRadioEditors::powerDialReportsEveryPositionWhileDragged()
{
    auto dial = radio->findChild<W_Power *>("Power")->findChild<QDial *>();
    QVERIFY(dial);
    QSignalSpy spy(radio, &W_QWidget::sgValueChange);

    // Sweep the handle from the minimum (lower left) over the top to the
    // maximum (lower right) in small steps, holding the button down.
    const QPointF centre = QRectF(dial->rect()).center();
    const qreal radius = qMin(dial->width(), dial->height()) / 3.0;
    auto at = [&](qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return QPoint(qRound(centre.x() + radius * qCos(a)), qRound(centre.y() - radius * qSin(a)));
    };
    QTest::mousePress(dial, Qt::LeftButton, {}, at(240));
    for (qreal degrees = 236; degrees >= -60; degrees -= 4) {
        QMouseEvent move(QEvent::MouseMove, at(degrees), dial->mapToGlobal(at(degrees)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dial, &move);
    }
    QTest::mouseRelease(dial, Qt::LeftButton, {}, at(-60));

    Reports expected;
    for (int position = 1; position <= 7; ++position)
        expected.append({"Power", position});
    QCOMPARE(reports(spy), expected);

    spy.clear();
    radio->setValue("Power", 3);
    radio->setValue("Power", 256 + 3); // low 8 bits
    QCOMPARE(dial->value(), 3);
    QCOMPARE(reports(spy), Reports({{"Power", 3}}));
}

QTEST_MAIN(TestRadioEditors)
#include "tst_radioeditors.moc"
