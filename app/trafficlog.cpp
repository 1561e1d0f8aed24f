#include "app/trafficlog.h"

#include "app/trafficlogrows.h"
#include "protocol/clock.h"
#include "session/outputfile.h"
#include "session/settingsjson.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// New lines reach the open window in batches, at most this often: a full
// read or a fast stability check then costs the window one small update a
// tenth of a second, not one per line.
constexpr int RenderInterval = 100; // ms

const QString TimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");

// A line's time stamp in local time. Turning a moment into local time asks
// the system for the time zone every time (a look at /etc/localtime), which
// was most of the time it took to show or save a full log. The offset from
// UTC is asked once per quarter of an hour of stamps instead: zones change
// their offset only on a local hour, which is a quarter hour in UTC.
QString stamp(qint64 msecs)
{
    static qint64 quarterStart = -1;
    static int offset = 0;
    const qint64 quarter = msecs - msecs % (15 * 60 * 1000);
    if (quarter != quarterStart) {
        quarterStart = quarter;
        offset = QDateTime::fromMSecsSinceEpoch(msecs).offsetFromUtc();
    }
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::OffsetFromUTC, offset).toString(TimeFormat);
}

QString orNot(const QString &text, const QString &none)
{
    return text.isEmpty() ? none : text;
}

} // namespace

TrafficLog::TrafficLog(QWidget *parent)
    : QWidget(parent, Qt::Window), rows(new TrafficLogRows(this, this)), view(new QTableView(this)),
      status(new QLabel(this)), renderTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("trafficLog"));
    setWindowTitle(tr("Traffic log"));
    setToolTip(tr("What went over the serial line to and from the device, newest at the bottom."));

    // One column of one-line rows of a fixed height, so that only the rows
    // on the screen are ever turned into text.
    view->setObjectName(QStringLiteral("trafficLogView"));
    view->setModel(rows);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(1);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().lineSpacing() + 2);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideNone);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto copy = new QAction(tr("Copy"), view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(copy);
    connect(copy, &QAction::triggered, this, &TrafficLog::copySelected);
    view->setToolTip(tr("Requests (>>), replies (<<), time-outs, repeats and give-ups (!!), "
                        "with the time each happened."));

    auto save = new QPushButton(tr("Save..."), this);
    save->setObjectName(QStringLiteral("trafficLogSave"));
    save->setToolTip(tr("Writes the lines of the log to a text file, under a header naming the "
                        "program, the port and the device."));
    auto support = new QPushButton(tr("Save for support..."), this);
    support->setObjectName(QStringLiteral("trafficLogSupport"));
    support->setToolTip(tr("Writes one text file to send to support: the header, the log, the "
                           "settings shown as JSON and the last outcome of the status line."));
    auto clearButton = new QPushButton(tr("Clear"), this);
    clearButton->setObjectName(QStringLiteral("trafficLogClear"));
    clearButton->setToolTip(tr("Empties the log."));
    status->setToolTip(tr("Lines kept; beyond %1 the oldest are dropped.").arg(MaxLines));

    auto buttons = new QHBoxLayout;
    buttons->addWidget(status, 1);
    buttons->addWidget(save);
    buttons->addWidget(support);
    buttons->addWidget(clearButton);
    auto layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addLayout(buttons);
    resize(720, 420);

    renderTimer->setSingleShot(true);
    renderTimer->setInterval(RenderInterval);
    connect(renderTimer, &QTimer::timeout, this, &TrafficLog::render);
    connect(save, &QPushButton::clicked, this, &TrafficLog::slSave);
    connect(support, &QPushButton::clicked, this, &TrafficLog::slSaveForSupport);
    connect(clearButton, &QPushButton::clicked, this, &TrafficLog::clear);
    auto again = new QShortcut(QKeySequence(QStringLiteral("Ctrl+L")), this);
    connect(again, &QShortcut::activated, this, &TrafficLog::open);
    render();
}

TrafficLog *TrafficLog::install(QMainWindow *window, Exchange *engine, std::function<About()> about)
{
    auto log = new TrafficLog(window);
    log->engine = engine;
    log->about = std::move(about);
    auto button = new QPushButton(tr("Traffic log"), window);
    button->setObjectName(QStringLiteral("trafficLogButton"));
    button->setToolTip(tr("Opens the log of every request and reply on the serial line (Ctrl+L)."));
    window->statusBar()->addPermanentWidget(button);
    connect(button, &QPushButton::clicked, log, &TrafficLog::open);
    auto shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+L")), window);
    connect(shortcut, &QShortcut::activated, log, &TrafficLog::open);
    connect(engine, &Exchange::sgTraffic, log, &TrafficLog::slTraffic);
    connect(engine, &Exchange::sgTimeOut, log, &TrafficLog::slTestTimeOut);
    // A reply the engine took (a setting read, a test poll answered) ends
    // its frame at once; other replies end at the next request or when the
    // line goes quiet.
    connect(engine, &Exchange::sgGetSetting, log, &TrafficLog::endFrame);
    connect(engine, &Exchange::sgOk, log, &TrafficLog::endFrame);
    return log;
}

qint64 TrafficLog::clockMs() const
{
    // The engine's clock, which a test moves by hand; the real one without.
    return (engine ? engine->timeSource() : Clock::system())->nowMs();
}

void TrafficLog::add(Kind kind, const QByteArray &bytes)
{
    endFrame();
    append(kind, bytes);
}

void TrafficLog::endFrame()
{
    // A line that will not grow again gives back what its growth reserved.
    if (frameOpen)
        entries[(first + count - 1) % MaxLines].bytes.squeeze();
    frameOpen = false;
}

void TrafficLog::receive(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    const qint64 now = clockMs();
    if (frameOpen && now - frameMs > QuietGapMs)
        endFrame();
    int from = 0;
    if (frameOpen) {
        QByteArray &newest = entries[(first + count - 1) % MaxLines].bytes;
        from = qMin(bytes.size(), MaxLineBytes - newest.size());
        if (from > 0) {
            newest += bytes.left(from);
            // Shown already: the view's last line is brought up to date.
            if (unrendered == 0)
                lastGrew = true;
            if (isVisible() && !renderTimer->isActive())
                renderTimer->start();
        }
    }
    // What does not fit goes on lines of its own.
    for (; from < bytes.size(); from += MaxLineBytes) {
        endFrame();
        append(Kind::Received, bytes.mid(from, MaxLineBytes));
        frameOpen = true;
    }
    frameMs = now;
}

void TrafficLog::append(Kind kind, const QByteArray &bytes)
{
    Entry entry;
    entry.msecs = QDateTime::currentMSecsSinceEpoch();
    entry.kind = kind;
    entry.bytes = bytes;
    if (entries.size() < MaxLines) {
        entries.append(entry);
        ++count;
    } else {
        entries[first] = entry;
        first = (first + 1) % MaxLines;
        rows->dropped();
    }
    ++unrendered;
    if (isVisible() && !renderTimer->isActive())
        renderTimer->start();
}

void TrafficLog::slTraffic(Exchange::Traffic what, QByteArray bytes)
{
    switch (what) {
    case Exchange::Traffic::Sent:
        add(Kind::Sent, bytes);
        break;
    case Exchange::Traffic::Repeated:
        // A repeat goes out because the attempt before it had no reply in time.
        add(Kind::TimedOut, bytes);
        add(Kind::Repeated, bytes);
        break;
    case Exchange::Traffic::Received:
        receive(bytes);
        break;
    case Exchange::Traffic::GaveUp:
        add(Kind::TimedOut, bytes);
        add(Kind::GaveUp, bytes);
        break;
    }
}

void TrafficLog::slOutcome(const QString &text)
{
    add(Kind::Outcome, text.toUtf8());
}

void TrafficLog::slTestTimeOut(quint8, TypeParser type, QByteArray request)
{
    if (type == TestAddress)
        add(Kind::TimedOut, request);
}

QString TrafficLog::visible(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u == '\r')
            out += QLatin1String("\\r");
        else if (u == '\n')
            out += QLatin1String("\\n");
        else if (u == '\\')
            out += QLatin1String("\\\\");
        else if (u >= 0x20 && u < 0x7f)
            out += QLatin1Char(c);
        else
            out += QStringLiteral("<%1>").arg(u, 2, 16, QLatin1Char('0'));
    }
    return out;
}

QString TrafficLog::line(int i) const
{
    const Entry &e = at(i);
    const QString time = stamp(e.msecs);
    const QString bytes = visible(e.bytes);
    switch (e.kind) {
    case Kind::Sent:
        return time + QLatin1String(" >> ") + bytes;
    case Kind::Repeated:
        return time + QLatin1String(" >> ") + bytes + QLatin1String("  (repeat)");
    case Kind::Received:
        return time + QLatin1String(" << ") + bytes;
    case Kind::TimedOut:
        return time + QLatin1String(" !! time-out: ") + bytes;
    case Kind::GaveUp:
        return time + QLatin1String(" !! gave up: ") + bytes;
    case Kind::Outcome:
        return time + QLatin1String(" == ") + QString::fromUtf8(e.bytes);
    }
    return time;
}

QStringList TrafficLog::lines() const
{
    QStringList out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out << line(i);
    return out;
}

QString TrafficLog::header() const
{
    const About a = about ? about() : About();
    const QString notIdentified = tr("not identified");
    QStringList out;
    out << tr("%1, traffic log")
               .arg(orNot(a.program, QCoreApplication::applicationName() + QLatin1Char(' ') +
                                         QCoreApplication::applicationVersion()))
        << tr("Saved: %1").arg(QDateTime::currentDateTime().toString(TimeFormat))
        << tr("Port: %1").arg(orNot(a.port, tr("not connected")))
        << tr("Hardware: %1").arg(orNot(a.hardware, notIdentified))
        << tr("Firmware: %1").arg(orNot(a.firmware, notIdentified))
        << tr("Lines: %1 (at most %2 are kept)").arg(count).arg(MaxLines);
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray TrafficLog::logText() const
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += (line(i) + QLatin1Char('\n')).toUtf8();
    return bytes;
}

// Whole or not at all (OutputFile): a full disk keeps the file saved before,
// and a FIFO or a device under the name is left alone.
bool TrafficLog::saveTo(const QString &fileName, QString *error) const
{
    return OutputFile::write(fileName, header().toUtf8() + '\n' + logText(), error);
}

bool TrafficLog::saveForSupportTo(const QString &fileName, QString *error) const
{
    const About a = about ? about() : About();
    QByteArray bytes = header().toUtf8();
    bytes += '\n' + QByteArray(LogSection) + '\n' + logText();
    bytes += '\n' + QByteArray(SettingsSection) + '\n' + SettingsJson::text(a.settings);
    bytes += '\n' + QByteArray(OutcomeSection) + '\n' + a.outcome.toUtf8() + '\n';
    return OutputFile::write(fileName, bytes, error);
}

void TrafficLog::open()
{
    show();
    raise();
    activateWindow();
}

void TrafficLog::clear()
{
    entries.clear();
    first = 0;
    count = 0;
    unrendered = 0;
    lastGrew = false;
    frameOpen = false;
    widest = 0;
    rows->clear();
    render();
}

void TrafficLog::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    render();
}

void TrafficLog::render()
{
    renderTimer->stop();
    if (unrendered > 0 || lastGrew) {
        QScrollBar *bar = view->verticalScrollBar();
        const bool atBottom = bar->value() == bar->maximum();
        // The column is as wide as the widest line shown so far (a fixed
        // font: the count of characters tells the width).
        for (int i = qMax(0, count - unrendered - (lastGrew ? 1 : 0)); i < count; ++i)
            widest = qMax(widest, line(i).size());
        rows->update(lastGrew);
        view->setColumnWidth(0, view->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                                    (widest + 2));
        unrendered = 0;
        lastGrew = false;
        if (atBottom)
            view->scrollToBottom();
    }
    status->setText(tr("%n line(s)", nullptr, count));
}

void TrafficLog::copySelected()
{
    QModelIndexList picked = view->selectionModel()->selectedRows();
    std::sort(picked.begin(), picked.end());
    QStringList text;
    for (const QModelIndex &index : picked)
        text << index.data().toString();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

QString TrafficLog::askFileName(const QString &title)
{
    QFileDialog dialog(this, title, QString(), tr("Text (*.txt)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without a suffix becomes a text file of that name; the
    // dialog then asks before replacing one.
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    QString name;
    if (dialog.exec() == QDialog::Accepted)
        name = dialog.selectedFiles().value(0);
    // A dialog of the desktop may leave the suffix to the program.
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += QStringLiteral(".txt");
    return name;
}

void TrafficLog::saveAs(const QString &title, bool forSupport)
{
    const QString name = askFileName(title);
    if (name.isEmpty())
        return;
    QString error;
    if (!(forSupport ? saveForSupportTo(name, &error) : saveTo(name, &error)))
        QMessageBox(QMessageBox::Warning, title,
                    tr("The log could not be saved to\n%1\n\n%2").arg(name, error), QMessageBox::Ok,
                    this)
            .exec();
}

void TrafficLog::slSave()
{
    saveAs(tr("Save traffic log"), false);
}

void TrafficLog::slSaveForSupport()
{
    saveAs(tr("Save traffic log for support"), true);
}
