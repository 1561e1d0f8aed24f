#include "protocol/requestkinds.h"

#include <cctype>
#include <iterator>

namespace {

using Row = RequestKinds::Row;
using F = RequestKinds::Field;
using G = RequestKinds::GiveUp;

constexpr F B = F::Byte;

// A value of the enumeration that names no kind.
constexpr Row unused(int value)
{
    return {TypeParser(value), nullptr,   nullptr, nullptr, nullptr, 2, 1000, false,
            G::Silent,         {0, 0, 0}, {}};
}

// Requests answered by a plain "OK": sent twice, a second apart, handing
// nothing out.
constexpr Row ok(TypeParser type, const char *name, const char *request, G giveUp)
{
    return {type, name, request, "OK\r", "111", 2, 1000, false, giveUp, {0, 0, 0}, {}};
}

// Read replies of one layout whatever the firmware variant.
constexpr Row readReply(TypeParser type, const char *name, const char *request, const char *answer,
                        const char *mask, quint8 countRepeat, quint16 timeout, G giveUp,
                        quint8 count, F kind)
{
    Row r{type,        name,    request, answer, mask,
          countRepeat, timeout, false,   giveUp, {count, count, count},
          {}};
    for (int i = 0; i < count; ++i)
        r.fields[i] = kind;
    return r;
}

// The give-ups put to the user are the register writes and reads except S210,
// S216 and S252, the module version, and the averaging write and read. The
// restore-defaults sequence searches the module's serial rate by trying
// "$3", "+++" and "ATR" at every rate, which relies on those three failing
// silently.
// clang-format off
constexpr Row rows[] = {
    ok(EnterCommand, "EnterCommand", "+++", G::Silent),
    ok(SetS220, "SetS220", "ATS220=9\r", G::Silent),
    // The poll of a remote address: its request and template carry the
    // address; a step lasts its full time whether the address answers or not.
    {TestAddress, "TestAddress", nullptr, nullptr, nullptr, 1, 1000, true, G::TestStep,
     {0, 0, 0}, {}},
    ok(ModuleDefaults, "ModuleDefaults", "ATR\r", G::Silent),
    ok(WriteConfig, "WriteConfig", "$0%1", G::Silent), // the configuration text ends in CR
    ok(WriteS206, "WriteS206", "ATS206=%1\r", G::Ask),
    ok(WriteS201, "WriteS201", "ATS201=%1\r", G::Ask),
    ok(WriteS200, "WriteS200", "ATS200=%1\r", G::Ask),
    ok(WriteS202, "WriteS202", "ATS202=%1\r", G::Ask),
    ok(WriteS214, "WriteS214", "ATS214=%1\r", G::Ask),
    ok(WriteS210, "WriteS210", "ATS210=%1\r", G::Silent),
    ok(SetLinkRate, "SetLinkRate", "$3%1", G::Silent),
    unused(12),
    ok(WriteS216, "WriteS216", "ATS216=%1\r", G::Silent),
    // Nine, ten or twelve fields by firmware variant; the ninth is the list
    // of remote addresses.
    {ReadConfig, "ReadConfig", "$1", "=x,x,x,x,x,x,x,x,x,x,x,x\r", "1X1X1X1X1X1X1X1X1X1X1X1X1",
     2, 1000, false, G::Silent,
     {9, 10, 12}, {B, B, B, B, B, B, B, B, F::AddressList, B, B, B}},
    // S206, S201 and S202 are kept to one digit by the module.
    readReply(ReadS206, "ReadS206", "ATS206?\r", "S206=x\r", "1111101", 2, 1000, G::Ask, 1, B),
    readReply(ReadS201, "ReadS201", "ATS201?\r", "S201=x\r", "1111101", 2, 1000, G::Ask, 1, B),
    readReply(ReadS200, "ReadS200", "ATS200?\r", "S200=x\r", "11111X1", 2, 1000, G::Ask, 1, B),
    readReply(ReadS202, "ReadS202", "ATS202?\r", "S202=x\r", "1111101", 2, 1000, G::Ask, 1, B),
    readReply(ReadS214, "ReadS214", "ATS214?\r", "S214=x\r", "11111X1", 2, 1000, G::Ask, 1, B),
    unused(20),
    readReply(ReadS216, "ReadS216", "ATS216?\r", "S216=x\r", "11111X1", 2, 1000, G::Silent, 1, B),
    // Measurement polls come once a second: one send, half a second each.
    readReply(ReadInputs, "ReadInputs", "$7", "an1=x,an2=x,d1=x,d2=x\r", "1111X11111X1111X1111X1",
              1, 500, G::Silent, 4, F::Number),
    readReply(ReadIdentity, "ReadIdentity", "$2", "firmware=x,pp=x\r", "111111111X1111X1",
              2, 1000, G::Silent, 2, F::Text),
    // The template takes the first line that arrives, whatever it holds.
    readReply(ReadModuleVersion, "ReadModuleVersion", "AT/V\r", "x\r", "X1",
              2, 1000, G::Ask, 1, F::Version),
    ok(ExitCommand, "ExitCommand", "ATO\r", G::Silent),
    ok(WriteS252, "WriteS252", "ATS252=%1\r", G::Silent),
    ok(WriteAveraging, "WriteAveraging", "$8=%1\r", G::Ask), // four bytes, three digits each
    readReply(ReadAveraging, "ReadAveraging", "$9", "a1=x,a2=x,l1=x,l2=x\r", "111X1111X1111X1111X1",
              1, 500, G::Ask, 4, B),
    // Calibration: "$a" / "$b" and "$d" / "$c", built by their own operations.
    // A give-up ends the calibration run.
    {SetCurrent, "SetCurrent", nullptr, "OK\r", "111", 2, 1000, false, G::ClearQueue,
     {0, 0, 0}, {}},
    unused(30),
    {CalibrationMode, "CalibrationMode", nullptr, "OK\r", "111", 2, 1000, false, G::ClearQueue,
     {0, 0, 0}, {}},
};
// clang-format on

constexpr Row beyond = unused(0xFF);

// ---------------------------------------------------------------- checked when compiled

constexpr int length(const char *s)
{
    int n = 0;
    while (s && s[n])
        ++n;
    return n;
}

// The fields a mask collects: every "X" place, and every run of "0" places.
constexpr int maskFields(const char *mask)
{
    int n = 0;
    for (int i = 0; mask && mask[i]; ++i)
        if (mask[i] == 'X' || (mask[i] == '0' && (i == 0 || mask[i - 1] != '0')))
            ++n;
    return n;
}

constexpr bool wellFormed(const Row &r)
{
    if ((r.answer == nullptr) != (r.mask == nullptr) || length(r.answer) != length(r.mask))
        return false;
    for (int i = 0; i < length(r.mask); ++i)
        if (r.mask[i] != '1' && r.mask[i] != '0' && r.mask[i] != 'X')
            return false;
    int widest = 0;
    for (int v = 0; v < RequestKinds::Variants; ++v)
        widest = r.fieldCount[v] > widest ? r.fieldCount[v] : widest;
    // A kind that hands fields out says what each of them holds, and its
    // widest layout collects exactly that many.
    for (int i = 0; i < RequestKinds::MaxFields; ++i)
        if ((r.fields[i] != F::None) != (i < widest))
            return false;
    return widest == 0 || maskFields(r.mask) == widest;
}

constexpr bool everyRowInPlace()
{
    for (int i = 0; i < int(std::size(rows)); ++i)
        if (int(rows[i].type) != i || !wellFormed(rows[i]))
            return false;
    return true;
}

static_assert(std::size(rows) == CalibrationMode + 1,
              "one row per request kind; CalibrationMode is the last");
static_assert(everyRowInPlace(), "a row out of place, or its template, mask and fields disagree");

bool isNumber(const QByteArray &field, int maxDigits)
{
    if (field.isEmpty() || field.size() > maxDigits)
        return false;
    for (const char c : field)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

const RequestKinds::Row &RequestKinds::row(TypeParser type)
{
    const int value = int(type);
    return value >= 0 && value < int(std::size(rows)) ? rows[value] : beyond;
}

RequestKinds::Rows RequestKinds::all()
{
    return {std::begin(rows), std::end(rows)};
}

int RequestKinds::expectedFields(TypeParser type, quint8 variant)
{
    const Row &r = row(type);
    int n = 0;
    if (variant < Variants)
        n = r.fieldCount[variant];
    else if (r.fieldCount[0] == r.fieldCount[1] && r.fieldCount[1] == r.fieldCount[2])
        n = r.fieldCount[0]; // a layout that does not depend on the variant
    return n > 0 ? n : -1;
}

bool RequestKinds::fits(Field kind, const QByteArray &field)
{
    switch (kind) {
    case Field::Byte:
        return isNumber(field, 3) && field.toUInt() <= 255;
    case Field::Number:
        return isNumber(field, 9);
    case Field::Text:
    case Field::Version:
        // A control byte came from the line, not from the device. The
        // identity is ASCII: a wrong model or firmware date would set up the
        // whole window wrongly. A module version may hold the module maker's
        // 8-bit text ("µ" in UTF-8). A device that sends its whole buffer
        // pads the text with zero bytes; nothing after the first one is
        // looked at.
        for (const char c : field) {
            if (c == '\0')
                break;
            if (uchar(c) < 0x20 || uchar(c) == 0x7F || (kind == Field::Text && uchar(c) > 0x7F))
                return false;
        }
        return true;
    case Field::AddressList:
        // Up to 64 remote addresses as hexadecimal digits. Read in a shorter
        // layout than the device's, the list takes the rest of the reply
        // with it, commas and numbers (the window has always shown that).
        if (field.isEmpty() || field.size() > 64)
            return false;
        for (const char c : field)
            if (!isxdigit(uchar(c)) && c != ',')
                return false;
        return true;
    case Field::None:
        break;
    }
    return true;
}

bool RequestKinds::plausible(TypeParser type, const QByteArrayList &fields)
{
    const Row &r = row(type);
    for (int i = 0; i < fields.size() && i < MaxFields; ++i)
        if (!fits(r.fields[i], fields.at(i)))
            return false;
    return true;
}
