#pragma once

#include "editors/w_qwidget.h"
#include "protocol/stabilitytally.h"

#include <QByteArray>
#include <QList>

class QPushButton;
class QScrollArea;
class W_Adres;

// Radio stability check: the engineer ticks up to ten remote addresses and
// starts the test; the exchange engine then polls them in turn until the
// test is stopped, and every poll, answer and time-out is shown in the row
// of its address.
class W_Test : public W_QWidget
{
    Q_OBJECT
public:
    static const int RowCount = 10;

    explicit W_Test(QWidget *parent = nullptr);

    // A test request went out, was answered, or timed out. `request` is the
    // request as sent: the address in decimal and "=$\r", LF on every poll
    // but the first of a run.
    void addRect(const QByteArray &request);
    void okRect(const QByteArray &request);
    void errRect(const QByteArray &request);

    // Idle: "TEST", rows editable. Running: "STOP", rows locked. Going idle
    // while a test runs stops it (sgStopTest).
    void setIdle(bool idle);
    // Devices with one remote address show only the first row. A hidden row
    // that was ticked before still takes part in the next test.
    void setSingleAdres(bool single);
    bool isTestOn() const;

    // Per address since the last CLEAN TEST: polls sent, answered, share.
    const StabilityTally &tally() const { return counts; }
    // The outcome of the check, one part per polled address.
    QString summary() const;

signals:
    void sgStartTest(QByteArray adreses);
    void sgStopTest();
    void sgClearTest();
    // A check that ran has been stopped: its outcome in words.
    void sgOutcome(QString text);

private slots:
    void slTestEn(bool on);
    void slClean();

private:
    W_Adres *rowOf(const QByteArray &request) const;
    void showCounts();

    StabilityTally counts;
    // The poll counted as sent whose outcome has not come yet.
    QByteArray pending;
    // Set while a check started here runs, until its outcome is given.
    bool running = false;

    QPushButton *testButton;
    QPushButton *cleanButton;
    QList<W_Adres *> rows;
    QScrollArea *scroll;
};
