#include "bench/flood.h"

#include "bench/benchapp.h"
#include "bench/benchsession.h"
#include "bench/benchtools.h"
#include "protocol/exchange.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest/QTest>

#include <cstdio>

using namespace BenchTools;

int Flood::run()
{
    // Paced, so that the read lasts long enough to be flooded in the middle.
    BenchSession b(true);
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
