// The configurator against the virtual device in its own process, driven
// through the window's controls as a service engineer drives it.

#include "app/mainwindow.h"
#include "editors/w_rb.h"
#include "link/virtualports.h"
#include "panels/adresarray.h"
#include "panels/measure.h"
#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QSpinBox>
#include <QtTest>

using namespace WindowDriver;

namespace {

// rlx-devsim as a separate process, with its log in the working directory.
class Devsim
{
public:
    explicit Devsim(QStringList args, bool announce = false)
    {
        static int count = 0;
        logName = QStringLiteral("devsim-%1.log").arg(++count);
        args << "--log" << logName;
        if (!announce)
            args << "--no-announce";
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(RLX_DEVSIM), args);
        if (process.waitForStarted(5000) && QTest::qWaitFor([&] { return process.canReadLine(); }))
            path = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~Devsim() { stop(); }

    void stop()
    {
        process.terminate();
        process.waitForFinished(5000);
    }

    // Every request the device received with its answer, as the log writes
    // them (CR as \r): "request -> answer", or "request ->" for none.
    QStringList exchanges() const
    {
        QFile file(logName);
        file.open(QIODevice::ReadOnly);
        QStringList out;
        for (const QString &line : QString::fromLatin1(file.readAll()).split('\n')) {
            const QString direction = line.section(' ', 1, 1);
            const QString text = line.section(' ', 2).section("  (", 0, 0);
            if (direction == ">")
                out << text + " ->";
            else if (direction == "<" && !out.isEmpty() && out.last().endsWith("->"))
                out.last() += ' ' + text;
        }
        return out;
    }
    QStringList requests() const { return exchanges().replaceInStrings(QRegExp(" ->.*"), ""); }

    QString path;
    QProcess process;

private:
    QString logName;
};

struct Model
{
    const char *name, *hardware;
    bool receiver, calibration, rs485;
};
const Model Models[] = {
    {"4-20 receiver", "RLX-31868-4-20 receiver", true, true, false},
    {"4-20-D receiver", "RLX-31868-4-20-D receiver", true, true, false},
    {"DD receiver", "RLX-31868-DD receiver", true, false, false},
    {"RS-485 model", "RLX-31868-Vela-485", false, false, true},
    {"transmitter with inputs", "RLX-31868-AD transmitter", false, false, false},
};
const char *const Firmware[] = {"Aug  1 2021", "Mar 15 2022", "Aug  4 2022"};

// A device of the model that is not in its factory state, so that a read
// shows; its configuration has the layout of the firmware variant.
QStringList options(int model, int variant)
{
    const char *const tail[] = {"", ",030", ",030,181,009"};
    return QStringList{"--hardware", Models[model].hardware, "--firmware", Firmware[variant]} +
           QStringLiteral("--config 017,5,012,034,2,070,020,1,8000000000000005%1 --register "
                          "206=6 --register 201=2 --register 200=4 --register 202=5 --register "
                          "214=9 --register 216=0 --averaging 133,67,7,9")
               .arg(tail[variant])
               .split(' ');
}

// What the editors of the window show, sorted, as "name=value": spin boxes,
// lists, check boxes, texts and reset times by their names, a group of valued
// buttons by its title, and the remote address list. The editors named in
// `change` that a user can reach get their next value first.
QStringList editors(MainWindow &w, const QStringList &change = {})
{
    QStringList out{"addresses=" + panel<AdresArray>(w)->getAdreses()};
    for (QWidget *c : w.findChildren<QWidget *>()) {
        const QString name = c->objectName();
        const bool next = change.contains(name) && c->isVisibleTo(&w) && c->isEnabled();
        QString value;
        if (auto spin = qobject_cast<QSpinBox *>(c)) {
            if (next)
                spin->setValue(spin->value() < spin->maximum() ? spin->value() + 1 : 0);
            value = QString::number(spin->value());
        } else if (auto combo = qobject_cast<QComboBox *>(c)) {
            if (next)
                combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
            value = QString::number(combo->currentIndex());
        } else if (auto check = qobject_cast<QCheckBox *>(c)) {
            if (next)
                check->toggle();
            value = check->isChecked() ? "on" : "off";
        } else if (auto line = qobject_cast<QLineEdit *>(c)) {
            value = line->text();
        } else if (c->inherits("w_Reset")) {
            value = QStringLiteral("%1 %2")
                        .arg(c->findChild<QSpinBox *>()->value())
                        .arg(c->findChild<QCheckBox *>()->isChecked() ? "on" : "off");
        }
        auto rb = qobject_cast<W_Rb *>(c);
        QWidget *group = c->parentWidget();
        while (rb && group && !qobject_cast<QGroupBox *>(group))
            group = group->parentWidget();
        if (rb && group && rb->isChecked())
            out << "group " + static_cast<QGroupBox *>(group)->title() + '=' +
                       QString::number(rb->value());
        if (!value.isNull() && !name.isEmpty() && !name.startsWith("qt_") && name != "PortName")
            out << name + '=' + value;
    }
    out.sort();
    return out;
}

// The entries of `list` whose names are (with `keep` false: are not) among
// those of `names`.
QStringList only(const QStringList &list, QStringList names, bool keep = true)
{
    names.replaceInStrings(QRegExp("=.*"), "");
    QStringList out;
    for (const QString &e : list)
        if (names.contains(e.section('=', 0, 0)) == keep)
            out << e;
    return out;
}

// A window of its own reads the device as it is now.
QStringList freshRead(const QString &port)
{
    Modals modals;
    MainWindow w;
    w.show();
    return connectTo(w, port) ? editors(w) : QStringList();
}

QPushButton *labelled(QWidget *parent, const QString &text)
{
    for (QPushButton *b : parent->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void models_data();
    void models();
    void defaults_data();
    void defaults();
    void calibration();
    void measurement();
    void stabilityCheck();
    void settingsFileBetweenDevices();
    void demoMode();
};

void TestEndToEnd::models_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("variant");
    for (int m = 0; m < 5; ++m)
        for (int v = 0; v < 3; ++v)
            QTest::addRow("%s, variant %d", Models[m].name, v) << m << v;
}

void TestEndToEnd::models()
{
    QFETCH(int, model);
    QFETCH(int, variant);
    const Model &m = Models[model];
    const bool polls = m.receiver || m.rs485;
    Devsim device(options(model, variant));
    Modals modals;
    MainWindow w;
    w.show();

    // Identification, the panels of the model, and for the oldest firmware
    // one warning.
    QVERIFY(connectTo(w, device.path));
    QCOMPARE(w.windowTitle(),
             QStringLiteral("RLX Vela Конфигуратор v.2.5.16  Hardware: %1  Firmware: v.%2")
                 .arg(m.hardware, Firmware[variant]));
    QCOMPARE(int(w.exchange()->firmwareVariant()), variant);
    const QStringList warning{"Убедитесь в актуальности FirmWare"};
    QCOMPARE(modals.texts, variant ? QStringList() : warning);
    QCOMPARE(visible(w, "Kalibr"), m.calibration);
    QCOMPARE(visible(w, "Measure"), !polls);
    QCOMPARE(visible(w, "W_Rs485"), m.rs485);
    for (const char *panel : {"W_Test", "AdresArray", "ReqPeriod"})
        QCOMPARE(visible(w, panel), polls);
    QCOMPARE(child<QWidget>(&w, "Num of down")->isVisibleTo(&w), variant == 2 && polls);

    // Full read: the editors show the device's values (the serial time-out
    // too, although below the floor of the serial rate shown before). What
    // the older layouts do not carry stays as the window had it.
    const char *const byVariant[] = {
        "Requests period=1|Num of down=10|Out1 inversion=off|Radio Module Reset=10 off",
        "Requests period=30|Num of down=10|Out1 inversion=off|Radio Module Reset=10 off",
        "Requests period=30|Num of down=5|Out1 inversion=on|Radio Module Reset=90 on"};
    QStringList expected =
        QStringLiteral("group Sub-band=6|group Radio Data Rate=2|Chanel=4|Serial Timeout=9|Flow "
                       "control=1|group Serial Data Rate=5|Delay Rx-Tx=12|Delay Tx-Rx=34|"
                       "Parity=2|Stop bit=1|TypeAveraging1=2|Averaging1=5|TypeAveraging2=1|"
                       "Averaging2=3|Diskret1=7|Diskret2=9|FirmWare=LE50-868 V2.3.1|Radio "
                       "Transmit Reset=70|WDT Reset=200 on|Out2 inversion=off|Test "
                       "address=%1|addresses=%2|%3")
            .arg(polls ? 255 : 17)
            .arg(model < 2 ? "0000,0000,0000,0001" : "8000,0000,0000,0005", byVariant[variant])
            .split('|');
    expected.sort();
    QCOMPARE(only(editors(w), expected), expected);
    QCOMPARE(int(w.settingsData()->settings.power), 5);

    // Edits, then WRITE: the device takes them and keeps what the editors show.
    const QStringList read = editors(w);
    editors(w, QStringLiteral("Serial Timeout|Chanel|Flow control|Test address|Delay Tx-Rx|Delay "
                              "Rx-Tx|Parity|Requests period|Num of down|Out1 inversion|"
                              "TypeAveraging1|Averaging2")
                   .split('|'));
    const QStringList edits = editors(w);
    QSet<QString> changed(edits.begin(), edits.end());
    QVERIFY(changed.subtract(QSet<QString>(read.begin(), read.end())).size() >= 3);
    click(&w, "WRITE");
    QVERIFY(waitIdle(w, 20000));
    QCOMPARE(modals.texts.size(), variant == 0 ? 1 : 0);
    QCOMPARE(editors(w), edits);
    QCOMPARE(device.exchanges().filter(QRegExp("^\\$0.* -> OK\\\\r$")).size(), 1);

    // Disconnected, the window forgets the device; another window reads it
    // afresh and shows the same.
    click(&w, "pbOpen");
    QVERIFY(!w.exchange()->isOpen());
    QCOMPARE(w.windowTitle(), QStringLiteral("RLX Vela Конфигуратор v.2.5.16"));
    QCOMPARE(child<QLineEdit>(&w, "FirmWare")->text(), QStringLiteral("x/x"));
    QVERIFY(!button(&w, "READ")->isEnabled());
    QCOMPARE(freshRead(device.path), edits);
}

void TestEndToEnd::defaults_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("moduleRate");
    // The module's serial rate is found whatever the recorded one says.
    QTest::newRow("4-20 receiver") << 0 << 2 << 5;
    QTest::newRow("4-20-D receiver") << 1 << 1 << 0;
    QTest::newRow("DD receiver") << 2 << 0 << 7;
    QTest::newRow("RS-485 model") << 3 << 2 << 2;
    QTest::newRow("transmitter with inputs") << 4 << 1 << 4;
}

void TestEndToEnd::defaults()
{
    QFETCH(int, model);
    QFETCH(int, variant);
    QFETCH(int, moduleRate);
    Devsim device(options(model, variant) << "--module-rate" << QString::number(moduleRate));
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));
    click(&w, "DEFAULT");
    QVERIFY(waitIdle(w, 60000));
    QCOMPARE(modals.texts.size(), variant == 0 ? 1 : 0);
    // The restore reached the module at its own rate, and the device took it.
    QVERIFY(device.requests().contains(QStringLiteral("$3%1").arg(moduleRate)));
    QCOMPARE(device.exchanges().filter(QRegExp("^\\$0.* -> OK\\\\r$")).size(), 1);
    const DeviceSettings &s = w.settingsData()->settings;
    QCOMPARE(QList<int>() << s.subBand << s.radioRate << s.chanel << s.power << s.radioTransmitReset
                          << s.wdtReset,
             QList<int>() << 2 << 0 << 0 << 7 << 50 << (Models[model].receiver ? 0 : 9));
    QCOMPARE(panel<AdresArray>(w)->getAdreses(), QStringLiteral("0000,0000,0000,0001"));

    // The older layouts do not carry the outputs, the radio module reset and
    // (variant 0) the requests period: the device keeps none of them, so a
    // fresh window shows its own start values there.
    QStringList uncarried{"Num of down", "Out1 inversion", "Out2 inversion", "Radio Module Reset",
                          "Requests period"};
    uncarried = uncarried.mid(0, variant == 0 ? 5 : variant == 1 ? 4 : 0);
    const QStringList shown = only(editors(w), uncarried, false);
    click(&w, "pbOpen");
    QCOMPARE(only(freshRead(device.path), uncarried, false), shown);
}

void TestEndToEnd::calibration()
{
    Devsim device({"--hardware", "RLX-31868-4-20-D receiver"});
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));
    // Enter the mode (the device drives its 20 mA check), order 12 mA, enter
    // what the meter reads, and leave.
    click(&w, "setKalibr");
    QVERIFY(waitIdle(w) && button(&w, "resetKalibr")->isVisible());
    child<QSpinBox>(&w, "curCurrent")->setValue(12000);
    click(&w, "setCurCurrent");
    QVERIFY(waitIdle(w));
    child<QSpinBox>(&w, "realCurrent")->setValue(11985);
    click(&w, "setRealCurrent");
    QVERIFY(waitIdle(w));
    click(&w, "resetKalibr");
    QVERIFY(waitIdle(w) && button(&w, "setKalibr")->isVisible());

    // Each step reached the device, which took it.
    QStringList sent = device.exchanges().filter(QRegExp("^\\$[a-d]"));
    QCOMPARE(sent.replaceInStrings(QRegExp("^(..).* -> OK\\\\r$"), "\\1").join(' '),
             QStringLiteral("$d $a $b $c"));
    QCOMPARE(modals.texts, QStringList());
}

void TestEndToEnd::measurement()
{
    // Sliding averages of one second follow the inputs closely.
    Devsim device({"--hardware", "RLX-31868-AD transmitter"});
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));
    for (const QString input : {"1", "2"}) {
        child<QComboBox>(&w, "TypeAveraging" + input)->setCurrentIndex(2);
        child<QSpinBox>(&w, "Averaging" + input)->setValue(1);
    }
    click(&w, "WRITE");
    QVERIFY(waitIdle(w, 20000));
    QVERIFY(device.exchanges().contains("$8=129,129,005,004\\r -> OK\\r"));

    // Value and state of input 1, then of input 2.
    auto *measure = panel<Measure>(w);
    QList<QLineEdit *> fields;
    for (QLineEdit *e : measure->findChildren<QLineEdit *>())
        if (!e->parent()->inherits("QAbstractSpinBox") && !e->parent()->inherits("QComboBox"))
            fields << e;
    QCOMPARE(fields.size(), 4);
    QPushButton *start = labelled(measure, "Measurement mode");
    QVERIFY(start);
    QTest::mouseClick(start, Qt::LeftButton);

    // Values arrive about once a second and change: a current around 12 mA,
    // in microamperes.
    QSet<int> current;
    for (int i = 0; i < 60 && current.size() < 3; ++i) {
        QTest::qWait(100);
        const int value = fields[0]->text().trimmed().toInt();
        QVERIFY2(fields[0]->text().isEmpty() || (value > 3000 && value < 21000),
                 qPrintable(fields[0]->text()));
        if (!fields[0]->text().isEmpty())
            current << value;
    }
    QCOMPARE(current.size(), 3);

    // READ ends the measurement.
    click(&w, "READ");
    QCOMPARE(start->text(), QStringLiteral("Measurement mode"));
    QVERIFY(waitIdle(w));
    const int polls = device.requests().count("$7");
    QTest::qWait(1500);
    QCOMPARE(device.requests().count("$7"), polls);
    QCOMPARE(modals.texts, QStringList());
}

void TestEndToEnd::stabilityCheck()
{
    // Remote devices 1 and 3 answer over the radio, 2 does not.
    Devsim device({"--hardware", "RLX-31868-Vela-485", "--reachable", "1,3", "--poll-delay", "80"});
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));
    auto *test = panel<W_Test>(w);
    const QList<W_Adres *> rows = test->findChildren<W_Adres *>();
    QCOMPARE(rows.size(), 10);
    for (int i = 0; i < 3; ++i)
        rows[i]->findChild<QCheckBox *>()->setChecked(true);
    // The history squares of a row, one letter each: G green, R red, . grey
    // (? for the colour of a poll still on its way).
    const QMap<QRgb, char> letters{{QColor(Qt::green).rgb(), 'G'},
                                   {QColor(Qt::red).rgb(), 'R'},
                                   {QColor(Qt::gray).rgb(), '.'}};
    auto history = [&](int row) {
        QString out;
        for (QWidget *c : rows[row]->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (c->autoFillBackground())
                out += letters.value(c->palette().color(QPalette::Window).rgb(), '?');
        return out;
    };
    QPushButton *testButton = labelled(test, "TEST");
    QVERIFY(testButton);
    QTest::mouseClick(testButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor(
        [&] { return history(0).count('G') >= 2 && history(1).count('R') >= 2; }, 30000));
    QTest::mouseClick(testButton, Qt::LeftButton);
    QVERIFY(waitIdle(w));
    // Reachable addresses only green, the unreachable one only red; rows
    // that take no part stay grey.
    const QString shown = history(0) + '|' + history(1) + '|' + history(2) + '|' + history(3);
    QVERIFY2(QRegExp("[^R|]*\\|[^G|]*\\|[^R|]*G[^R|]*\\|\\.{10}").exactMatch(shown),
             qPrintable(shown));
    QVERIFY(device.requests().contains("2=$\\r"));
    QCOMPARE(modals.texts, QStringList());

    // No more polls once stopped (the one written just before may still be
    // on its way); the progress bar is usable again.
    QTest::qWait(300);
    const int polls = device.requests().size();
    QTest::qWait(1500);
    QCOMPARE(device.requests().size(), polls);
    click(&w, "READ");
    QVERIFY(waitIdle(w));
}

void TestEndToEnd::settingsFileBetweenDevices()
{
    // Device A has the settings to copy; device B comes from the factory.
    Devsim a(options(3, 2));
    Devsim b({"--hardware", "RLX-31868-Vela-485"});
    Modals modals;
    modals.fileName = QDir::current().filePath("site.rlx");
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, a.path));
    const QStringList fromA = editors(w);
    click(&w, "Save Settings");
    click(&w, "pbOpen");

    QVERIFY(connectTo(w, b.path));
    QVERIFY(editors(w) != fromA);
    click(&w, "Open Settings");
    QCOMPARE(editors(w), fromA);
    click(&w, "WRITE");
    QVERIFY(waitIdle(w, 20000));
    QCOMPARE(modals.fileDialogs, 2);
    QCOMPARE(modals.texts, QStringList());
    click(&w, "pbOpen");
    QCOMPARE(freshRead(b.path), fromA);
}

void TestEndToEnd::demoMode()
{
    Modals modals;
    MainWindow w;
    w.show();
    auto *ports = child<QComboBox>(&w, "PortName");
    auto listed = [&] {
        QStringList items;
        for (int i = 0; i < ports->count(); ++i)
            items << ports->itemText(i);
        return items;
    };
    const QStringList before = listed();
    const QDir folder(VirtualPorts::defaultFolder());
    QVERIFY(folder.isEmpty());

    // A running virtual device is offered beside the system's ports.
    Devsim device({"--hardware", "RLX-31868-DD receiver"}, true);
    const QString name = device.path + " (virtual RLX-31868-DD receiver)";
    QVERIFY(QTest::qWaitFor([&] { return listed() == before + QStringList(name); }, 3000));
    ports->setCurrentIndex(ports->findText(name));
    click(&w, "pbOpen");
    QVERIFY(w.exchange()->isOpen() && waitIdle(w));
    QCOMPARE(w.hardwareText(), QStringLiteral("RLX-31868-DD receiver"));
    click(&w, "pbOpen");

    // Stopped, it withdraws its announcement and leaves the list.
    device.stop();
    QVERIFY(folder.isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return listed() == before; }, 3000));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
