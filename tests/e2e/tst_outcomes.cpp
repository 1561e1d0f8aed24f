// The status line tells the truth about the last operation, against a misbehaving device in memory.
#include "protocol/data.h"
#include "session/settingsfile.h"
#include "tests/filesizelimit.h"
#include "tests/memorydevice.h"
#include "tools/devsim/ptydevice.h"

#include <QDir>
#include <QSpinBox>
#include <QtTest>

using namespace WindowDriver;

namespace {

// An RS-485 model (all read back in variant 2), every setting unlike the window's start.
struct Device : WindowOnDevice
{
    explicit Device(const QByteArray &hardware = "RLX-31868-Vela-485",
                    const QByteArray &firmware = "Aug  4 2022")
        : WindowOnDevice(hardware, firmware)
    {
        giveOwnSettings(model);
        model.setReachable({});
        model.setModuleRate(3); // the recorded rate: DEFAULT needs no rate search
        model.setLinkRate(3);
    }
    void silence(const QByteArray &prefix) { line.faults().rules = {{prefix, -1, -1}}; }
    QString port() const { return QString::fromLatin1(Port); }
    bool connectAndSettle() { return connect() && settle(); }
};

} // namespace

class TestOutcomes : public QObject
{
    Q_OBJECT

private slots:
    // Identity unanswered: WRITE and DEFAULT send nothing until a connection identifies it.
    void lostIdentityLetWriteAndDefaultThrough()
    {
        Device device("RLX-31868-Vela-485", "Mar 15 2022");
        device.silence("$2");
        MainWindow &w = device.w;
        QVERIFY(device.connectAndSettle());
        QCOMPARE(outcome(w),
                 QStringLiteral("The device on %1 did not identify itself: 12 of 13 requests "
                                "answered; unanswered: $2; WRITE and DEFAULT send nothing until a "
                                "connection identifies it.")
                     .arg(device.port()));

        const quint8 shown = w.settingsData()->settings.delTxRx;
        const int before = device.line.requestCount();
        for (const char *action : {"WRITE", "DEFAULT"}) {
            click(&w, action);
            device.wait(300);
            QCOMPARE(device.sentSince(before), QStringList());
            QVERIFY2(outcome(w).startsWith(QStringLiteral("%1: nothing was sent, because the "
                                                          "device on %2 has not identified itself")
                                               .arg(action, device.port())),
                     qPrintable(outcome(w)));
        }
        QCOMPARE(child<QSpinBox>(&w, "Delay Tx-Rx")->value(), int(shown));

        device.line.faults() = PtyDevice::Faults();
        click(&w, "pbOpen");
        QVERIFY(device.connectAndSettle() && device.press("WRITE"));
        QCOMPARE(outcome(w), QStringLiteral("Written and verified; the device does not report "
                                            "back: Num of down, Radio Module Reset."));
        QVERIFY(!child<QWidget>(&w, "Num of down")->isVisibleTo(&w)); // variant 1 has no outputs
    }

    // The oldest layout behind a new date: configuration refused, read-back unfit; no success.
    void configurationRefusedInAnotherLayout()
    {
        Device device;
        device.model.setVariant(0);
        MainWindow &w = device.w;
        QVERIFY(device.connectAndSettle());
        // The configuration was not read: the window's start values go to no device.
        QVERIFY(device.press("WRITE"));
        QVERIFY2(outcome(w).startsWith("WRITE: nothing was sent, because these settings cannot "
                                       "go to a device: Serial Timeout: 9 is not 17 to 250"),
                 qPrintable(outcome(w)));
        w.settingsData()->settings.radioTransmitReset = 50;
        w.settingsData()->settings.serialRate = 4;
        device.silence("ATS202=");
        QVERIFY(device.press("WRITE"));
        QCOMPARE(device.modals.titles.filter("ATS202="), QStringList{"ATS202=5"});
        const QString text = outcome(w);
        QVERIFY2(text.startsWith(QStringLiteral("Not written as intended: the device did not "
                                                "accept the configuration ($0), ATS202=5; "
                                                "unanswered: $1; not read back, so not verified: "
                                                "Delay Tx-Rx, ")),
                 qPrintable(text));
        QVERIFY2(text.contains("Addresses") && !text.contains("wrote"), qPrintable(text));
    }

    // Padded identity; settings acknowledged but not kept, named with both values; damaged replies.
    void damagedAndUnansweredReplies()
    {
        Device device;
        device.model.setIdentityPadding(40);
        device.model.setScriptedReply("ATS214?", "S214=\r");
        QVERIFY(device.model.setStuck("delTxRx"));
        MainWindow &w = device.w;
        QVERIFY(device.connectAndSettle());
        QCOMPARE(outcome(w), QStringLiteral("Identified RLX-31868-Vela-485, firmware Aug  4 2022, "
                                            "on %1: 13 of 13 requests answered; not read, as the "
                                            "device's replies for them were damaged or "
                                            "incomplete: Serial Timeout.")
                                 .arg(device.port()));
        child<QSpinBox>(&w, "Delay Tx-Rx")->setValue(21);
        child<QSpinBox>(&w, "Serial Timeout")->setValue(12);
        child<QSpinBox>(&w, "Delay Rx-Tx")->setValue(13); // stored as written
        QVERIFY(device.press("WRITE"));
        QCOMPARE(outcome(w), QStringLiteral("Not written as intended: Delay Tx-Rx: wrote 21, "
                                            "device holds 34; not read back, so not verified: "
                                            "Serial Timeout."));
        QCOMPARE(child<QSpinBox>(&w, "Delay Tx-Rx")->value(), 34);
        QCOMPARE(child<QSpinBox>(&w, "Delay Rx-Tx")->value(), 13);
        // DEFAULT is verified the same way; the configuration goes out at the factory rate.
        device.model.clearScriptedReplies();
        QVERIFY(device.press("DEFAULT"));
        QCOMPARE(outcome(w), QStringLiteral("Factory settings not restored as intended: "
                                            "Delay Tx-Rx: wrote 0, device holds 34."));
        QCOMPARE(int(device.model.config().serialRate), 4);

        device.line.faults().rules = {{"ATS206?", -1, -1}, {"$9", -1, -1}};
        QVERIFY(device.press("READ"));
        QCOMPARE(outcome(w),
                 QStringLiteral("Read: 10 of 12 requests answered; unanswered: ATS206?, $9."));
    }

    // Each calibration step told; the port closed, the panel stays out of the mode; old firmware.
    void calibrationWithThePortClosed()
    {
        Device device("RLX-31868-4-20 receiver", "Aug  1 2021");
        MainWindow &w = device.w;
        QVERIFY(device.connect());
        QVERIFY(device.press("setKalibr"));
        QCOMPARE(outcome(w),
                 QStringLiteral("Calibration mode on: the output drives its 20 mA check current."));
        QVERIFY(device.model.calibrationMode());
        child<QSpinBox>(&w, "curCurrent")->setValue(12000);
        QVERIFY(device.press("setCurCurrent"));
        QCOMPARE(outcome(w), QStringLiteral("Set point 12000 mkA taken by the device."));
        device.silence("$b");
        child<QSpinBox>(&w, "realCurrent")->setValue(11985);
        click(&w, "setRealCurrent");
        QVERIFY(device.runUntil([&] { return outcome(w).startsWith("The device"); }));
        QCOMPARE(outcome(w), QStringLiteral("The device did not accept the measured 11985 mkA for "
                                            "the set point 12000 mkA ($b)."));
        device.line.faults() = PtyDevice::Faults();
        QVERIFY(device.press("resetKalibr"));
        QCOMPARE(outcome(w), QStringLiteral("Calibration mode off."));
        QVERIFY(!device.model.calibrationMode());

        click(&w, "pbOpen");
        const int before = device.line.requestCount();
        click(&w, "setKalibr");
        device.wait(2500); // a request would have given up by now
        QCOMPARE(device.sentSince(before), QStringList());
        QVERIFY(button(&w, "setKalibr")->isVisibleTo(&w) &&
                !button(&w, "resetKalibr")->isVisibleTo(&w));
        QCOMPARE(outcome(w), QStringLiteral("Calibration: nothing was sent, because the port is "
                                            "closed; connect the device first."));
        QCOMPARE(device.modals.texts, QStringList{"Убедитесь в актуальности FirmWare"});
    }

    // ".rlx" added; failed saves and bad opens change nothing.
    void settingsFiles()
    {
        QVERIFY(QDir().mkdir("jobs"));
        const QString jobs = QDir::current().absoluteFilePath("jobs");
        const QString site = jobs + "/site.rlx";
        {
            Device device;
            QVERIFY(device.connect());
            device.modals.fileName = jobs + "/site";
            click(&device.w, "Save Settings");
            QTRY_COMPARE(device.modals.fileDialogs, 1);
            QCOMPARE(fileBytes(site), SettingsFile::toBytes(device.w.settingsData()->settings));
            QCOMPARE(device.outcome(), QStringLiteral("Settings saved to %1.").arg(site));
        }
        // The next session, without a device.
        Modals modals;
        MainWindow w;
        w.show();
        DeviceSettings &s = w.settingsData()->settings;
        const QByteArray onDisk = fileBytes(site);
        modals.fileName = site;
        click(&w, "Open Settings");
        QTRY_COMPARE(modals.fileDialogs, 1);
        QCOMPARE(SettingsFile::toBytes(s), onDisk);
        // On a full disk the dialog asks whether to replace the file, then the save fails.
        s.delTxRx = 21;
        {
            FileSizeLimit full(0);
            click(&w, "Save Settings");
            QTRY_COMPARE(modals.fileDialogs, 2);
        }
        QCOMPARE(outcome(w), QStringLiteral("The settings could not be saved to %1.").arg(site));
        QCOMPARE(fileBytes(site), onDisk);
        const QByteArray kept = SettingsFile::toBytes(s);
        QVERIFY(QFile::resize(site, 20)); // damaged
        click(&w, "Open Settings");
        QCOMPARE(modals.texts.size(), 3);
        modals.fileName.clear();
        click(&w, "Open Settings");
        QCOMPARE(modals.texts.size(), 3);
        QCOMPARE(SettingsFile::toBytes(s), kept);

        // A value no editor takes stays, is named and stops WRITE; others become what editors show.
        DeviceSettings odd = s;
        odd.power = 200;
        odd.radioTransmitReset = 5;
        odd.radioRate = 9;
        QVERIFY(SettingsFile::save("odd.rlx", odd));
        modals.fileName = QDir::current().filePath("odd.rlx");
        click(&w, "Open Settings");
        QCOMPARE(outcome(w), QStringLiteral("Settings opened from %1; WRITE gives them to the "
                                            "device. Values the editors cannot show were changed: "
                                            "Power 200 became 7, Radio Transmit Reset 5 became 10. "
                                            "Set these in their editors before WRITE: Radio Data "
                                            "Rate: 9 is not 0 to 4.")
                                 .arg(modals.fileName));
    }
};

QTEST_MAIN(TestOutcomes)
#include "tst_outcomes.moc"
