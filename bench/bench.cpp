// Measurements of the configurator against the virtual device, in one process
// on the offscreen platform:
//   rlx-bench fullread        Connect to progress 100 at 9600-baud pacing, and
//                             the wire-time floor of the same exchange
//   rlx-bench idle [seconds]  CPU share while idle, disconnected and connected
//   rlx-bench flood           longest event-loop stall while 1 MB of noise
//                             arrives during a full read
#include "app/mainwindow.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdio>
#include <sys/resource.h>

namespace {

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

struct Bench
{
    DeviceModel model;
    PtyDevice line{&model};
    MainWindow w;

    Bench()
    {
        model.setHardware("RLX-31868-Vela-485");
        model.setFirmware("Aug  4 2022");
        if (!line.open())
            qFatal("pseudo-terminal: %s", qPrintable(line.errorString()));
        w.show();
    }
    bool idle()
    {
        return w.exchange()->queueLength() == 0 && w.findChild<QProgressBar *>()->value() == 100;
    }
    void connect()
    {
        auto *ports = w.findChild<QComboBox *>("PortName");
        ports->addItem(line.slavePath());
        ports->setCurrentIndex(ports->findText(line.slavePath()));
        w.findChild<QPushButton *>("pbOpen")->click();
    }
};

int fullRead()
{
    Bench b;
    b.line.faults().pace = true;
    waitMs(300);
    QElapsedTimer t;
    t.start();
    b.connect();
    if (!waitFor([&] { return b.idle(); }, 60000))
        qFatal("the full read did not finish");
    const double took = t.nsecsElapsed() / 1e6;
    // The floor: every byte of every request and reply at 10 bits and 9600
    // baud, plus the time the device itself takes before answering.
    DeviceModel replay;
    replay.setHardware(b.model.hardware());
    replay.setFirmware(b.model.firmware());
    qint64 bytes = 0;
    int delays = 0, requests = 0;
    for (const PtyDevice::Record &r : b.line.records()) {
        bytes += r.request.size() + r.reply.size();
        ++requests;
    }
    for (const PtyDevice::Record &r : b.line.records())
        for (const DeviceModel::Reply &reply : replay.feed(r.request, r.ms))
            delays += reply.delayMs;
    const double floor = bytes * 10 * 1000.0 / 9600 + delays;
    // Where the time above the floor goes: before the first request arrives,
    // between a reply's last byte and the next request's first, and after
    // the last reply (request times are whole milliseconds).
    const QList<PtyDevice::Record> records = b.line.records();
    auto wire = [](int n) { return n * 10 * 1000.0 / 9600; };
    double between = 0;
    for (int i = 0; i + 1 < records.size(); ++i)
        between += records[i + 1].ms - records[i].ms - wire(records[i].reply.size()) -
                   wire(records[i + 1].request.size());
    std::printf("   turnaround: %.1f ms in total between a reply and the next request "
                "(%.1f ms each on average)\n",
                between, records.size() > 1 ? between / (records.size() - 1) : 0.0);
    std::printf("full read: %.1f ms, wire-time floor %.1f ms (%d requests, %lld bytes, %d ms "
                "device delays), ratio %.3f\n",
                took, floor, requests, bytes, delays, took / floor);
    return 0;
}

int idleCpu(int seconds)
{
    Bench b;
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
    Bench b;
    b.connect();
    if (!waitFor([&] { return b.idle(); }, 20000))
        qFatal("the full read did not finish");
    QRandomGenerator random(77);
    QByteArray noise(1 << 20, Qt::Uninitialized);
    for (char &c : noise)
        c = char(random.bounded(256));

    // Questions about requests the noise spoiled are answered "Yes".
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            QMetaObject::invokeMethod(box->button(QMessageBox::Yes), "click", Qt::QueuedConnection);
    });
    answer.start(20);

    qint64 longest = 0;
    QElapsedTimer gap;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = qMax(longest, gap.restart()); });
    gap.start();
    tick.start(1);
    QTest::mouseClick(b.w.findChild<QPushButton *>("READ"), Qt::LeftButton);
    if (b.w.exchange()->queueLength() == 0)
        qFatal("READ did not start a read");
    waitMs(50);
    QElapsedTimer t;
    t.start();
    b.line.inject(noise);
    if (!waitFor([&] { return b.idle(); }, 120000))
        qFatal("the read did not finish");
    std::printf("noise flood (1 MB during a full read): longest event-loop stall %lld ms, read "
                "done after %lld ms\n",
                longest, t.elapsed());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Orbelinex");
    QApplication::setApplicationName("Rlx");
    const QString mode = argc > 1 ? QString(argv[1]) : QString();
    if (mode == "fullread")
        return fullRead();
    if (mode == "idle")
        return idleCpu(argc > 2 ? atoi(argv[2]) : 30);
    if (mode == "flood")
        return flood();
    std::fprintf(stderr, "usage: rlx-bench fullread | idle [seconds] | flood\n");
    return 2;
}
