#pragma once

#include <QtGlobal>

// The input processing byte of each input: the kind of averaging in bits
// 7..6 and the interval in seconds in bits 5..0.
class AveragingByte
{
public:
    static constexpr quint8 KindMask = 0xC0;
    static constexpr quint8 IntervalMask = 0x3F;
    static constexpr int KindShift = 6;

    static constexpr quint8 kind(quint8 byte) { return quint8(byte >> KindShift); }
    static constexpr quint8 interval(quint8 byte) { return quint8(byte & IntervalMask); }
    static constexpr quint8 encode(quint8 kind, quint8 interval)
    {
        return quint8(((kind << KindShift) & KindMask) | (interval & IntervalMask));
    }
    // One part changed, the other kept.
    static constexpr quint8 withKind(quint8 byte, quint8 kind)
    {
        return encode(kind, AveragingByte::interval(byte));
    }
    static constexpr quint8 withInterval(quint8 byte, quint8 interval)
    {
        return encode(AveragingByte::kind(byte), interval);
    }
};
