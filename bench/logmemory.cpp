#include "bench/logmemory.h"

#include "app/trafficlog.h"
#include "bench/benchtools.h"

#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

using namespace BenchTools;

int LogMemory::run()
{
    // The window is shown once empty, so that its fonts and styles are
    // loaded before the first figure and only the lines are counted.
    TrafficLog log;
    log.show();
    waitMs(200);
    log.hide();
    waitMs(200);
    const long start = rssKb();

    // Noise as a line brings it: random bytes in chunks of 1 to 64, as the
    // engine hands them on while a request waits for its reply. Chunks that
    // follow each other closely join into lines of MaxLineBytes, the worst a
    // line can be. A tenth more than the cap is fed, so that the oldest
    // lines are dropped as on a line that has been noisy for long.
    QRandomGenerator random(868);
    const qint64 total = qint64(TrafficLog::MaxLines) * TrafficLog::MaxLineBytes * 11 / 10;
    qint64 fed = 0;
    while (fed < total) {
        QByteArray chunk(int(random.bounded(1, 65)), Qt::Uninitialized);
        for (char &c : chunk)
            c = char(random.bounded(256));
        log.slTraffic(Exchange::Traffic::Received, chunk);
        fed += chunk.size();
    }
    const long hidden = rssKb();
    qint64 shownChars = 0;
    for (int i = 0; i < log.lineCount(); ++i)
        shownChars += log.line(i).size();

    log.show();
    waitMs(500);
    const int blocks = log.findChild<QTableView *>()->model()->rowCount();
    const long shown = rssKb();

    QTemporaryDir dir;
    QString error;
    if (!log.saveTo(dir.filePath("noise.txt"), &error))
        qFatal("saving the log failed: %s", qPrintable(error));
    const long saved = rssKb();

    std::printf("log-memory: %d lines of at most %d noise bytes (%lld bytes fed, %lld characters "
                "shown, %d lines in the window); RSS at start %ld kB, filled and hidden %ld kB "
                "(%+ld kB), shown %ld kB (%+ld kB), after saving %ld kB (%+ld kB)\n",
                log.lineCount(), TrafficLog::MaxLineBytes, static_cast<long long>(fed),
                static_cast<long long>(shownChars), blocks, start, hidden, hidden - start, shown,
                shown - start, saved, saved - start);
    return 0;
}
