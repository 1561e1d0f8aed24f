#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QVector>

// Small measuring tools the benchmark modes share.
namespace BenchTools {

// CPU time of this process, user and system, in microseconds.
qint64 cpuUs();
// The resident set of this process, in kB (0 if it cannot be read).
long rssKb();
// Runs the event loop for `ms` milliseconds, sleeping while there is nothing to do.
void waitMs(int ms);
// Runs the event loop until `done` returns true (true) or `ms` pass (false).
template <typename F> bool waitFor(F done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        waitMs(1);
    }
    return true;
}
// How long `bytes` take on the line at 10 bits a byte and 9600 baud.
double wireMs(qint64 bytes);
double median(QVector<double> v);
// The values with one decimal, separated by commas.
QString listed(const QVector<double> &values);

} // namespace BenchTools
