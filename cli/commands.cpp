#include "cli/commands.h"

#include "cli/commissioningreport.h"
#include "cli/portjob.h"
#include "cli/progressline.h"
#include "cli/settingsjson.h"
#include "link/portlist.h"
#include "link/virtualports.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

namespace {

const char *const Overview =
    "Configures RLX Vela radio I/O devices over serial ports, without a window.\n"
    "\n"
    "Commands:\n"
    "  ports       the serial ports, as the configurator lists them\n"
    "  identify    hardware, firmware and firmware variant of the devices\n"
    "  read        read every setting\n"
    "  write       write a settings file (.rlx or .json) and check the read-back\n"
    "  defaults    restore the factory settings\n"
    "  test        radio stability check of remote addresses\n"
    "  measure     the input values of a transmitter, once a second\n"
    "  report      commissioning report (PDF or HTML)\n"
    "  convert     settings file to JSON and back\n"
    "\n"
    "'rlx-cli COMMAND --help' describes a command. Several --port options (or a\n"
    "glob such as '/dev/ttyUSB*') serve the devices side by side.\n"
    "\n"
    "Exit codes: 0 done; 1 a device did not answer or refused; 2 usage error;\n"
    "3 the read-back differs from what was written; 4 a file could not be read\n"
    "or written.";

QCommandLineOption portOption()
{
    return QCommandLineOption(
        QStringList{QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Serial port (a path, a glob or a port list entry); repeatable."),
        QStringLiteral("port"));
}

QCommandLineOption jsonOption(const QString &what)
{
    return QCommandLineOption(QStringLiteral("json"), what);
}

// The device's part of the JSON of a port.
QJsonObject jobJson(const PortJob &job, bool withSettings)
{
    QJsonObject o;
    o.insert(QStringLiteral("port"), job.port());
    o.insert(QStringLiteral("hardware"),
             job.identified() ? QJsonValue(job.hardware()) : QJsonValue());
    o.insert(QStringLiteral("firmware"),
             job.identified() ? QJsonValue(job.firmware()) : QJsonValue());
    o.insert(QStringLiteral("variant"),
             job.identified() ? QJsonValue(int(job.variant())) : QJsonValue());
    o.insert(QStringLiteral("ok"), job.exitCode(false) == 0);
    if (withSettings)
        o.insert(QStringLiteral("settings"), job.identified()
                                                 ? QJsonValue(SettingsJson::toJson(job.settings()))
                                                 : QJsonValue());
    QJsonArray unanswered;
    for (const QByteArray &r : job.unanswered())
        unanswered.append(QString::fromLatin1(r));
    o.insert(QStringLiteral("unanswered"), unanswered);
    if (!job.failure().isEmpty())
        o.insert(QStringLiteral("error"), job.failure());
    return o;
}

void printJson(const QList<PortJob *> &jobs, bool withSettings)
{
    QJsonDocument doc;
    if (jobs.size() == 1) {
        doc.setObject(jobJson(*jobs.first(), withSettings));
    } else {
        QJsonArray all;
        for (const PortJob *job : jobs)
            all.append(jobJson(*job, withSettings));
        doc.setArray(all);
    }
    const QByteArray text = doc.toJson(QJsonDocument::Indented);
    fwrite(text.constData(), 1, size_t(text.size()), stdout);
    fflush(stdout);
}

bool writeText(const QString &fileName, const QString &text, QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

// Units of the two inputs by the output kind of the identity.
QString unitOf(quint8 outType, int input)
{
    const bool voltage = outType == 2 || (outType == 1 && input == 2);
    return voltage ? QStringLiteral("mV") : QStringLiteral("mkA");
}

} // namespace

void Commands::out(const QString &text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    fflush(stdout);
}

void Commands::err(const QString &text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    fflush(stderr);
}

int Commands::usage(const QString &message)
{
    err(QStringLiteral("rlx-cli: %1 (see rlx-cli --help)").arg(message));
    return Usage;
}

int Commands::fileError(const QString &fileName, const QString &why)
{
    err(QStringLiteral("rlx-cli: %1: %2").arg(fileName, why));
    return FileFailed;
}

int Commands::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QLatin1String(Overview));
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("The command to run."),
                                 QStringLiteral("COMMAND [options]"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (parser.isSet(QStringLiteral("version"))) {
        out(QStringLiteral("rlx-cli %1").arg(QCoreApplication::applicationVersion()));
        return Success;
    }
    const QStringList rest = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("help")) || rest.isEmpty()) {
        if (rest.isEmpty() && !parser.isSet(QStringLiteral("help"))) {
            err(parser.helpText().trimmed());
            return Usage;
        }
        out(parser.helpText().trimmed());
        return Success;
    }
    const QString command = rest.first();
    QStringList args = rest.mid(1);
    args.prepend(QStringLiteral("rlx-cli"));
    using Handler = int (Commands::*)(const QStringList &);
    const QList<QPair<QString, Handler>> table = {
        {QStringLiteral("ports"), &Commands::ports},
        {QStringLiteral("identify"), &Commands::identify},
        {QStringLiteral("read"), &Commands::read},
        {QStringLiteral("write"), &Commands::write},
        {QStringLiteral("defaults"), &Commands::defaults},
        {QStringLiteral("test"), &Commands::test},
        {QStringLiteral("measure"), &Commands::measure},
        {QStringLiteral("report"), &Commands::report},
        {QStringLiteral("convert"), &Commands::convert},
    };
    for (const auto &entry : table)
        if (entry.first == command)
            return (this->*entry.second)(args);
    return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}

bool Commands::parse(QCommandLineParser &parser, const QString &command, const QStringList &args,
                     int *exit)
{
    parser.addHelpOption();
    if (!parser.parse(args)) {
        *exit = usage(QStringLiteral("%1: %2").arg(command, parser.errorText()));
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        // The usage line names the command.
        QString text = parser.helpText().trimmed();
        const int eol = text.indexOf(QLatin1Char('\n'));
        QString first = text.left(eol);
        first.replace(QStringLiteral("rlx-cli [options]"),
                      QStringLiteral("rlx-cli %1 [options]").arg(command));
        out(first + text.mid(eol));
        *exit = Success;
        return false;
    }
    return true;
}

QStringList Commands::expandPorts(const QStringList &values, QString *error)
{
    QStringList ports;
    for (const QString &value : values) {
        if (value.contains(QRegularExpression(QStringLiteral("[*?[]")))) {
            const QFileInfo pattern(value);
            const QDir dir(pattern.path());
            const QRegularExpression re(QRegularExpression::anchoredPattern(
                QRegularExpression::wildcardToRegularExpression(pattern.fileName())));
            QStringList matched;
            for (const QString &name :
                 dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
                if (re.match(name).hasMatch())
                    matched << dir.absoluteFilePath(name);
            if (matched.isEmpty()) {
                *error = QStringLiteral("no port matches %1").arg(value);
                return {};
            }
            for (const QString &m : matched)
                if (!ports.contains(m))
                    ports << m;
            continue;
        }
        const QString port = VirtualPorts::portOf(value);
        if (!ports.contains(port))
            ports << port;
    }
    return ports;
}

QByteArray Commands::parseAddresses(const QString &text, QString *error)
{
    QByteArray addresses;
    for (const QString &part : text.split(QLatin1Char(','))) {
        bool ok = false;
        const int a = part.trimmed().toInt(&ok);
        if (!ok || a < 0 || a > 64) {
            *error = QStringLiteral("bad address \"%1\" (0 to 64, comma-separated)").arg(part);
            return QByteArray();
        }
        addresses.append(char(a));
    }
    return addresses;
}

bool Commands::portsOf(const QCommandLineParser &parser, bool single, QStringList *ports, int *exit)
{
    const QStringList values = parser.values(QStringLiteral("port"));
    if (values.isEmpty()) {
        *exit = usage(QStringLiteral("--port is missing"));
        return false;
    }
    QString error;
    *ports = expandPorts(values, &error);
    if (ports->isEmpty()) {
        err(QStringLiteral("rlx-cli: %1").arg(error));
        *exit = DeviceFailed;
        return false;
    }
    if (single && ports->size() > 1) {
        *exit = usage(QStringLiteral("this command takes one port"));
        return false;
    }
    return true;
}

int Commands::runJobs(const QList<PortJob *> &jobs, bool verify)
{
    ProgressLine progress(ProgressLine::stderrIsTerminal());
    QEventLoop loop;
    int running = jobs.size();
    for (PortJob *job : jobs) {
        QObject::connect(job, &PortJob::progress, &loop,
                         [&progress, job](const QString &stage, int percent) {
                             progress.update(job->port(), stage, percent);
                         });
        QObject::connect(job, &PortJob::note, &loop, [&progress, job](const QString &text) {
            progress.note(job->port(), text);
        });
        QObject::connect(job, &PortJob::finished, &loop, [&running, &loop] {
            if (--running == 0)
                loop.quit();
        });
    }
    for (PortJob *job : jobs)
        job->start();
    if (running > 0)
        loop.exec();
    progress.done();
    int worst = Success;
    for (PortJob *job : jobs) {
        if (!job->failure().isEmpty())
            progress.note(job->port(), job->failure());
        worst = qMax(worst, job->exitCode(verify));
    }
    return worst;
}

void Commands::printSummaries(const QList<PortJob *> &jobs, bool verify, bool toStderr)
{
    for (const PortJob *job : jobs)
        toStderr ? err(job->summary(verify)) : out(job->summary(verify));
}

void Commands::printDifferences(const QList<PortJob *> &jobs)
{
    for (const PortJob *job : jobs) {
        for (const SettingsDifference &d : job->differences())
            out(QStringLiteral("%1: %2 (%3): written %4, device holds %5")
                    .arg(job->port(), QLatin1String(d.field->name), QLatin1String(d.field->label),
                         d.written.toString(), d.held.toString()));
        QStringList names;
        for (const SettingsField *f : job->unverifiable())
            names << QLatin1String(f->name);
        if (!names.isEmpty() && job->identified())
            err(QStringLiteral("%1: not read back by this device, not verified: %2")
                    .arg(job->port(), names.join(QStringLiteral(", "))));
    }
}

// ------------------------------------------------------------------ commands

int Commands::ports(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("The serial ports present, as the configurator lists them, running "
                       "virtual devices included."));
    parser.addOption(jsonOption(QStringLiteral("As JSON: name, port to open, virtual.")));
    int exit = Success;
    if (!parse(parser, QStringLiteral("ports"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("ports takes no arguments"));
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
        all.append(QJsonObject{{QStringLiteral("name"), n},
                               {QStringLiteral("port"), port},
                               {QStringLiteral("virtual"), port != n}});
    }
    out(QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Indented)).trimmed());
    return Success;
}

int Commands::identify(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Asks each device who it is: hardware, firmware and firmware variant."));
    parser.addOption(portOption());
    parser.addOption(jsonOption(QStringLiteral("As JSON, one object per port.")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("identify"), args, &exit) ||
        !portsOf(parser, false, &portList, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("identify takes no arguments"));
    QList<PortJob *> jobs;
    QObject owner;
    for (const QString &p : portList)
        jobs << new PortJob(p, PortJob::Identify, &owner);
    const int code = runJobs(jobs, false);
    const bool json = parser.isSet(QStringLiteral("json"));
    if (json)
        printJson(jobs, false);
    printSummaries(jobs, false, json);
    return code;
}

int Commands::read(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Reads every setting of each device (the sequence of the configurator's READ)."));
    parser.addOption(portOption());
    parser.addOption(jsonOption(
        QStringLiteral("As JSON: one object per port (an array for several ports) with port, "
                       "hardware, firmware, variant, ok, settings and unanswered.")));
    parser.addOption(QCommandLineOption(
        QStringList{QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Also save the settings to a file: .rlx (the configurator's settings "
                       "file) or .json. One port only."),
        QStringLiteral("file")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("read"), args, &exit) ||
        !portsOf(parser, false, &portList, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("read takes no arguments"));
    const QString output = parser.value(QStringLiteral("output"));
    if (!output.isEmpty() && portList.size() > 1)
        return usage(QStringLiteral("-o takes one port"));

    QList<PortJob *> jobs;
    QObject owner;
    for (const QString &p : portList)
        jobs << new PortJob(p, PortJob::Read, &owner);
    int code = runJobs(jobs, false);
    const bool json = parser.isSet(QStringLiteral("json"));
    if (json) {
        printJson(jobs, true);
    } else {
        for (const PortJob *job : jobs) {
            if (!job->identified())
                continue;
            for (const SettingsField &f : SettingsFields::all())
                out(QStringLiteral("%1%2 = %3")
                        .arg(jobs.size() > 1 ? job->port() + QLatin1String(": ") : QString(),
                             QLatin1String(f.name), f.value(job->settings()).toString()));
        }
    }
    printSummaries(jobs, false, json);
    if (!output.isEmpty()) {
        const PortJob *job = jobs.first();
        if (job->exitCode(false) != Success) {
            err(QStringLiteral("rlx-cli: %1 not written: the read is incomplete").arg(output));
        } else {
            QString error;
            if (!SettingsJson::save(output, job->settings(), &error))
                code = qMax(code, fileError(output, error));
        }
    }
    return code;
}

int Commands::write(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Writes a settings file (.rlx or .json) to each device with the sequence of the "
        "configurator's WRITE, reads it back and compares field by field; every difference "
        "is printed."));
    parser.addOption(portOption());
    parser.addOption(QCommandLineOption(QStringLiteral("no-verify"),
                                        QStringLiteral("Do not compare the read-back.")));
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The settings: FILE.rlx or FILE.json."));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("write"), args, &exit))
        return exit;
    if (parser.positionalArguments().size() != 1)
        return usage(QStringLiteral("write takes one settings file"));
    if (!portsOf(parser, false, &portList, &exit))
        return exit;
    const QString fileName = parser.positionalArguments().first();
    DeviceSettings record;
    QString error;
    if (!SettingsJson::load(fileName, record, &error))
        return fileError(fileName, error);
    const bool verify = !parser.isSet(QStringLiteral("no-verify"));

    QList<PortJob *> jobs;
    QObject owner;
    for (const QString &p : portList) {
        auto *job = new PortJob(p, PortJob::Write, &owner);
        job->setRecord(record);
        jobs << job;
    }
    const int code = runJobs(jobs, verify);
    if (verify)
        printDifferences(jobs);
    printSummaries(jobs, verify, false);
    return code;
}

int Commands::defaults(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Restores the factory settings of each device with the sequence of the configurator's "
        "DEFAULT: the radio module's serial rate is searched (about half a minute), then the "
        "settings are written and read back."));
    parser.addOption(portOption());
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("defaults"), args, &exit) ||
        !portsOf(parser, false, &portList, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("defaults takes no arguments"));
    QList<PortJob *> jobs;
    QObject owner;
    for (const QString &p : portList)
        jobs << new PortJob(p, PortJob::Defaults, &owner);
    const int code = runJobs(jobs, true);
    printDifferences(jobs);
    printSummaries(jobs, true, false);
    return code;
}

int Commands::test(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Radio stability check: the remote addresses are polled in turn, one poll a second, "
        "and counted per address (polls, answered, share, longest run of misses)."));
    parser.addOption(portOption());
    parser.addOption(QCommandLineOption(QStringLiteral("addresses"),
                                        QStringLiteral("Remote addresses, e.g. 1,3,5 (0 to 64)."),
                                        QStringLiteral("list")));
    parser.addOption(QCommandLineOption(QStringLiteral("rounds"),
                                        QStringLiteral("Poll every address N times (default 10)."),
                                        QStringLiteral("N")));
    parser.addOption(QCommandLineOption(QStringLiteral("duration"),
                                        QStringLiteral("Poll for S seconds instead."),
                                        QStringLiteral("S")));
    parser.addOption(QCommandLineOption(QStringLiteral("csv"),
                                        QStringLiteral("Also write the table as CSV."),
                                        QStringLiteral("file")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("test"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("test takes no arguments"));
    if (!parser.isSet(QStringLiteral("addresses")))
        return usage(QStringLiteral("--addresses is missing"));
    if (parser.isSet(QStringLiteral("rounds")) && parser.isSet(QStringLiteral("duration")))
        return usage(QStringLiteral("--rounds and --duration exclude each other"));
    QString error;
    const QByteArray addresses = parseAddresses(parser.value(QStringLiteral("addresses")), &error);
    if (addresses.isEmpty())
        return usage(error);
    bool ok = true;
    int rounds = 10;
    int seconds = 0;
    if (parser.isSet(QStringLiteral("rounds")))
        rounds = parser.value(QStringLiteral("rounds")).toInt(&ok);
    if (!ok || rounds < 1)
        return usage(QStringLiteral("--rounds takes a number from 1"));
    if (parser.isSet(QStringLiteral("duration"))) {
        rounds = 0;
        seconds = parser.value(QStringLiteral("duration")).toInt(&ok);
        if (!ok || seconds < 1)
            return usage(QStringLiteral("--duration takes seconds from 1"));
    }
    if (!portsOf(parser, true, &portList, &exit))
        return exit;

    QObject owner;
    auto *job = new PortJob(portList.first(), PortJob::Test, &owner);
    job->setTestPlan(addresses, rounds, seconds * 1000);
    int code = runJobs({job}, false);
    if (!job->failure().isEmpty()) {
        printSummaries({job}, false, false);
        return code;
    }
    QString csv = QStringLiteral("address,sent,answered,share,longest_miss_run\n");
    out(QStringLiteral("address  sent  answered  share  longest miss run"));
    for (const StabilityTally::Row &r : job->testRows()) {
        out(QStringLiteral("%1  %2  %3  %4  %5")
                .arg(r.address, 7)
                .arg(r.sent, 4)
                .arg(r.answered, 8)
                .arg(r.share(), 5, 'f', 3)
                .arg(r.longestMissRun, 16));
        csv += QStringLiteral("%1,%2,%3,%4,%5\n")
                   .arg(r.address)
                   .arg(r.sent)
                   .arg(r.answered)
                   .arg(r.share(), 0, 'f', 3)
                   .arg(r.longestMissRun);
    }
    printSummaries({job}, false, false);
    const QString csvName = parser.value(QStringLiteral("csv"));
    if (!csvName.isEmpty() && !writeText(csvName, csv, &error))
        code = qMax(code, fileError(csvName, error));
    return code;
}

int Commands::measure(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The input values of a transmitter, asked for once a second: the two analog values "
        "(microamperes or millivolts) and the two discrete states."));
    parser.addOption(portOption());
    parser.addOption(QCommandLineOption(QStringLiteral("count"),
                                        QStringLiteral("How many times (default 10)."),
                                        QStringLiteral("N")));
    parser.addOption(QCommandLineOption(QStringLiteral("csv"),
                                        QStringLiteral("Also write the values as CSV."),
                                        QStringLiteral("file")));
    int exit = Success;
    QStringList portList;
    if (!parse(parser, QStringLiteral("measure"), args, &exit))
        return exit;
    if (!parser.positionalArguments().isEmpty())
        return usage(QStringLiteral("measure takes no arguments"));
    bool ok = true;
    int count = 10;
    if (parser.isSet(QStringLiteral("count")))
        count = parser.value(QStringLiteral("count")).toInt(&ok);
    if (!ok || count < 1)
        return usage(QStringLiteral("--count takes a number from 1"));
    if (!portsOf(parser, true, &portList, &exit))
        return exit;

    QObject owner;
    auto *job = new PortJob(portList.first(), PortJob::Measure, &owner);
    job->setMeasureCount(count);
    QString csv = QStringLiteral("seconds,an1,an2,d1,d2\n");
    QObject::connect(job, &PortJob::measured, job, [&csv, job](qint64 ms, const QByteArrayList &v) {
        const quint8 kind = job->settings().outType;
        auto state = [](const QByteArray &d) {
            return d.toUInt() ? QStringLiteral("High") : QStringLiteral("Low");
        };
        out(QStringLiteral("%1 s  in1 %2 %3  in2 %4 %5  d1 %6  d2 %7")
                .arg(ms / 1000.0, 6, 'f', 1)
                .arg(v.value(0).toUInt())
                .arg(unitOf(kind, 1))
                .arg(v.value(1).toUInt())
                .arg(unitOf(kind, 2))
                .arg(state(v.value(2)), state(v.value(3))));
        csv += QStringLiteral("%1,%2,%3,%4,%5\n")
                   .arg(ms / 1000.0, 0, 'f', 1)
                   .arg(v.value(0).toUInt())
                   .arg(v.value(1).toUInt())
                   .arg(v.value(2).toUInt() ? 1 : 0)
                   .arg(v.value(3).toUInt() ? 1 : 0);
    });
    int code = runJobs({job}, false);
    printSummaries({job}, false, false);
    const QString csvName = parser.value(QStringLiteral("csv"));
    QString error;
    if (!csvName.isEmpty() && job->failure().isEmpty() && !writeText(csvName, csv, &error))
        code = qMax(code, fileError(csvName, error));
    return code;
}

int Commands::report(const QStringList &args)
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
    if (!addresses.isEmpty()) {
        auto *check = new PortJob(portList.first(), PortJob::Test, &owner);
        check->setTestPlan(addresses, rounds, 0);
        code = qMax(code, runJobs({check}, false));
        report.test = check->testRows();
    }
    printSummaries({read}, false, false);
    if (!report.write(output, &error))
        code = qMax(code, fileError(output, error));
    return code;
}

int Commands::convert(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Converts a settings file of the configurator (.rlx) to readable JSON (.json) and "
        "back; the way back gives the same bytes. JSON with unknown, missing or out-of-range "
        "fields is refused."));
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
    if (!SettingsJson::load(files.at(0), record, &error))
        return fileError(files.at(0), error);
    if (!SettingsJson::save(files.at(1), record, &error))
        return fileError(files.at(1), error);
    return Success;
}
