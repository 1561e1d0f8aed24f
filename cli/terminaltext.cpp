#include "cli/terminaltext.h"

QString TerminalText::shown(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            out += QLatin1Char('<') + QString::number(u, 16).rightJustified(2, QLatin1Char('0')) +
                   QLatin1Char('>');
        else
            out += c;
    }
    return out;
}
