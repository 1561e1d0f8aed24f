#include "protocol/stabilitytally.h"

int StabilityTally::addressOf(const QByteArray &request)
{
    const int end = request.indexOf("=$\r");
    if (end < 1 || end > 3)
        return -1;
    bool ok = false;
    const int address = request.left(end).toInt(&ok);
    for (const char c : request.left(end))
        if (c < '0' || c > '9')
            return -1;
    return ok && address <= 255 ? address : -1;
}

StabilityTally::Row *StabilityTally::find(const QByteArray &request, bool create)
{
    const int address = addressOf(request);
    if (address < 0)
        return nullptr;
    for (Row &r : table)
        if (r.address == address)
            return &r;
    if (!create)
        return nullptr;
    Row r;
    r.address = quint8(address);
    table.append(r);
    return &table.last();
}

void StabilityTally::sent(const QByteArray &request)
{
    if (Row *r = find(request, true))
        ++r->sent;
}

void StabilityTally::answered(const QByteArray &request)
{
    if (Row *r = find(request, true)) {
        ++r->answered;
        r->missRun = 0;
    }
}

void StabilityTally::missed(const QByteArray &request)
{
    if (Row *r = find(request, true)) {
        ++r->missRun;
        r->longestMissRun = qMax(r->longestMissRun, r->missRun);
    }
}

void StabilityTally::withdrawn(const QByteArray &request)
{
    Row *r = find(request, false);
    if (r && r->sent > r->answered)
        --r->sent;
}

StabilityTally::Row StabilityTally::row(quint8 address) const
{
    for (const Row &r : table)
        if (r.address == address)
            return r;
    Row none;
    none.address = address;
    return none;
}
