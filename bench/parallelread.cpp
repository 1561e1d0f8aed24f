#include "bench/parallelread.h"

#include "bench/benchtools.h"
#include "bench/readsession.h"

#include <QElapsedTimer>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace BenchTools;

// Milliseconds from the first engine told to open its port to the last one
// at progress 100; also the slowest device's wire-time floor.
double ParallelRead::readTogether(int devices, double *floor)
{
    QElapsedTimer clock;
    std::vector<std::unique_ptr<ReadSession>> sessions;
    for (int i = 0; i < devices; ++i)
        sessions.push_back(std::make_unique<ReadSession>(clock));
    waitMs(200);
    clock.start();
    for (auto &s : sessions)
        if (!s->engine.openPort(s->line->slavePath()))
            qFatal("%s: %s", qPrintable(s->line->slavePath()),
                   qPrintable(s->engine.openErrorString()));
    const bool finished = waitFor(
        [&] {
            return std::all_of(sessions.begin(), sessions.end(),
                               [](const auto &s) { return s->doneNs >= 0; });
        },
        30000);
    if (!finished)
        qFatal("not every read finished");
    qint64 last = 0;
    *floor = 0;
    for (auto &s : sessions) {
        if (s->gaveUp)
            qFatal("%d requests gave up on %s", s->gaveUp, qPrintable(s->line->slavePath()));
        last = qMax(last, s->doneNs);
        *floor = qMax(*floor, s->floorMs());
    }
    return last / 1e6;
}

int ParallelRead::run(int devices, int runs)
{
    QVector<double> one, many;
    double floorOne = 0, floorMany = 0;
    // Alternating, so that a disturbance of the machine does not fall on
    // one side only.
    for (int run = 0; run < runs; ++run) {
        one.append(readTogether(1, &floorOne));
        many.append(readTogether(devices, &floorMany));
    }
    const double a = median(one), b = median(many);
    std::printf("parallel read (identity and full read, 9600-baud pacing, one engine per device "
                "on one thread; median of %d): 1 device %.1f ms, %d devices %.1f ms (wire-time "
                "floor per device %.1f ms); ratio %.3f\n   runs, 1 device: %s ms\n   runs, %d "
                "devices: %s ms\n",
                runs, a, devices, b, qMax(floorOne, floorMany), b / a, qPrintable(listed(one)),
                devices, qPrintable(listed(many)));
    return 0;
}
