#pragma once

#include "protocol/devicesettings.h"
#include "protocol/stabilitytally.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The commissioning record of one device: who it is, the settings it holds
// and, when a stability check ran, its table. As HTML, or as PDF.
struct CommissioningReport
{
    QDateTime when;
    QString port, hardware, firmware;
    quint8 variant = 0;
    DeviceSettings settings;
    QList<StabilityTally::Row> test; // empty: no stability table

    QString toHtml() const;
    // .pdf or .html by the suffix of the name.
    bool write(const QString &fileName, QString *error) const;
};
