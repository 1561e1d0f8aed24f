#pragma once

#include <QByteArray>

// Bytes that arrive while no request waits for a reply. They may be the
// start of the reply to the next request, or noise: only the newest Limit
// bytes are kept, to go in front of the first bytes read after the next
// request.
class IdleBytes
{
public:
    // A reply is under a hundred bytes; what the line brings beyond this while
    // nobody waits is noise.
    static constexpr int Limit = 4096;

    void keep(const QByteArray &bytes);
    // The kept bytes followed by `bytes`; nothing is kept afterwards.
    QByteArray takeWith(const QByteArray &bytes);
    QByteArray bytes() const { return kept; }
    void clear() { kept.clear(); }

private:
    QByteArray kept;
};
