#pragma once

#include "protocol/data.h"
#include "protocol/exchange.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QElapsedTimer>
#include <QThread>

// A paced virtual device on a thread of its own, and an engine on the main
// thread that reads it as a command-line configurator does: identity, then the
// full read, with the firmware variant and the transmitter flag taken from
// the identity reply.
class ReadSession
{
public:
    // `clock` times the end of the read (doneNs).
    explicit ReadSession(const QElapsedTimer &clock);
    ~ReadSession();
    // The wire-time floor of what crossed this line: every byte at 10 bits
    // and 9600 baud plus the device's own reply delays.
    double floorMs();

    DeviceModel model;
    QThread thread;
    PtyDevice *line;
    Data data;
    Exchange engine{nullptr, &data};
    qint64 doneNs = -1; // progress 100 with nothing queued, on `clock`
    int gaveUp = 0;
};
