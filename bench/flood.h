#pragma once

// The longest event-loop stall while a megabyte of noise arrives during a
// full read.
class Flood
{
public:
    static int run();
};
