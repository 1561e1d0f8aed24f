#pragma once

#include <QCoreApplication>
#include <QString>

class QWidget;
struct DeviceSettings;

// SAVE SETTINGS and OPEN SETTINGS: the file dialogs, in the folder used
// last, and what the user is told afterwards. The file itself is
// SettingsFile's.
class SettingsFileDialogs
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFileDialogs)

public:
    struct Result
    {
        bool done = false; // the file was written, or read into the record
        QString outcome;   // for the status line
        QString problem;   // for a message box; empty when nothing went wrong
    };

    // Proposes a name from the hardware text and today's date.
    static Result save(QWidget *parent, const DeviceSettings &settings, const QString &hardware);
    // The record changes only when the whole file could be read.
    static Result open(QWidget *parent, DeviceSettings &settings);
};
