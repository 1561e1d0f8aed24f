#pragma once

class SettingRouter;
class W_Radio;
struct DeviceSettings;

// The parameter names that only change the settings record: every plain
// field of the settings table by its editor's name, and the editors with
// more to do (the serial rate, the poll settings bits, the averaging bits,
// flow control). Editors that share a byte of the record change only their
// own bits of it.
class RecordRoutes
{
public:
    // `radio` shows the serial time-out floor of a new serial rate.
    static void addTo(SettingRouter &router, DeviceSettings &s, W_Radio *radio);
};
