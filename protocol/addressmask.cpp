#include "protocol/addressmask.h"

quint64 AddressMask::parse(const QString &text, bool *ok)
{
    if (ok)
        *ok = false;
    quint64 mask = 0;
    for (const QChar c : text.trimmed()) {
        if (c == QLatin1Char(','))
            continue;
        const ushort u = c.toLower().unicode();
        int digit = -1;
        if (u >= '0' && u <= '9')
            digit = u - '0';
        else if (u >= 'a' && u <= 'f')
            digit = u - 'a' + 10;
        if (digit < 0 || (mask >> 60) != 0) // not a digit, or beyond 64 bits
            return 0;
        mask = (mask << 4) | quint64(digit);
    }
    if (ok)
        *ok = true;
    return mask;
}

QString AddressMask::format(quint64 mask)
{
    QString text = QStringLiteral("%1").arg(mask, 16, 16, QLatin1Char('0'));
    text.insert(12, QLatin1Char(','));
    text.insert(8, QLatin1Char(','));
    text.insert(4, QLatin1Char(','));
    return text;
}
