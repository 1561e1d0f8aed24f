// The window on a device in memory: place, progress, outcomes, tooltips, stale values, traffic log.
#include "app/outcomebar.h"
#include "app/trafficlog.h"
#include "app/windowfit.h"
#include "panels/measure.h"
#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/data.h"
#include "session/settingsjson.h"
#include "tests/filesizelimit.h"
#include "tests/memorydevice.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowDriver;

namespace {

QString where(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
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

} // namespace

class TestWindowManners : public QObject
{
    Q_OBJECT

private slots:
    void windowStaysOnTheScreen();
    void tooltipsStabilityAndStaleValues();
    void trafficLogAndSupportFile();
    void trafficLogFramesEndedWrongly();
};

// A frame stays on the screen, moved up or left, larger content scrolling; a long outcome fits.
void TestWindowManners::windowStaysOnTheScreen()
{
    auto place = [](const QRect &area, const QRect &at, QSize content, int scrollBar = 0) {
        const WindowFit::Placement p =
            WindowFit::place(area, at, QMargins(1, 25, 1, 1), content, scrollBar);
        return where(QRect(p.frameTopLeft, p.size)) + (p.scroll ? " scrolls" : "");
    };
    const QRect laptop(0, 0, 1366, 728), at(226, 22, 914, 600);
    QCOMPARE(place(laptop, at, {900, 690}), QString("226,12 912x690")); // moved up just enough
    QCOMPARE(place(laptop, at, {900, 703}), QString("226,0 912x702 scrolls"));
    QCOMPARE(place(laptop, {900, 0, 914, 600}, {900, 500}), QString("452,0 912x500"));
    QCOMPARE(place({0, 40, 1366, 728}, {0, 10, 914, 600}, {900, 500}), QString("0,40 912x500"));
    // 125 % scaling (1093x582 logical pixels); scrolling up and down leaves room for the bar.
    const QRect scaled(0, 0, 1093, 582), scaledAt(94, 0, 914, 600);
    QCOMPARE(place(scaled, scaledAt, {1200, 500}), QString("0,0 1091x500 scrolls"));
    QCOMPARE(place(scaled, scaledAt, {912, 760}, 14), QString("94,0 926x556 scrolls"));

    WindowOnDevice device;
    MainWindow &w = device.w;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(50); // the first fit after showing
    const QRect area = w.screen()->availableGeometry();
    QVERIFY2(area.contains(w.frameGeometry()), qPrintable(where(w.frameGeometry())));
    QVERIFY(device.connect());
    QTRY_VERIFY2(area.contains(w.frameGeometry()), qPrintable(where(w.frameGeometry())));
    // The panels scroll in the window's own scroll area; the progress bar stays below it.
    auto *scroll =
        w.centralWidget()->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
    QVERIFY(scroll && (scroll->verticalScrollBar()->maximum() > 0 ||
                       scroll->horizontalScrollBar()->maximum() > 0));
    auto *bar = w.findChild<QProgressBar *>();
    QVERIFY(!scroll->widget()->isAncestorOf(bar) && bar->isVisible());
    QCOMPARE(bar->visibleRegion().boundingRect().height(), bar->height());

    // An outcome wider than the status line keeps its start and its end (what to do next).
    auto *line = qobject_cast<OutcomeBar *>(w.statusBar());
    QVERIFY(line);
    const QString start = QStringLiteral("Read: 3 of 12 requests answered; unanswered: ");
    const QString end = QStringLiteral("8 requests not sent.");
    const QString whole = start + QStringLiteral("ATS206?, ").repeated(40) + end;
    line->showMessage(whole);
    const QString shown = line->shownMessage();
    QVERIFY2(shown.startsWith(start.left(20)) && shown.endsWith(end) && shown.contains(u'…'),
             qPrintable(shown));
    QVERIFY(line->fontMetrics().horizontalAdvance(shown) < line->width());
    QCOMPARE(line->currentMessage(), whole);
}

// Stability counts in the rows' tooltips; stale values grey; READ ends a measurement.
void TestWindowManners::tooltipsStabilityAndStaleValues()
{
    WindowOnDevice device("RLX-31868-Vela-485");
    MainWindow &w = device.w;
    QVERIFY(device.connect());

    // Address 1 misses 2 polls, answers 1, misses 1, answers on; 2 is silent. STOP as a poll of 1
    // leaves: the summary and the rows' tooltips per address, that poll not counted as missed.
    device.model.setPollDelayMs(60);
    device.line.faults().rules = {{"1=$", -1, 2}, {"1=$", 0, 1}, {"1=$", -1, 1}};
    auto *test = panel<W_Test>(w);
    const QList<W_Adres *> rows = test->findChildren<W_Adres *>();
    for (W_Adres *row : rows.mid(0, 2))
        row->findChild<QCheckBox *>()->setChecked(true);
    QPushButton *testButton = test->findChild<QPushButton *>();
    QTest::mouseClick(testButton, Qt::LeftButton);
    QVERIFY(device.runUntil([&] { return test->tally().row(2).sent >= 3; }));
    QCOMPARE(device.outcome(), QStringLiteral("Stability check running; STOP ends it."));
    // STOP just as a poll of address 1 leaves.
    bool stopped = false;
    connect(w.exchange(), &Exchange::sgRequest, testButton,
            [&](quint8, TypeParser, QByteArray request) {
                if (!stopped && request.startsWith("1=$") && test->tally().row(1).answered == 2) {
                    stopped = true;
                    QMetaObject::invokeMethod(testButton, "click", Qt::QueuedConnection);
                }
            });
    QVERIFY(device.runUntil([&] { return stopped && !test->isTestOn(); }));
    const int two = test->tally().row(2).sent;
    QCOMPARE(device.outcome(),
             QStringLiteral("Stability check stopped: address 1 answered 2 of 5 (40 %); "
                            "address 2 answered 0 of %1 (0 %).")
                 .arg(two));
    const QString tip("Address %1 since the last CLEAN TEST: %2 polls sent, %3 answered (%4 %); "
                      "at most %5 in a row unanswered.");
    QCOMPARE(rows[0]->toolTip(), tip.arg(1).arg(5).arg(2).arg(40).arg(2));
    QCOMPARE(rows[1]->toolTip(), tip.arg(2).arg(two).arg(0).arg(0).arg(two));

    // CLEAN TEST starts the counts afresh.
    QTest::mouseClick(test->findChildren<QPushButton *>().at(1), Qt::LeftButton);
    QCOMPARE(rows[1]->toolTip(), QStringLiteral("Address 2: no polls since the last CLEAN TEST."));

    // The panel polls on the real clock; the device's clock follows it here.
    click(&w, "pbOpen"); // disconnects
    device.model.setHardware("RLX-31868-AD transmitter");
    QVERIFY(device.connect());
    auto within = [&](const std::function<bool()> &done) {
        return QTest::qWaitFor([&] { return device.clock.advance(10), done(); }, 30000);
    };
    auto *measure = panel<Measure>(w);
    QList<QLineEdit *> fields; // the value and state fields of both inputs
    for (QLineEdit *e : measure->findChildren<QLineEdit *>())
        if (e->parent()->inherits("QGroupBox"))
            fields << e;
    auto textColours = [&] {
        QSet<QRgb> colours;
        for (QLineEdit *f : fields)
            colours << f->palette().color(QPalette::Active, QPalette::Text).rgb();
        return colours;
    };
    const QRgb normal = fields[0]->palette().color(QPalette::Text).rgb();
    const QRgb grey = fields[0]->palette().color(QPalette::Disabled, QPalette::Text).rgb();
    QVERIFY(normal != grey);
    QPushButton *start = measure->findChild<QPushButton *>();
    QTest::mouseClick(start, Qt::LeftButton);
    QVERIFY(within([&] { return !fields[0]->text().isEmpty(); }));

    // The device stops answering: the last values stay, greyed.
    device.line.faults().rules = {{"$7", -1, -1}};
    QVERIFY(within([&] { return measure->valuesStale(); }));
    QCOMPARE(textColours(), QSet<QRgb>{grey});
    QVERIFY(!fields[0]->text().isEmpty() && !fields[2]->text().isEmpty());

    // Answers come back; READ then ends the measurement: the panel leaves its mode, polls stop.
    device.line.faults().rules.clear();
    QVERIFY(within([&] { return !measure->valuesStale(); }));
    QCOMPARE(textColours(), QSet<QRgb>{normal});
    QVERIFY(device.press("READ"));
    QVERIFY(!measure->valuesStale());
    QCOMPARE(start->text(), QStringLiteral("Measurement mode"));
    const int polls = device.sentSince(0).count("$7");
    QTest::qWait(1100); // two of the panel's ticks
    device.wait(1100);
    QCOMPARE(device.sentSince(0).count("$7"), polls);
}

// A register unanswered, replies in pieces: a dated line per request and whole reply; saved.
void TestWindowManners::trafficLogAndSupportFile()
{
    WindowOnDevice device;
    device.line.faults().rules = {{"ATS202?", -1, -1}};
    device.line.faults().chunkSize = 3;
    device.line.faults().chunkPauseMs = 5;
    MainWindow &w = device.w;
    Modals &modals = device.modals;
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    const QDateTime before = QDateTime::currentDateTime();
    QVERIFY(device.connect());
    QTest::mouseClick(w.statusBar()->findChild<QPushButton *>("trafficLogButton"), Qt::LeftButton);
    const QStringList lines = shownLines(log);
    QCOMPARE(lines, log->lines());
    const QRegularExpression form(
        "^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (>>|<<|!!|==) ");
    QStringList texts; // without the time stamps
    for (int i = 0; i < lines.size(); ++i) {
        const QString &l = lines[i], previous = lines.value(i - 1);
        const QDateTime at = QDateTime::fromString(l.left(23), "yyyy-MM-dd HH:mm:ss.zzz");
        // A reply is one line, whole, after its request.
        QVERIFY2(form.match(l).hasMatch() && at.msecsTo(before) <= 1 &&
                     at <= QDateTime::currentDateTime() && previous.left(23) <= l.left(23) &&
                     !l.contains('\r') &&
                     (l.mid(24, 2) != "<<" || (l.endsWith("\\r") && previous.mid(24, 2) != "<<")),
                 qPrintable(l));
        texts << l.mid(24);
    }
    QCOMPARE(texts.mid(0, 3), (QStringList{"== Connecting to /dev/ttyRLX0…", ">> $2",
                                           "<< firmware=Aug  4 2022,pp=RLX-31868-Vela-485\\r"}));
    QCOMPARE(texts.last(), "== " + outcome(w));
    // The unanswered read: sent, timed out and repeated, then given up and asked about.
    const QString s202 = QStringLiteral("ATS202?\\r");
    QCOMPARE(texts.filter(s202),
             (QStringList{">> " + s202, "!! time-out: " + s202, ">> " + s202 + "  (repeat)",
                          "!! time-out: " + s202, "!! gave up: " + s202}));

    // Saved as shown under the header and a blank line, a suffix kept (a bare name gets ".txt").
    QTemporaryDir dir;
    modals.fileName = dir.filePath("traffic.log");
    click(log, "trafficLogSave");
    QCOMPARE(QString::fromUtf8(fileBytes(modals.fileName)).section('\n', log->header().count('\n')),
             '\n' + log->lines().join('\n') + '\n');

    // "Save for support...": the header, then under their titles the log, settings JSON, outcome.
    w.settingsData()->settings.testAdres = 77;
    const QString name = dir.filePath("support.txt");
    modals.fileName = dir.filePath("support");
    click(log, "trafficLogSupport");
    QTRY_VERIFY(QFile::exists(name));
    const QString text = QString::fromUtf8(fileBytes(name));
    QVERIFY2(text.startsWith(QStringLiteral("RLX Vela Конфигуратор v.%1, traffic log\nSaved: %2")
                                 .arg(MainWindow::Version)
                                 .arg(QDate::currentDate().year())),
             qPrintable(text));
    QCOMPARE(text.section('\n', 2),
             "Port: /dev/ttyRLX0\nHardware: RLX-31868-Vela-485\nFirmware: Aug  4 2022\n" +
                 log->header().section('\n', 5) + '\n' + TrafficLog::LogSection + '\n' +
                 log->lines().join('\n') + "\n\n" + TrafficLog::SettingsSection + '\n' +
                 QString::fromUtf8(SettingsJson::text(w.settingsData()->settings)) + '\n' +
                 TrafficLog::OutcomeSection + '\n' + outcome(w) + '\n');

    // A full disk: after the question to replace it, the failure told; the file before stays alone.
    const int asked = modals.texts.size();
    {
        FileSizeLimit full(64);
        modals.fileName = name;
        click(log, "trafficLogSupport");
        QTRY_COMPARE(modals.texts.filter("could not be saved").size(), 1);
    }
    QVERIFY2(modals.texts.size() == asked + 2 && modals.texts.last().contains(name),
             qPrintable(modals.texts.join('\n')));
    QCOMPARE(QString::fromUtf8(fileBytes(name)), text);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"support.txt", "traffic.log"}));

    click(log, "trafficLogClear");
    QCOMPARE(log->lines() + shownLines(log), QStringList());
}

// A reply's line ends at a request, give-up, reply taken, quiet gap or full line; control codes.
void TestWindowManners::trafficLogFramesEndedWrongly()
{
    WindowOnDevice device;
    MainWindow &w = device.w;
    Exchange *engine = w.exchange();
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    using T = Exchange::Traffic;

    emit engine->sgTraffic(T::Sent, "ATS206?\r");
    emit engine->sgTraffic(T::Received, "S20");
    device.clock.advance(TrafficLog::QuietGapMs);
    emit engine->sgTraffic(T::Received, "6=1\r");
    emit engine->sgTraffic(T::GaveUp, "ATS206?\r");
    emit engine->sgTraffic(T::Received, QByteArray("x\0", 2));
    device.clock.advance(TrafficLog::QuietGapMs + 1);
    emit engine->sgTraffic(T::Received, "\\\n");
    emit engine->sgTraffic(T::Received, "\xff");
    emit engine->sgTraffic(T::Sent, "$1");
    emit engine->sgTraffic(T::Received, "S2");
    emit engine->sgOk(0, ReadConfig, "$1"); // the engine took the reply
    emit engine->sgTraffic(T::Received, "S3");
    emit engine->sgTraffic(T::Repeated, "$1");
    emit engine->sgTraffic(T::Received, "ab");
    emit engine->sgTraffic(T::Received, QByteArray(300, '\x1b'));
    const QString esc = QStringLiteral("<1b>");
    QStringList lines = log->lines();
    lines.replaceInStrings(QRegularExpression("^.{24}"), QString()); // the time stamps
    QCOMPARE(lines, QStringList({">> ATS206?\\r", "<< S206=1\\r", "!! time-out: ATS206?\\r",
                                 "!! gave up: ATS206?\\r", "<< x<00>", "<< \\\\\\n<ff>", ">> $1",
                                 "<< S2", "<< S3", "!! time-out: $1", ">> $1  (repeat)",
                                 "<< ab" + esc.repeated(TrafficLog::MaxLineBytes - 2),
                                 "<< " + esc.repeated(TrafficLog::MaxLineBytes),
                                 "<< " + esc.repeated(300 - 2 * TrafficLog::MaxLineBytes + 2)}));

    // The open window gets the new lines.
    log->open();
    QTRY_COMPARE(shownLines(log), log->lines());
    emit engine->sgTraffic(T::Sent, "ATS202?\r");
    emit engine->sgTraffic(T::Received, "S20");
    QTRY_COMPARE(shownLines(log), log->lines());

    // Nothing connected, nothing identified.
    QVERIFY2(log->header().contains("Port: not connected\nHardware: not identified\n"
                                    "Firmware: not identified\n"),
             qPrintable(log->header()));

    // A day of traffic keeps the newest lines, no more, in the store and in the open window alike.
    const int n = TrafficLog::MaxLines;
    for (int i = 0; i < n + 500; ++i)
        emit engine->sgTraffic(T::Sent, QByteArray::number(i) + "=$\r\n");
    QCOMPARE(log->lineCount(), n);
    QVERIFY(log->line(0).endsWith(">> 500=$\\r\\n") &&
            log->line(n - 1).endsWith(QStringLiteral(">> %1=$\\r\\n").arg(n + 499)));
    QTRY_COMPARE(shownLines(log), log->lines());
}

QTEST_MAIN(TestWindowManners)
#include "tst_windowmanners.moc"
