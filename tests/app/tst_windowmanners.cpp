// How the main window behaves around what the user does, against a device
// served in memory on a clock the test moves: where it stays when moved,
// the progress bar after a lost connection, the tooltips of the groups a
// receiver retitles, and the name the traffic log is saved under.
#include "app/mainwindow.h"
#include "app/trafficlog.h"
#include "protocol/exchange.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/manualclock.h"
#include "tools/devsim/modelline.h"

#include <QGroupBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowDriver;

namespace {

// The device in memory, behind the window's engine; made before the window
// so that it outlives the engine's use of its clock.
struct Device
{
    static constexpr const char *Port = "/dev/ttyRLX0";
    ManualClock clock;
    DeviceModel model;
    ModelLine line{&model, &clock};

    explicit Device(const QByteArray &hardware = "RLX-31868-Vela-485")
    {
        model.setHardware(hardware);
        model.setFirmware("Aug  4 2022");
        model.setReachable({1});
    }
    void attach(MainWindow &w)
    {
        w.exchange()->setClock(&clock);
        w.exchange()->setLine(&line);
    }
    // Moves the device's time on until `done` holds; a minute of the
    // device's time is far more than any read takes.
    bool runUntil(const std::function<bool()> &done)
    {
        return clock.advanceUntil(
            [&] {
                QCoreApplication::processEvents();
                return done();
            },
            60000);
    }
    bool idle(MainWindow &w)
    {
        auto *bar = w.findChild<QProgressBar *>();
        return runUntil([&] { return !w.exchange()->queueLength() && bar->value() == 100; });
    }
    bool connect(MainWindow &w)
    {
        pressConnect(w, Port);
        return w.exchange()->isOpen() && idle(w);
    }
};

QString where(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The tooltip of the visible group box with this title, or "(none shown)".
QString groupTip(MainWindow &w, const QString &title)
{
    for (QGroupBox *g : w.findChildren<QGroupBox *>())
        if (g->title() == title && g->isVisibleTo(&w))
            return g->toolTip();
    return QStringLiteral("(none shown)");
}

} // namespace

class TestWindowManners : public QObject
{
    Q_OBJECT

private slots:
    void movedWindowSnappedBack();
    void progressStayedAfterLostConnection();
    void retitledGroupKeptOldTooltip();
    void trafficLogSavedWithoutSuffix();
};

// Moved half off the screen, by a move of its own or the window system's, the
// window stays there; once a device's panels make it grow, it is fitted
// onto the screen again.
void TestWindowManners::movedWindowSnappedBack()
{
    Modals modals;
    Device device;
    MainWindow w;
    device.attach(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(50); // the first fit after showing
    const QRect area = w.screen()->availableGeometry();
    QVERIFY2(area.contains(w.frameGeometry()), qPrintable(where(w.frameGeometry())));

    // Half past the right edge.
    const QPoint aside(area.right() - w.frameGeometry().width() / 2, area.top() + 20);
    w.move(aside);
    QTest::qWait(100);
    QCOMPARE(w.frameGeometry().topLeft(), aside);
    // Taller than the room below, as a user's drag of the lower edge makes it.
    const QSize small = w.size();
    w.windowHandle()->resize(small.width(), area.height());
    QTest::qWait(100);
    QCOMPARE(w.frameGeometry().topLeft(), aside);
    QCOMPARE(w.size(), QSize(small.width(), area.height()));
    QVERIFY(!area.contains(w.frameGeometry()));

    // The device's panels make the window grow: all of it comes back.
    QVERIFY(device.connect(w));
    QTRY_VERIFY2(area.contains(w.frameGeometry()), qPrintable(where(w.frameGeometry())));
    QCOMPARE(modals.texts, QStringList());
}

// The bar empties when the connection goes in the middle of a read.
void TestWindowManners::progressStayedAfterLostConnection()
{
    Modals modals;
    Device device;
    MainWindow w;
    device.attach(w);
    w.show();
    auto *bar = w.findChild<QProgressBar *>();
    QVERIFY(device.connect(w));
    click(&w, "READ");
    QVERIFY(device.runUntil([&] { return bar->value() > 30 && bar->value() < 100; }));
    device.line.hangUp();
    QTRY_COMPARE(modals.texts.filter(QStringLiteral("lost")).size(), 1);
    QVERIFY(!w.exchange()->isOpen());
    QCOMPARE(bar->value(), 0);
    device.clock.advance(3000);
    QCOMPARE(bar->value(), 0);
}

// A receiver's poll group and its single discrete output group carry the
// tooltips of their titles, and the poll group's follows it back for a
// device that polls many.
void TestWindowManners::retitledGroupKeptOldTooltip()
{
    Modals modals;
    Device device("RLX-31868-4-20-D receiver");
    MainWindow w;
    device.attach(w);
    w.show();
    QVERIFY(device.connect(w));
    QCOMPARE(groupTip(w, "Radio Poll and Out Settings"),
             QStringLiteral("How the device polls its remote device, and what its outputs do "
                            "when the link is lost."));
    QCOMPARE(groupTip(w, "Out D Discret"),
             QStringLiteral("What the discrete output does when the radio link is lost."));

    device.model.setHardware("RLX-31868-Vela-485");
    click(&w, "pbOpen");
    QVERIFY(!w.exchange()->isOpen());
    QVERIFY(device.connect(w));
    QCOMPARE(groupTip(w, "Radio Poll Settings"),
             QStringLiteral("How the device polls remote devices over the radio."));
    QCOMPARE(modals.texts, QStringList());
}

// "Save..." with the text filter: a name typed without a suffix is saved as
// a text file; a name with a suffix of its own keeps it.
void TestWindowManners::trafficLogSavedWithoutSuffix()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    Modals modals;
    Device device;
    MainWindow w;
    device.attach(w);
    w.show();
    QVERIFY(device.connect(w));
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    QVERIFY(log);
    log->open();
    QVERIFY(log->lineCount() > 0);
    const QString shown = log->lines().join('\n') + '\n';

    modals.fileName = dir.filePath("traffic");
    click(log, "trafficLogSave");
    QTRY_COMPARE(modals.fileDialogs, 1);
    QFile saved(dir.filePath("traffic.txt"));
    QTRY_VERIFY(saved.exists());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), shown);
    QVERIFY(!QFile::exists(dir.filePath("traffic")));

    modals.fileName = dir.filePath("traffic.log");
    click(log, "trafficLogSave");
    QTRY_COMPARE(modals.fileDialogs, 2);
    QTRY_VERIFY(QFile::exists(dir.filePath("traffic.log")));
    QVERIFY(!QFile::exists(dir.filePath("traffic.log.txt")));
    QCOMPARE(modals.texts, QStringList());
}

QTEST_MAIN(TestWindowManners)
#include "tst_windowmanners.moc"
