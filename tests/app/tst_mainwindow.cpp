// The main window for what the end-to-end tests do not reach: start-up, how
// editor changes are packed into the record, a damaged settings file, and
// ports that cannot be opened.
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
#include "tests/filesizelimit.h"
#include "tests/modals.h"
#include "tests/systemerrors.h"
#include "tests/windowdriver.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QSerialPort>
#include <QSpinBox>
#include <QStyle>
#include <QtTest>

#include <sys/stat.h>

using namespace WindowDriver;

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void withoutDevice();
    void everyEditorReachesItsRecordField();
    void portsThatCannotBeOpened();
    void gridMarginsWereReadBeforeTheLayoutWasInstalled();
    void savingOnFullDiskSaidNothingAndEmptiedTheFile();
    void startupFileFifoHeldTheWindow();
    void serialTimeoutOfAnEarlierReadLandedOverTheUsersEdit();
};

void TestMainWindow::withoutDevice()
{
    QCOMPARE(Core::centredPosition(QRect(0, 0, 1920, 1040), QSize(801, 600)), QPoint(559, 219));
    QCOMPARE(Core::centredPosition(QRect(100, 50, 800, 600), QSize(400, 300)), QPoint(299, 199));
    Modals modals;
    Core core;
    MainWindow &w = *core.window();
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("RLX Vela Конфигуратор v.2.5.16"));
    // The start-up check left the twelve bytes and the port text behind.
    QFile startup("test_rlx");
    QVERIFY(startup.open(QIODevice::ReadOnly));
    QCOMPARE(startup.readAll(), SettingsFile::toBytes(w.settingsData()->settings).left(12 + 4 + 8));

    // Editors that share a byte of the record change only their own bits.
    DeviceSettings &s = w.settingsData()->settings;
    s.numOfDown = 0xB3;
    child<QSpinBox>(&w, "Num of down")->setValue(5);
    QCOMPARE(int(s.numOfDown), 0xB5);
    s.averaging1 = 5;
    child<QComboBox>(&w, "TypeAveraging1")->setCurrentIndex(2);
    QCOMPARE(int(s.averaging1), 0x85);
    child<QSpinBox>(&w, "Averaging1")->setValue(10);
    QCOMPARE(int(s.averaging1), 0x8A);
    // The device stores flow control the other way round, as 0 or 2.
    child<QComboBox>(&w, "Flow control")->setCurrentIndex(1);
    QCOMPARE(int(s.flowControl), 0);
    child<QComboBox>(&w, "Flow control")->setCurrentIndex(0);
    QCOMPARE(int(s.flowControl), 2);

    // A new serial rate starts from the module's smallest time-out.
    QList<W_Rb *> rates;
    for (QGroupBox *g : w.findChildren<QGroupBox *>())
        if (g->title() == "Serial Data Rate")
            rates = g->findChildren<W_Rb *>();
    QCOMPARE(rates.size(), 8);
    for (int rate : {3, 7, 0}) {
        const int timeout = SerialTimeout::minSerialTimeout(rate);
        W_Rb *rb = rates[rate];
        QCOMPARE(int(rb->value()), rate);
        // On the indicator: a wide button takes clicks only there and on its text.
        QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(6, rb->height() / 2));
        QCOMPARE(int(s.serialRate), rate);
        QCOMPARE(int(s.serialTimeout), timeout);
        QCOMPARE(child<QSpinBox>(&w, "Serial Timeout")->value(), timeout);
    }
    // Freeze Protection shows the reset panel on the first press, hides it on the next.
    QVERIFY(!visible(w, "W_FreezProtection"));
    click(&w, "Freeze Protection");
    QVERIFY(visible(w, "W_FreezProtection"));
    click(&w, "Freeze Protection");
    QVERIFY(!visible(w, "W_FreezProtection"));

    // A truncated settings file is refused, with a message, and changes
    // nothing; nor does a cancelled dialog.
    QFile cut("cut.rlx");
    QVERIFY(cut.open(QIODevice::WriteOnly) && cut.write(SettingsFile::toBytes(s).left(20)) == 20);
    cut.close();
    const QByteArray kept = SettingsFile::toBytes(s);
    modals.fileName = QDir::current().filePath("cut.rlx");
    click(&w, "Open Settings");
    QCOMPARE(modals.texts.size(), 1);
    modals.fileName.clear();
    click(&w, "Open Settings");
    QCOMPARE(modals.fileDialogs, 2);
    QCOMPARE(modals.texts.size(), 1);
    QCOMPARE(SettingsFile::toBytes(s), kept);
    QCOMPARE(child<QSpinBox>(&w, "Num of down")->value(), 5);

    // A file with values the editors cannot show: they take what they can
    // and the status line says what became what. A value no editor takes (a
    // radio data rate of 9, a transmit reset below the spin box that already
    // shows its minimum) stays in the record, is named, and keeps WRITE from
    // sending anything.
    DeviceSettings odd = s;
    odd.power = 200;
    odd.radioTransmitReset = 5;
    odd.radioRate = 9;
    QVERIFY(SettingsFile::save("odd.rlx", odd));
    modals.fileName = QDir::current().filePath("odd.rlx");
    click(&w, "Open Settings");
    const QString opened = w.statusBar()->currentMessage();
    QVERIFY2(opened.contains("were changed: Power 200 became 7.") &&
                 opened.contains("Set these in their editors before WRITE: Radio Data Rate: 9 is "
                                 "not 0 to 4; Radio Transmit Reset: 5 is not 10 to 250."),
             qPrintable(opened));
    click(&w, "WRITE");
    const QString refused = w.statusBar()->currentMessage();
    QVERIFY2(refused.startsWith("WRITE: nothing was sent") &&
                 refused.contains("Radio Data Rate: 9 is not 0 to 4"),
             qPrintable(refused));
}

namespace {

// Puts the control that carries `name` into one of two states, as a user
// would: the first two enabled buttons of a group (the one, when only one is
// enabled), the lowest two values of a spin box, and so on. False when the
// window has no such control.
bool setControl(MainWindow &w, const QString &name, bool second)
{
    for (QGroupBox *g : w.findChildren<QGroupBox *>()) {
        if (g->title() != name)
            continue;
        QList<W_Rb *> enabled;
        for (W_Rb *rb : g->findChildren<W_Rb *>())
            if (rb->isEnabled())
                enabled << rb;
        if (enabled.isEmpty())
            return false;
        enabled.at(second && enabled.size() > 1 ? 1 : 0)->click();
        return true;
    }
    if (auto *reset = w.findChild<w_Reset *>(name)) {
        reset->setValue(second ? 5 : 3);
    } else if (auto *power = w.findChild<W_Power *>(name)) {
        power->setPower(second ? 5 : 1);
    } else if (auto *spin = w.findChild<QSpinBox *>(name)) {
        spin->setValue(spin->minimum() + (second ? 1 : 0));
    } else if (auto *combo = w.findChild<QComboBox *>(name)) {
        combo->setCurrentIndex(second ? 1 : 0);
    } else if (auto *check = w.findChild<QCheckBox *>(name)) {
        check->setChecked(!second); // a box already in the state says nothing
        check->setChecked(second);
    } else {
        return false;
    }
    return true;
}

} // namespace

// Each editor that only changes the record reaches its own field: a control
// whose name the window does not route, or routes to another field, leaves
// the field as it was, here a value no control gives. The settings table
// names each field's editor; the controls that share a field's byte with it
// change their own bits.
void TestMainWindow::everyEditorReachesItsRecordField()
{
    Modals modals;
    MainWindow w;
    w.show();
    DeviceSettings &s = w.settingsData()->settings;
    QList<QPair<QString, const SettingsField *>> editors;
    for (const SettingsField &f : SettingsFields::all())
        if (f.editor && f.byte)
            editors << qMakePair(QString(f.editor), &f);
    const QList<QPair<const char *, QStringList>> sharing = {
        {"averaging1", {"TypeAveraging1"}},
        {"averaging2", {"TypeAveraging2"}},
        {"numOfDown",
         {"Out 4-20", "Out D1 Discret", "Out D2 Discret", "Out1 inversion", "Out2 inversion"}}};
    for (const auto &[field, names] : sharing)
        for (const QString &name : names)
            editors << qMakePair(name, SettingsFields::byName(field));
    const int untouched = 0xEE;
    for (const auto &[name, field] : editors) {
        s.*field->byte = untouched;
        QVERIFY2(setControl(w, name, false), qPrintable(name));
        const int first = s.*field->byte;
        QVERIFY2(setControl(w, name, true), qPrintable(name));
        const int second = s.*field->byte;
        QVERIFY2(first != untouched || second != untouched, qPrintable(name));
    }
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('\n')));
}

// Ports that cannot be opened: each refusal is one message that names the
// port and says why in words (no system error code), and the bar stays at
// Connect. A virtual device is listed under a name that says so; what stops
// its port from opening is reported for its port, not as a port that is not
// there.
void TestMainWindow::portsThatCannotBeOpened()
{
    Modals modals;
    MainWindow w;
    w.show();
    QTemporaryDir dir;
    QFile file(dir.filePath("settings.rlx"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("RLX") == 3);
    file.close();
    DeviceModel model;
    PtyDevice device(&model);
    QVERIFY(device.open());
    QSerialPort other(device.slavePath());
    QVERIFY(other.open(QIODevice::ReadWrite));
    const QString virtualName = VirtualPorts::nameFor(device.slavePath(), "RLX-31868-DD receiver");
    const QList<QPair<QString, QString>> refusals = {{"/dev/rlx-no-such-port", "was not found"},
                                                     {"/dev/null", "not a serial port"},
                                                     {file.fileName(), "not a serial port"},
                                                     {dir.path(), "not a serial port"},
                                                     {device.slavePath(), "in use"},
                                                     {virtualName, virtualName + " is in use"}};
    for (const auto &[path, why] : refusals) {
        modals.texts.clear();
        pressConnect(w, path);
        QVERIFY(!w.exchange()->isOpen());
        QCOMPARE(modals.texts.size(), 1);
        const QString text = modals.texts.at(0);
        QVERIFY2(text.contains(path) && text.contains(why), qPrintable(text));
        QVERIFY2(systemErrorIn(text).isEmpty(), qPrintable(text));
        QCOMPARE(button(&w, "pbOpen")->text(), QStringLiteral("Connect"));
    }
}

void TestMainWindow::gridMarginsWereReadBeforeTheLayoutWasInstalled()
{
    MainWindow w;
    QWidget *central = w.centralWidget();
    QStyle *style = central->style();
    auto metric = [&](QStyle::PixelMetric m) { return style->pixelMetric(m, nullptr, central); };
    QVERIFY(metric(QStyle::PM_LayoutLeftMargin) > 0);
    QCOMPARE(central->layout()->contentsMargins(),
             QMargins(metric(QStyle::PM_LayoutLeftMargin), 0, metric(QStyle::PM_LayoutRightMargin),
                      metric(QStyle::PM_LayoutBottomMargin)));
}

void TestMainWindow::savingOnFullDiskSaidNothingAndEmptiedTheFile()
{
    Modals modals;
    MainWindow w;
    w.show();
    DeviceSettings &s = w.settingsData()->settings;
    s.chanel = 7;
    modals.fileName = QDir::current().filePath("kept.rlx");
    click(&w, "Save Settings");
    QTRY_COMPARE(modals.fileDialogs, 1);
    QFile file("kept.rlx");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    file.close();
    QCOMPARE(saved, SettingsFile::toBytes(s));
    QVERIFY(modals.texts.isEmpty());

    s.chanel = 9;
    QVERIFY(SettingsFile::toBytes(s) != saved);
    {
        FileSizeLimit full(0);
        click(&w, "Save Settings");
        QTRY_COMPARE(modals.fileDialogs, 2);
    }
    // The dialog's own question about replacing the file, then the failure.
    QCOMPARE(modals.texts.size(), 2);
    QVERIFY2(modals.texts.last().contains("could not be saved") &&
                 modals.texts.last().contains("kept.rlx"),
             qPrintable(modals.texts.last()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), saved);
}

void TestMainWindow::startupFileFifoHeldTheWindow()
{
    // Somebody left a FIFO under the start-up file's name: the window still
    // comes up, and the FIFO is left as it was.
    QVERIFY(QDir().mkdir("fifo-here"));
    const QString home = QDir::currentPath();
    QVERIFY(QDir::setCurrent("fifo-here"));
    QCOMPARE(mkfifo("test_rlx", 0600), 0);
    {
        // Reading the FIFO would wait for a writer for ever: the test's
        // time limit is what catches that.
        MainWindow w;
        w.show();
        QVERIFY(w.isVisible());
    }
    struct stat st;
    QCOMPARE(lstat("test_rlx", &st), 0);
    QVERIFY(S_ISFIFO(st.st_mode));
    QVERIFY(QDir::setCurrent(home));
}

void TestMainWindow::serialTimeoutOfAnEarlierReadLandedOverTheUsersEdit()
{
    Modals modals;
    MainWindow w;
    w.show();
    DeviceSettings &s = w.settingsData()->settings;
    auto *timeout = child<QSpinBox>(&w, "Serial Timeout");
    // At 9600 baud (rate 3) the module takes time-outs from 3 up.
    for (QGroupBox *g : w.findChildren<QGroupBox *>())
        if (g->title() == "Serial Data Rate")
            QTest::mouseClick(g->findChildren<W_Rb *>().at(3), Qt::LeftButton, {}, QPoint(6, 5));
    QCOMPARE(int(s.serialRate), 3);
    // A read whose time-out came in but whose configuration did not.
    emit w.exchange()->sgGetSetting(ReadS214, {"9"});
    QCOMPARE(int(s.serialTimeout), 9);
    w.exchange()->clearParsers();

    // The user sets another time-out, then reads again; this time the
    // time-out is not answered, the configuration is.
    timeout->setValue(12);
    QCOMPARE(int(s.serialTimeout), 12);
    click(&w, "READ");
    w.exchange()->clearParsers();
    emit w.exchange()->sgGetSetting(
        ReadConfig, {"1", QByteArray::number(s.serialRate), "0", "0", "0", "50", "0", "0", ""});
    QCOMPARE(int(s.serialTimeout), 12);
    QCOMPARE(timeout->value(), 12);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
