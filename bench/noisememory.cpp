#include "bench/noisememory.h"

#include "bench/benchapp.h"
#include "bench/benchsession.h"
#include "bench/benchtools.h"
#include "protocol/exchange.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

using namespace BenchTools;

int NoiseMemory::run(bool reading, int seconds, double rate)
{
    // Paced while reading, so that a read takes as long as on a real line and
    // the noise falls between its answers.
    BenchSession b(reading);
    b.connect();
    if (!waitFor([&] { return b.idle(); }, 20000))
        qFatal("the full read did not finish");
    waitMs(1000);

    // Questions about requests the noise spoiled are answered "Yes"; while
    // reading, READ is pressed again whenever the last read is over.
    int questions = 0;
    int reads = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (auto box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ++questions;
            QMetaObject::invokeMethod(box->button(QMessageBox::Yes), "click", Qt::QueuedConnection);
        } else if (reading && b.idle()) {
            // The device's own request history (up to 10,000 records) lives in
            // this process too and is not the configurator's memory.
            b.onDevice([&] { b.line->clearRecords(); });
            ++reads;
            b.w.findChild<QPushButton *>("READ")->click();
        }
    });
    driver.start(20);

    quint64 sent0 = 0;
    b.onDevice([&] {
        sent0 = b.line->sentBytes();
        b.line->faults().lineNoise = rate;
    });
    const long start = rssKb();
    long most = start;
    QElapsedTimer t;
    t.start();
    std::printf("noise-memory %s: %d s, line-noise rate %g; RSS at start %ld kB\n",
                reading ? "read" : "idle", seconds, rate, start);
    std::fflush(stdout);
    QTimer sample;
    QObject::connect(&sample, &QTimer::timeout, [&] {
        const long now = rssKb();
        most = qMax(most, now);
        if (t.elapsed() / 1000 % 60 < 5) {
            std::printf("   %4lld s: RSS %ld kB\n", t.elapsed() / 1000, now);
            std::fflush(stdout);
        }
    });
    sample.start(5000);
    waitMs(seconds * 1000);
    driver.stop();
    sample.stop();
    const long end = rssKb();
    most = qMax(most, end);
    quint64 sent = 0;
    b.onDevice([&] {
        b.line->faults().lineNoise = 0;
        sent = b.line->sentBytes();
    });
    std::printf("noise-memory %s over %lld s: RSS start %ld kB, max %ld kB, end %ld kB (end - "
                "start %+ld kB); the device sent %llu bytes (%.0f per second), %d reads started, "
                "%d failed-request questions answered\n",
                reading ? "read" : "idle", t.elapsed() / 1000, start, most, end, end - start,
                static_cast<unsigned long long>(sent - sent0),
                double(sent - sent0) * 1000.0 / double(qMax<qint64>(1, t.elapsed())), reads,
                questions);
    return 0;
}
