// The main window's service aids against a virtual device served in this
// process: the traffic log, tooltips, the stability check's counts, stale
// measurement values and the window's fit on a small screen.
#include "app/mainwindow.h"
#include "app/trafficlog.h"
#include "app/windowfit.h"
#include "panels/measure.h"
#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/exchange.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QDial>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
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

// The log's lines as its window shows them, oldest first.
QStringList logView(MainWindow &w)
{
    const QAbstractItemModel *rows =
        w.findChild<TrafficLog *>("trafficLog")->findChild<QTableView *>("trafficLogView")->model();
    QStringList out;
    for (int r = 0; r < rows->rowCount(); ++r)
        out << rows->index(r, 0).data().toString();
    return out;
}

} // namespace

class TestServiceWindow : public QObject
{
    Q_OBJECT

private slots:
    void trafficLogMissedRepeatsOrShowedControlBytesRaw();
    void trafficLogGrewWithoutBound();
    void controlWithoutTooltip();
    void stabilityCountsWrongOrNotSummarised();
    void staleMeasurementLookedFresh();
    void windowRanOffTheScreen();
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
    const QStringList lines = logView(w);
    const QString all = lines.join('\n');
    QCOMPARE(lines, log->lines());
    // Every line starts with a date and time to the millisecond and a
    // direction, or "==" for what the status line said.
    const QRegularExpression form(
        "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (>>|<<|!!|==) ");
    for (const QString &l : lines)
        QVERIFY2(form.match(l).hasMatch(), qPrintable(l));
    QVERIFY2(lines.first().contains(" == Connecting to "), qPrintable(lines.first()));
    QVERIFY2(lines.value(1).endsWith(">> $2"), qPrintable(lines.value(1)));
    QVERIFY2(lines.value(2).contains("<< firmware=Aug  4 2022,pp=RLX-31868-Vela-485\\r"),
             qPrintable(lines.value(2)));
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
        times << l.left(23);
    QStringList sorted = times;
    sorted.sort();
    QCOMPARE(times, sorted);
    // Bytes outside printable ASCII are shown by their code.
    QCOMPARE(TrafficLog::visible(QByteArray("a\0\x1b\\\n\xff", 6)),
             QStringLiteral("a<00><1b>\\\\\\n<ff>"));

    // New traffic reaches the open window, at the bottom.
    const int before = log->lineCount();
    QVERIFY(press(w, "READ", 60000));
    QVERIFY(log->lineCount() > before);
    QTRY_COMPARE(logView(w), log->lines());

    // Saved to a text file as shown, under its header.
    modals.fileName = QDir::current().filePath("traffic.txt");
    click(log, "trafficLogSave");
    QTRY_COMPARE(modals.fileDialogs, 1);
    QFile saved("traffic.txt");
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(saved.readAll()).endsWith("\n\n" + log->lines().join('\n') + '\n'));

    // Cleared; closed and opened again with Ctrl+L from the main window.
    click(log, "trafficLogClear");
    QCOMPARE(log->lineCount(), 0);
    QCOMPARE(logView(w), QStringList());
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
    QCOMPARE(logView(w).size(), n);
    for (int i = 0; i < 700; ++i) {
        emit w.exchange()->sgTraffic(Exchange::Traffic::Sent, "ATS206?\r");
        emit w.exchange()->sgTraffic(Exchange::Traffic::Received, QByteArray::number(i) + "=1,2\r");
    }
    QCOMPARE(log->lineCount(), n);
    QTRY_VERIFY(logView(w).last().endsWith("<< 699=1,2\\r"));
    QCOMPARE(logView(w).size(), n);
    QCOMPARE(logView(w).first(), log->line(0));
}

// Every editor, button and panel says what it does, in the main window and
// in the traffic log.
void TestServiceWindow::controlWithoutTooltip()
{
    MainWindow w;
    QStringList missing;
    int checked = 0;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        QWidget *p = c->parentWidget();
        const bool inner = p && (p->inherits("QAbstractSpinBox") || p->inherits("QComboBox"));
        const bool control = qobject_cast<QAbstractButton *>(c) ||
                             qobject_cast<QAbstractSpinBox *>(c) || qobject_cast<QComboBox *>(c) ||
                             qobject_cast<QDial *>(c) || qobject_cast<QGroupBox *>(c) ||
                             qobject_cast<QProgressBar *>(c) || qobject_cast<QPlainTextEdit *>(c) ||
                             qobject_cast<QTableView *>(c) ||
                             (qobject_cast<QLineEdit *>(c) && !inner);
        const bool panel = (c->inherits("W_QWidget") && c != w.centralWidget()) ||
                           c->inherits("W_Adres") || c->inherits("w_Reset");
        // A list's own parts (the corner button of a table without headers).
        const bool part = p && p->inherits("QAbstractItemView");
        if ((!control && !panel) || part)
            continue;
        ++checked;
        if (c->toolTip().trimmed().isEmpty())
            missing << QStringLiteral("%1 \"%2\" in %3")
                           .arg(c->metaObject()->className(), c->objectName(),
                                p ? p->metaObject()->className() : "");
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    QVERIFY2(checked > 150, qPrintable(QString::number(checked)));
}

// Addresses 1 (answers) and 2 (silent): each row's tooltip counts the polls
// sent and answered since the last CLEAN TEST with the share answered; STOP,
// pressed while a poll of address 1 is on its way, gives the outcome per
// address in the status line, that poll not counted as missed.
void TestServiceWindow::stabilityCountsWrongOrNotSummarised()
{
    Device device("RLX-31868-Vela-485");
    device.model.setReachable({1});
    device.model.setPollDelayMs(60);
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.port.slavePath(), 20000));
    auto *test = panel<W_Test>(w);
    const QList<W_Adres *> rows = test->findChildren<W_Adres *>();
    QCOMPARE(rows.size(), 10);
    QCOMPARE(rows[0]->toolTip(), QStringLiteral("Address 1: no polls since the last CLEAN TEST."));
    rows[0]->findChild<QCheckBox *>()->setChecked(true);
    rows[1]->findChild<QCheckBox *>()->setChecked(true);
    QPushButton *testButton = test->findChild<QPushButton *>();
    QTest::mouseClick(testButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return test->tally().row(2).sent >= 3; }, 30000));
    const QRegularExpression tip("^Address (\\d+) since the last CLEAN TEST: (\\d+) polls sent, "
                                 "(\\d+) answered \\((\\d+) %\\); at most (\\d+) in a row "
                                 "unanswered\\.$");
    for (int row : {0, 1}) {
        const QRegularExpressionMatch m = tip.match(rows[row]->toolTip());
        QVERIFY2(m.hasMatch(), qPrintable(rows[row]->toolTip()));
        const StabilityTally::Row r = test->tally().row(quint8(row + 1));
        QCOMPARE(m.captured(1).toInt(), row + 1);
        QCOMPARE(m.captured(2).toInt(), r.sent);
        QCOMPARE(m.captured(3).toInt(), r.answered);
        QVERIFY(r.sent >= 2);
        // Address 1's newest poll may still be on its way.
        QVERIFY2(row == 0 ? r.answered >= r.sent - 1 : r.answered == 0,
                 qPrintable(rows[row]->toolTip()));
        QCOMPARE(m.captured(4).toInt(), row == 0 ? qRound(100.0 * r.answered / r.sent) : 0);
    }
    // No summary while the check runs.
    QVERIFY2(!w.statusBar()->currentMessage().startsWith("Stability check stopped"),
             qPrintable(w.statusBar()->currentMessage()));

    // STOP just as a poll of address 1 leaves.
    bool stopped = false;
    auto stopper =
        connect(w.exchange(), &Exchange::sgRequest, testButton,
                [&](quint8, TypeParser, QByteArray request) {
                    if (!stopped && request.startsWith("1=$")) {
                        stopped = true;
                        QMetaObject::invokeMethod(testButton, "click", Qt::QueuedConnection);
                    }
                });
    QVERIFY(QTest::qWaitFor([&] { return stopped && !test->isTestOn(); }, 30000));
    disconnect(stopper);
    const StabilityTally::Row one = test->tally().row(1), two = test->tally().row(2);
    QCOMPARE(one.answered, one.sent);
    QCOMPARE(two.answered, 0);
    QCOMPARE(w.statusBar()->currentMessage(),
             QStringLiteral("Stability check stopped: address 1 answered %1 of %1 (100 %); "
                            "address 2 answered 0 of %2 (0 %).")
                 .arg(one.sent)
                 .arg(two.sent));
    QVERIFY(rows[0]->toolTip().contains(
        QStringLiteral("%1 polls sent, %1 answered (100 %)").arg(one.sent)));

    // CLEAN TEST starts the counts afresh.
    QTest::mouseClick(test->findChildren<QPushButton *>().at(1), Qt::LeftButton);
    QCOMPARE(rows[1]->toolTip(), QStringLiteral("Address 2: no polls since the last CLEAN TEST."));
    QVERIFY(test->tally().rows().isEmpty());
}

// The values of a measurement are greyed while answers have stopped, and
// look normal again when they come back.
void TestServiceWindow::staleMeasurementLookedFresh()
{
    Device device("RLX-31868-AD transmitter");
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.port.slavePath(), 20000));
    auto *measure = panel<Measure>(w);
    const QList<QLineEdit *> fields = measuredFields(measure);
    QCOMPARE(fields.size(), 4);
    const QColor normal = fields[0]->palette().color(QPalette::Text);
    const QColor grey = fields[0]->palette().color(QPalette::Disabled, QPalette::Text);
    QVERIFY(normal != grey);
    auto textColours = [&] {
        QSet<QRgb> colours;
        for (QLineEdit *f : fields)
            colours << f->palette().color(QPalette::Active, QPalette::Text).rgb();
        return colours;
    };
    QTest::mouseClick(measure->findChild<QPushButton *>(), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !fields[0]->text().isEmpty(); }, 30000));
    QVERIFY(!measure->valuesStale());

    // The device stops answering: the last values stay, greyed.
    device.port.faults().rules.append({"$7", -1, -1});
    QVERIFY(QTest::qWaitFor([&] { return measure->valuesStale(); }, 30000));
    QCOMPARE(textColours(), QSet<QRgb>{grey.rgb()});
    QVERIFY(!fields[0]->text().isEmpty() && !fields[2]->text().isEmpty());
    QTest::qWait(1100);
    QVERIFY(measure->valuesStale());

    // Answers come back.
    device.port.faults().rules.clear();
    QVERIFY(QTest::qWaitFor([&] { return !measure->valuesStale(); }, 30000));
    QCOMPARE(textColours(), QSet<QRgb>{normal.rgb()});
    click(&w, "READ");
    QVERIFY(!measure->valuesStale());
}

// A 1366x768 screen with a 40 px panel at the bottom, a title bar of 25 px
// and a frame of 1 px: the whole frame stays in the available area, moved up
// (or left) as far as needed, and content taller than the area scrolls. Then
// the real window on the offscreen screen (800x600), too small for the
// RS-485 model: its panels scroll, its progress bar stays in sight below
// them, and it lies on the screen.
void TestServiceWindow::windowRanOffTheScreen()
{
    const QRect laptop(0, 0, 1366, 728);
    const QMargins frame(1, 25, 1, 1);
    auto place = [&](const QRect &area, QRect at, int height, int width = 900) {
        const WindowFit::Placement p = WindowFit::place(area, at, frame, QSize(width, height));
        return QStringLiteral("%1,%2 %3x%4%5")
            .arg(p.frameTopLeft.x())
            .arg(p.frameTopLeft.y())
            .arg(p.size.width())
            .arg(p.size.height())
            .arg(p.scroll ? " scrolls" : "");
    };
    // Fits where it is; grows past the bottom and moves up just enough.
    QCOMPARE(place(laptop, QRect(226, 22, 914, 600), 574), QStringLiteral("226,22 912x574"));
    QCOMPARE(place(laptop, QRect(226, 22, 914, 600), 690), QStringLiteral("226,12 912x690"));
    // Exactly the area's height still fits; one pixel more scrolls.
    QCOMPARE(place(laptop, QRect(226, 22, 914, 600), 702), QStringLiteral("226,0 912x702"));
    QCOMPARE(place(laptop, QRect(226, 22, 914, 600), 703), QStringLiteral("226,0 912x702 scrolls"));
    // Off the right edge, and above a panel at the top.
    QCOMPARE(place(laptop, QRect(900, 0, 914, 600), 500), QStringLiteral("452,0 912x500"));
    QCOMPARE(place(QRect(0, 40, 1366, 728), QRect(0, 10, 914, 600), 500),
             QStringLiteral("0,40 912x500"));
    // 125 % scaling: the area is 1093x582 logical pixels; content wider
    // than the area scrolls sideways too.
    QCOMPARE(place(QRect(0, 0, 1093, 582), QRect(94, 0, 914, 600), 760),
             QStringLiteral("94,0 912x556 scrolls"));
    QCOMPARE(place(QRect(0, 0, 1093, 582), QRect(94, 0, 914, 600), 500, 1200),
             QStringLiteral("0,0 1091x500 scrolls"));
    // Content that scrolls up and down is given room for its scroll bar.
    const WindowFit::Placement withBar =
        WindowFit::place(QRect(0, 0, 1093, 582), QRect(94, 0, 914, 600), frame, {912, 760}, 14);
    QCOMPARE(withBar.size, QSize(926, 556));
    QCOMPARE(withBar.frameTopLeft, QPoint(94, 0));

    Device device("RLX-31868-Vela-485");
    Modals modals;
    MainWindow w;
    w.show();
    const QRect area = w.screen()->availableGeometry();
    QVERIFY(connectTo(w, device.port.slavePath(), 20000));
    auto *bar = w.findChild<QProgressBar *>();
    // The window's own scroll area holds the connection bar (the panels have
    // scroll areas of their own).
    auto windowScroll = [&w]() -> QScrollArea * {
        for (QScrollArea *a : w.findChildren<QScrollArea *>())
            if (a->widget() && a->widget()->findChild<QWidget *>("pbOpen"))
                return a;
        return nullptr;
    };
    QTRY_VERIFY(windowScroll());
    QTRY_VERIFY2(area.contains(w.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(w.frameGeometry().x())
                                .arg(w.frameGeometry().y())
                                .arg(w.frameGeometry().width())
                                .arg(w.frameGeometry().height())));
    QScrollArea *scroll = windowScroll();
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0 ||
            scroll->horizontalScrollBar()->maximum() > 0);
    // The panels scroll; the progress bar stays whole in sight below them.
    QVERIFY(!scroll->widget()->isAncestorOf(bar));
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->visibleRegion().boundingRect().height(), bar->height());
    const QPoint barBottom = bar->mapTo(&w, QPoint(0, bar->height()));
    QVERIFY(barBottom.y() <= w.height());
}

QTEST_MAIN(TestServiceWindow)
#include "tst_servicewindow.moc"
