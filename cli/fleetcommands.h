#pragma once

#include "cli/commands.h"

// rlx-cli's commands for looking after many devices: a settings file against
// a device, single settings read or changed, and a backup of every device.
class FleetCommands : public Commands
{
    Q_DECLARE_TR_FUNCTIONS(FleetCommands)

public:
    // diff FILE --port P: field by field, nothing written; exit 3 when they differ.
    static int diff(const QStringList &args);
    // get KEY... --port P: the settings named, as the device holds them.
    static int get(const QStringList &args);
    // set KEY=VALUE... --port P: read, change those settings, write, verify.
    static int set(const QStringList &args);
    // backup --dir D --port P...: one settings file per device.
    static int backup(const QStringList &args);

private:
    // Reads the devices, side by side; `code` the worst exit code.
    static QList<PortJob *> readAll(const QStringList &ports, QObject *owner, int *code);
};
