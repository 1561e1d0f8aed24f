#include "editors/w_freezprotection.h"
#include "editors/w_numofdown.h"
#include "editors/w_rb.h"
#include "editors/w_reset.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using Reports = QList<QPair<QString, int>>;

// Reports under `name` only: the controls inside a reset timer are wired too
// and report with an empty name, which nobody routes.
static Reports reports(const QSignalSpy &spy, const QString &name)
{
    Reports out;
    for (const QList<QVariant> &args : spy)
        if (args.at(0).toString() == name)
            out.append({name, args.at(1).toInt()});
    return out;
}

static void clickCheck(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

class TestResetEditors : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void switchingOnRestoresTheDefault();
    void setValueShowsDeviceValues();
    void radioTransmitResetRange();
    void outputGroupsByKind_data();
    void outputGroupsByKind();
    void retitledGroupReportsUnderItsNewTitle();
    void prefixSetsBothDiscreteGroups();

private:
    W_FreezProtection *freeze = nullptr;
    w_NumOfDown *outputs = nullptr;
    w_Reset *wdt = nullptr;
    QCheckBox *wdtCheck = nullptr;
    QSpinBox *wdtSpin = nullptr;

    QGroupBox *group(const QString &title) const
    {
        for (QGroupBox *box : outputs->findChildren<QGroupBox *>())
            if (box->title() == title)
                return box;
        return nullptr;
    }
};

void TestResetEditors::init()
{
    freeze = new W_FreezProtection;
    freeze->connectControls();
    freeze->show();
    outputs = new w_NumOfDown;
    outputs->connectControls();
    outputs->show();
    QVERIFY(QTest::qWaitForWindowExposed(freeze));
    QVERIFY(QTest::qWaitForWindowExposed(outputs));
    wdt = freeze->findChild<w_Reset *>("WDT Reset");
    QVERIFY(wdt);
    QCOMPARE(freeze->wdtReset(), wdt);
    wdtCheck = wdt->findChild<QCheckBox *>();
    wdtSpin = wdt->findChild<QSpinBox *>();
    QVERIFY(wdtCheck && wdtSpin);
}

void TestResetEditors::cleanup()
{
    delete freeze;
    delete outputs;
}

void TestResetEditors::switchingOnRestoresTheDefault()
{
    QCOMPARE(wdtCheck->text(), QString("WDT Reset"));
    QCOMPARE(wdtSpin->singleStep(), 10);
    QCOMPARE(wdtSpin->minimum(), 10);
    QCOMPARE(wdtSpin->maximum(), 2500);

    QSignalSpy spy(freeze, &W_QWidget::sgValueChange);
    clickCheck(wdtCheck);
    QVERIFY(wdtSpin->isEnabled());
    QCOMPARE(wdtSpin->value(), 90);
    QCOMPARE(reports(spy, "WDT Reset").last().second, 9);

    wdtSpin->setFocus();
    QTest::keyClick(wdtSpin, Qt::Key_Up);
    QTest::keyClick(wdtSpin, Qt::Key_Up);
    QCOMPARE(wdtSpin->value(), 110);
    QCOMPARE(reports(spy, "WDT Reset").last().second, 11);

    spy.clear();
    clickCheck(wdtCheck);
    QVERIFY(!wdtSpin->isEnabled());
    QCOMPARE(reports(spy, "WDT Reset"), Reports({{"WDT Reset", 0}}));

    spy.clear();
    clickCheck(wdtCheck); // back on: the default, not the last 110
    QCOMPARE(wdtSpin->value(), 90);
    const Reports on = reports(spy, "WDT Reset");
    QVERIFY(!on.isEmpty());
    for (const auto &report : on)
        QCOMPARE(report.second, 9);

    // The other timer restores its own default whatever it showed.
    auto module = freeze->findChild<w_Reset *>("Radio Module Reset");
    QVERIFY(module);
    freeze->setValue("Radio Module Reset", 20);
    auto moduleCheck = module->findChild<QCheckBox *>();
    clickCheck(moduleCheck);
    spy.clear();
    clickCheck(moduleCheck);
    QCOMPARE(module->findChild<QSpinBox *>()->value(), 60);
    QCOMPARE(reports(spy, "Radio Module Reset").last().second, 6);
}

void TestResetEditors::setValueShowsDeviceValues()
{
    QSignalSpy spy(freeze, &W_QWidget::sgValueChange);
    freeze->setValue("WDT Reset", 9);
    QVERIFY(wdtCheck->isChecked());
    QVERIFY(wdtSpin->isEnabled());
    QCOMPARE(wdtSpin->value(), 90);
    QCOMPARE(reports(spy, "WDT Reset"), Reports({{"WDT Reset", 9}}));

    spy.clear();
    freeze->setValue("WDT Reset", 9); // already shown
    QCOMPARE(reports(spy, "WDT Reset"), Reports());

    freeze->setValue("WDT Reset", 0); // shows 90: falls to the minimum
    QVERIFY(!wdtCheck->isChecked());
    QVERIFY(!wdtSpin->isEnabled());
    QCOMPARE(wdtSpin->value(), 10);
    QCOMPARE(reports(spy, "WDT Reset"), Reports({{"WDT Reset", 0}}));

    spy.clear();
    freeze->setValue("WDT Reset", 0); // already at the minimum
    QCOMPARE(reports(spy, "WDT Reset"), Reports());

    // The switch handler did not run: no default restored, and a later
    // switch by hand still works.
    freeze->setValue("WDT Reset", 1000);
    QCOMPARE(wdtSpin->value(), 2500);
    QCOMPARE(reports(spy, "WDT Reset"), Reports({{"WDT Reset", 250}}));
    spy.clear();
    clickCheck(wdtCheck);
    QCOMPARE(reports(spy, "WDT Reset"), Reports({{"WDT Reset", 0}}));
}

void TestResetEditors::radioTransmitResetRange()
{
    auto spin = freeze->findChild<QSpinBox *>("Radio Transmit Reset");
    QVERIFY(spin);
    QSignalSpy spy(freeze, &W_QWidget::sgValueChange);
    freeze->setValue("Radio Transmit Reset", 5);
    QCOMPARE(spin->value(), 10);
    freeze->setValue("Radio Transmit Reset", 300);
    QCOMPARE(spin->value(), 250);
    QCOMPARE(reports(spy, "Radio Transmit Reset").last().second, 250);
}

void TestResetEditors::outputGroupsByKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("shown"); // group titles, "note" for the note
    QTest::newRow("none") << 0 << QStringList();
    QTest::newRow("RS-485") << 1 << QStringList({"note"});
    QTest::newRow("4-20") << 2 << QStringList({"Out 4-20"});
    QTest::newRow("4-20-D") << 3 << QStringList({"Out 4-20", "Out D Discret"});
    QTest::newRow("DD") << 4 << QStringList({"Out D1 Discret", "Out D2 Discret"});
    QTest::newRow("unknown") << 5 << QStringList();
}

void TestResetEditors::outputGroupsByKind()
{
    QFETCH(int, kind);
    QFETCH(QStringList, shown);
    outputs->setType(1);
    outputs->setType(4);
    outputs->setType(kind);
    QStringList visible;
    for (QGroupBox *box : outputs->findChildren<QGroupBox *>())
        if (box->isVisible())
            visible << box->title();
    for (QLabel *label : outputs->findChildren<QLabel *>())
        if (label->text() == "The device will stop responding to the RS-485" && label->isVisible())
            visible << "note";
    QCOMPARE(visible, shown);
    auto count = outputs->findChild<QSpinBox *>("Num of down");
    QVERIFY(count && count->isVisible());
    QCOMPARE(count->minimum(), 1);
    QCOMPARE(count->maximum(), 15);
}

void TestResetEditors::retitledGroupReportsUnderItsNewTitle()
{
    outputs->setType(3);
    QGroupBox *second = group("Out D Discret");
    QVERIFY(second);
    outputs->setType(4);
    QCOMPARE(second->title(), QString("Out D2 Discret"));

    QSignalSpy spy(outputs, &W_QWidget::sgValueChange);
    W_Rb *high = second->findChildren<W_Rb *>().value(1);
    QVERIFY(high && high->value() == 1);
    clickCheck(high);
    auto inversion = second->findChild<QCheckBox *>("Out2 inversion");
    QVERIFY(inversion);
    clickCheck(inversion);
    QCOMPARE(reports(spy, "Out D2 Discret"), Reports({{"Out D2 Discret", 1}}));
    QCOMPARE(reports(spy, "Out2 inversion"), Reports({{"Out2 inversion", 1}}));
}

void TestResetEditors::prefixSetsBothDiscreteGroups()
{
    outputs->setType(4);
    outputs->setValue("Out D", 1);
    for (const char *title : {"Out D1 Discret", "Out D2 Discret"}) {
        QGroupBox *box = group(title);
        QVERIFY(box);
        const QList<W_Rb *> buttons = box->findChildren<W_Rb *>();
        QCOMPARE(buttons.size(), 2);
        QVERIFY(!buttons.at(0)->isChecked());
        QVERIFY(buttons.at(1)->isChecked());
    }
    QVERIFY(!group("Out 4-20")->findChildren<W_Rb *>().at(1)->isChecked());
}

QTEST_MAIN(TestResetEditors)
#include "tst_reseteditors.moc"
