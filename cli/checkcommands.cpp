#include "cli/checkcommands.h"

#include "cli/portjob.h"

#include <QCommandLineParser>

namespace {

// Units of the two inputs by the output kind of the identity.
QString unitOf(quint8 outType, int input)
{
    const bool voltage = outType == 2 || (outType == 1 && input == 2);
    return voltage ? QCoreApplication::translate("CheckCommands", "mV")
                   : QCoreApplication::translate("CheckCommands", "mkA");
}

} // namespace

int CheckCommands::test(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Radio stability check: the remote addresses are polled in turn, one poll a second, "
           "and counted per address (polls, answered, share, longest run of misses)."));
    parser.addOption(portOption());
    parser.addOption(QCommandLineOption(QStringLiteral("addresses"),
                                        tr("Remote addresses, e.g. 1,3,5 (0 to 64)."), tr("list")));
    parser.addOption(QCommandLineOption(QStringLiteral("rounds"),
                                        tr("Poll every address N times (default 10)."),
                                        QStringLiteral("N")));
    parser.addOption(QCommandLineOption(QStringLiteral("duration"),
                                        tr("Poll for S seconds instead."), QStringLiteral("S")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("csv"), tr("Also write the table as CSV."), tr("file")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("min-share"),
        tr("Exit 1 when an address answered a smaller share of its polls (0 to 1, "
           "e.g. 0.9)."),
        tr("share")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("test"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("test takes no arguments"));
    if (!parser.isSet(QStringLiteral("addresses")))
        return usage(tr("--addresses is missing"));
    if (parser.isSet(QStringLiteral("rounds")) && parser.isSet(QStringLiteral("duration")))
        return usage(tr("--rounds and --duration exclude each other"));
    QString error;
    const QByteArray addresses = parseAddresses(parser.value(QStringLiteral("addresses")), &error);
    if (addresses.isEmpty())
        return usage(error);
    bool ok = true;
    int rounds = 10;
    int seconds = 0;
    if (parser.isSet(QStringLiteral("rounds")))
        rounds = parser.value(QStringLiteral("rounds")).toInt(&ok);
    // Bounded so that the count of polls and the time in milliseconds fit.
    if (!ok || rounds < 1 || rounds > MaxRounds)
        return usage(tr("--rounds takes a number from 1 to %1").arg(MaxRounds));
    if (parser.isSet(QStringLiteral("duration"))) {
        rounds = 0;
        seconds = parser.value(QStringLiteral("duration")).toInt(&ok);
        if (!ok || seconds < 1 || seconds > MaxSeconds)
            return usage(tr("--duration takes seconds from 1 to %1 (a week)").arg(MaxSeconds));
    }
    double minShare = 0;
    if (parser.isSet(QStringLiteral("min-share"))) {
        minShare = parser.value(QStringLiteral("min-share")).toDouble(&ok);
        if (!ok || minShare < 0 || minShare > 1)
            return usage(tr("--min-share takes a share from 0 to 1"));
    }
    if (!portsOf(parser, true, &portList, &exit))
        return exit;

    QObject owner;
    auto *job = new PortJob(portList.first(), PortJob::Test, &owner);
    job->setTestPlan(addresses, rounds, seconds * 1000);
    int code = runJobs({job}, false);
    if ((!job->failure().isEmpty() || job->interrupted()) && job->testPolls() == 0) {
        printSummaries({job}, false, false);
        return code;
    }
    // A check cut short (the port lost, interrupted) says so on every row.
    const int complete = job->testCutShort() ? 0 : 1;
    QString csv = QStringLiteral("address,sent,answered,share,longest_miss_run,complete\n");
    // The columns as wide as their headings, in any language; the share
    // takes five places ("0.950").
    const QStringList headings = {tr("address"), tr("sent"), tr("answered"),
                                  tr("share").rightJustified(5), tr("longest miss run")};
    out(headings.join(QLatin1String("  ")));
    for (const StabilityTally::Row &r : job->testRows()) {
        out(QStringLiteral("%1  %2  %3  %4  %5")
                .arg(r.address, int(headings.at(0).size()))
                .arg(r.sent, int(headings.at(1).size()))
                .arg(r.answered, int(headings.at(2).size()))
                .arg(r.share(), int(headings.at(3).size()), 'f', 3)
                .arg(r.longestMissRun, int(headings.at(4).size())));
        csv += QStringLiteral("%1,%2,%3,%4,%5,%6\n")
                   .arg(r.address)
                   .arg(r.sent)
                   .arg(r.answered)
                   .arg(r.share(), 0, 'f', 3)
                   .arg(r.longestMissRun)
                   .arg(complete);
    }
    printSummaries({job}, false, false);
    for (const StabilityTally::Row &r : job->testRows())
        if (r.sent > 0 && r.share() < minShare) {
            err(tr("rlx-cli: address %1 answered %2 of %3 polls, less than %4")
                    .arg(r.address)
                    .arg(r.answered)
                    .arg(r.sent)
                    .arg(minShare));
            code = qMax(code, int(DeviceFailed));
        }
    const QString csvName = parser.value(QStringLiteral("csv"));
    if (!csvName.isEmpty() && !writeText(csvName, csv, &error))
        code = qMax(code, fileError(csvName, error));
    return code;
}

int CheckCommands::measure(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("The input values of a transmitter, asked for once a second: the two analog values "
           "(microamperes or millivolts) and the two discrete states."));
    parser.addOption(portOption());
    parser.addOption(QCommandLineOption(QStringLiteral("count"), tr("How many times (default 10)."),
                                        QStringLiteral("N")));
    parser.addOption(
        QCommandLineOption(QStringLiteral("csv"), tr("Also write the values as CSV."), tr("file")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("measure"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(tr("measure takes no arguments"));
    bool ok = true;
    int count = 10;
    if (parser.isSet(QStringLiteral("count")))
        count = parser.value(QStringLiteral("count")).toInt(&ok);
    if (!ok || count < 1 || count > MaxRounds)
        return usage(tr("--count takes a number from 1 to %1").arg(MaxRounds));
    if (!portsOf(parser, true, &portList, &exit))
        return exit;

    QObject owner;
    auto *job = new PortJob(portList.first(), PortJob::Measure, &owner);
    job->setMeasureCount(count);
    QStringList rows;
    QObject::connect(
        job, &PortJob::measured, job, [&rows, job](qint64 ms, const QByteArrayList &v) {
            const quint8 kind = job->settings().outType;
            auto state = [](const QByteArray &d) { return d.toUInt() ? tr("High") : tr("Low"); };
            const QString seconds = QString::number(ms / 1000.0, 'f', 1);
            const QString in1 = QString::number(v.value(0).toUInt());
            const QString in2 = QString::number(v.value(1).toUInt());
            out(tr("%1 s  in1 %2 %3  in2 %4 %5  d1 %6  d2 %7")
                    .arg(seconds.rightJustified(6), in1, unitOf(kind, 1), in2, unitOf(kind, 2),
                         state(v.value(2)), state(v.value(3))));
            rows << QStringLiteral("%1,%2,%3,%4,%5")
                        .arg(seconds, in1, in2, QString::number(v.value(2).toUInt() ? 1 : 0),
                             QString::number(v.value(3).toUInt() ? 1 : 0));
        });
    int code = runJobs({job}, false);
    printSummaries({job}, false, false);
    // Measurements cut short by an interruption say so in a last column,
    // as the stability check's CSV does: "complete", 0 on every row.
    const bool cutShort = job->interrupted();
    QString csv = QStringLiteral("seconds,an1,an2,d1,d2%1\n")
                      .arg(cutShort ? QStringLiteral(",complete") : QString());
    for (const QString &row : qAsConst(rows))
        csv += row + (cutShort ? QStringLiteral(",0\n") : QStringLiteral("\n"));
    const QString csvName = parser.value(QStringLiteral("csv"));
    QString error;
    if (!csvName.isEmpty() && job->failure().isEmpty() && !writeText(csvName, csv, &error))
        code = qMax(code, fileError(csvName, error));
    return code;
}
