#pragma once

#include <QByteArray>
#include <QList>

// Counts the radio stability check per remote address: polls sent, polls
// answered, and the longest run of polls in a row without an answer. Fed
// with the test requests as the exchange engine reports them.
class StabilityTally
{
public:
    struct Row
    {
        quint8 address = 0;
        int sent = 0;
        int answered = 0;
        int longestMissRun = 0;
        int missRun = 0; // misses in a row up to now

        // Share of the polls answered, 0 to 1 (0 before the first poll).
        double share() const { return sent ? double(answered) / sent : 0.0; }
    };

    // The address of a test request ("3=$\r\n" or the CR-only first one),
    // -1 for anything else.
    static int addressOf(const QByteArray &request);

    void sent(const QByteArray &request);
    void answered(const QByteArray &request);
    void missed(const QByteArray &request);
    // A poll cut short before it had an outcome (the check was stopped): it
    // no longer counts as sent.
    void withdrawn(const QByteArray &request);
    void clear() { table.clear(); }

    // In the order in which the addresses were first polled.
    QList<Row> rows() const { return table; }
    // The row of an address; a row of zeros if it was never polled.
    Row row(quint8 address) const;

private:
    Row *find(const QByteArray &request, bool create);

    QList<Row> table;
};
