#pragma once

#include "protocol/devicesettings.h"
#include "protocol/stabilitytally.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

struct SettingsField;

// The document an engineer hands over after commissioning a device: when and
// on which port it was read, what the device says it is, every setting under
// the label the configurator's window gives it, and, when a stability check
// was run, its table per remote address.
//
// Settings kept only by the configurator and its settings files (the port
// text and the spare byte) are left out. Settings the device's firmware or
// model does not report back are listed with a dash instead of a value, since
// the record then holds the configurator's default, not the device's.
struct CommissioningReport
{
    Q_DECLARE_TR_FUNCTIONS(CommissioningReport)

public:
    QDateTime when;
    QString port, hardware, firmware;
    // Given by the engineer: where, who, and a remark (empty: left out).
    QString site, technician, note;
    quint8 variant = 0;
    DeviceSettings settings;
    // Settings the device was asked for and did not report readably: shown
    // as not read, not as the value the record happens to hold.
    QList<const SettingsField *> notRead;
    QList<StabilityTally::Row> test; // empty: no stability table
    bool testCutShort = false;       // the check ended before its last poll

    QString toHtml() const;
    // Writes the report as PDF or HTML, chosen by the file name's suffix
    // (.pdf, .html or .htm, in any case); any other name is refused. Nothing
    // is left behind when it fails, and an existing file is replaced only by
    // a complete report. The PDF needs a QGuiApplication.
    bool write(const QString &fileName, QString *error) const;
};
