#pragma once

// Identity and full read of one paced device against N at once, one exchange
// engine per device, all on the one main thread.
class ParallelRead
{
public:
    static int run(int devices, int runs);

private:
    static double readTogether(int devices, double *floor);
};
