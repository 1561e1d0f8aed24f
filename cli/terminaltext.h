#pragma once

#include <QString>

// Text from a device (or anything else not written by rlx-cli) as it may go
// to a terminal: an escape sequence in a hardware text or an address list
// would otherwise retitle the window, recolour it or move the cursor. Control
// characters (C0, DEL and C1) are written out as "<1b>", as RunOutcome writes
// the bytes of a request; everything else stays as it is.
class TerminalText
{
public:
    static QString shown(const QString &text);
};
