#pragma once

class SettingRouter;
class W_Radio;
struct DeviceSettings;

// The parameter names that only change the settings record, from "Sub-band"
// to "Flow control", in the order the window tests them. Editors that share
// a byte of the record change only their own bits of it.
class RecordRoutes
{
public:
    // `radio` shows the serial time-out floor of a new serial rate.
    static void addTo(SettingRouter &router, DeviceSettings &s, W_Radio *radio);
};
