#pragma once

// Connect to progress 100 at 9600-baud pacing, against the wire-time floor of
// the same exchange, and where the time above the floor goes.
class FullRead
{
public:
    static int run();
};
