#pragma once

#include "cli/commands.h"

// rlx-cli's commands that watch a device at work: the radio stability check
// and the input values of a transmitter.
class CheckCommands : public Commands
{
    Q_DECLARE_TR_FUNCTIONS(CheckCommands)

public:
    static int test(const QStringList &args);
    static int measure(const QStringList &args);
};
