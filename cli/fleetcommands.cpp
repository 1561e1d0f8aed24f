#include "cli/fleetcommands.h"

#include "cli/portjob.h"
#include "cli/terminaltext.h"
#include "protocol/settingsfields.h"
#include "session/settingsjson.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {

// The fields the command line names, each once; `error` names a wrong one.
QList<const SettingsField *> fieldsNamed(const QStringList &names, QString *error)
{
    QList<const SettingsField *> fields;
    for (const QString &name : names) {
        const SettingsField *f = SettingsFields::byName(name);
        if (!f) {
            *error = QCoreApplication::translate("FleetCommands",
                                                 "no setting \"%1\" (the names of 'rlx-cli read')")
                         .arg(name);
            return {};
        }
        if (!fields.contains(f))
            fields << f;
    }
    return fields;
}

// A device's value as `get` prints it: the number, or "not read" (the same
// in every language, as programs read it).
QString shown(const PortJob &job, const SettingsField &f, const DeviceSettings &s)
{
    if (!job.isRead(f))
        return QStringLiteral("not read");
    return TerminalText::shown(f.value(s).toString());
}

} // namespace

QList<PortJob *> FleetCommands::readAll(const QStringList &ports, QObject *owner, int *code)
{
    QList<PortJob *> jobs;
    for (const QString &p : ports)
        jobs << new PortJob(p, PortJob::Read, owner);
    *code = runJobs(jobs, false);
    return jobs;
}

int FleetCommands::diff(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Compares a settings file (.rlx or .json) with what each device holds, setting by "
           "setting; nothing is written. Exit 3 when they differ."));
    parser.addOption(portOption());
    parser.addPositionalArgument(tr("file"), tr("The settings: FILE.rlx, FILE.json or - (standard "
                                                "input)."));
    parser.addOption(formatOption());
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("diff"), args, &exit))
        return exit;
    if (parser.positionalArguments().size() != 1)
        return usage(tr("diff takes one settings file"));
    if (!portsOf(parser, false, &portList, &exit))
        return exit;
    const QString fileName = parser.positionalArguments().first();
    DeviceSettings file;
    bool json = false;
    if (!isJson(parser, fileName, &json, &exit) || !loadRecord(fileName, json, file, &exit))
        return exit;

    QObject owner;
    int code = Success;
    const QList<PortJob *> jobs = readAll(portList, &owner, &code);
    bool differs = false;
    for (const PortJob *job : jobs) {
        if (!job->identified())
            continue;
        const DeviceSettings held = job->settings();
        for (const SettingsField *f : SettingsFields::readBack(job->variant(), job->hardware())) {
            if (job->isRead(*f) && SettingsFields::same(*f, f->value(file), f->value(held)))
                continue;
            differs = differs || job->isRead(*f);
            out(tr("%1: %2 (%3): file %4, device %5")
                    .arg(job->port(), QLatin1String(f->name), f->labelText(),
                         TerminalText::shown(f->value(file).toString()),
                         job->isRead(*f) ? TerminalText::shown(f->value(held).toString())
                                         : tr("not read")));
        }
    }
    printSummaries(jobs, false, true);
    if (code == Success && differs)
        code = Differs;
    return code;
}

int FleetCommands::get(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Prints the named settings (the names of 'rlx-cli read') as each device "
           "holds them."));
    parser.addOption(portOption());
    parser.addPositionalArgument(tr("key"), tr("A setting's name."), tr("KEY..."));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("get"), args, &exit))
        return exit;
    QString error;
    const QList<const SettingsField *> fields = fieldsNamed(parser.positionalArguments(), &error);
    if (fields.isEmpty())
        return usage(error.isEmpty() ? tr("get takes the names of settings") : error);
    if (!portsOf(parser, false, &portList, &exit))
        return exit;
    QObject owner;
    int code = Success;
    const QList<PortJob *> jobs = readAll(portList, &owner, &code);
    for (const PortJob *job : jobs) {
        if (!job->identified())
            continue;
        const DeviceSettings held = job->settings();
        for (const SettingsField *f : fields)
            out(QStringLiteral("%1%2 = %3")
                    .arg(jobs.size() > 1 ? job->port() + QLatin1String(": ") : QString(),
                         QLatin1String(f->name), shown(*job, *f, held)));
    }
    printSummaries(jobs, false, true);
    return code;
}

int FleetCommands::set(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Changes single settings: each device is read, the named settings are changed, the "
           "whole record is written and read back to verify it. A device whose read is "
           "incomplete is left as it was."));
    parser.addOption(portOption());
    parser.addPositionalArgument(tr("setting"), tr("KEY=VALUE, for example power=5."),
                                 tr("KEY=VALUE..."));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("set"), args, &exit))
        return exit;
    const QStringList pairs = parser.positionalArguments();
    if (pairs.isEmpty())
        return usage(tr("set takes KEY=VALUE pairs"));
    QList<QPair<const SettingsField *, QString>> changes;
    for (const QString &pair : pairs) {
        const int eq = pair.indexOf(QLatin1Char('='));
        QString error;
        const QList<const SettingsField *> f = fieldsNamed({pair.left(eq)}, &error);
        if (eq < 0 || f.isEmpty())
            return usage(eq < 0 ? tr("\"%1\" is not KEY=VALUE").arg(pair) : error);
        if (!f.first()->isDeviceField())
            return usage(tr("%1 is not a setting of the device").arg(f.first()->name));
        const QString value = pair.mid(eq + 1);
        bool ok = true;
        const uint number = value.toUInt(&ok);
        if (!f.first()->isText() && (!ok || number > 255))
            return usage(tr("%1 takes %2, not \"%3\"")
                             .arg(QLatin1String(f.first()->name), f.first()->validText(), value));
        changes.append({f.first(), value});
    }
    if (!portsOf(parser, false, &portList, &exit))
        return exit;

    QObject owner;
    int code = Success;
    const QList<PortJob *> reads = readAll(portList, &owner, &code);
    if (code >= Interrupted) {
        printSummaries(reads, false, true);
        return code; // nothing is written after an interruption
    }
    QList<PortJob *> writes;
    for (const PortJob *read : reads) {
        if (read->exitCode(false) != Success)
            continue; // told by its summary; nothing is written on half a picture
        DeviceSettings record = read->settings();
        for (const auto &c : changes) {
            if (c.first->isText())
                record.*c.first->text = c.second;
            else
                record.*c.first->byte = quint8(c.second.toUInt());
        }
        const QList<SettingsProblem> problems = SettingsFields::validate(record);
        if (!problems.isEmpty()) {
            for (const SettingsProblem &p : problems)
                err(tr("rlx-cli: %1: %2 (%3): %4; nothing was written")
                        .arg(read->port(), QLatin1String(p.field->name), p.field->labelText(),
                             p.why));
            code = qMax(code, int(Usage));
            continue;
        }
        auto *write = new PortJob(read->port(), PortJob::Write, &owner);
        write->setRecord(record);
        writes << write;
    }
    printSummaries(reads, false, true);
    if (writes.isEmpty())
        return code == Success ? int(DeviceFailed) : code;
    code = qMax(code, runJobs(writes, true));
    printDifferences(writes);
    printSummaries(writes, true, false);
    return code;
}

int FleetCommands::backup(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Reads each device and saves its settings to a file of its own in a folder, named by "
           "hardware, port and date (JSON that 'rlx-cli write' takes, with the hardware it was "
           "read from). A device whose read is incomplete gets no file."));
    parser.addOption(portOption());
    parser.addOption(
        QCommandLineOption(QStringLiteral("dir"), tr("The folder for the files."), tr("folder")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("backup"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("backup takes no arguments"));
    const QString dirName = parser.value(QStringLiteral("dir"));
    if (dirName.isEmpty())
        return usage(tr("--dir is missing"));
    if (!QFileInfo(dirName).isDir())
        return fileError(dirName, tr("not a folder"));
    if (!portsOf(parser, false, &portList, &exit))
        return exit;

    QObject owner;
    int code = Success;
    const QList<PortJob *> jobs = readAll(portList, &owner, &code);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const PortJob *job : jobs) {
        if (job->exitCode(false) != Success)
            continue;
        // Only the family's characters make the name: no path, no control bytes.
        QString name = job->hardware() + QLatin1Char('_') + QFileInfo(job->port()).fileName() +
                       QLatin1Char('_') + stamp;
        name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]+")), QStringLiteral("-"));
        const QString fileName = QDir(dirName).filePath(name + QStringLiteral(".json"));
        const QByteArray json = QJsonDocument(jobJson(*job, true)).toJson(QJsonDocument::Indented);
        QString error;
        if (!writeText(fileName, QString::fromUtf8(json), &error)) {
            code = qMax(code, fileError(fileName, error));
            continue;
        }
        out(fileName);
    }
    printSummaries(jobs, false, true);
    return code;
}
