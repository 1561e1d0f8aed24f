#include "bench/fullread.h"

#include "bench/benchapp.h"
#include "bench/benchsession.h"
#include "bench/benchtools.h"
#include "protocol/exchange.h"

#include <QVector>

#include <cstdio>

using namespace BenchTools;

int FullRead::run()
{
    BenchSession b(true);
    waitMs(300);
    // Every progress report on the line's clock: the configurator has handled
    // a reply (or started the run) and is about to send the next request.
    QVector<qint64> handled;
    qint64 done = -1;
    QObject::connect(b.w.exchange(), &Exchange::sgSetProgres, [&](quint8 percent) {
        handled.append(b.line->lineTimeNs());
        if (percent == 100 && b.w.exchange()->queueLength() == 0 && done < 0)
            done = handled.last();
    });
    const qint64 t0 = b.line->lineTimeNs();
    if (qEnvironmentVariableIsSet("RLX_BENCH_DETAIL"))
        static_cast<BenchApp *>(qApp)->clock = [&] { return b.line->lineTimeNs() - t0; };
    b.connect();
    if (!waitFor([&] { return done >= 0 && b.idle(); }, 60000))
        qFatal("the full read did not finish");
    const double took = (done - t0) / 1e6;

    // The floor: every byte of every request and reply at 10 bits and 9600
    // baud, plus the time the device itself takes before answering.
    const QList<PtyDevice::Record> records = b.records();
    DeviceModel replay;
    replay.setHardware(b.model.hardware());
    replay.setFirmware(b.model.firmware());
    qint64 bytes = 0;
    int delays = 0;
    QVector<int> delay;
    for (const PtyDevice::Record &r : records) {
        bytes += r.request.size() + r.reply.size();
        int d = 0;
        for (const DeviceModel::Reply &reply : replay.feed(r.request, r.ms))
            d += reply.delayMs;
        delay.append(d);
        delays += d;
    }
    const double floor = wireMs(bytes) + delays;
    std::printf("full read: %.1f ms, wire-time floor %.1f ms (%lld requests, %lld bytes, %d ms "
                "device delays), ratio %.3f\n",
                took, floor, qint64(records.size()), bytes, delays, took / floor);

    // Where the time above the floor goes (the parts add up to it).
    const int n = records.size();
    if (n == 0 || handled.size() != n + 1) {
        std::printf("   (no split: %d requests, %d progress reports)\n", n, int(handled.size()));
        return 0;
    }
    static_cast<BenchApp *>(qApp)->clock = nullptr;
    auto ms = [](qint64 ns) { return ns / 1e6; };
    const double before = ms(records[0].ns - t0) - wireMs(records[0].request.size());
    double late = 0, handling = 0, sending = 0;
    for (int i = 0; i < n; ++i) {
        const PtyDevice::Record &r = records[i];
        late += ms(r.answeredNs - r.ns) - wireMs(r.reply.size()) - delay[i];
        handling += ms(handled[i + 1] - r.answeredNs);
        if (i + 1 < n)
            sending +=
                ms(records[i + 1].ns - handled[i + 1]) - wireMs(records[i + 1].request.size());
    }
    const double after = ms(done - records[n - 1].answeredNs);
    if (qEnvironmentVariableIsSet("RLX_BENCH_DETAIL"))
        for (int i = 0; i < n; ++i)
            std::printf("   %-12s reply on the line at %.2f ms, handled %.2f ms later\n",
                        records[i].request.trimmed().constData(), ms(records[i].answeredNs - t0),
                        ms(handled[i + 1] - records[i].answeredNs));
    std::printf("   above the floor: %.1f ms = %.1f before the first request (opening the port) "
                "+ %.1f configurator, reply's last byte on the line to reply handled (%.2f per "
                "reply) + %.1f request sent to its first byte on the line (%.2f each) + %.1f "
                "device pacing late + %.1f after the last reply handled\n",
                took - floor, before, handling - after, (handling - after) / qMax(1, n - 1),
                sending, sending / qMax(1, n - 1), late, after);
    return 0;
}
