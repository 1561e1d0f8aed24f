#pragma once

// Resident memory of a traffic log filled to its cap with line noise, kept
// out of sight and then shown in its window.
class LogMemory
{
public:
    static int run();
};
