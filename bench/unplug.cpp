#include "bench/unplug.h"

#include "bench/benchsession.h"
#include "bench/benchtools.h"
#include "protocol/exchange.h"

#include <QApplication>
#include <QAtomicInteger>
#include <QMessageBox>
#include <QPushButton>
#include <QSerialPort>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdio>

using namespace BenchTools;

int Unplug::run()
{
    BenchSession b(false);
    b.connect();
    if (!waitFor([&] { return b.idle(); }, 20000))
        qFatal("the first full read did not finish");
    QSerialPort *port = b.w.exchange()->findChild<QSerialPort *>();
    if (!port)
        qFatal("the window has no serial port");

    // The message about the loss is answered as it comes.
    int messages = 0;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            ++messages;
            QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        }
    });
    answer.start(20);

    QElapsedTimer clock;
    clock.start();
    QAtomicInteger<qint64> hungUpAt(-1); // set on the device's thread
    qint64 closedAt = -1;
    QObject::connect(
        b.line, &PtyDevice::sgHungUp, b.line, [&] { hungUpAt.storeRelease(clock.elapsed()); },
        Qt::DirectConnection);
    QObject::connect(port, &QIODevice::aboutToClose, [&] {
        if (closedAt < 0 && hungUpAt.loadAcquire() >= 0)
            closedAt = clock.elapsed();
    });
    int errors = 0;
    QObject::connect(port, &QSerialPort::errorOccurred,
                     [&](QSerialPort::SerialPortError e) { errors += e != QSerialPort::NoError; });
    b.onDevice([&] { b.line->faults().hangUpAfter = b.line->requestCount() + 5; });
    QTest::mouseClick(b.w.findChild<QPushButton *>("READ"), Qt::LeftButton);
    if (!waitFor([&] { return closedAt >= 0; }, 20000))
        qFatal("the port was not closed after the hang-up");

    waitMs(200);
    const qint64 cpu = cpuUs();
    QElapsedTimer wall;
    wall.start();
    waitMs(5000);
    const double share = 100.0 * double(cpuUs() - cpu) / double(wall.nsecsElapsed() / 1000);
    std::printf("adapter pulled out during a read: port closed %lld ms after the hang-up; "
                "over the next 5 s: CPU %.2f %% of one core, %d port errors, %d messages\n",
                closedAt - hungUpAt.loadAcquire(), share, errors, messages);
    return 0;
}
