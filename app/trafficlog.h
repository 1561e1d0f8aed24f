#pragma once

#include "protocol/devicesettings.h"
#include "protocol/exchange.h"

#include <QByteArray>
#include <QPointer>
#include <QVector>
#include <QWidget>

#include <functional>

class QLabel;
class QMainWindow;
class QTableView;
class TrafficLogRows;
class QTimer;

// The line's traffic as the engine sees it, in a window of its own: every
// request, reply frame, repeat, time-out and give-up with its date and time
// to the millisecond and its direction, control bytes shown as "\r", "\n" or
// "<1b>", newest at the bottom. The bytes of a reply come from the port in
// chunks; they are joined into one "<<" line per frame, so that the log reads
// as requests and answers and can go to support as it is.
//
// It keeps at most MaxLines lines, so that a stability check left running
// for days cannot use up memory. Lines are only recorded as they come (time,
// kind, bytes); they are turned into text when the window shows them (only
// the rows on the screen) or saves them, so a log nobody looks at costs next
// to nothing.
class TrafficLog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MaxLines = 20000;
    // The longest "<<" line, in bytes: a reply of the device is well under
    // a hundred bytes, so only noise reaches it; the rest of such a frame
    // goes on the next line. With MaxLines this bounds the log's memory.
    static constexpr int MaxLineBytes = 128;
    // Received bytes that follow the last ones after more than this belong
    // to a new frame. A device sends its reply in one go (about 1 ms a byte
    // at 9600 baud, and a USB adapter passes bytes on at least every 16 ms),
    // so a gap of 100 ms is never inside a frame, yet it is shorter than the
    // time-outs between requests, so noise on an idle line is cut into lines.
    static constexpr qint64 QuietGapMs = 100;

    // What the log tells about the program, port and device in the header
    // of a saved file, and what a file for support holds besides.
    struct About
    {
        QString program; // name and version
        QString port;    // empty: not connected
        QString hardware;
        QString firmware;
        DeviceSettings settings;
        QString outcome; // the status line's last text
    };

    enum class Kind
    {
        Sent,
        Repeated,
        Received,
        TimedOut,
        GaveUp,
        Outcome // the window's status line, as text
    };

    explicit TrafficLog(QWidget *parent = nullptr);

    // Builds the log for a main window: a window of its own, a button at the
    // right of the status bar and Ctrl+L to open it, fed by the engine, whose
    // clock also times the quiet gaps. `about` is asked when a file is saved.
    static TrafficLog *install(QMainWindow *window, Exchange *engine, std::function<About()> about);

    // A line of its own; it ends the reply frame being received.
    void add(Kind kind, const QByteArray &bytes);
    // Received bytes: joined to the open reply frame's line, if any.
    void receive(const QByteArray &bytes);
    // The reply frame being received is over (the engine took it).
    void endFrame();
    int lineCount() const { return count; }
    // Line `i` as shown, 0 the oldest kept.
    QString line(int i) const;
    QStringList lines() const;
    // Bytes as the log shows them: printable ASCII as it is, CR "\r", LF
    // "\n", a backslash "\\", anything else "<hh>".
    static QString visible(const QByteArray &bytes);

    // The lines that head a saved file: program, save time, port, device.
    QString header() const;
    // Writes the header and every kept line to a text file; false with
    // `error` on failure, the file then as it was.
    bool saveTo(const QString &fileName, QString *error) const;
    // One file for support: the header, the log, the settings as JSON (as
    // rlx-cli writes them) and the status line's last outcome, each section
    // under a "== ... ==" title line.
    bool saveForSupportTo(const QString &fileName, QString *error) const;
    static constexpr const char *LogSection = "== Traffic log ==";
    static constexpr const char *SettingsSection = "== Settings (JSON) ==";
    static constexpr const char *OutcomeSection = "== Last outcome ==";

public slots:
    void open();
    void clear();
    void slTraffic(Exchange::Traffic what, QByteArray bytes);
    // What the status line said, whole: the line may cut a long one.
    void slOutcome(const QString &text);
    // A radio test poll ran out of time (test polls are not repeated).
    void slTestTimeOut(quint8 countParsers, TypeParser type, QByteArray request);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void slSave();
    void slSaveForSupport();
    void render();

private:
    struct Entry
    {
        qint64 msecs = 0; // since the epoch
        Kind kind = Kind::Sent;
        QByteArray bytes;
    };
    const Entry &at(int i) const { return entries.at((first + i) % MaxLines); }
    void copySelected();
    void append(Kind kind, const QByteArray &bytes);
    qint64 clockMs() const;
    QByteArray logText() const;
    // Asks for a file name ending in ".txt" unless typed with a suffix of
    // its own; empty when cancelled.
    QString askFileName(const QString &title);
    void saveAs(const QString &title, bool forSupport);

    // A ring of at most MaxLines entries; `first` is the oldest.
    QVector<Entry> entries;
    int first = 0;
    int count = 0;
    // Lines added since the view was last brought up to date.
    int unrendered = 0;
    // The newest line grew after the view showed it.
    bool lastGrew = false;

    // The reply frame being received is the newest line, its last bytes came
    // at `frameMs` on the engine's clock.
    bool frameOpen = false;
    qint64 frameMs = 0;
    QPointer<Exchange> engine;
    std::function<About()> about;

    // Characters of the longest line shown.
    int widest = 0;

    TrafficLogRows *rows;
    QTableView *view;
    QLabel *status;
    QTimer *renderTimer;
};
