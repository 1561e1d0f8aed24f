// The main window's service aids against a virtual device served in this
// process: the traffic log, tooltips, the stability check's counts, stale
// measurement values and the window's fit on a small screen.
#include "app/mainwindow.h"
#include "app/trafficlog.h"
#include "protocol/exchange.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QPlainTextEdit>
#include <QStatusBar>
#include <QtTest>

using namespace WindowDriver;

namespace {

// A device of the given model on a pseudo-terminal of this process.
struct Device
{
    explicit Device(const QByteArray &hardware)
    {
        model.setHardware(hardware);
        port.open();
    }
    DeviceModel model;
    PtyDevice port{&model};
};

QPlainTextEdit *logView(MainWindow &w)
{
    return w.findChild<TrafficLog *>("trafficLog")->findChild<QPlainTextEdit *>();
}

} // namespace

class TestServiceWindow : public QObject
{
    Q_OBJECT

private slots:
    void trafficLogMissedRepeatsOrShowedControlBytesRaw();
    void trafficLogGrewWithoutBound();
};

// Connect and read with one register read left unanswered: the log, opened
// from the status bar and again with Ctrl+L, lists each request and reply in
// order with its time, the repeats, time-outs and the give-up, the control
// bytes visibly; it saves what it shows and clears.
void TestServiceWindow::trafficLogMissedRepeatsOrShowedControlBytesRaw()
{
    Device device("RLX-31868-Vela-485");
    device.port.faults().rules.append({"ATS202?", -1, -1});
    Modals modals;
    MainWindow w;
    w.show();
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    QVERIFY(log);
    QVERIFY(!log->isVisible());
    QVERIFY(connectTo(w, device.port.slavePath(), 20000));

    // Opened from the button at the right of the status bar.
    auto *open = w.statusBar()->findChild<QPushButton *>("trafficLogButton");
    QVERIFY(open);
    QTest::mouseClick(open, Qt::LeftButton);
    QVERIFY(log->isVisible());
    const QStringList lines = logView(w)->toPlainText().split('\n');
    const QString all = lines.join('\n');
    QCOMPARE(lines, log->lines());
    // Every line starts with a time of day to the millisecond and a direction.
    const QRegularExpression form("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (>>|<<|!!) ");
    for (const QString &l : lines)
        QVERIFY2(form.match(l).hasMatch(), qPrintable(l));
    QVERIFY2(lines.first().endsWith(">> $2"), qPrintable(lines.first()));
    QVERIFY2(lines.value(1).contains("<< firmware=Aug  4 2022,pp=RLX-31868-Vela-485\\r"),
             qPrintable(lines.value(1)));
    QVERIFY2(!all.contains('\r'), "a raw carriage return in the log");
    // The unanswered read: sent, timed out and repeated, then given up.
    const QStringList s202 = lines.filter("ATS202?\\r");
    QVERIFY2(s202.size() >= 4, qPrintable(s202.join('\n')));
    QVERIFY(s202.first().contains(">> ATS202?\\r") && !s202.first().contains("repeat"));
    QVERIFY(s202.at(1).contains("!! time-out: ATS202?\\r"));
    QVERIFY(s202.at(2).contains(">> ATS202?\\r  (repeat)"));
    QVERIFY(s202.last().contains("!! gave up: ATS202?\\r"));
    // Replies are logged as they arrive, after their request, in time order.
    QVERIFY(lines.indexOf(QRegularExpression(".*<< S206=.*")) >
            lines.indexOf(QRegularExpression(".*>> ATS206\\?\\\\r")));
    QStringList times;
    for (const QString &l : lines)
        times << l.left(12);
    QStringList sorted = times;
    sorted.sort();
    QCOMPARE(times, sorted);
    // Bytes outside printable ASCII are shown by their code.
    QCOMPARE(TrafficLog::visible(QByteArray("a\0\x1b\\\n\xff", 6)),
             QStringLiteral("a<00><1b>\\\\\\n<ff>"));

    // New traffic reaches the open window, at the bottom.
    const int before = log->lineCount();
    QVERIFY(press(w, "READ", 20000));
    QVERIFY(log->lineCount() > before);
    QTRY_COMPARE(logView(w)->toPlainText().split('\n'), log->lines());

    // Saved to a text file as shown.
    modals.fileName = QDir::current().filePath("traffic.txt");
    click(log, "trafficLogSave");
    QTRY_COMPARE(modals.fileDialogs, 1);
    QFile saved("traffic.txt");
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), log->lines().join('\n') + '\n');

    // Cleared; closed and opened again with Ctrl+L from the main window.
    click(log, "trafficLogClear");
    QCOMPARE(log->lineCount(), 0);
    QCOMPARE(logView(w)->toPlainText(), QString());
    log->close();
    QVERIFY(!log->isVisible());
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(log->isVisible());
}

// A day of traffic keeps the newest lines, no more, in the store and in the
// open window alike, whether it came while the window was shut or open.
void TestServiceWindow::trafficLogGrewWithoutBound()
{
    MainWindow w;
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    const int n = TrafficLog::MaxLines;
    for (int i = 0; i < n + 500; ++i)
        emit w.exchange()->sgTraffic(Exchange::Traffic::Sent, QByteArray::number(i) + "=$\r\n");
    QCOMPARE(log->lineCount(), n);
    QVERIFY(log->line(0).endsWith(">> 500=$\\r\\n"));
    QVERIFY(log->line(n - 1).endsWith(QStringLiteral(">> %1=$\\r\\n").arg(n + 499)));
    log->open();
    QCOMPARE(logView(w)->blockCount(), n);
    for (int i = 0; i < 700; ++i)
        emit w.exchange()->sgTraffic(Exchange::Traffic::Received, QByteArray::number(i) + "=1,2\r");
    QCOMPARE(log->lineCount(), n);
    QTRY_VERIFY(logView(w)->toPlainText().endsWith("<< 699=1,2\\r"));
    QCOMPARE(logView(w)->blockCount(), n);
    QVERIFY(logView(w)->toPlainText().startsWith(log->line(0)));
}

QTEST_MAIN(TestServiceWindow)
#include "tst_servicewindow.moc"
