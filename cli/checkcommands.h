#pragma once

#include "cli/commands.h"

// rlx-cli's commands that watch a device at work: the radio stability check
// and the input values of a transmitter.
class CheckCommands : public Commands
{
public:
    static int test(const QStringList &args);
    static int measure(const QStringList &args);
};
