// The window's record holds only values from the device or from before, on a damaged line.
#include "link/virtualports.h"
#include "protocol/data.h"
#include "protocol/serialtimeout.h"
#include "protocol/settingsfields.h"
#include "tests/enginesession.h"
#include "tests/memorydevice.h"
#include "tools/devsim/ptydevice.h"

#include <QSerialPort>
#include <QtTest>

using namespace WindowDriver;

namespace {

// The device on a real pseudo-terminal, whose adapter can be pulled out.
struct Plugged
{
    DeviceModel model;
    PtyDevice line{&model};

    explicit Plugged(quint8 testAdres = 77)
    {
        model.setHardware("RLX-31868-Vela-485");
        giveOwnSettings(model, testAdres);
        QVERIFY2(line.open(), qPrintable(line.errorString()));
    }
};

// The byte fields of a record by name.
using Fields = QMap<QString, int>;

Fields fields(const DeviceSettings &s)
{
    Fields out;
    for (const SettingsField &f : SettingsFields::all())
        if (f.byte)
            out[f.name] = s.*f.byte;
    return out;
}

Fields shown(MainWindow &w)
{
    return fields(w.settingsData()->settings);
}

// Fields holding neither `a`'s value nor `b`'s (nor, with `floor`, the new rate's time-out floor).
QString strangers(const Fields &now, const Fields &a, const Fields &b = {}, bool floor = false)
{
    QStringList bad;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        const int v = now.value(it.key());
        if (v != it.value() && v != b.value(it.key(), it.value()) &&
            !(floor && it.key() == "serialTimeout" &&
              v == SerialTimeout::minSerialTimeout(now.value("serialRate"))))
            bad << QStringLiteral("%1=%2").arg(it.key()).arg(v);
    }
    return bad.join(", ");
}

} // namespace

class TestFaults : public QObject
{
    Q_OBJECT

private slots:
    void damagedLine_data()
    {
        QTest::addColumn<QByteArray>("silent"); // requests left unanswered ("-": none)
        QTest::addColumn<double>("noise");      // with noise, any number of questions
        QTest::addColumn<int>("chunk");
        QTest::addColumn<QStringList>("titles");    // of the message boxes
        QTest::addColumn<QStringList>("untouched"); // fields kept from before
        auto row = [](const char *tag, const char *silent, double noise, int chunk,
                      const QStringList &titles = {}, const QStringList &untouched = {}) {
            QTest::newRow(tag) << QByteArray(silent) << noise << chunk << titles << untouched;
        };
        row("single bytes", "-", 0, 1);
        row("noise 5% in single bytes", "-", 0.05, 1);
        row("silent device", "", 0, 0, {"AT/V"}, fields(DeviceSettings()).keys()); // answered "No"
        // Without the identity the firmware level stays at the lowest, without these three.
        row("identity", "$2", 0, 0, {"Device not identified"},
            {"delRequest", "numOfDown", "radioModuleReset"});
        row("register S206", "ATS206?", 0, 0, {"ATS206?"}, {"subBand"});
        row("register S216", "ATS216?", 0, 0, {}, {"flowControl"});
        // The test address becomes 255; the time-out read stays, below the floor of the rate kept.
        row("configuration", "$1", 0, 0, {},
            {"testAdres", "serialRate", "delRxTx", "delTxRx", "parity", "radioTransmitReset",
             "stopBit", "wdtReset", "radioModuleReset", "delRequest", "numOfDown"});
        row("averaging", "$9", 0, 0, {"$9"}, {"averaging1", "averaging2", "diskret1", "diskret2"});
    }

    void damagedLine()
    {
        QFETCH(QByteArray, silent);
        QFETCH(double, noise);
        QFETCH(QStringList, untouched);
        WindowOnDevice device;
        giveOwnSettings(device.model);
        device.line.setSeed(1234);
        Modals &modals = device.modals;
        modals.question = silent.isEmpty() ? QMessageBox::No : QMessageBox::Yes;
        MainWindow &w = device.w;
        const Fields before = shown(w);
        const Fields stored = fields(held(device.model));
        device.line.faults().noise = noise;
        QFETCH(int, chunk);
        device.line.faults().chunkSize = chunk;
        if (silent != "-")
            device.line.faults().rules = {{silent, -1, -1}};
        pressConnect(w, MemoryDevice::Port);
        // Damaged replies are repeated, a request left without one is put to the user.
        QVERIFY(device.settle());
        QVERIFY(w.exchange()->isOpen());
        // A device that did not identify itself (on a noisy line too) is told so once.
        const int notices = modals.titles.count(QStringLiteral("Device not identified"));
        QVERIFY(notices <= 1);
        QCOMPARE(modals.texts.count(QStringLiteral("Ошибка выполнения команды. Продолжить?")),
                 modals.texts.size() - notices);
        if (noise > 0) {
            QCOMPARE(strangers(shown(w), before, stored, true), QString());
        } else {
            QTEST(modals.titles, "titles");
            Fields expected = stored;
            for (const QString &name : untouched)
                expected[name] = before[name];
            if (silent == "$1")
                expected["testAdres"] = 255;
            QCOMPARE(strangers(shown(w), expected), QString());
        }
        if (silent.isEmpty()) {
            // "No" stops the read, not even the request given up is repeated; the bar is not full.
            QCOMPARE(w.findChild<QProgressBar *>()->value(), 0);
            QCOMPARE(outcome(w),
                     QStringLiteral("No device answered on %1: 0 of 13 requests answered; "
                                    "unanswered: $2, +++, AT/V; stopped at your answer after "
                                    "AT/V, 10 requests not sent.")
                         .arg(MemoryDevice::Port));
            const int sent = device.line.requestCount();
            device.clock.advance(1500);
            QCOMPARE(device.line.requestCount(), sent);
        } else if (silent != "-") {
            // "Yes" goes on with the rest of the read, to its last request.
            QVERIFY(device.line.requests().contains("ATO\r"));
        } else {
            // On a clean line a new connection shows the device's values.
            device.line.faults() = PtyDevice::Faults();
            modals.texts.clear();
            click(&w, "pbOpen");
            QVERIFY(device.connect());
            QCOMPARE(modals.texts, QStringList());
            QCOMPARE(strangers(shown(w), stored), QString());
        }
    }

    void unplugged_data()
    {
        QTest::addColumn<QString>("when");
        QTest::addColumn<QStringList>("titles"); // of the message boxes
        QTest::newRow("during the read") << "read" << QStringList{"Connection lost"};
        QTest::newRow("while the question is open")
            << "question" << QStringList{"ATS202?", "Connection lost"};
    }

    void unplugged()
    {
        QFETCH(QString, when);
        Modals modals;
        Plugged device;
        MainWindow w;
        w.show();
        // The port as the port list shows it; the message about the loss names it so.
        const QString shown = VirtualPorts::nameFor(device.line.slavePath(), "RLX-31868-Vela-485");
        QSerialPort *port = w.exchange()->findChild<QSerialPort *>();
        QVERIFY(port);
        int errors = 0;
        connect(port, &QSerialPort::errorOccurred, this,
                [&](QSerialPort::SerialPortError e) { errors += e != QSerialPort::NoError; });
        bool hungUp = false;
        connect(&device.line, &PtyDevice::sgHungUp, this, [&] { hungUp = true; });

        if (when == "read") {
            device.line.faults().hangUpAfter = 5;
            pressConnect(w, shown);
        } else {
            // Pulled out from a timer while the question is open, answered once the loss is told.
            QVERIFY(connectTo(w, shown));
            modals.holdQuestion = true;
            device.line.faults().rules = {{"ATS202?", -1, -1}};
            QTimer unplug;
            connect(&unplug, &QTimer::timeout, this, [&] {
                if (!hungUp && modals.texts.size() == 1)
                    device.line.hangUp();
                else if (!modals.texts.filter(QStringLiteral("lost")).isEmpty())
                    modals.holdQuestion = false;
            });
            unplug.start(10);
            click(&w, "READ");
            QVERIFY(QTest::qWaitFor([&] { return !modals.holdQuestion; }, 30000));
        }
        QVERIFY(QTest::qWaitFor([&] { return hungUp && !port->isOpen(); }, 60000));

        // One message, the port named in words, no error storm, the run not shown as complete.
        QTest::qWait(1000);
        QVERIFY2(errors <= 10, qPrintable(QString::number(errors)));
        QTEST(modals.titles, "titles");
        QCOMPARE(
            outcome(w),
            QStringLiteral("The connection through %1 was lost; the port was closed.").arg(shown));
        QCOMPARE(w.findChild<QProgressBar *>()->value(), 0);
        QCOMPARE(w.exchange()->queueLength(), 0);
        // Nothing more can be sent to the lost port; another device connects without a restart.
        QVERIFY(!button(&w, "READ")->isEnabled());
        Plugged fresh(99);
        modals.texts.clear();
        QVERIFY(connectTo(w, fresh.line.slavePath(), 60000));
        QCOMPARE(modals.texts, QStringList());
        QCOMPARE(strangers(::shown(w), fields(held(fresh.model))), QString());
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
