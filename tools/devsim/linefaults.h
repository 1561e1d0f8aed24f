#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

// The faults of a real installation's serial line, as the virtual device
// plays them: requests left unanswered, late answers, answers cut into
// chunks, noise, 9600-baud pacing, and the adapter pulled out after a number
// of requests.
struct LineFaults
{
    // Requests whose text begins with `prefix` get no answer (`delayMs` < 0)
    // or a late one; `count` limits the rule to that many requests (-1: all).
    struct Rule
    {
        QByteArray prefix;
        int delayMs = -1;
        int count = -1;
    };

    QList<Rule> rules;
    int replyDelayMs = 0;   // every answer starts this much after its request
    int chunkSize = 0;      // answers are cut into pieces of this many bytes (0: whole)
    int chunkPauseMs = 0;   // pause between two pieces of an answer
    double noise = 0.0;     // chance per answer byte that a random byte precedes it
    double lineNoise = 0.0; // random bytes per second sent between answers
    bool pace = false;      // 9600 baud, 8N1: about 1.04 ms per byte, both ways
    int hangUpAfter = 0;    // close the line once this many requests are served (0: never)

    // Applies the first rule for `request`, using up one of its count.
    // Returns false when the request is to be left unanswered; otherwise
    // adds the rule's lateness (if any) to `delayMs`. `note` tells what
    // the rule did, for a log.
    bool takeRule(const QByteArray &request, qint64 *delayMs, QString *note);
    // An answer as it goes on the line: with noise bytes slipped in and
    // cut into chunks of chunkSize.
    QList<QByteArray> pieces(const QByteArray &answer, QRandomGenerator &random) const;
};
