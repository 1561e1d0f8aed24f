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
};
