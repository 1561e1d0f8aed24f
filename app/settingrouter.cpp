#include "app/settingrouter.h"

void SettingRouter::add(const QString &prefix, Handler handler)
{
    table.append({prefix, std::move(handler)});
}

int SettingRouter::route(const QString &name, int val) const
{
    int taken = 0;
    for (const Route &r : table) {
        if (name.startsWith(r.prefix)) {
            r.handler(val);
            ++taken;
        }
    }
    return taken;
}

QStringList SettingRouter::keys() const
{
    QStringList out;
    for (const Route &r : table)
        out << r.prefix;
    return out;
}
