#include "cli/filecommands.h"

#include "cli/commissioningreport.h"
#include "cli/portjob.h"
#include "cli/settingsjson.h"

#include <QCommandLineParser>

int FileCommands::report(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Commissioning report of a device: identity and settings, and with --test the radio "
        "stability check of the given addresses."));
    parser.addOption(portOption());
    parser.addOption(QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                        QStringLiteral("The report: FILE.pdf or FILE.html."),
                                        QStringLiteral("file")));
    parser.addOption(QCommandLineOption(QStringLiteral("test"),
                                        QStringLiteral("Remote addresses to check, e.g. 1,3."),
                                        QStringLiteral("list")));
    parser.addOption(QCommandLineOption(QStringLiteral("rounds"),
                                        QStringLiteral("Polls per address (default 10)."),
                                        QStringLiteral("N")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("report"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("report takes no arguments"));
    const QString output = parser.value(QStringLiteral("output"));
    if (output.isEmpty())
        return usage(QStringLiteral("-o FILE.pdf or FILE.html is missing"));
    if (!output.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) &&
        !output.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
        return usage(QStringLiteral("the report is a .pdf or an .html file"));
    QByteArray addresses;
    QString error;
    if (parser.isSet(QStringLiteral("test"))) {
        addresses = parseAddresses(parser.value(QStringLiteral("test")), &error);
        if (addresses.isEmpty())
            return usage(error);
    } else if (parser.isSet(QStringLiteral("rounds"))) {
        return usage(QStringLiteral("--rounds goes with --test"));
    }
    bool ok = true;
    const int rounds = parser.isSet(QStringLiteral("rounds"))
                           ? parser.value(QStringLiteral("rounds")).toInt(&ok)
                           : 10;
    if (!ok || rounds < 1)
        return usage(QStringLiteral("--rounds takes a number from 1"));
    if (!portsOf(parser, true, &portList, &exit))
        return exit;

    QObject owner;
    auto *read = new PortJob(portList.first(), PortJob::Read, &owner);
    int code = runJobs({read}, false);
    if (!read->failure().isEmpty()) {
        printSummaries({read}, false, false);
        return code;
    }
    CommissioningReport report;
    report.when = QDateTime::currentDateTime();
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
    if (!report.write(output, &error))
        code = qMax(code, fileError(output, error));
    return code;
}

int FileCommands::convert(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts a settings file of the configurator (.rlx) to readable JSON (.json) and "
        "back; the way back gives the same bytes. JSON with unknown, missing or out-of-range "
        "fields, and settings no device may be given, are refused."));
    parser.addPositionalArgument(QStringLiteral("from"), QStringLiteral("FILE.rlx or FILE.json"));
    parser.addPositionalArgument(QStringLiteral("to"), QStringLiteral("FILE.json or FILE.rlx"));
    int exit = Success;
    if (!parse(parser, QStringLiteral("convert"), args, &exit))
        return exit;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return usage(QStringLiteral("convert takes two files"));
    DeviceSettings record;
    QString error;
    if (!loadValid(files.at(0), record, &exit))
        return exit;
    if (!SettingsJson::save(files.at(1), record, &error))
        return fileError(files.at(1), error);
    return Success;
}
