#include "protocol/sequences.h"

#include "protocol/catalogue.h"
#include "protocol/devicesettings.h"
#include "protocol/factorydefaults.h"
#include "protocol/settingsfields.h"

namespace {

QByteArray number(int value)
{
    return QByteArray::number(value);
}

} // namespace

QVector<Sequences::Step> Sequences::readAll()
{
    // The same every time: made once and shared.
    static const QVector<Step> steps = {
        {EnterCommand, {}}, {ReadModuleVersion, {}}, {ReadS216, {}},      {ReadS206, {}},
        {ReadS201, {}},     {ReadS200, {}},          {ReadS214, {}},      {ReadS202, {}},
        {SetS220, {}},      {ReadConfig, {}},        {ReadAveraging, {}}, {ExitCommand, {}}};
    return steps;
}

// The common tail of the write-all and restore-defaults sequences, after the
// configuration write: the radio registers, S220, averaging, leave command
// mode, then read everything back.
QVector<Sequences::Step> Sequences::writeTail(const DeviceSettings &s)
{
    QVector<Step> steps;
    for (const SettingsField *f : SettingsFields::registerWrites())
        steps += {f->write, number(s.*f->byte)};
    steps += {{SetS220, {}}, {WriteAveraging, {}}, {ExitCommand, {}}};
    return steps + readAll();
}

QVector<Sequences::Step> Sequences::writeAll(const DeviceSettings &s, quint8 variant)
{
    const int rate = s.serialRate;
    QVector<Step> steps = {{EnterCommand, {}},
                           {WriteS210, number(rate + 1)},
                           {SetLinkRate, number(rate + 1)},
                           {WriteConfig, Catalogue::configText(s, variant, rate)}};
    return steps + writeTail(s);
}

QVector<Sequences::Step> Sequences::restoreDefaults(const DeviceSettings &s, quint8 variant)
{
    QVector<Step> steps;
    auto attempt = [&steps](int rate) {
        steps += {{SetLinkRate, number(rate)}, {EnterCommand, {}}, {ModuleDefaults, {}}};
    };
    attempt(s.serialRate);
    for (int rate = 0; rate < 8; ++rate)
        attempt(rate);
    steps += {WriteConfig, Catalogue::configText(s, variant, FactoryDefaults::SerialRate)};
    return steps + writeTail(s);
}
