// The main window as Core starts it, editor changes packed into the record, ports refused.
#include "app/core.h"
#include "app/mainwindow.h"
#include "editors/w_power.h"
#include "editors/w_rb.h"
#include "editors/w_reset.h"
#include "link/virtualports.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/serialtimeout.h"
#include "protocol/settingsfields.h"
#include "session/settingsfile.h"
#include "tests/modals.h"
#include "tests/systemerrors.h"
#include "tests/windowdriver.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSerialPort>
#include <QSpinBox>
#include <QtTest>

using namespace WindowDriver;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void startedWindow();
};

namespace {

QList<W_Rb *> groupButtons(MainWindow &w, const QString &title)
{
    for (QGroupBox *g : w.findChildren<QGroupBox *>())
        if (g->title() == title)
            return g->findChildren<W_Rb *>();
    return {};
}

// Puts the control `name` into one of two states as a user would; false without one.
bool setControl(MainWindow &w, const QString &name, bool second)
{
    QList<W_Rb *> enabled;
    for (W_Rb *rb : groupButtons(w, name))
        if (rb->isEnabled())
            enabled << rb;
    if (!enabled.isEmpty())
        enabled.at(second && enabled.size() > 1 ? 1 : 0)->click();
    else if (auto *reset = w.findChild<w_Reset *>(name))
        reset->setValue(second ? 5 : 3);
    else if (auto *power = w.findChild<W_Power *>(name))
        power->setPower(second ? 5 : 1);
    else if (auto *spin = w.findChild<QSpinBox *>(name))
        spin->setValue(spin->minimum() + (second ? 1 : 0));
    else if (auto *combo = w.findChild<QComboBox *>(name))
        combo->setCurrentIndex(second ? 1 : 0);
    else if (auto *check = w.findChild<QCheckBox *>(name)) {
        check->setChecked(!second); // a box already in the state says nothing
        check->setChecked(second);
    } else {
        return false;
    }
    return true;
}

} // namespace

void TestMainWindow::startedWindow()
{
    Modals modals;
    Core core;
    MainWindow &w = *core.window();
    QVERIFY(w.isVisible());
    DeviceSettings &s = w.settingsData()->settings;
    // The start-up check left the twelve bytes and the port text behind.
    QFile left("test_rlx");
    QVERIFY(left.open(QIODevice::ReadOnly));
    QCOMPARE(left.readAll(), SettingsFile::toBytes(s).left(12 + 4 + 8));

    // Each editor reaches its own field (one left at 0xEE was not); shared bytes keep the rest.
    QList<QPair<QString, const SettingsField *>> editors;
    for (const SettingsField &f : SettingsFields::all())
        if (f.editor && f.byte)
            editors << qMakePair(QString(f.editor), &f);
    for (const char *name :
         {"Out 4-20", "Out D1 Discret", "Out D2 Discret", "Out1 inversion", "Out2 inversion"})
        editors << qMakePair(QString(name), SettingsFields::byName("numOfDown"));
    editors << qMakePair(QString("TypeAveraging1"), SettingsFields::byName("averaging1"))
            << qMakePair(QString("TypeAveraging2"), SettingsFields::byName("averaging2"));
    for (const auto &[name, field] : editors) {
        s.*field->byte = 0xEE;
        QVERIFY2(setControl(w, name, false), qPrintable(name));
        const int first = s.*field->byte;
        QVERIFY2(setControl(w, name, true), qPrintable(name));
        QVERIFY2(first != 0xEE || s.*field->byte != 0xEE, qPrintable(name));
    }
    s.numOfDown = 0xB3;
    child<QSpinBox>(&w, "Num of down")->setValue(5);
    QCOMPARE(int(s.numOfDown), 0xB5);
    s.averaging1 = 5;
    child<QComboBox>(&w, "TypeAveraging1")->setCurrentIndex(2);
    QCOMPARE(int(s.averaging1), 0x85);
    child<QSpinBox>(&w, "Averaging1")->setValue(10);
    QCOMPARE(int(s.averaging1), 0x8A);
    // The device stores flow control the other way round, as 0 or 2.
    child<QComboBox>(&w, "Flow control")->setCurrentIndex(0);
    QCOMPARE(int(s.flowControl), 2);
    child<QComboBox>(&w, "Flow control")->setCurrentIndex(1);
    QCOMPARE(int(s.flowControl), 0);

    // A new serial rate starts from the module's smallest time-out.
    auto *timeout = child<QSpinBox>(&w, "Serial Timeout");
    const QList<W_Rb *> rates = groupButtons(w, "Serial Data Rate");
    for (int rate : {7, 0, 3}) {
        // On the indicator: a wide button takes clicks only there and on its text.
        QTest::mouseClick(rates[rate], Qt::LeftButton, {}, QPoint(6, rates[rate]->height() / 2));
        QCOMPARE(int(s.serialTimeout), SerialTimeout::minSerialTimeout(rate));
        QCOMPARE(timeout->value(), int(s.serialTimeout));
    }
    // A read time-out the user then changed stays when the next read brings only the configuration.
    emit w.exchange()->sgGetSetting(ReadS214, {"9"});
    QCOMPARE(int(s.serialTimeout), 9);
    w.exchange()->clearParsers();
    timeout->setValue(12);
    click(&w, "READ");
    w.exchange()->clearParsers();
    emit w.exchange()->sgGetSetting(ReadConfig, {"1", "3", "0", "0", "0", "50", "0", "0", ""});
    QCOMPARE(int(s.serialTimeout), 12);
    QCOMPARE(timeout->value(), 12);

    // None of the changes above asked or told the user anything.
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('\n')));

    // Each refusal is one message naming the port (a virtual one by its listed name) and why.
    DeviceModel model;
    PtyDevice device(&model);
    QVERIFY(device.open());
    QSerialPort other(device.slavePath());
    QVERIFY(other.open(QIODevice::ReadWrite));
    const QString virtualName = VirtualPorts::nameFor(device.slavePath(), "RLX-31868-DD receiver");
    const QList<QPair<QString, QString>> refusals = {{"/dev/rlx-no-such-port", "was not found"},
                                                     {"/dev/null", "not a serial port"},
                                                     {virtualName, virtualName + " is in use"}};
    for (const auto &[path, why] : refusals) {
        modals.texts.clear();
        pressConnect(w, path);
        QVERIFY(!w.exchange()->isOpen());
        const QString text = modals.texts.join('\n');
        QVERIFY2(modals.texts.size() == 1 && text.contains(path) && text.contains(why) &&
                     systemErrorIn(text).isEmpty(),
                 qPrintable(text));
        QCOMPARE(button(&w, "pbOpen")->text(), QStringLiteral("Connect"));
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
