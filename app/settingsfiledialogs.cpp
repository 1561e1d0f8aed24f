#include "app/settingsfiledialogs.h"

#include "session/settingsfile.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

namespace {

// Beside "PortName": the folder the last settings file was saved to or opened from.
const char SettingsFolderKey[] = "SettingsFolder";
const char SettingsSuffix[] = "rlx";

QString settingsFolder()
{
    const QString folder = QSettings().value(QLatin1String(SettingsFolderKey)).toString();
    return QFileInfo(folder).isDir() ? folder : QString();
}

void rememberSettingsFolder(const QString &fileName)
{
    QSettings().setValue(QLatin1String(SettingsFolderKey), QFileInfo(fileName).absolutePath());
}

} // namespace

SettingsFileDialogs::Result
SettingsFileDialogs::save(QWidget *parent, const DeviceSettings &settings, const QString &hardware)
{
    Result r;
    // A name from the hardware and the date, in the folder used last.
    QString proposed =
        QStringLiteral("%1 %2.%3")
            .arg(hardware.isEmpty() ? QStringLiteral("RLX settings") : hardware,
                 QDate::currentDate().toString(Qt::ISODate), QLatin1String(SettingsSuffix));
    proposed.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    QFileDialog dialog(parent, tr("Save Settings"), settingsFolder(), tr("Rlx Files (*.rlx)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QLatin1String(SettingsSuffix));
    dialog.selectFile(proposed);
    QString name;
    if (dialog.exec() == QDialog::Accepted)
        name = dialog.selectedFiles().value(0);
    if (name.isEmpty()) {
        r.outcome = tr("Save Settings cancelled; nothing was saved.");
        return r;
    }
    // A dialog of the desktop may leave the suffix to the program.
    if (QFileInfo(name).suffix().compare(QLatin1String(SettingsSuffix), Qt::CaseInsensitive))
        name += QLatin1Char('.') + QLatin1String(SettingsSuffix);
    QString error;
    if (!SettingsFile::save(name, settings, &error)) {
        r.outcome =
            tr("The settings could not be saved to %1.").arg(QDir::toNativeSeparators(name));
        r.problem = tr("The settings could not be saved to\n%1\n\n%2").arg(name, error);
        return r;
    }
    rememberSettingsFolder(name);
    r.done = true;
    r.outcome = tr("Settings saved to %1.").arg(QDir::toNativeSeparators(name));
    return r;
}

SettingsFileDialogs::Result SettingsFileDialogs::open(QWidget *parent, DeviceSettings &settings)
{
    Result r;
    QFileDialog dialog(parent, tr("Open Settings"), settingsFolder(), tr("Rlx Files (*.rlx)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    QString name;
    if (dialog.exec() == QDialog::Accepted)
        name = dialog.selectedFiles().value(0);
    if (name.isEmpty()) {
        r.outcome = tr("Open Settings cancelled; nothing was changed.");
        return r;
    }
    QString error;
    if (!SettingsFile::load(name, settings, &error)) {
        r.outcome = tr("The settings could not be read from %1; nothing was changed.")
                        .arg(QDir::toNativeSeparators(name));
        r.problem = tr("The settings could not be read from\n%1\n\n%2\nNothing was changed.")
                        .arg(name, error);
        return r;
    }
    rememberSettingsFolder(name);
    r.done = true;
    r.outcome = tr("Settings opened from %1; WRITE gives them to the device.")
                    .arg(QDir::toNativeSeparators(name));
    return r;
}
