// How the main window serves the user around the device's work, against a
// device served in memory on a clock the test moves: where it stays when
// moved or fitted to a small screen, the progress bar after a lost
// connection, the tooltips of every control and of the groups a receiver
// retitles, the stability check's counts, stale measured values, and the
// traffic log: its lines, its bound, the names it is saved under and the file
// it writes for support.
#include "app/mainwindow.h"
#include "app/trafficlog.h"
#include "app/windowfit.h"
#include "panels/measure.h"
#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "session/settingsfile.h"
#include "session/settingsjson.h"
#include "tests/filesizelimit.h"
#include "tests/memorydevice.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QClipboard>
#include <QDial>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowDriver;

namespace {

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

// A log line without its time stamp ("2026-12-08 23:52:28.988 ").
QStringList withoutTimes(const QStringList &lines)
{
    QStringList out;
    for (const QString &l : lines)
        out << l.mid(24);
    return out;
}

// The log's lines as its window shows them, oldest first.
QStringList shownLines(TrafficLog *log)
{
    const QAbstractItemModel *rows = log->findChild<QTableView *>("trafficLogView")->model();
    QStringList out;
    for (int r = 0; r < rows->rowCount(); ++r)
        out << rows->index(r, 0).data().toString();
    return out;
}

// One row of the log's window; -1 is the newest.
QString shownRow(TrafficLog *log, int row)
{
    const QAbstractItemModel *rows = log->findChild<QTableView *>("trafficLogView")->model();
    return rows->index(row < 0 ? rows->rowCount() + row : row, 0).data().toString();
}

QByteArray contents(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestWindowManners : public QObject
{
    Q_OBJECT

private slots:
    void movedWindowSnappedBack();
    void windowRanOffTheScreen();
    void progressStayedAfterLostConnection();
    void controlWithoutTooltip();
    void retitledGroupKeptOldTooltip();
    void stabilityCountsWrongOrNotSummarised();
    void staleMeasurementLookedFresh();
    void trafficLogMissedRepeatsOrSplitReplies();
    void trafficLogFramesEndedWrongly();
    void trafficLogGrewWithoutBound();
    void supportFileMissedSomething();
};

// Moved half off the screen, by a move of its own or the window system's, the
// window stays there; once a device's panels make it grow, it is fitted
// onto the screen again.
void TestWindowManners::movedWindowSnappedBack()
{
    WindowOnDevice device;
    MainWindow &w = device.w;
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
    QVERIFY(device.connect());
    QTRY_VERIFY2(area.contains(w.frameGeometry()), qPrintable(where(w.frameGeometry())));
    QCOMPARE(device.modals.texts, QStringList());
}

// A 1366x768 screen with a 40 px panel at the bottom, a title bar of 25 px
// and a frame of 1 px: the whole frame stays in the available area, moved up
// (or left) as far as needed, and content taller than the area scrolls. Then
// the real window on the offscreen screen (800x600), too small for the
// RS-485 model: its panels scroll, its progress bar stays in sight below
// them, and it lies on the screen.
void TestWindowManners::windowRanOffTheScreen()
{
    const QRect laptop(0, 0, 1366, 728);
    const QMargins frame(1, 25, 1, 1);
    auto place = [&](const QRect &area, QRect at, int height, int width = 900) {
        const WindowFit::Placement p = WindowFit::place(area, at, frame, QSize(width, height));
        return where(QRect(p.frameTopLeft, p.size)) + (p.scroll ? " scrolls" : "");
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

    WindowOnDevice device;
    MainWindow &w = device.w;
    const QRect area = w.screen()->availableGeometry();
    QVERIFY(device.connect());
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
    QTRY_VERIFY2(area.contains(w.frameGeometry()), qPrintable(where(w.frameGeometry())));
    QScrollArea *scroll = windowScroll();
    QVERIFY(scroll->verticalScrollBar()->maximum() > 0 ||
            scroll->horizontalScrollBar()->maximum() > 0);
    // The panels scroll; the progress bar stays whole in sight below them.
    QVERIFY(!scroll->widget()->isAncestorOf(bar));
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->visibleRegion().boundingRect().height(), bar->height());
    QVERIFY(bar->mapTo(&w, QPoint(0, bar->height())).y() <= w.height());
}

// The bar empties when the connection goes in the middle of a read.
void TestWindowManners::progressStayedAfterLostConnection()
{
    WindowOnDevice device;
    auto *bar = device.w.findChild<QProgressBar *>();
    QVERIFY(device.connect());
    click(&device.w, "READ");
    QVERIFY(device.runUntil([&] { return bar->value() > 30 && bar->value() < 100; }));
    device.line.hangUp();
    QTRY_COMPARE(device.modals.texts.filter(QStringLiteral("lost")).size(), 1);
    QVERIFY(!device.w.exchange()->isOpen());
    QCOMPARE(bar->value(), 0);
    device.clock.advance(3000);
    QCOMPARE(bar->value(), 0);
}

// Every editor, button and panel says what it does, in the main window and
// in the traffic log.
void TestWindowManners::controlWithoutTooltip()
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

// A receiver's poll group and its single discrete output group carry the
// tooltips of their titles, and the poll group's follows it back for a
// device that polls many.
void TestWindowManners::retitledGroupKeptOldTooltip()
{
    WindowOnDevice device("RLX-31868-4-20-D receiver");
    MainWindow &w = device.w;
    QVERIFY(device.connect());
    QCOMPARE(groupTip(w, "Radio Poll and Out Settings"),
             QStringLiteral("How the device polls its remote device, and what its outputs do "
                            "when the link is lost."));
    QCOMPARE(groupTip(w, "Out D Discret"),
             QStringLiteral("What the discrete output does when the radio link is lost."));

    device.model.setHardware("RLX-31868-Vela-485");
    click(&w, "pbOpen");
    QVERIFY(!w.exchange()->isOpen());
    QVERIFY(device.connect());
    QCOMPARE(groupTip(w, "Radio Poll Settings"),
             QStringLiteral("How the device polls remote devices over the radio."));
    QCOMPARE(device.modals.texts, QStringList());
}

// Addresses 1 (answers) and 2 (silent): each row's tooltip counts the polls
// sent and answered since the last CLEAN TEST with the share answered; STOP,
// pressed while a poll of address 1 is on its way, gives the outcome per
// address in the status line, that poll not counted as missed.
void TestWindowManners::stabilityCountsWrongOrNotSummarised()
{
    WindowOnDevice device;
    device.model.setPollDelayMs(60);
    MainWindow &w = device.w;
    QVERIFY(device.connect());
    auto *test = panel<W_Test>(w);
    const QList<W_Adres *> rows = test->findChildren<W_Adres *>();
    QCOMPARE(rows.size(), 10);
    QCOMPARE(rows[0]->toolTip(), QStringLiteral("Address 1: no polls since the last CLEAN TEST."));
    rows[0]->findChild<QCheckBox *>()->setChecked(true);
    rows[1]->findChild<QCheckBox *>()->setChecked(true);
    QPushButton *testButton = test->findChild<QPushButton *>();
    QTest::mouseClick(testButton, Qt::LeftButton);
    QVERIFY(device.runUntil([&] { return test->tally().row(2).sent >= 3; }));
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
    QVERIFY2(!device.outcome().startsWith("Stability check stopped"), qPrintable(device.outcome()));

    // STOP just as a poll of address 1 leaves.
    bool stopped = false;
    connect(w.exchange(), &Exchange::sgRequest, testButton,
            [&](quint8, TypeParser, QByteArray request) {
                if (!stopped && request.startsWith("1=$")) {
                    stopped = true;
                    QMetaObject::invokeMethod(testButton, "click", Qt::QueuedConnection);
                }
            });
    QVERIFY(device.runUntil([&] { return stopped && !test->isTestOn(); }));
    const StabilityTally::Row one = test->tally().row(1), two = test->tally().row(2);
    QCOMPARE(one.answered, one.sent);
    QCOMPARE(two.answered, 0);
    QCOMPARE(device.outcome(),
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
// look normal again when they come back. The panel polls on the real clock;
// the device's clock follows it here.
void TestWindowManners::staleMeasurementLookedFresh()
{
    WindowOnDevice device("RLX-31868-AD transmitter");
    QVERIFY(device.connect());
    auto within = [&](const std::function<bool()> &done) {
        return QTest::qWaitFor([&] { return device.clock.advance(10), done(); }, 30000);
    };
    auto *measure = panel<Measure>(device.w);
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
    QVERIFY(within([&] { return !fields[0]->text().isEmpty(); }));
    QVERIFY(!measure->valuesStale());

    // The device stops answering: the last values stay, greyed.
    device.line.faults().rules = {{"$7", -1, -1}};
    QVERIFY(within([&] { return measure->valuesStale(); }));
    QCOMPARE(textColours(), QSet<QRgb>{grey.rgb()});
    QVERIFY(!fields[0]->text().isEmpty() && !fields[2]->text().isEmpty());
    QTest::qWait(1100);
    QVERIFY(measure->valuesStale());

    // Answers come back.
    device.line.faults().rules.clear();
    QVERIFY(within([&] { return !measure->valuesStale(); }));
    QCOMPARE(textColours(), QSet<QRgb>{normal.rgb()});
    click(&device.w, "READ");
    QVERIFY(!measure->valuesStale());
}

// Connect and read with one register read left unanswered and replies in
// pieces of three bytes: the log, opened from the status bar and again with
// Ctrl+L, has a line per request and per whole reply, in time order, dated
// to the millisecond, with the repeats, time-outs and the give-up, control
// bytes by their code and the status line's texts. It saves what it shows
// under its header, as a text file when typed without a suffix, and clears.
void TestWindowManners::trafficLogMissedRepeatsOrSplitReplies()
{
    WindowOnDevice device;
    device.line.faults().rules = {{"ATS202?", -1, -1}};
    device.line.faults().chunkSize = 3;
    device.line.faults().chunkPauseMs = 5;
    MainWindow &w = device.w;
    Modals &modals = device.modals;
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    QVERIFY(!log->isVisible());
    const QDateTime before = QDateTime::currentDateTime();
    QVERIFY(device.connect());
    QTest::mouseClick(w.statusBar()->findChild<QPushButton *>("trafficLogButton"), Qt::LeftButton);
    QVERIFY(log->isVisible());
    const QStringList lines = shownLines(log);
    QCOMPARE(lines, log->lines());
    QVERIFY2(lines.first().endsWith(" == Connecting to /dev/ttyRLX0…"), qPrintable(lines.first()));
    QVERIFY2(lines.last().endsWith(" == " + outcome(w)), qPrintable(lines.last()));
    QVERIFY2(lines.value(1).endsWith(">> $2"), qPrintable(lines.value(1)));
    QVERIFY2(lines.value(2).endsWith("<< firmware=Aug  4 2022,pp=RLX-31868-Vela-485\\r"),
             qPrintable(lines.value(2)));
    const QRegularExpression form(
        "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (>>|<<|!!|==) ");
    QString previous;
    for (const QString &l : lines) {
        QVERIFY2(form.match(l).hasMatch(), qPrintable(l));
        const QDateTime at = QDateTime::fromString(l.left(23), "yyyy-MM-dd HH:mm:ss.zzz");
        QVERIFY2(at.msecsTo(before) <= 1 && at <= QDateTime::currentDateTime(), qPrintable(l));
        QVERIFY2(previous <= l.left(23), qPrintable(l));
        previous = l.left(23);
        // A reply is one line, whole, after its request.
        if (l.mid(24, 2) == "<<")
            QVERIFY2(l.endsWith("\\r"), qPrintable(l));
        QVERIFY2(!l.contains('\r'), "a raw carriage return in the log");
    }
    for (int i = 1; i < lines.size(); ++i)
        QVERIFY2(lines[i - 1].mid(24, 2) != "<<" || lines[i].mid(24, 2) != "<<",
                 qPrintable(lines[i]));
    // The unanswered read: sent, timed out and repeated, then given up.
    const QStringList s202 = lines.filter("ATS202?\\r");
    QVERIFY2(s202.size() >= 4, qPrintable(s202.join('\n')));
    QVERIFY(s202.first().endsWith(">> ATS202?\\r"));
    QVERIFY(s202.at(1).endsWith("!! time-out: ATS202?\\r"));
    QVERIFY(s202.at(2).endsWith(">> ATS202?\\r  (repeat)"));
    QVERIFY(s202.last().endsWith("!! gave up: ATS202?\\r"));
    QCOMPARE(TrafficLog::visible(QByteArray("a\0\x1b\\\n\xff", 6)),
             QStringLiteral("a<00><1b>\\\\\\n<ff>"));

    // New traffic reaches the open window, at the bottom.
    const int shown = log->lineCount();
    QVERIFY(device.press("READ"));
    QVERIFY(log->lineCount() > shown);
    QTRY_COMPARE(shownLines(log), log->lines());

    // Ctrl+C copies the rows chosen, as shown.
    auto *view = log->findChild<QTableView *>("trafficLogView");
    view->selectionModel()->select(
        QItemSelection(view->model()->index(1, 0), view->model()->index(2, 0)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    log->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(log));
    view->setFocus();
    QTest::keySequence(view, QKeySequence::Copy);
    QCOMPARE(QApplication::clipboard()->text(), lines.mid(1, 2).join('\n') + '\n');

    // Saved as shown, under the header and a blank line; a bare name gets
    // ".txt", a suffix of its own is kept.
    const int headerLines = log->header().count('\n');
    modals.fileName = QDir::current().filePath("traffic");
    click(log, "trafficLogSave");
    QTRY_COMPARE(modals.fileDialogs, 1);
    const QString text = QString::fromUtf8(contents("traffic.txt"));
    QCOMPARE(text.section('\n', headerLines + 1), log->lines().join('\n') + '\n');
    QCOMPARE(text.section('\n', headerLines, headerLines), QString());
    QVERIFY(!QFile::exists("traffic"));
    modals.fileName = QDir::current().filePath("traffic.log");
    click(log, "trafficLogSave");
    QTRY_COMPARE(modals.fileDialogs, 2);
    QTRY_VERIFY(QFile::exists("traffic.log"));
    QVERIFY(!QFile::exists("traffic.log.txt"));

    // Cleared; closed and opened again with Ctrl+L from the main window.
    click(log, "trafficLogClear");
    QCOMPARE(log->lineCount(), 0);
    QCOMPARE(shownLines(log), QStringList());
    log->close();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_L, Qt::ControlModifier);
    QVERIFY(log->isVisible());
    // The failed-request question, at connecting and at READ.
    QCOMPARE(modals.titles, (QStringList{"ATS202?", "ATS202?"}));
}

// What ends a reply's line: the next request, a give-up, a reply the engine
// took, a quiet gap on the engine's clock, a line full of noise. What the
// open window shows follows a line that grows.
void TestWindowManners::trafficLogFramesEndedWrongly()
{
    MemoryDevice device;
    MainWindow w;
    device.attach(w);
    Exchange *engine = w.exchange();
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    using T = Exchange::Traffic;
    const QByteArray noise(300, '\x1b');

    emit engine->sgTraffic(T::Sent, "ATS206?\r");
    emit engine->sgTraffic(T::Received, "S20");
    device.clock.advance(TrafficLog::QuietGapMs);
    emit engine->sgTraffic(T::Received, "6=1\r");
    emit engine->sgTraffic(T::GaveUp, "ATS206?\r");
    emit engine->sgTraffic(T::Received, "x");
    device.clock.advance(TrafficLog::QuietGapMs + 1);
    emit engine->sgTraffic(T::Received, "y");
    emit engine->sgTraffic(T::Received, "z");
    emit engine->sgTraffic(T::Sent, "$1");
    emit engine->sgTraffic(T::Received, "S2");
    emit engine->sgOk(0, ReadConfig, "$1"); // the engine took the reply
    emit engine->sgTraffic(T::Received, "S3");
    emit engine->sgTraffic(T::Repeated, "$1");
    emit engine->sgTraffic(T::Received, "ab");
    emit engine->sgTraffic(T::Received, noise);
    const QString full = TrafficLog::visible(noise.left(TrafficLog::MaxLineBytes));
    QCOMPARE(withoutTimes(log->lines()),
             QStringList({">> ATS206?\\r", "<< S206=1\\r", "!! time-out: ATS206?\\r",
                          "!! gave up: ATS206?\\r", "<< x", "<< yz", ">> $1", "<< S2", "<< S3",
                          "!! time-out: $1", ">> $1  (repeat)",
                          "<< ab" + TrafficLog::visible(noise.left(TrafficLog::MaxLineBytes - 2)),
                          "<< " + full, "<< " + TrafficLog::visible(noise.right(46))}));

    // The open window gets the new lines and repaints the newest as it grows.
    log->open();
    QTRY_COMPARE(shownLines(log), log->lines());
    const QAbstractItemModel *rows = log->findChild<QTableView *>("trafficLogView")->model();
    QSignalSpy changed(rows, &QAbstractItemModel::dataChanged);
    emit engine->sgTraffic(T::Sent, "ATS202?\r");
    emit engine->sgTraffic(T::Received, "S20");
    QTRY_COMPARE(rows->rowCount(), log->lineCount());
    QVERIFY(shownLines(log).last().endsWith("<< S20"));
    QCOMPARE(changed.count(), 0);
    emit engine->sgTraffic(T::Received, "2=5\r");
    QTRY_COMPARE(changed.count(), 1);
    QCOMPARE(changed.first().first().toModelIndex().row(), log->lineCount() - 1);
    QVERIFY(shownLines(log).last().endsWith("<< S202=5\\r"));
    QCOMPARE(shownLines(log), log->lines());

    // Nothing connected, nothing identified.
    const QString header = log->header();
    QVERIFY2(header.contains("Port: not connected\nHardware: not identified\n"
                             "Firmware: not identified\n"),
             qPrintable(header));
}

// A day of traffic keeps the newest lines, no more, in the store and in the
// open window alike, whether it came while the window was shut or open.
void TestWindowManners::trafficLogGrewWithoutBound()
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
    const QAbstractItemModel *rows = log->findChild<QTableView *>("trafficLogView")->model();
    QCOMPARE(rows->rowCount(), n);
    for (int i = 0; i < 700; ++i) {
        emit w.exchange()->sgTraffic(Exchange::Traffic::Sent, "ATS206?\r");
        emit w.exchange()->sgTraffic(Exchange::Traffic::Received, QByteArray::number(i) + "=1,2\r");
    }
    QCOMPARE(log->lineCount(), n);
    QTRY_VERIFY(shownRow(log, -1).endsWith("<< 699=1,2\\r"));
    QCOMPARE(rows->rowCount(), n);
    QCOMPARE(shownRow(log, 0), log->line(0));
}

// "Save for support..." writes one file: the header naming the program,
// port and device, the log, the settings as JSON and the last outcome. A
// save that fails (a full disk) leaves the file saved before as it was and
// says so.
void TestWindowManners::supportFileMissedSomething()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    WindowOnDevice device;
    MainWindow &w = device.w;
    Modals &modals = device.modals;
    QVERIFY(device.connect());
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    log->open();
    w.settingsData()->settings.testAdres = 77;
    const QString outcome = w.statusBar()->currentMessage();
    QVERIFY(!outcome.isEmpty());

    const QString name = dir.filePath("support.txt");
    modals.fileName = dir.filePath("support");
    click(log, "trafficLogSupport");
    QTRY_COMPARE(modals.fileDialogs, 1);
    QTRY_VERIFY(QFile::exists(name));
    const QByteArray saved = contents(name);
    const QString text = QString::fromUtf8(saved);
    QVERIFY2(text.startsWith(QStringLiteral("RLX Vela Конфигуратор v.%1, traffic log\nSaved: ")
                                 .arg(MainWindow::Version)),
             qPrintable(text));
    QVERIFY(text.contains(QString::number(QDate::currentDate().year())));
    QVERIFY2(text.contains("\nPort: /dev/ttyRLX0\nHardware: RLX-31868-Vela-485\n"
                           "Firmware: Aug  4 2022\n"),
             qPrintable(text));
    // The sections in their order, each under its title line.
    const QStringList titles = {TrafficLog::LogSection, TrafficLog::SettingsSection,
                                TrafficLog::OutcomeSection};
    QVector<int> at;
    for (const QString &t : titles)
        at << text.indexOf('\n' + t + '\n');
    QVERIFY2(at[0] > 0 && at[0] < at[1] && at[1] < at[2], qPrintable(text));
    auto section = [&](int i) {
        const int from = at[i] + titles[i].size() + 2;
        return text.mid(from, (i + 1 < at.size() ? at[i + 1] : text.size()) - from);
    };
    QCOMPARE(section(0), log->lines().join('\n') + '\n');
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(section(1).toUtf8(), &error);
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QCOMPARE(json.object().value("testAdres").toInt(), 77);
    DeviceSettings back;
    QString why;
    QVERIFY2(SettingsJson::fromJson(json.object(), back, &why), qPrintable(why));
    QCOMPARE(SettingsFile::toBytes(back), SettingsFile::toBytes(w.settingsData()->settings));
    QCOMPARE(section(2), outcome + '\n');

    // The disk is full: the saved file stays, nothing is left beside it.
    // (The dialog asks first whether to replace the file.)
    {
        FileSizeLimit full(64);
        modals.fileName = name;
        click(log, "trafficLogSupport");
        QTRY_COMPARE(modals.texts.filter("could not be saved").size(), 1);
    }
    QCOMPARE(modals.texts.size(), 2);
    QVERIFY2(modals.texts.last().contains(name), qPrintable(modals.texts.last()));
    QCOMPARE(contents(name), saved);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList("support.txt"));
}

QTEST_MAIN(TestWindowManners)
#include "tst_windowmanners.moc"
