#pragma once

// How the window takes an adapter pulled out during a read: the time from
// the hang-up to the port closed, and the CPU share of the quiet seconds after.
class Unplug
{
public:
    static int run();
};
