#include "protocol/idlebytes.h"

void IdleBytes::keep(const QByteArray &bytes)
{
    if (bytes.size() >= Limit) {
        kept = bytes.right(Limit);
        return;
    }
    kept.append(bytes);
    if (kept.size() > Limit)
        kept.remove(0, kept.size() - Limit);
}

QByteArray IdleBytes::takeWith(const QByteArray &bytes)
{
    if (kept.isEmpty())
        return bytes;
    QByteArray all = kept + bytes;
    kept.clear();
    return all;
}
