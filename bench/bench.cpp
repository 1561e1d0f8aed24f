// Measurements of the configurator against the virtual device, in one process
// on the offscreen platform:
//   rlx-bench fullread        Connect to progress 100 at 9600-baud pacing, and
//                             the wire-time floor of the same exchange
//   rlx-bench idle [seconds]  CPU share while idle, disconnected and connected
//   rlx-bench flood           longest event-loop stall while 1 MB of noise
//                             arrives during a full read
//   rlx-bench unplug          port closed after an adapter is pulled out
//                             during a read, and the CPU share after it
//   rlx-bench noise-memory idle|read [seconds] [rate]
//                             resident memory under continuous line noise
//                             (default 600 s at the device's line-noise rate
//                             1000), connected and idle or reading again and
//                             again
//   rlx-bench log-memory      resident memory of a traffic log filled to its
//                             cap with line noise, hidden and shown
//   rlx-bench parallel-read [--devices N] [--runs R]
//                             identity and full read of one paced device
//                             against N at once, one exchange engine per
//                             device, all on the one main thread
#include "bench/benchapp.h"
#include "bench/flood.h"
#include "bench/fullread.h"
#include "bench/idlecpu.h"
#include "bench/logmemory.h"
#include "bench/noisememory.h"
#include "bench/parallelread.h"
#include "bench/unplug.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BenchApp app(argc, argv);
    QApplication::setOrganizationName("Orbelinex");
    QApplication::setApplicationName("Rlx");
    const QString mode = argc > 1 ? QString(argv[1]) : QString();
    if (mode == "fullread")
        return FullRead::run();
    if (mode == "idle")
        return IdleCpu::run(argc > 2 ? atoi(argv[2]) : 30);
    if (mode == "flood")
        return Flood::run();
    if (mode == "unplug")
        return Unplug::run();
    if (mode == "noise-memory" && argc > 2 &&
        (QByteArray(argv[2]) == "idle" || QByteArray(argv[2]) == "read"))
        return NoiseMemory::run(QByteArray(argv[2]) == "read", argc > 3 ? atoi(argv[3]) : 600,
                                argc > 4 ? atof(argv[4]) : 1000.0);
    if (mode == "log-memory")
        return LogMemory::run();
    if (mode == "parallel-read") {
        int devices = 8, runs = 5;
        bool known = argc % 2 == 0;
        for (int i = 2; known && i + 1 < argc; i += 2) {
            if (QByteArray(argv[i]) == "--devices")
                devices = atoi(argv[i + 1]);
            else if (QByteArray(argv[i]) == "--runs")
                runs = atoi(argv[i + 1]);
            else
                known = false;
        }
        if (known && devices > 0 && runs > 0)
            return ParallelRead::run(devices, runs);
    }
    std::fprintf(
        stderr,
        "usage: rlx-bench fullread | idle [seconds] | flood | unplug | "
        "noise-memory idle|read [seconds] [rate] | log-memory | parallel-read [--devices N] "
        "[--runs R]\n");
    return 2;
}
