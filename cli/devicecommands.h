#pragma once

#include "cli/commands.h"

// rlx-cli's commands that list the ports and identify, read, write or restore
// the devices on them, several ports side by side.
class DeviceCommands : public Commands
{
    Q_DECLARE_TR_FUNCTIONS(DeviceCommands)

public:
    static int ports(const QStringList &args);
    static int identify(const QStringList &args);
    static int read(const QStringList &args);
    static int write(const QStringList &args);
    static int defaults(const QStringList &args);
};
