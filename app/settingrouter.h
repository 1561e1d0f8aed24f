#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Where an editor's parameter name and value go. Each key of the table is a
// name prefix: a name is tested against every key, in the order the keys
// were added, and goes to the handler of every key it starts with.
class SettingRouter
{
public:
    using Handler = std::function<void(int)>;

    void add(const QString &prefix, Handler handler);
    // Returns how many handlers took the value.
    int route(const QString &name, int val) const;
    QStringList keys() const;

private:
    struct Route
    {
        QString prefix;
        Handler handler;
    };
    QList<Route> table;
};
