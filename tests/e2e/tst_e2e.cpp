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

#include <memory>

using namespace WindowDriver;

namespace {

const QString Warning = QStringLiteral("Убедитесь в актуальности FirmWare");

// rlx-devsim as a separate process, with its log in the working directory.
class Devsim
{
public:
    explicit Devsim(const QStringList &options, bool announce = false)
    {
        static int count = 0;
        logName = QStringLiteral("devsim-%1.log").arg(++count);
        QStringList args = options;
        args << QStringLiteral("--log") << logName;
        if (!announce)
            args << QStringLiteral("--no-announce");
        process.setProgram(QStringLiteral(RLX_DEVSIM));
        process.setArguments(args);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        if (process.waitForStarted(5000) &&
            QTest::qWaitFor([&] { return process.canReadLine(); }, 5000))
            path = QString::fromLocal8Bit(process.readLine()).trimmed();
        else
            qWarning() << "rlx-devsim did not start" << args << process.errorString();
    }
    ~Devsim() { stop(); }

    bool stop()
    {
        if (process.state() == QProcess::NotRunning)
            return process.exitCode() == 0;
        process.terminate();
        return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    }

    // Every request the device received, as the log writes it (CR as \r).
    QStringList requests() const
    {
        QStringList out;
        for (const QString &line : logLines()) {
            const int at = line.indexOf(QLatin1String(" > "));
            if (at > 0)
                out << line.mid(at + 3).section(QLatin1String("  ("), 0, 0);
        }
        return out;
    }
    // The answer logged right after the last request that starts with prefix.
    QString answerTo(const QString &prefix) const
    {
        const QStringList lines = logLines();
        QString answer = QStringLiteral("(no such request)");
        for (int i = 0; i < lines.size(); ++i) {
            const int at = lines.at(i).indexOf(QLatin1String(" > "));
            if (at < 0 || !lines.at(i).mid(at + 3).startsWith(prefix))
                continue;
            answer = QStringLiteral("(none)");
            for (int j = i + 1; j < lines.size(); ++j) {
                const int out = lines.at(j).indexOf(QLatin1String(" < "));
                if (lines.at(j).contains(QLatin1String(" > ")))
                    break;
                if (out > 0) {
                    answer = lines.at(j).mid(out + 3);
                    break;
                }
            }
        }
        return answer;
    }

    QString path;
    QProcess process;

private:
    QStringList logLines() const
    {
        QFile file(logName);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    }
    QString logName;
};

struct Model
{
    const char *name;
    const char *hardware;
    bool receiver;
    bool calibration;
    bool rs485;
};

const Model Models[] = {
    {"4-20 receiver", "RLX-31868-4-20 receiver", true, true, false},
    {"4-20-D receiver", "RLX-31868-4-20-D receiver", true, true, false},
    {"DD receiver", "RLX-31868-DD receiver", true, false, false},
    {"RS-485 model", "RLX-31868-Vela-485", false, false, true},
    {"transmitter with inputs", "RLX-31868-AD transmitter", false, false, false},
};
const char *const Firmware[] = {"Aug  1 2021", "Mar 15 2022", "Aug  4 2022"};

// A device that is not in its factory state, so that a read shows.
QStringList poweredUp(int variant)
{
    QString config = QStringLiteral("017,5,012,034,2,070,020,1,8000000000000005");
    if (variant >= 1)
        config += QStringLiteral(",030");
    if (variant >= 2)
        config += QStringLiteral(",181,009");
    return {"--config",   config,  "--register",  "206=6",     "--register", "201=2",
            "--register", "200=4", "--register",  "202=5",     "--register", "214=9",
            "--register", "216=0", "--averaging", "133,67,7,9"};
}

QStringList deviceOptions(const Model &m, int variant)
{
    return QStringList{"--hardware", m.hardware, "--firmware", Firmware[variant]} +
           poweredUp(variant);
}

// What every editor of the window shows, by parameter name: spin boxes,
// lists, check boxes and texts by their names, a group of valued buttons by
// its title, and the remote address list.
QMap<QString, QVariant> editors(MainWindow &w)
{
    QMap<QString, QVariant> shown;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        const QString name = c->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) ||
            name == QLatin1String("PortName"))
            continue;
        if (auto spin = qobject_cast<QSpinBox *>(c))
            shown[name] = spin->value();
        else if (auto combo = qobject_cast<QComboBox *>(c))
            shown[name] = combo->currentIndex();
        else if (auto check = qobject_cast<QCheckBox *>(c))
            shown[name] = check->isChecked();
        else if (auto line = qobject_cast<QLineEdit *>(c))
            shown[name] = line->text();
        else if (QByteArray(c->metaObject()->className()) == "w_Reset")
            // A time with its switch: the time shown and whether it is on.
            shown[name] = QStringLiteral("%1 %2")
                              .arg(c->findChild<QSpinBox *>()->value())
                              .arg(c->findChild<QCheckBox *>()->isChecked() ? "on" : "off");
    }
    for (W_Rb *rb : w.findChildren<W_Rb *>()) {
        QWidget *p = rb->parentWidget();
        while (p && !qobject_cast<QGroupBox *>(p))
            p = p->parentWidget();
        if (p && rb->isChecked())
            shown[QLatin1String("group ") + static_cast<QGroupBox *>(p)->title()] = rb->value();
    }
    shown[QStringLiteral("addresses")] = panel<AdresArray>(w)->getAdreses();
    return shown;
}

// The keys whose values differ, for a readable failure.
QString differences(const QMap<QString, QVariant> &a, const QMap<QString, QVariant> &b)
{
    QStringList out;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        if (b.value(it.key()) != it.value())
            out << QStringLiteral("%1: %2 / %3")
                       .arg(it.key(), it.value().toString(), b.value(it.key()).toString());
    }
    return out.join(QLatin1String("; "));
}

bool usable(QWidget *w)
{
    return w && w->isVisibleTo(w->window()) && w->isEnabled();
}

// Changes the editors a user can reach for the model: a few of the radio
// panel and, by model, the serial line, the poll settings or the inputs.
QStringList editSeveral(MainWindow &w)
{
    QStringList edited;
    auto spin = [&](const char *name, int value) {
        auto box = w.findChild<QSpinBox *>(name);
        if (usable(box) && value >= box->minimum() && value <= box->maximum() &&
            box->value() != value) {
            box->setValue(value);
            edited << name;
        }
    };
    auto next = [&](const char *name) {
        auto box = w.findChild<QComboBox *>(name);
        if (usable(box) && box->count() > 1) {
            box->setCurrentIndex((box->currentIndex() + 1) % box->count());
            edited << name;
        }
    };
    auto toggle = [&](const char *name) {
        auto box = w.findChild<QCheckBox *>(name);
        if (usable(box)) {
            box->setChecked(!box->isChecked());
            edited << name;
        }
    };
    // A radio data rate button, pressed on its indicator.
    for (QGroupBox *group : w.findChildren<QGroupBox *>()) {
        if (group->title() != QLatin1String("Radio Data Rate"))
            continue;
        const QList<W_Rb *> rates = group->findChildren<W_Rb *>();
        W_Rb *checked = nullptr;
        for (W_Rb *rb : rates)
            if (rb->isChecked())
                checked = rb;
        W_Rb *other = rates.value((rates.indexOf(checked) + 1) % rates.size());
        if (usable(other)) {
            QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(6, other->height() / 2));
            edited << "Radio Data Rate";
        }
    }
    spin("Serial Timeout", w.findChild<QSpinBox *>("Serial Timeout")->value() + 2);
    next("Chanel");
    next("Flow control");
    spin("Test address", 23);
    spin("Delay Tx-Rx", 77);
    spin("Delay Rx-Tx", 66);
    next("Parity");
    spin("Requests period", 12);
    spin("Num of down", 6);
    toggle("Out1 inversion");
    next("TypeAveraging1");
    spin("Averaging2", 11);
    spin("Diskret2", 3);
    return edited;
}

// A window of its own reads the device as it is now.
QMap<QString, QVariant> freshRead(const QString &port)
{
    Modals modals;
    MainWindow w;
    w.show();
    if (!connectTo(w, port))
        return {};
    const QMap<QString, QVariant> shown = editors(w);
    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);
    return shown;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void models_data();
    void models();
    void defaults_data();
    void defaults();
    void calibration_data();
    void calibration();
    void measurement();
    void stabilityCheck();
    void settingsFileBetweenDevices();
    void demoMode();
};

void TestEndToEnd::initTestCase()
{
    QApplication::setOrganizationName("Orbelinex");
    QApplication::setApplicationName("Rlx");
    QVERIFY(QFileInfo(QStringLiteral(RLX_DEVSIM)).isExecutable());
}

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
    Devsim device(deviceOptions(m, variant));
    QVERIFY(!device.path.isEmpty());
    Modals modals;
    MainWindow w;
    w.show();

    // Connect and identification.
    QVERIFY(connectTo(w, device.path));
    QCOMPARE(w.windowTitle(),
             QStringLiteral("RLX Vela Конфигуратор v.2.5.16  Hardware: %1  "
                            "Firmware: v.%2")
                 .arg(QLatin1String(m.hardware), QLatin1String(Firmware[variant])));
    QCOMPARE(int(w.firmwareVariant()), variant);
    QCOMPARE(modals.texts, variant == 0 ? QStringList{Warning} : QStringList());
    QCOMPARE(visible(w, "Kalibr"), m.calibration);
    QCOMPARE(visible(w, "Measure"), !m.receiver && !m.rs485);
    QCOMPARE(visible(w, "W_Rs485"), m.rs485);
    QCOMPARE(visible(w, "W_Test"), m.receiver || m.rs485);
    QCOMPARE(visible(w, "AdresArray"), m.receiver || m.rs485);
    QCOMPARE(child<QLineEdit>(&w, "FirmWare")->text(), QStringLiteral("LE50-868 V2.3.1"));

    // Full read: every editor shows the device's values.
    QMap<QString, QVariant> expected{
        {"group Sub-band", 6},
        {"group Radio Data Rate", 2},
        {"Chanel", 4},
        {"Serial Timeout", 9},
        {"Flow control", 1},
        {"group Serial Data Rate", 5},
        {"Delay Rx-Tx", 12},
        {"Delay Tx-Rx", 34},
        {"Parity", 2},
        {"Stop bit", 1},
        {"TypeAveraging1", 2},
        {"Averaging1", 5},
        {"TypeAveraging2", 1},
        {"Averaging2", 3},
        {"Diskret1", 7},
        {"Diskret2", 9},
        {"Test address", m.receiver || m.rs485 ? 255 : 17},
        {"addresses",
         QString(m.name).startsWith("4-20") ? "0000,0000,0000,0001" : "8000,0000,0000,0005"},
    };
    if (variant >= 1)
        expected["Requests period"] = 30;
    if (variant == 2) {
        expected["Num of down"] = 5;
        expected["Out1 inversion"] = true;
        expected["Out2 inversion"] = false;
    }
    const QMap<QString, QVariant> read = editors(w);
    QMap<QString, QVariant> shown;
    for (const QString &key : expected.keys())
        shown[key] = read.value(key);
    QVERIFY2(shown == expected, qPrintable(differences(expected, shown)));
    const DeviceSettings &s = w.settingsData()->settings;
    QCOMPARE(int(s.power), 5);
    QCOMPARE(int(s.radioTransmitReset), 70);
    QCOMPARE(int(s.wdtReset), 20);
    QCOMPARE(int(s.radioModuleReset), variant == 2 ? 9 : 0); // not carried: as it was
    QCOMPARE(int(s.delRequest), variant >= 1 ? 30 : 1);
    QCOMPARE(int(s.numOfDown), variant == 2 ? 181 : 10);

    // Edits, then WRITE: the device keeps what the editors show.
    const QStringList edited = editSeveral(w);
    QVERIFY2(edited.size() >= 4, qPrintable(edited.join(',')));
    const QMap<QString, QVariant> edits = editors(w);
    QTest::mouseClick(button(&w, "WRITE"), Qt::LeftButton);
    QVERIFY(waitIdle(w, 20000));
    QCOMPARE(modals.texts.size(), variant == 0 ? 1 : 0);
    QVERIFY2(editors(w) == edits, qPrintable(differences(edits, editors(w))));
    QCOMPARE(device.answerTo("$0"), QStringLiteral("OK\\r"));

    // Disconnect.
    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);
    QVERIFY(!w.exchange()->isOpen());
    QCOMPARE(w.windowTitle(), QStringLiteral("RLX Vela Конфигуратор v.2.5.16"));
    QVERIFY(!button(&w, "READ")->isEnabled());

    // Another window reads the device afresh and shows the same.
    QMap<QString, QVariant> again = freshRead(device.path);
    QVERIFY2(again == edits, qPrintable(differences(edits, again)));
    QVERIFY(device.stop());
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
    const Model &m = Models[model];
    Devsim device(deviceOptions(m, variant) +
                  QStringList{"--module-rate", QString::number(moduleRate)});
    QVERIFY(!device.path.isEmpty());
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));

    QTest::mouseClick(button(&w, "DEFAULT"), Qt::LeftButton);
    QVERIFY(waitIdle(w, 60000));
    QCOMPARE(modals.texts.size(), variant == 0 ? 1 : 0);
    // Exactly one restore reached the module: at its own rate.
    const QStringList requests = device.requests();
    QVERIFY(requests.contains(QStringLiteral("$3%1").arg(moduleRate)));
    QCOMPARE(device.answerTo("$0"), QStringLiteral("OK\\r"));

    const QMap<QString, QVariant> shown = editors(w);
    QCOMPARE(shown.value("group Sub-band").toInt(), 2);
    QCOMPARE(shown.value("group Radio Data Rate").toInt(), 0);
    QCOMPARE(shown.value("Chanel").toInt(), 0);
    QCOMPARE(int(w.settingsData()->settings.radioTransmitReset), 50);
    QCOMPARE(int(w.settingsData()->settings.wdtReset), m.receiver ? 0 : 9);
    QCOMPARE(shown.value("addresses").toString(), QStringLiteral("0000,0000,0000,0001"));
    QCOMPARE(int(w.settingsData()->settings.power), 7);

    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);
    QMap<QString, QVariant> again = freshRead(device.path);
    // The older layouts do not carry the outputs, the radio module reset and
    // (variant 0) the requests period: the device keeps none of them, so a
    // fresh window shows its own start values there.
    QMap<QString, QVariant> carried = shown;
    QStringList uncarried;
    if (variant < 2)
        uncarried << "Num of down"
                  << "Out1 inversion"
                  << "Out2 inversion"
                  << "Radio Module Reset";
    if (variant < 1)
        uncarried << "Requests period";
    for (const QString &key : uncarried) {
        carried.remove(key);
        again.remove(key);
    }
    QVERIFY2(again == carried, qPrintable(differences(carried, again)));
}

void TestEndToEnd::calibration_data()
{
    QTest::addColumn<int>("model");
    QTest::newRow("4-20 receiver") << 0;
    QTest::newRow("4-20-D receiver") << 1;
}

void TestEndToEnd::calibration()
{
    QFETCH(int, model);
    Devsim device({"--hardware", Models[model].hardware});
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));
    QVERIFY(visible(w, "Kalibr"));

    // Enter the mode: the device drives its 20 mA check.
    QTest::mouseClick(button(&w, "setKalibr"), Qt::LeftButton);
    QVERIFY(waitIdle(w));
    QVERIFY(button(&w, "resetKalibr")->isVisible());
    QCOMPARE(device.answerTo("$d"), QStringLiteral("OK\\r"));

    // Order 12 mA, enter what the meter reads.
    child<QSpinBox>(&w, "curCurrent")->setValue(12000);
    QTest::mouseClick(button(&w, "setCurCurrent"), Qt::LeftButton);
    QVERIFY(waitIdle(w));
    child<QSpinBox>(&w, "realCurrent")->setValue(11985);
    QTest::mouseClick(button(&w, "setRealCurrent"), Qt::LeftButton);
    QVERIFY(waitIdle(w));
    QTest::mouseClick(button(&w, "resetKalibr"), Qt::LeftButton);
    QVERIFY(waitIdle(w));
    QVERIFY(button(&w, "setKalibr")->isVisible());

    const QStringList requests = device.requests();
    QStringList calibration;
    for (const QString &r : requests)
        if (r.startsWith(QLatin1String("$a")) || r.startsWith(QLatin1String("$b")) ||
            r.startsWith(QLatin1String("$c")) || r.startsWith(QLatin1String("$d")))
            calibration << r;
    // Three counts per microampere, in hexadecimal.
    QCOMPARE(calibration.size(), 4);
    QCOMPARE(calibration.at(0), QStringLiteral("$d\\r"));
    QVERIFY2(calibration.at(1).startsWith(
                 QStringLiteral("$a%1").arg(12000 * 3, 4, 16, QLatin1Char('0')).toUpper()) ||
                 calibration.at(1).startsWith(
                     QStringLiteral("$a%1").arg(12000 * 3, 4, 16, QLatin1Char('0'))),
             qPrintable(calibration.at(1)));
    QVERIFY(calibration.at(2).startsWith(QLatin1String("$b")));
    QCOMPARE(calibration.at(3), QStringLiteral("$c\\r"));
    for (const QString &r : calibration.mid(1, 2))
        QCOMPARE(device.answerTo(r.left(2)), QStringLiteral("OK\\r"));
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('|')));
}

void TestEndToEnd::measurement()
{
    // Sliding averages of one second follow the inputs closely.
    Devsim device({"--hardware", "RLX-31868-AD transmitter"});
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));
    QVERIFY(visible(w, "Measure"));
    child<QComboBox>(&w, "TypeAveraging1")->setCurrentIndex(2);
    child<QSpinBox>(&w, "Averaging1")->setValue(1);
    child<QComboBox>(&w, "TypeAveraging2")->setCurrentIndex(2);
    child<QSpinBox>(&w, "Averaging2")->setValue(1);
    QTest::mouseClick(button(&w, "WRITE"), Qt::LeftButton);
    QVERIFY(waitIdle(w, 20000));
    QCOMPARE(device.answerTo("$8="), QStringLiteral("OK\\r"));
    const QStringList written = device.requests().filter(QStringLiteral("$8="));
    QVERIFY2(written.contains(QStringLiteral("$8=129,129,005,004\\r")),
             qPrintable(written.join(' ')));

    auto *measure = panel<Measure>(w);
    QList<QLineEdit *> fields; // value and state of input 1, then of input 2
    for (QLineEdit *e : measure->findChildren<QLineEdit *>())
        if (!qobject_cast<QAbstractSpinBox *>(e->parent()) &&
            !qobject_cast<QComboBox *>(e->parent()))
            fields << e;
    QCOMPARE(fields.size(), 4);
    QPushButton *start = nullptr;
    for (QPushButton *b : measure->findChildren<QPushButton *>())
        if (b->text() == QLatin1String("Measurement mode"))
            start = b;
    QVERIFY(start);
    QTest::mouseClick(start, Qt::LeftButton);
    QCOMPARE(start->text(), QStringLiteral("Stop measurement"));

    // Values arrive about once a second and change.
    QSet<QString> current, voltage;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 6000 && (current.size() < 3 || voltage.size() < 3)) {
        QTest::qWait(100);
        if (!fields.at(0)->text().isEmpty())
            current << fields.at(0)->text();
        if (!fields.at(2)->text().isEmpty())
            voltage << fields.at(2)->text();
    }
    QVERIFY2(current.size() >= 3, qPrintable(QStringList(current.values()).join('|')));
    QVERIFY2(voltage.size() >= 3, qPrintable(QStringList(voltage.values()).join('|')));
    // A current input around 12 mA in microamperes, a voltage around 5 V in millivolts.
    for (const QString &v : current)
        QVERIFY2(v.trimmed().toInt() > 3000 && v.trimmed().toInt() < 21000, qPrintable(v));
    for (const QString &v : voltage)
        QVERIFY2(v.trimmed().toInt() >= 0 && v.trimmed().toInt() <= 10000, qPrintable(v));
    for (int i : {1, 3})
        QVERIFY2(fields.at(i)->text() == QLatin1String(" High") ||
                     fields.at(i)->text() == QLatin1String(" Low"),
                 qPrintable(fields.at(i)->text()));
    // Answered: the button is not red.
    QVERIFY(start->palette().color(start->backgroundRole()) != QColor(Qt::red));

    // READ ends the measurement.
    QTest::mouseClick(button(&w, "READ"), Qt::LeftButton);
    QCOMPARE(start->text(), QStringLiteral("Measurement mode"));
    QVERIFY(waitIdle(w));
    const int polls = device.requests().count(QStringLiteral("$7"));
    QTest::qWait(1500);
    QCOMPARE(device.requests().count(QStringLiteral("$7")), polls);
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('|')));
}

void TestEndToEnd::stabilityCheck()
{
    // Remote devices 1 and 3 answer over the radio, 2 does not.
    Devsim device({"--hardware", "RLX-31868-Vela-485", "--reachable", "1,3", "--poll-delay", "80"});
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));
    QVERIFY(visible(w, "W_Test"));
    auto *test = panel<W_Test>(w);
    const QList<W_Adres *> rows = test->findChildren<W_Adres *>();
    QCOMPARE(rows.size(), 10);
    for (int i = 0; i < 3; ++i)
        rows.at(i)->findChild<QCheckBox *>()->setChecked(true);

    // The history squares of a row, newest first.
    auto colours = [](W_Adres *row) {
        QList<QColor> out;
        for (QWidget *c : row->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (c->autoFillBackground())
                out << c->palette().color(QPalette::Window);
        return out;
    };
    auto count = [&](W_Adres *row, Qt::GlobalColor colour) {
        return int(colours(row).count(QColor(colour)));
    };

    QPushButton *testButton = nullptr;
    for (QPushButton *b : test->findChildren<QPushButton *>())
        if (b->text() == QLatin1String("TEST"))
            testButton = b;
    QVERIFY(testButton);
    QTest::mouseClick(testButton, Qt::LeftButton);
    QCOMPARE(testButton->text(), QStringLiteral("STOP"));
    QVERIFY(QTest::qWaitFor(
        [&] { return count(rows.at(0), Qt::green) >= 2 && count(rows.at(1), Qt::red) >= 2; },
        30000));
    QTest::mouseClick(testButton, Qt::LeftButton);
    QCOMPARE(testButton->text(), QStringLiteral("TEST"));
    QVERIFY(waitIdle(w));

    QCOMPARE(colours(rows.at(0)).size(), W_Adres::HistoryLength);
    // Reachable addresses only green, the unreachable one only red; rows
    // that take no part stay grey.
    QCOMPARE(count(rows.at(0), Qt::red), 0);
    QVERIFY(count(rows.at(2), Qt::green) >= 1);
    QCOMPARE(count(rows.at(2), Qt::red), 0);
    QCOMPARE(count(rows.at(1), Qt::green), 0);
    QCOMPARE(count(rows.at(3), Qt::gray), W_Adres::HistoryLength);
    QVERIFY(device.requests().contains(QStringLiteral("2=$\\r")));
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('|')));

    // No more polls once stopped (the one written just before may still be
    // on its way); the progress bar is usable again.
    QTest::qWait(300);
    const int polls = device.requests().size();
    QTest::qWait(1500);
    QVERIFY2(device.requests().size() == polls,
             qPrintable(device.requests().mid(polls - 3).join(' ')));
    QTest::mouseClick(button(&w, "READ"), Qt::LeftButton);
    QVERIFY(waitIdle(w));
}

void TestEndToEnd::settingsFileBetweenDevices()
{
    // Device A has the settings to copy; device B comes from the factory.
    Devsim a(QStringList{"--hardware", "RLX-31868-Vela-485"} + poweredUp(2));
    Devsim b({"--hardware", "RLX-31868-Vela-485"});
    Modals modals;
    modals.fileName = QDir::current().filePath("site.rlx");
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, a.path));
    const QMap<QString, QVariant> fromA = editors(w);
    QTest::mouseClick(button(&w, "Save Settings"), Qt::LeftButton);
    QVERIFY(QFileInfo(modals.fileName).size() > 0);
    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);

    QVERIFY(connectTo(w, b.path));
    QVERIFY(editors(w) != fromA);
    QTest::mouseClick(button(&w, "Open Settings"), Qt::LeftButton);
    QVERIFY2(editors(w) == fromA, qPrintable(differences(fromA, editors(w))));
    QTest::mouseClick(button(&w, "WRITE"), Qt::LeftButton);
    QVERIFY(waitIdle(w, 20000));
    QCOMPARE(modals.fileDialogs, 2);
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('|')));
    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);

    const QMap<QString, QVariant> onB = freshRead(b.path);
    QVERIFY2(onB == fromA, qPrintable(differences(fromA, onB)));
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
    QVERIFY(!QDir(VirtualPorts::defaultFolder()).exists() ||
            QDir(VirtualPorts::defaultFolder()).isEmpty());

    // A running virtual device is offered beside the system's ports.
    auto device =
        std::make_unique<Devsim>(QStringList{"--hardware", "RLX-31868-DD receiver"}, true);
    const QString name = device->path + QStringLiteral(" (virtual RLX-31868-DD receiver)");
    QVERIFY2(QTest::qWaitFor([&] { return listed().contains(name); }, 3000),
             qPrintable(listed().join('|')));
    QCOMPARE(listed().mid(0, before.size()), before);
    ports->setCurrentIndex(ports->findText(name));
    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);
    QVERIFY(w.exchange()->isOpen());
    QVERIFY(waitIdle(w));
    QCOMPARE(w.hardwareText(), QStringLiteral("RLX-31868-DD receiver"));
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('|')));
    QTest::mouseClick(button(&w, "pbOpen"), Qt::LeftButton);

    // Stopped, it withdraws its announcement and leaves the list.
    QVERIFY(device->stop());
    QVERIFY(QDir(VirtualPorts::defaultFolder()).isEmpty());
    QVERIFY2(QTest::qWaitFor([&] { return listed() == before; }, 3000),
             qPrintable(listed().join('|')));

    // One that was killed leaves its file behind, and the list as well.
    device = std::make_unique<Devsim>(QStringList(), true);
    QVERIFY(QTest::qWaitFor([&] { return listed().size() == before.size() + 1; }, 3000));
    device->process.kill();
    device->process.waitForFinished(3000);
    QVERIFY(!QDir(VirtualPorts::defaultFolder()).isEmpty());
    QVERIFY2(QTest::qWaitFor([&] { return listed() == before; }, 3000),
             qPrintable(listed().join('|')));
}

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
