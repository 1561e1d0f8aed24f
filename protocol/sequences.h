#pragma once

#include "protocol/typeparser.h"

#include <QByteArray>
#include <QVector>

struct DeviceSettings;

// The ordered requests of the device operations that take more than one
// request: the full read, the write of the whole record and the restore of
// the default settings. Each step is a request kind with its argument. The
// steps are kept side by side (QVector): a write has some sixty of them.
class Sequences
{
public:
    struct Step
    {
        TypeParser type;
        QByteArray arg;
    };

    // Into command mode, the module's version and registers, S220, the
    // controller's configuration and averaging, out of command mode.
    static QVector<Step> readAll();
    // The serial rate first (S210 and the controller's own rate), then the
    // configuration and the rest of the record, then the full read.
    static QVector<Step> writeAll(const DeviceSettings &s, quint8 variant);
    // The module's factory reset, tried at the recorded serial rate and then
    // at every rate 0 to 7 until the module answers; then the configuration
    // at rate 4, the rest of the record and the full read.
    static QVector<Step> restoreDefaults(const DeviceSettings &s, quint8 variant);

private:
    static QVector<Step> writeTail(const DeviceSettings &s);
};
