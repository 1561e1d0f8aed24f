#include "link/portlist.h"
#include "link/virtualports.h"
#include "link/w_comport.h"
#include "tests/editors/reportlog.h"
#include "tools/devsim/announcement.h"

#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>

namespace {

QStringList warnings;

void keepWarning(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings << text;
}

bool write(const QString &path, const QByteArray &text = {})
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

class TestLink : public QObject
{
    Q_OBJECT

private slots:
    // Ports are enumerated (costly) only after a watched folder changed, once more, then not.
    void portListWatchesFolders()
    {
        QTemporaryDir dev;
        const QString byId = dev.filePath("serial/by-id");
        QStringList present{"ttyS0"};
        int calls = 0;
        PortList list([&] { return ++calls, present; }, {dev.path(), byId});
        list.present();
        present << "ttyUSB0"; // no folder changed: not looked at
        for (int tick = 0; tick < 5; ++tick)
            QCOMPARE(list.present(), QStringList({"ttyS0"}));
        QVERIFY(write(dev.filePath("ttyUSB0")));
        QVERIFY(QTest::qWaitFor([&] { return list.present().size() == 2; }, 30000));
        const int afterChange = calls;
        for (int tick = 0; tick < 5; ++tick)
            list.present();
        QCOMPARE(calls, afterChange + 1);

        // /dev/serial/by-id comes with the first USB serial adapter.
        QVERIFY(QDir().mkpath(byId));
        QVERIFY(QTest::qWaitFor([&] { return list.present(), calls > afterChange + 1; }, 30000));
        list.present();
        list.present();
        const int settled = calls;
        QVERIFY(write(byId + "/usb-adapter-port0")); // a change inside by-id only
        QVERIFY(QTest::qWaitFor([&] { return list.present(), calls > settled; }, 30000));
    }

    void connectBar()
    {
        QStringList present = {"ttyS1", "ttyS0"};
        int enumerations = 0;
        W_ComPort bar(nullptr, new PortList([&] { return ++enumerations, present; }, {}));
        bar.connectControls();
        QVERIFY(showAndWait(&bar));
        ReportLog log(&bar);
        auto combo = bar.findChild<QComboBox *>("PortName");
        auto items = [&] {
            QStringList out;
            for (int i = 0; i < combo->count(); ++i)
                out << combo->itemText(i) + (i == combo->currentIndex() ? "*" : "");
            return out.join(' ');
        };
        QCOMPARE(items(), QString("ttyS1* ttyS0"));
        const int before = enumerations; // the bar's own refresh may have run too
        bar.slUpdatePortName();
        QCOMPARE(enumerations, before + 1); // one look per refresh, however many ports

        // New ports come at the end, gone ones leave; the user picks one.
        present = QStringList{"ttyUSB0", "ttyS0"};
        bar.slUpdatePortName();
        QCOMPARE(items(), QString("ttyS0* ttyUSB0"));
        log.take();
        QCOMPARE(log.run("PortName^Down|pbOpen!|Open Settings!|Save Settings!"),
                 QString("PortName=1|PortName:ttyUSB0|pbOpen=0|Open Settings=0|Save Settings=0"));

        // Remembered once connected; while connected the chosen port stays, a returning one waits.
        bar.setConnected(false); // the port did not open
        QVERIFY(!QSettings().contains("PortName"));
        bar.setConnected(true);
        QCOMPARE(QSettings().value("PortName").toString(), QString("ttyUSB0"));
        QSettings().setValue("PortName", "ttyACM0");
        present = QStringList{"ttyS0", "ttyACM0"};
        bar.slUpdatePortName();
        QCOMPARE(items(), QString("ttyS0 ttyUSB0* ttyACM0"));
        bar.setConnected(false);
        bar.slUpdatePortName();
        QCOMPARE(items(), QString("ttyS0 ttyACM0*"));

        // The remembered port is chosen when it appears, by its beginning; the timer refreshes.
        QSettings().setValue("PortName", "COM10");
        present << "COM1";
        QTRY_COMPARE_WITH_TIMEOUT(items(), QString("ttyS0 ttyACM0 COM1*"), 30000);

        // A virtual device remembered in another language is chosen by its whole path.
        QSettings().setValue("PortName", "/dev/pts/7 (виртуальный RLX-31868-DD receiver)");
        present << "/dev/pts/71 (virtual RLX-31868-DD receiver)"
                << "/dev/pts/7 (virtual RLX-31868-DD receiver)";
        bar.slUpdatePortName();
        QVERIFY(items().endsWith(" COM1 /dev/pts/71 (virtual RLX-31868-DD receiver) "
                                 "/dev/pts/7 (virtual RLX-31868-DD receiver)*"));
    }

    // Devices announce in XDG_RUNTIME_DIR, a file per process; without it none look or announce.
    void virtualPorts()
    {
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR"); // unset and empty are alike
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
        const auto restore = qScopeGuard([&] {
            qInstallMessageHandler(previous);
            qputenv("XDG_RUNTIME_DIR", saved);
        });
        const QString listed = VirtualPorts::nameFor("/dev/null", "RLX-31868-Vela-485");
        qunsetenv("XDG_RUNTIME_DIR");
        for (const char *state : {"unset", "empty"}) {
            QVERIFY2(!PortList().present().contains(listed), state);
            QVERIFY2(!Announcement().publish("/dev/null", "RLX-31868-Vela-485"), state);
            qputenv("XDG_RUNTIME_DIR", QByteArray()); // for the second pass
        }

        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QString folder = runtime.filePath("rlx-devsim");
        VirtualPorts ports(folder); // the folder is not there yet
        QCOMPARE(ports.names(), QStringList());
        const int scans = ports.scans();
        for (int i = 0; i < 5; ++i)
            ports.names();
        QCOMPARE(ports.scans(), scans); // nothing changed, nothing read
        PortList list;
        // /dev/null stands in for a pseudo-terminal; stray files and gone processes/ports stay out.
        Announcement announcement;
        QVERIFY(announcement.publish("/dev/null", "RLX-31868-Vela-485"));
        QCOMPARE(announcement.fileName(),
                 folder + '/' + QString::number(QCoreApplication::applicationPid()));
        QVERIFY(write(folder + "/999999999", "/dev/null\nghost\n"));
        QVERIFY(write(folder + "/1", "/dev/rlx-no-such-pts\nunplugged\n"));
        QVERIFY(write(folder + "/notes.txt"));
        QVERIFY(QTest::qWaitFor(
            [&] { return ports.names() == QStringList{listed} && list.present().contains(listed); },
            30000));
        // An entry made in another language is the same port, untranslated for programs.
        const QString russian = "/dev/null (виртуальный RLX-31868-Vela-485)";
        for (const QString &name : {listed, russian, QString("ttyUSB0"), QString(" (virtual x)")})
            QCOMPARE(VirtualPorts::portOf(name) + '|' + VirtualPorts::untranslated(name),
                     name.startsWith("/dev") ? "/dev/null|" + listed : name + '|' + name);
        announcement.withdraw();
        QVERIFY(QTest::qWaitFor(
            [&] { return ports.names().isEmpty() && !list.present().contains(listed); }, 30000));
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    }
};

QTEST_MAIN(TestLink)
#include "tst_link.moc"
