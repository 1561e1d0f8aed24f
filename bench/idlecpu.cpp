#include "bench/idlecpu.h"

#include "bench/benchsession.h"
#include "bench/benchtools.h"

#include <QElapsedTimer>

#include <cstdio>

using namespace BenchTools;

int IdleCpu::run(int seconds)
{
    BenchSession b(false);
    waitMs(1000);
    qint64 c0 = cpuUs();
    QElapsedTimer t;
    t.start();
    waitMs(seconds * 1000);
    const double disconnected = 100.0 * double(cpuUs() - c0) / double(t.nsecsElapsed() / 1000);
    b.connect();
    if (!waitFor([&] { return b.idle(); }, 20000))
        qFatal("the full read did not finish");
    waitMs(1000);
    c0 = cpuUs();
    t.restart();
    waitMs(seconds * 1000);
    const double connected = 100.0 * double(cpuUs() - c0) / double(t.nsecsElapsed() / 1000);
    std::printf("idle CPU over %d s: disconnected %.3f %%, connected %.3f %% of one core "
                "(whole process, virtual device included)\n",
                seconds, disconnected, connected);
    return 0;
}
