#pragma once

#include "tests/enginesession.h"
#include "tools/devsim/ptydevice.h"

// A virtual device on a real pseudo-terminal and an engine whose own serial
// port opens it, with what the engine reports recorded.
struct PtySession : EngineLog
{
    DeviceModel model;
    PtyDevice device{&model};
    Data data;
    Exchange engine{nullptr, &data};

    PtySession() { watch(engine); }
    ~PtySession() { QObject::disconnect(&engine, nullptr, &context, nullptr); }

    // Opens the line and connects the engine to it (identity and full read).
    bool open() { return device.open() && engine.openPort(device.slavePath()); }
    bool idle() const { return EngineLog::idle(engine); }
    void forget()
    {
        forgetLog();
        device.clearRecords();
    }
};
