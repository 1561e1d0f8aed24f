// How the main window behaves around what the user does, against a device
// served in memory on a clock the test moves: where it stays when moved,
// the progress bar after a lost connection, the tooltips of the groups a
// receiver retitles, and the traffic log: its lines, the name it is saved
// under and the file it writes for support.
#include "app/mainwindow.h"
#include "app/trafficlog.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "session/settingsfile.h"
#include "session/settingsjson.h"
#include "tests/filesizelimit.h"
#include "tests/memorydevice.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace WindowDriver;

namespace {

using Device = MemoryDevice;

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
    void progressStayedAfterLostConnection();
    void retitledGroupKeptOldTooltip();
    void trafficLogSavedWithoutSuffix();
    void trafficLogSplitRepliesIntoChunks();
    void trafficLogFramesEndedWrongly();
    void supportFileMissedSomething();
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
    const int headerLines = log->header().count('\n');

    modals.fileName = dir.filePath("traffic");
    click(log, "trafficLogSave");
    QTRY_COMPARE(modals.fileDialogs, 1);
    QFile saved(dir.filePath("traffic.txt"));
    QTRY_VERIFY(saved.exists());
    QVERIFY(saved.open(QIODevice::ReadOnly));
    // The header, a blank line, the lines as shown.
    const QString text = QString::fromUtf8(saved.readAll());
    QCOMPARE(text.section('\n', headerLines + 1), shown);
    QCOMPARE(text.section('\n', headerLines, headerLines), QString());
    QVERIFY(!QFile::exists(dir.filePath("traffic")));

    modals.fileName = dir.filePath("traffic.log");
    click(log, "trafficLogSave");
    QTRY_COMPARE(modals.fileDialogs, 2);
    QTRY_VERIFY(QFile::exists(dir.filePath("traffic.log")));
    QVERIFY(!QFile::exists(dir.filePath("traffic.log.txt")));
    QCOMPARE(modals.texts, QStringList());
}

// The device answers in pieces of three bytes, 5 ms apart: the log still
// holds one line per request and one per reply, each reply whole, every
// line stamped with its date and time to the millisecond.
void TestWindowManners::trafficLogSplitRepliesIntoChunks()
{
    Modals modals;
    Device device;
    device.line.faults().chunkSize = 3;
    device.line.faults().chunkPauseMs = 5;
    MainWindow w;
    device.attach(w);
    const QDateTime before = QDateTime::currentDateTime();
    QVERIFY(device.connect(w));
    auto *log = w.findChild<TrafficLog *>("trafficLog");
    QStringList lines = log->lines();
    // The status line's texts, whole, around the traffic that led to them.
    QVERIFY2(lines.first().endsWith(" == Connecting to /dev/ttyRLX0…"), qPrintable(lines.first()));
    QVERIFY2(lines.last().endsWith(" == " + outcome(w)), qPrintable(lines.last()));
    lines = lines.mid(1, lines.size() - 2);
    QVERIFY2(lines.size() >= 20, qPrintable(lines.join('\n')));
    const QRegularExpression form("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} (>>|<<) ");
    for (int i = 0; i < lines.size(); ++i) {
        const QString &l = lines.at(i);
        QVERIFY2(form.match(l).hasMatch(), qPrintable(l));
        const QDateTime at = QDateTime::fromString(l.left(23), "yyyy-MM-dd HH:mm:ss.zzz");
        QVERIFY2(at.isValid() && at.msecsTo(before) <= 1 &&
                     at.secsTo(QDateTime::currentDateTime()) < 60,
                 qPrintable(l));
        // Requests and replies take turns; every reply ends as the device
        // ends it.
        QVERIFY2(l.mid(24, 2) == (i % 2 ? "<<" : ">>"), qPrintable(l));
        if (i % 2)
            QVERIFY2(l.endsWith("\\r"), qPrintable(l));
    }
    QVERIFY(lines.indexOf(QRegularExpression(
                ".* << firmware=Aug  4 2022(<00>)*,pp=RLX-31868-Vela-485(<00>)*\\\\r$")) >= 0);
    QCOMPARE(modals.texts, QStringList());
}

// What ends a reply's line: the next request, a give-up, a reply the engine
// took, a quiet gap on the engine's clock, a line full of noise. What the
// open window shows follows a line that grows.
void TestWindowManners::trafficLogFramesEndedWrongly()
{
    Device device;
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

// "Save for support..." writes one file: the header naming the program,
// port and device, the log, the settings as JSON and the last outcome. A
// save that fails (a full disk) leaves the file saved before as it was and
// says so.
void TestWindowManners::supportFileMissedSomething()
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
