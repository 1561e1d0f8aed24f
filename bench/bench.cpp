// Measurements of the configurator against the virtual device, in one process
// on the offscreen platform:
//   rlx-bench fullread        Connect to progress 100 at 9600-baud pacing, and
//                             the wire-time floor of the same exchange
//   rlx-bench idle [seconds]  CPU share while idle, disconnected and connected
//   rlx-bench flood           longest event-loop stall while 1 MB of noise
//                             arrives during a full read
//   rlx-bench noise-memory idle|read [seconds] [rate]
//                             resident memory under continuous line noise
//                             (default 600 s at the device's line-noise rate
//                             1000), connected and idle or reading again and
//                             again
//   rlx-bench parallel-read [--devices N] [--runs R]
//                             identity and full read of one paced device
//                             against N at once, one exchange engine per
//                             device, all on the one main thread
#include "app/identification.h"
#include "app/mainwindow.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVector>
#include <QtTest/QTest>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace {

// With RLX_BENCH_DETAIL set, every event of the configurator's thread that
// takes 1 ms or more is printed with the line's time, its type and receiver.
class App : public QApplication
{
public:
    using QApplication::QApplication;
    std::function<qint64()> clock;
    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!clock)
            return QApplication::notify(receiver, event);
        const int type = event->type();
        QElapsedTimer t;
        t.start();
        const bool done = QApplication::notify(receiver, event);
        const qint64 ns = t.nsecsElapsed();
        if (ns >= 1000000)
            std::printf("   event %d to %s %s took %.2f ms, ending at %.2f ms\n", type,
                        receiver->metaObject()->className(), qPrintable(receiver->objectName()),
                        ns / 1e6, clock() / 1e6);
        return done;
    }
};

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

// The virtual device runs on a thread of its own, as a real device runs on
// its own hardware: its line keeps time while the configurator's thread is
// busy (painting, a modal question), and the configurator's delays show as
// its own.
struct Bench
{
    DeviceModel model;
    QThread deviceThread;
    PtyDevice *line;
    MainWindow w;

    explicit Bench(bool pace) : line(new PtyDevice(&model))
    {
        model.setHardware("RLX-31868-Vela-485");
        model.setFirmware("Aug  4 2022");
        line->faults().pace = pace;
        line->moveToThread(&deviceThread);
        deviceThread.start();
        bool open = false;
        QString error;
        onDevice([&] {
            open = line->open();
            error = line->errorString();
        });
        if (!open)
            qFatal("pseudo-terminal: %s", qPrintable(error));
        w.show();
    }
    ~Bench()
    {
        onDevice([this] { delete line; });
        deviceThread.quit();
        deviceThread.wait();
    }
    template <typename F> void onDevice(F f)
    {
        QMetaObject::invokeMethod(line, f, Qt::BlockingQueuedConnection);
    }
    QList<PtyDevice::Record> records()
    {
        QList<PtyDevice::Record> list;
        onDevice([&] { list = line->records(); });
        return list;
    }
    bool idle()
    {
        return w.exchange()->queueLength() == 0 && w.findChild<QProgressBar *>()->value() == 100;
    }
    void connect()
    {
        auto *ports = w.findChild<QComboBox *>("PortName");
        ports->addItem(line->slavePath());
        ports->setCurrentIndex(ports->findText(line->slavePath()));
        w.findChild<QPushButton *>("pbOpen")->click();
    }
};

double wireMs(qint64 bytes)
{
    return bytes * 10 * 1000.0 / 9600;
}

int fullRead()
{
    Bench b(true);
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
        static_cast<App *>(qApp)->clock = [&] { return b.line->lineTimeNs() - t0; };
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
    static_cast<App *>(qApp)->clock = nullptr;
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

int idleCpu(int seconds)
{
    Bench b(false);
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

int flood()
{
    // Paced, so that the read lasts long enough to be flooded in the middle.
    Bench b(true);
    b.connect();
    if (!waitFor([&] { return b.idle(); }, 20000))
        qFatal("the first full read did not finish");
    QRandomGenerator random(77);
    QByteArray noise(1 << 20, Qt::Uninitialized);
    for (char &c : noise)
        c = char(random.bounded(256));

    // Questions about requests the noise spoiled are answered "Yes".
    int questions = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ++questions;
            QMetaObject::invokeMethod(box->button(QMessageBox::Yes), "click", Qt::QueuedConnection);
        }
    });
    answer.start(20);

    qint64 longest = 0;
    QElapsedTimer gap;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = qMax(longest, gap.restart()); });

    const int requestsBefore = b.records().size();
    QTest::mouseClick(b.w.findChild<QPushButton *>("READ"), Qt::LeftButton);
    QElapsedTimer t;
    t.start();
    // In the middle of the read: once the device has had three of its requests.
    if (!waitFor([&] { return b.records().size() >= requestsBefore + 3; }, 10000))
        qFatal("READ did not start a read");
    if (b.w.exchange()->queueLength() == 0)
        qFatal("the read ended before the flood");
    const qint64 injectedAt = t.elapsed();
    gap.start();
    tick.start(1);
    // All of it gets through: what does not fit into the port's buffer
    // follows as the configurator reads.
    b.onDevice([&] { b.line->inject(noise, true); });
    if (!waitFor([&] { return b.idle(); }, 120000))
        qFatal("the read did not finish");
    std::printf("noise flood (1 MB injected %lld ms into a full read, 9600-baud pacing): longest "
                "event-loop stall %lld ms; read done after %lld ms, %d failed-request questions "
                "answered\n",
                injectedAt, longest, t.elapsed(), questions);
    return 0;
}

// The resident set of this process, in kB (0 if it cannot be read).
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

int noiseMemory(bool reading, int seconds, double rate)
{
    // Paced while reading, so that a read takes as long as on a real line and
    // the noise falls between its answers.
    Bench b(reading);
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

// A paced virtual device on a thread of its own, and an engine on the main
// thread that reads it as a command-line configurator does: identity, then the
// full read, with the firmware variant and the transmitter flag taken from
// the identity reply.
struct ReadSession
{
    DeviceModel model;
    QThread thread;
    PtyDevice *line;
    Data data;
    Exchange engine{nullptr, &data};
    qint64 doneNs = -1;
    int gaveUp = 0;

    explicit ReadSession(const QElapsedTimer &clock) : line(new PtyDevice(&model))
    {
        model.setHardware("RLX-31868-Vela-485");
        model.setFirmware("Aug  4 2022");
        line->faults().pace = true;
        line->moveToThread(&thread);
        thread.start();
        bool open = false;
        QString error;
        QMetaObject::invokeMethod(
            line,
            [&] {
                open = line->open();
                error = line->errorString();
            },
            Qt::BlockingQueuedConnection);
        if (!open)
            qFatal("pseudo-terminal: %s", qPrintable(error));
        QObject::connect(&engine, &Exchange::sgGetSetting,
                         [this](TypeParser type, const QByteArrayList &fields) {
                             if (type != ReadIdentity || fields.size() != 2)
                                 return;
                             const QString hardware = QString::fromLatin1(fields.at(1));
                             engine.setVariant(Identification::firmwareVariant(
                                 QString::fromLatin1(fields.at(0))));
                             engine.setTransmitter(Identification(hardware).isTransmitter());
                         });
        QObject::connect(&engine, &Exchange::sgSetProgres, [this, &clock](quint8 percent) {
            if (percent == 100 && engine.queueLength() == 0 && doneNs < 0)
                doneNs = clock.nsecsElapsed();
        });
        QObject::connect(&engine, &Exchange::sgGaveUp, [this] { ++gaveUp; });
    }
    ~ReadSession()
    {
        QMetaObject::invokeMethod(
            line, [this] { delete line; }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
    }
    // The wire-time floor of what crossed this line: every byte at 10 bits
    // and 9600 baud plus the device's own reply delays.
    double floorMs()
    {
        QList<PtyDevice::Record> records;
        QMetaObject::invokeMethod(
            line, [&] { records = line->records(); }, Qt::BlockingQueuedConnection);
        DeviceModel replay;
        replay.setHardware(model.hardware());
        replay.setFirmware(model.firmware());
        qint64 bytes = 0;
        int delays = 0;
        for (const PtyDevice::Record &r : records) {
            bytes += r.request.size() + r.reply.size();
            for (const DeviceModel::Reply &reply : replay.feed(r.request, r.ms))
                delays += reply.delayMs;
        }
        return wireMs(bytes) + delays;
    }
};

// Milliseconds from the first engine told to open its port to the last one
// at progress 100; also the slowest device's wire-time floor.
double readTogether(int devices, double *floor)
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

int parallelRead(int devices, int runs)
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

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    QApplication::setOrganizationName("Orbelinex");
    QApplication::setApplicationName("Rlx");
    const QString mode = argc > 1 ? QString(argv[1]) : QString();
    if (mode == "fullread")
        return fullRead();
    if (mode == "idle")
        return idleCpu(argc > 2 ? atoi(argv[2]) : 30);
    if (mode == "flood")
        return flood();
    if (mode == "noise-memory" && argc > 2 &&
        (QByteArray(argv[2]) == "idle" || QByteArray(argv[2]) == "read"))
        return noiseMemory(QByteArray(argv[2]) == "read", argc > 3 ? atoi(argv[3]) : 600,
                           argc > 4 ? atof(argv[4]) : 1000.0);
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
            return parallelRead(devices, runs);
    }
    std::fprintf(stderr, "usage: rlx-bench fullread | idle [seconds] | flood | noise-memory "
                         "idle|read [seconds] [rate] | parallel-read [--devices N] [--runs R]\n");
    return 2;
}
