#pragma once

#include <QByteArray>

struct ParserParam;

// The addresses of the radio stability test and the position in them. The
// position outlives a run: the next run starts where the previous stopped.
class TestCycle
{
public:
    // At most 255 addresses, one byte each.
    void setAddresses(const QByteArray &addresses) { list = addresses.left(255); }
    QByteArray addresses() const { return list; }
    bool isEmpty() const { return list.isEmpty(); }
    quint8 index() const { return position; }

    // The poll for the address at `index`; a position past the end of the
    // list polls the first address. Empty without addresses.
    QByteArray request(quint8 index) const;
    // The step after the running one goes to the first address.
    void rewind() { position = quint8(list.size()); }
    // Moves to the next address (after the last, the first) and turns the
    // step's request to it: its poll, reply template and mask.
    void advance(ParserParam &step);

private:
    QByteArray list;
    // At first past the end of any list: the first poll goes to the first
    // address, and the step after it wraps to the first address again.
    quint8 position = 100;
};
