#pragma once

#include "cli/commands.h"

// rlx-cli's commands that make files: the commissioning report and the
// conversion of settings files to JSON and back.
class FileCommands : public Commands
{
    Q_DECLARE_TR_FUNCTIONS(FileCommands)

public:
    static int report(const QStringList &args);
    static int convert(const QStringList &args);
};
