#include "cli/devicecommands.h"

#include "cli/portjob.h"
#include "cli/terminaltext.h"
#include "link/portlist.h"
#include "link/virtualports.h"
#include "session/settingsjson.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

int DeviceCommands::ports(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("The serial ports present, as the configurator lists them, running "
           "virtual devices included."));
    parser.addOption(jsonOption(tr("As JSON: name, port to open, virtual.")));
    int exit = Success;
    if (!parse(parser, QStringLiteral("ports"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("ports takes no arguments"));
    PortList list;
    const QStringList names = list.present();
    if (!parser.isSet(QStringLiteral("json"))) {
        for (const QString &n : names)
            out(n);
        return Success;
    }
    QJsonArray all;
    for (const QString &n : names) {
        const QString port = VirtualPorts::portOf(n);
        all.append(QJsonObject{{QStringLiteral("name"), VirtualPorts::untranslated(n)},
                               {QStringLiteral("port"), port},
                               {QStringLiteral("virtual"), port != n}});
    }
    out(QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Indented)).trimmed());
    return Success;
}

int DeviceCommands::identify(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Asks each device who it is: hardware, firmware and firmware variant."));
    parser.addOption(portOption());
    parser.addOption(jsonOption(tr("As JSON, one object per port.")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("identify"), args, &exit) ||
        !portsOf(parser, false, &portList, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("identify takes no arguments"));
    QList<PortJob *> jobs;
    QObject owner;
    for (const QString &p : portList)
        jobs << new PortJob(p, PortJob::Identify, &owner);
    const int code = runJobs(jobs, false);
    const bool json = parser.isSet(QStringLiteral("json"));
    if (json)
        printJson(jobs, false, manyPorts(parser));
    printSummaries(jobs, false, json);
    return code;
}

int DeviceCommands::read(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Reads every setting of each device (the sequence of the configurator's READ)."));
    parser.addOption(portOption());
    parser.addOption(
        jsonOption(tr("As JSON: one object per port (an array for several ports) with port, "
                      "hardware, firmware, variant, ok, settings and unanswered.")));
    parser.addOption(
        QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                           tr("Also save the settings to a file: .rlx (the configurator's settings "
                              "file) or .json. One port only."),
                           tr("file")));
    parser.addOption(formatOption());
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("read"), args, &exit) ||
        !portsOf(parser, false, &portList, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("read takes no arguments"));
    const QString output = parser.value(QStringLiteral("output"));
    if (!output.isEmpty() && portList.size() > 1)
        return usage(tr("-o takes one port"));
    bool outputJson = true;
    if (!output.isEmpty() && !isJson(parser, output, &outputJson, &exit))
        return exit;
    // "-o -": the settings go to standard output instead of the listing.
    const bool listing = output != QLatin1String("-");

    QList<PortJob *> jobs;
    QObject owner;
    for (const QString &p : portList)
        jobs << new PortJob(p, PortJob::Read, &owner);
    int code = runJobs(jobs, false);
    const bool json = parser.isSet(QStringLiteral("json"));
    if (json && listing) {
        printJson(jobs, true, manyPorts(parser));
    } else if (listing) {
        for (const PortJob *job : jobs) {
            if (!job->identified())
                continue;
            const DeviceSettings settings = job->settings();
            for (const SettingsField &f : SettingsFields::all())
                out(QStringLiteral("%1%2 = %3")
                        .arg(jobs.size() > 1 ? job->port() + QLatin1String(": ") : QString(),
                             QLatin1String(f.name),
                             job->isRead(f) ? TerminalText::shown(f.value(settings).toString())
                                            : QStringLiteral("not read")));
        }
    }
    printSummaries(jobs, false, json || !listing);
    if (!output.isEmpty()) {
        const PortJob *job = jobs.first();
        if (job->exitCode(false) != Success) {
            err(tr("rlx-cli: %1 not written: the read is incomplete").arg(output));
        } else {
            // JSON names the device it was read from, which write checks.
            code = qMax(
                code, saveRecord(output, outputJson,
                                 QJsonDocument(jobJson(*job, true)).toJson(QJsonDocument::Indented),
                                 job->settings()));
        }
    }
    return code;
}

int DeviceCommands::write(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Writes a settings file (.rlx or .json) to each device with the sequence of the "
           "configurator's WRITE, reads it back and compares field by field; every difference "
           "is printed."));
    parser.addOption(portOption());
    parser.addOption(
        QCommandLineOption(QStringLiteral("no-verify"), tr("Do not compare the read-back.")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("force"),
                           tr("Write a file read from another model of device (a JSON file of "
                              "'rlx-cli read' names the hardware it came from).")));
    parser.addPositionalArgument(tr("file"), tr("The settings: FILE.rlx, FILE.json or - for "
                                                "standard input."));
    parser.addOption(formatOption());
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("write"), args, &exit))
        return exit;
    if (parser.positionalArguments().size() != 1)
        return usage(tr("write takes one settings file"));
    if (!portsOf(parser, false, &portList, &exit))
        return exit;
    const QString fileName = parser.positionalArguments().first();
    DeviceSettings record;
    bool json = false;
    if (!isJson(parser, fileName, &json, &exit) || !loadValid(fileName, json, record, &exit))
        return exit;
    const bool verify = !parser.isSet(QStringLiteral("no-verify"));

    QList<PortJob *> jobs;
    QObject owner;
    for (const QString &p : portList) {
        auto *job = new PortJob(p, PortJob::Write, &owner);
        job->setRecord(record, hardwareOf(fileName), parser.isSet(QStringLiteral("force")));
        jobs << job;
    }
    const int code = runJobs(jobs, verify);
    if (verify)
        printDifferences(jobs);
    printSummaries(jobs, verify, false);
    return code;
}

int DeviceCommands::defaults(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Restores the factory settings of each device with the sequence of the configurator's "
           "DEFAULT: the radio module's serial rate is searched (about half a minute), then the "
           "settings are written and read back."));
    parser.addOption(portOption());
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("defaults"), args, &exit) ||
        !portsOf(parser, false, &portList, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("defaults takes no arguments"));
    QList<PortJob *> jobs;
    QObject owner;
    for (const QString &p : portList)
        jobs << new PortJob(p, PortJob::Defaults, &owner);
    const int code = runJobs(jobs, true);
    printDifferences(jobs);
    printSummaries(jobs, true, false);
    return code;
}
