#pragma once

#include "protocol/typeparser.h"

#include <QByteArray>

// Describes one request kind: what is sent, the reply template and its match
// mask, how often the request is sent and how long each send waits.
struct ParserParam
{
    TypeParser type = TypeParser(0);
    QByteArray request;           // bytes sent to the device
    QByteArray answer;            // reply template
    QByteArray mask;              // one match character per template byte: "1", "0" or "X"
    quint8 countRepeat = 3;       // number of sends before giving up
    quint16 timeout = 200;        // interval between sends, in milliseconds
    bool clearOnTimeout = false;  // on give-up the whole queue is dropped silently
    bool keepAfterAnswer = false; // after a matched reply the request stays at the head
};
