#include "bench/benchapp.h"

#include <QElapsedTimer>

#include <cstdio>

bool BenchApp::notify(QObject *receiver, QEvent *event)
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
