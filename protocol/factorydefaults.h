#pragma once

#include "protocol/devicesettings.h"

// The factory settings the restore-defaults sequence writes. The serial rate,
// the port text and the output kind are the device's own and stay as they are.
class FactoryDefaults
{
public:
    // `watchdog`: the device is a transmitter or the RS-485 model, whose
    // watchdog reset is on by default.
    static void apply(DeviceSettings &s, bool watchdog);

    // The restore sequence writes the configuration with this serial rate
    // index, whatever the record holds.
    static constexpr quint8 SerialRate = 4;
    // Reset timers in steps of 10 s; also the times a reset editor offers
    // when it is switched on.
    static constexpr quint8 WdtReset = 9;
    static constexpr quint8 RadioModuleReset = 6;
};
