#pragma once

#include "protocol/typeparser.h"

#include <QByteArrayList>
#include <QObject>

class PanelArrangement;
struct DeviceSettings;
struct SettingsField;

// Shows the settings record in the panels' editors: all of it, or the part
// a device reply has just stored. The editors echo what they are shown back
// into the record, so each showing works from a copy.
class SettingsDisplay : public QObject
{
    Q_OBJECT
public:
    SettingsDisplay(const PanelArrangement *panels, DeviceSettings &settings, QObject *parent);

    // The whole record.
    void showSettings();
    // The fields a matched reply of `type` stored in the record.
    void showReply(TypeParser type, const QByteArrayList &param);
    // A time-out read before belongs to an earlier read, perhaps of another
    // device; it must not land over what the user has set since.
    void forgetReadSerialTimeout() { hasReadSerialTimeout = false; }

private:
    void showConfiguration();
    static bool shownByName(const SettingsField &f);
    void showPlain(const SettingsField &f);
    void showPollSettings();

    const PanelArrangement *panels;
    DeviceSettings &s;
    // The module's serial time-out from the current read, shown again once
    // the device's serial rate (and with it the time-out floor) is known.
    quint8 readSerialTimeout = 0;
    bool hasReadSerialTimeout = false;
};
