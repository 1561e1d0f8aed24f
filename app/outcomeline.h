#pragma once

#include "session/runoutcome.h"

#include <QObject>

class QMainWindow;

// The window's status line: the outcome of the last operation, kept until
// the next one, with the bookkeeping of the run behind it, and the warnings
// that go with some outcomes.
class OutcomeLine : public QObject
{
    Q_OBJECT
public:
    // `run` is the bookkeeping of the device session the window drives.
    OutcomeLine(QMainWindow *window, RunOutcome &run);

    RunOutcome &run() { return outcome; }

    void tell(const QString &text);
    // What the status line last told, for a report to support.
    QString lastText() const { return last; }
    // A message box over the window.
    void warn(const QString &title, const QString &text);

    // A run starts on `port` (as the port list shows it); `doing` is shown
    // until it ends.
    void begin(RunOutcome::Operation operation, const QString &port, const QString &doing);
    // The run is over: its sentence, and a warning when the device on `port`
    // answered but did not identify itself. Returns true when nothing
    // answered at all.
    bool finish(const RunOutcome::Device &device, const QString &port);
    // WRITE and DEFAULT go only to a device that identified itself.
    void refuseUnidentified(const QString &action, const QString &port);
    // A calibration step goes out only over an open port; false when it
    // cannot.
    bool beginCalibrationStep(bool portOpen, const QString &port, const QString &done,
                              const QString &failed);
    // Whether a request of this kind that gave up ends the run (a
    // calibration step clears the queue and gets no last progress report).
    bool endsRun(TypeParser type) const;

signals:
    // Every text the line shows, whole.
    void told(const QString &text);

private:
    QMainWindow *window;
    RunOutcome &outcome;
    QString last;
};
