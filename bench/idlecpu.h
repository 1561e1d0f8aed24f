#pragma once

// The CPU share of the whole process while idle, disconnected and connected.
class IdleCpu
{
public:
    static int run(int seconds);
};
