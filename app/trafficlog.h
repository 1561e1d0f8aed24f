#pragma once

#include "protocol/exchange.h"

#include <QByteArray>
#include <QVector>
#include <QWidget>

class QLabel;
class QMainWindow;
class QPlainTextEdit;
class QTimer;

// The line's traffic as the engine sees it, in a window of its own: every
// request, reply, repeat, time-out and give-up with a millisecond time stamp
// and its direction, control bytes shown as "\r", "\n" or "<1b>", newest at
// the bottom. It keeps at most MaxLines lines, so that a stability check left
// running for days cannot use up memory. Lines are only recorded as they come
// (time, kind, bytes); they are turned into text when the window shows them
// or saves them, so a log nobody looks at costs next to nothing.
class TrafficLog : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MaxLines = 20000;

    enum class Kind
    {
        Sent,
        Repeated,
        Received,
        TimedOut,
        GaveUp
    };

    explicit TrafficLog(QWidget *parent = nullptr);

    // Builds the log for a main window: a window of its own, a button at the
    // right of the status bar and Ctrl+L to open it, fed by the engine.
    static TrafficLog *install(QMainWindow *window, Exchange *engine);

    void add(Kind kind, const QByteArray &bytes);
    int lineCount() const { return count; }
    // Line `i` as shown, 0 the oldest kept.
    QString line(int i) const;
    QStringList lines() const;
    // Bytes as the log shows them: printable ASCII as it is, CR "\r", LF
    // "\n", a backslash "\\", anything else "<hh>".
    static QString visible(const QByteArray &bytes);

    // Writes every kept line to a text file; false with `error` on failure.
    bool saveTo(const QString &fileName, QString *error) const;

public slots:
    void open();
    void clear();
    void slTraffic(Exchange::Traffic what, QByteArray bytes);
    // A radio test poll ran out of time (test polls are not repeated).
    void slTestTimeOut(quint8 countParsers, TypeParser type, QByteArray request);

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    void slSave();
    void render();

private:
    struct Entry
    {
        qint64 msecs = 0; // since the epoch
        Kind kind = Kind::Sent;
        QByteArray bytes;
    };
    const Entry &at(int i) const { return entries.at((first + i) % MaxLines); }
    void renderAll();

    // A ring of at most MaxLines entries; `first` is the oldest.
    QVector<Entry> entries;
    int first = 0;
    int count = 0;
    // Lines added since the view was last brought up to date; more than the
    // view can hold means it is rebuilt.
    int unrendered = 0;

    QPlainTextEdit *view;
    QLabel *status;
    QTimer *renderTimer;
};
