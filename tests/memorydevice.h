#pragma once

// A device in memory behind a window's engine, on a clock the test moves past time-outs.

#include "app/mainwindow.h"
#include "protocol/exchange.h"
#include "tests/filebytes.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/manualclock.h"
#include "tools/devsim/modelline.h"

#include <QProgressBar>

#include <functional>

// Every setting unlike the window's start: configuration, module registers, input averaging.
inline void giveOwnSettings(DeviceModel &model, quint8 testAdres = 77)
{
    model.setConfig({testAdres, 3, 12, 34, 2, 70, 20, 1, 0x8000000000000005ull, 30, 0xB5, 9});
    const int registers[][2] = {{206, 3}, {201, 2}, {200, 4}, {202, 5}, {214, 9}, {216, 0}};
    for (const auto &r : registers)
        model.setReg(r[0], r[1]);
    model.setAveraging({0x85, 0x43, 7, 9});
}

// Made before the window, so that it outlives the engine's use of its clock.
struct MemoryDevice
{
    static constexpr const char *Port = "/dev/ttyRLX0";
    ManualClock clock;
    DeviceModel model;
    ModelLine line{&model, &clock};

    explicit MemoryDevice(const QByteArray &hardware = "RLX-31868-Vela-485",
                          const QByteArray &firmware = "Aug  4 2022")
    {
        model.setHardware(hardware);
        model.setFirmware(firmware);
        model.setReachable({1});
    }
    void attach(MainWindow &w)
    {
        w.exchange()->setClock(&clock);
        w.exchange()->setLine(&line);
    }
    // Moves the device's time on until `done` holds, for at most two minutes.
    bool runUntil(const std::function<bool()> &done)
    {
        return clock.advanceUntil(
            [&] {
                QCoreApplication::processEvents();
                return done();
            },
            120000);
    }
    void wait(int ms)
    {
        clock.advance(ms);
        QCoreApplication::processEvents();
    }
    // Requests the device received since the `from`th, without terminators.
    QStringList sentSince(int from) const
    {
        QStringList out;
        const QList<QByteArray> all = line.requests();
        for (int i = from; i < all.size(); ++i)
            out << QString::fromLatin1(all.at(i)).trimmed();
        return out;
    }
};

// A shown window on a device in memory, its modal boxes answered.
struct WindowOnDevice : MemoryDevice
{
    Modals modals;
    MainWindow w;

    explicit WindowOnDevice(const QByteArray &hardware = "RLX-31868-Vela-485",
                            const QByteArray &firmware = "Aug  4 2022")
        : MemoryDevice(hardware, firmware)
    {
        attach(w);
        w.show();
    }
    // The queue is empty and the bar is full.
    bool idle()
    {
        auto *bar = w.findChild<QProgressBar *>();
        return runUntil([&] { return !w.exchange()->queueLength() && bar->value() == 100; });
    }
    // Chooses the device's port, presses "Connect" and lets the reading end.
    bool connect()
    {
        WindowDriver::pressConnect(w, Port);
        return w.exchange()->isOpen() && idle();
    }
    // Presses the button and lets what it started end.
    bool press(const QString &name)
    {
        WindowDriver::click(&w, name);
        return idle() && settle();
    }
    // The queue is empty and the status line no longer says what is being done.
    bool settle()
    {
        return runUntil([&] { return !w.exchange()->queueLength() && !outcome().endsWith(u'…'); });
    }
    QString outcome() { return WindowDriver::outcome(w); }
};
