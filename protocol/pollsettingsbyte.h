#pragma once

#include <QtGlobal>

// The poll settings byte of a receiver or the RS-485 model: bits 3..0 count
// the radio non-responses in a row after which the link counts as lost;
// bits 7..4 say what the outputs do.
class PollSettingsByte
{
public:
    static constexpr quint8 Out1Inverted = 0x80;
    static constexpr quint8 Out2Inverted = 0x40;
    static constexpr quint8 Out1OnLinkLoss = 0x20; // 1: current zero / high level
    static constexpr quint8 Out2OnLinkLoss = 0x10;
    static constexpr quint8 DownCountMask = 0x0F;

    static constexpr quint8 downCount(quint8 byte) { return quint8(byte & DownCountMask); }
    static constexpr quint8 withDownCount(quint8 byte, quint8 count)
    {
        return quint8((byte & ~DownCountMask) | (count & DownCountMask));
    }
    // The output option `flag` (one of the bits above) as 0 or 1.
    static constexpr int option(quint8 byte, quint8 flag) { return (byte & flag) ? 1 : 0; }
    static constexpr quint8 withOption(quint8 byte, quint8 flag, bool on)
    {
        return on ? quint8(byte | flag) : quint8(byte & ~flag);
    }
};
