#pragma once

#include "app/mainwindow.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QList>
#include <QThread>

// The configurator's main window and a virtual device behind a pseudo-terminal.
// The device runs on a thread of its own, as a real device runs on its own
// hardware: its line keeps time while the configurator's thread is busy
// (painting, a modal question), and the configurator's delays show as its own.
class BenchSession
{
public:
    // `pace`: the line runs at 9600 baud.
    explicit BenchSession(bool pace);
    ~BenchSession();

    // Runs `f` on the device's thread and waits for it.
    template <typename F> void onDevice(F f)
    {
        QMetaObject::invokeMethod(line, f, Qt::BlockingQueuedConnection);
    }
    QList<PtyDevice::Record> records();
    // No request queued and the progress bar at 100.
    bool idle();
    // Chooses the device's port in the window and presses Connect.
    void connect();

    DeviceModel model;
    QThread deviceThread;
    PtyDevice *line;
    MainWindow w;
};
