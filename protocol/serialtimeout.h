#pragma once

#include <QtGlobal>

// The radio module's serial time-out (S214) in milliseconds: it cannot be
// shorter than the time a few characters take at the serial rate, so each
// rate index 0 to 7 has its own floor.
class SerialTimeout
{
public:
    static constexpr quint8 Floors[8] = {17, 9, 5, 3, 2, 2, 2, 2};
    // The floor for a rate outside the table.
    static constexpr quint8 OutsideFloor = 3;
    static constexpr int Max = 250;

    static constexpr quint8 minSerialTimeout(int serialRate)
    {
        return serialRate >= 0 && serialRate < 8 ? Floors[serialRate] : OutsideFloor;
    }
};
