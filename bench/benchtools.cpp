#include "bench/benchtools.h"

#include <QEventLoop>
#include <QFile>
#include <QStringList>
#include <QTimer>

#include <algorithm>
#include <sys/resource.h>

namespace BenchTools {

qint64 cpuUs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return qint64(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000000 + u.ru_utime.tv_usec +
           u.ru_stime.tv_usec;
}

// Runs the event loop for `ms` milliseconds, sleeping while there is nothing to do.
void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

long rssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

double wireMs(qint64 bytes)
{
    return bytes * 10 * 1000.0 / 9600;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    const int n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

QString listed(const QVector<double> &values)
{
    QStringList texts;
    for (double v : values)
        texts << QString::number(v, 'f', 1);
    return texts.join(QStringLiteral(", "));
}

} // namespace BenchTools
