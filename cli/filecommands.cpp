#include "cli/filecommands.h"

#include "cli/commissioningreport.h"
#include "cli/portjob.h"
#include "session/settingsjson.h"

#include <QCommandLineParser>
#include <QJsonDocument>

int FileCommands::report(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Commissioning report of a device: identity and settings, and with --test the radio "
           "stability check of the given addresses."));
    parser.addOption(portOption());
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                        tr("The report: FILE.pdf or FILE.html."), tr("file")));
    parser.addOption(QCommandLineOption(QStringLiteral("test"),
                                        tr("Remote addresses to check, e.g. 1,3."), tr("list")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("rounds"), tr("Polls per address (default 10)."), QStringLiteral("N")));
    parser.addOption(QCommandLineOption(QStringLiteral("site"),
                                        tr("Where the device is installed."), tr("text")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("technician"), tr("Who commissioned it."), tr("name")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("note"), tr("A remark for the report."), tr("text")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("report"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("report takes no arguments"));
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty())
        return usage(tr("-o FILE.pdf or FILE.html is missing"));
    if (!output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) &&
        !output.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return usage(tr("the report is a .pdf or an .html file"));
    QByteArray addresses;
    QString error;
    if (parser.isSet(QStringLiteral("test"))) {
        addresses = parseAddresses(parser.value(QStringLiteral("test")), &error);
        if (addresses.isEmpty())
            return usage(error);
    } else if (parser.isSet(QStringLiteral("rounds"))) {
        return usage(tr("--rounds goes with --test"));
    }
    bool ok = true;
    const int rounds = parser.isSet(QStringLiteral("rounds"))
                           ? parser.value(QStringLiteral("rounds")).toInt(&ok)
                           : 10;
    if (!ok || rounds < 1 || rounds > MaxRounds)
        return usage(tr("--rounds takes a number from 1 to %1").arg(MaxRounds));
    if (!portsOf(parser, true, &portList, &exit))
        return exit;

    QObject owner;
    auto *read = new PortJob(portList.first(), PortJob::Read, &owner);
    int code = runJobs({read}, false);
    // An interrupted read makes no report: it would hand over half a device.
    if (!read->failure().isEmpty() || code >= Interrupted) {
        printSummaries({read}, false, false);
        return code;
    }
    CommissioningReport report;
    report.when = QDateTime::currentDateTime();
    report.site = parser.value(QStringLiteral("site"));
    report.technician = parser.value(QStringLiteral("technician"));
    report.note = parser.value(QStringLiteral("note"));
    report.port = read->port();
    report.hardware = read->hardware();
    report.firmware = read->firmware();
    report.variant = read->variant();
    report.settings = read->settings();
    report.notRead = read->notRead();
    if (!addresses.isEmpty()) {
        auto *check = new PortJob(portList.first(), PortJob::Test, &owner);
        check->setTestPlan(addresses, rounds, 0);
        code = qMax(code, runJobs({check}, false));
        report.test = check->testRows();
        report.testCutShort = check->testCutShort();
    }
    printSummaries({read}, false, false);
    if (!report.write(output, &error)) {
        err(QStringLiteral("rlx-cli: %1").arg(error)); // the reason names the file
        code = qMax(code, int(FileFailed));
    }
    return code;
}

int FileCommands::convert(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Converts a settings file of the configurator (.rlx) to readable JSON (.json) and "
           "back; the way back gives the same bytes. JSON with unknown, missing or out-of-range "
           "fields, and settings no device may be given, are refused."));
    parser.addPositionalArgument(tr("from"), tr("FILE.rlx, FILE.json or - (standard input)"));
    parser.addPositionalArgument(tr("to"), tr("FILE.json, FILE.rlx or - (standard output)"));
    parser.addOption(formatOption());
    int exit = Success;
    if (!parse(parser, QStringLiteral("convert"), args, &exit))
        return exit;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return usage(tr("convert takes two files"));
    bool fromJson = false, toJson = false;
    if (!isJson(parser, files.at(0), &fromJson, &exit) ||
        !isJson(parser, files.at(1), &toJson, &exit))
        return exit;
    DeviceSettings record;
    if (!loadValid(files.at(0), fromJson, record, &exit))
        return exit;
    return saveRecord(files.at(1), toJson,
                      QJsonDocument(SettingsJson::toJson(record)).toJson(QJsonDocument::Indented),
                      record);
}
