#pragma once

// Resident memory under continuous line noise, connected and idle or reading
// again and again.
class NoiseMemory
{
public:
    static int run(bool reading, int seconds, double rate);
};
