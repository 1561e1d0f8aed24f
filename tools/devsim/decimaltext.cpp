#include "tools/devsim/decimaltext.h"

#include <algorithm>

namespace DecimalText {

bool allDigits(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int byteValue(const QByteArray &text)
{
    if (!allDigits(text) || text.size() > 3)
        return -1;
    const int v = text.toInt();
    return v <= 255 ? v : -1;
}

} // namespace DecimalText
