#pragma once

#include <QString>
#include <QtGlobal>

// The remote address list as a 64-bit mask, bit n-1 for address n. The
// window writes it as 16 lower-case hexadecimal digits in groups of four
// ("0000,0000,0000,0005" for addresses 1 and 3); the device reports it bare.
class AddressMask
{
public:
    // The mask of either form, commas ignored; empty text is 0. Anything else
    // (other characters, more than 64 bits) fails: `ok` false and 0.
    static quint64 parse(const QString &text, bool *ok = nullptr);
    // The grouped form.
    static QString format(quint64 mask);
    // The text as the window writes it: any form in, the grouped form out;
    // text that is no mask stands for no address at all.
    static QString normalized(const QString &text) { return format(parse(text)); }
};
