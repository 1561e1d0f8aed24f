#include "cli/commands.h"

#include "app/languages.h"
#include "cli/checkcommands.h"
#include "cli/devicecommands.h"
#include "cli/filecommands.h"
#include "cli/fleetcommands.h"
#include "cli/interruption.h"
#include "cli/portjob.h"
#include "cli/progressline.h"
#include "cli/terminaltext.h"
#include "link/virtualports.h"
#include "protocol/settingsfields.h"
#include "session/inputfile.h"
#include "session/outputfile.h"
#include "session/runoutcome.h"
#include "session/settingsfile.h"
#include "session/settingsjson.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

const char *const Overview = QT_TRANSLATE_NOOP(
    "Commands", "Configures RLX Vela radio I/O devices over serial ports, without a window.\n"
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
                "  diff        a settings file against the devices, nothing written\n"
                "  get         single settings of the devices\n"
                "  set         change single settings: read, change, write, verify\n"
                "  backup      one settings file per device in a folder\n"
                "\n"
                "'rlx-cli COMMAND --help' describes a command. Several --port options (or a\n"
                "glob such as '/dev/ttyUSB*') serve the devices side by side.\n"
                "\n"
                "Exit codes: 0 done; 1 a device did not answer or refused; 2 usage error;\n"
                "3 the read-back differs from what was written; 4 a file could not be read\n"
                "or written.");

// The texts of the toolkit's command-line parser, in the usage errors and
// the help; translated here too, as its own translations may be missing.
const char *const ParserTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays version information."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Usage: %1"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Options:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Arguments:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "[options]"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'."),
};

// Standard streams the caller closed ("rlx-cli read >&-") would be the
// numbers the next file or port opened gets, and results or progress would
// land in it. A read-only placeholder holds each such number from the start,
// so that a write there fails and is told like any other.
struct StandardStreamsHeld
{
    StandardStreamsHeld()
    {
        for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
            if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
                continue;
            const int held = ::open("/dev/null", O_RDONLY);
            if (held >= 0 && held != fd) {
                ::dup2(held, fd);
                ::close(held);
            }
        }
    }
} standardStreamsHeld;

// The first error of a write to standard output, 0 while there is none.
// The results are what the command was run for: once some are lost the
// command fails (Commands::run), and nothing more is written there.
int standardOutputError = 0;

// Writes all of `bytes`; 0 or the system's error.
int writeAll(FILE *stream, const QByteArray &bytes)
{
    errno = 0;
    if (fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size()) &&
        fflush(stream) == 0)
        return 0;
    const int error = errno != 0 ? errno : EIO;
    clearerr(stream);
    return error;
}

void toStandardOutput(const QByteArray &bytes)
{
    if (standardOutputError != 0)
        return;
    standardOutputError = writeAll(stdout, bytes);
    // A reader that went away ("rlx-cli ports | head -1") wants no more, and
    // hears of it quietly; a full disk or a closed stream is told, once.
    if (standardOutputError != 0 && standardOutputError != EPIPE)
        writeAll(stderr, QCoreApplication::translate("Commands", "rlx-cli: standard output: %1\n")
                             .arg(QString::fromLocal8Bit(std::strerror(standardOutputError)))
                             .toUtf8());
}

// The command's exit code, made a file failure when results were lost.
int withStandardOutput(int code)
{
    return standardOutputError != 0 ? qMax(code, int(Commands::FileFailed)) : code;
}

} // namespace

QCommandLineOption Commands::portOption()
{
    return QCommandLineOption(QStringList{QStringLiteral("p"), QStringLiteral("port")},
                              tr("Serial port (a path, a glob or a port list entry); repeatable."),
                              tr("port"));
}

QCommandLineOption Commands::jsonOption(const QString &what)
{
    return QCommandLineOption(QStringLiteral("json"), what);
}

// The device's part of the JSON of a port.
QJsonObject Commands::jobJson(const PortJob &job, bool withSettings)
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
    if (withSettings) {
        // A setting the readings did not settle is null, and named.
        QJsonObject settings = SettingsJson::toJson(job.settings());
        QJsonArray notRead;
        for (const SettingsField *f : job.notRead()) {
            settings.insert(QLatin1String(f->name), QJsonValue());
            notRead.append(QLatin1String(f->name));
        }
        o.insert(QStringLiteral("settings"),
                 job.identified() ? QJsonValue(settings) : QJsonValue());
        o.insert(QStringLiteral("notRead"), notRead);
    }
    QJsonArray unanswered;
    for (const QByteArray &r : job.unanswered())
        unanswered.append(RunOutcome::requestText(r));
    o.insert(QStringLiteral("unanswered"), unanswered);
    if (!job.failure().isEmpty())
        o.insert(QStringLiteral("error"), job.failure());
    return o;
}

bool Commands::manyPorts(const QCommandLineParser &parser)
{
    const QStringList values = parser.values(QStringLiteral("port"));
    return values.size() > 1 ||
           (!values.isEmpty() &&
            values.first().contains(QRegularExpression(QStringLiteral("[*?[]"))));
}

void Commands::printJson(const QList<PortJob *> &jobs, bool withSettings, bool asArray)
{
    QJsonDocument doc;
    if (jobs.size() == 1 && !asArray) {
        doc.setObject(jobJson(*jobs.first(), withSettings));
    } else {
        QJsonArray all;
        for (const PortJob *job : jobs)
            all.append(jobJson(*job, withSettings));
        doc.setArray(all);
    }
    toStandardOutput(doc.toJson(QJsonDocument::Indented));
}

bool Commands::writeText(const QString &fileName, const QString &text, QString *error)
{
    // CSV and the like: whole, or the previous file is kept.
    return OutputFile::write(fileName, text.toUtf8(), error);
}

void Commands::out(const QString &text)
{
    toStandardOutput((text + QLatin1Char('\n')).toUtf8());
}

void Commands::err(const QString &text)
{
    // Nowhere is left to tell of a failure here.
    writeAll(stderr, (text + QLatin1Char('\n')).toUtf8());
}

int Commands::usage(const QString &message)
{
    err(tr("rlx-cli: %1 (see rlx-cli --help)").arg(message));
    return Usage;
}

int Commands::fileError(const QString &fileName, const QString &why)
{
    err(QStringLiteral("rlx-cli: %1: %2").arg(fileName, why));
    return FileFailed;
}

QString Commands::hardwareOf(const QString &fileName)
{
    if (!SettingsJson::isJsonName(fileName))
        return QString();
    QByteArray bytes;
    if (!InputFile::read(fileName, SettingsJson::MaxJsonSize, &bytes))
        return QString();
    const QJsonValue hardware =
        QJsonDocument::fromJson(bytes).object().value(QStringLiteral("hardware"));
    return hardware.isString() ? hardware.toString() : QString();
}

QCommandLineOption Commands::formatOption()
{
    return QCommandLineOption(QStringLiteral("format"),
                              tr("rlx or json: the kind of settings where no suffix "
                                 "tells (\"-\" is standard input or output, JSON "
                                 "unless rlx is given)."),
                              tr("kind"));
}

bool Commands::isJson(const QCommandLineParser &parser, const QString &fileName, bool *json,
                      int *exit)
{
    const QString format = parser.isSet(QStringLiteral("format"))
                               ? parser.value(QStringLiteral("format")).toLower()
                               : QString();
    if (!format.isEmpty() && format != QLatin1String("rlx") && format != QLatin1String("json")) {
        *exit = usage(tr("--format takes rlx or json, not \"%1\"").arg(format));
        return false;
    }
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (fileName == QLatin1String("-") ||
        (!format.isEmpty() && suffix != QLatin1String("json") && suffix != QLatin1String("rlx"))) {
        *json = format != QLatin1String("rlx");
        return true;
    }
    if (suffix == QLatin1String("json") || suffix == QLatin1String("rlx")) {
        *json = suffix == QLatin1String("json");
        return true;
    }
    *exit = usage(tr("%1: settings are a .rlx or a .json file (or give --format)").arg(fileName));
    return false;
}

bool Commands::loadRecord(const QString &fileName, bool json, DeviceSettings &record, int *exit)
{
    QByteArray bytes;
    QString error;
    const bool loaded =
        fileName == QLatin1String("-")
            ? InputFile::readStandardInput(SettingsJson::MaxJsonSize, &bytes, &error) &&
                  SettingsJson::fromBytes(bytes, json, record, &error)
        : json ? InputFile::read(fileName, SettingsJson::MaxJsonSize, &bytes, &error) &&
                     SettingsJson::fromBytes(bytes, true, record, &error)
               : SettingsFile::load(fileName, record, &error);
    if (!loaded)
        *exit = fileError(fileName == QLatin1String("-") ? tr("standard input") : fileName, error);
    return loaded;
}

int Commands::saveRecord(const QString &fileName, bool json, const QByteArray &jsonText,
                         const DeviceSettings &record)
{
    const QByteArray bytes = json ? jsonText : SettingsFile::toBytes(record);
    if (fileName == QLatin1String("-")) {
        toStandardOutput(bytes);
        return standardOutputError != 0 ? int(FileFailed) : int(Success);
    }
    QString error;
    if (!OutputFile::write(fileName, bytes, &error))
        return fileError(fileName, error);
    return Success;
}

bool Commands::loadValid(const QString &fileName, bool json, DeviceSettings &record, int *exit)
{
    if (!loadRecord(fileName, json, record, exit))
        return false;
    const QList<SettingsProblem> problems = SettingsFields::validate(record);
    if (problems.isEmpty())
        return true;
    for (const SettingsProblem &p : problems)
        err(QStringLiteral("rlx-cli: %1: %2 (%3): %4")
                .arg(fileName, QLatin1String(p.field->name), p.field->labelText(), p.why));
    *exit = fileError(fileName,
                      tr("%1 setting(s) out of range; nothing was sent").arg(problems.size()));
    return false;
}

Commands::Leading Commands::leading(const QStringList &arguments)
{
    Leading found;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (!a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) {
            found.command = a;
            break;
        }
        if (a == QLatin1String("--verbose"))
            found.verbose = true;
        else if (a.startsWith(QLatin1String("--lang=")))
            found.language = a.mid(7);
        else if (a == QLatin1String("--lang"))
            found.language = i + 1 < arguments.size() ? arguments.at(++i) : QLatin1String("");
    }
    return found;
}

int Commands::run(const QStringList &arguments)
{
    // The language first, as every text after it is translated: --lang for
    // this run, else the one the window remembers (in its settings store,
    // named as the window names it); rlx-cli never changes that setting.
    Languages languages;
    const QString language = leading(arguments).language;
    const QSettings windowSettings(QLatin1String(Languages::StoreOrganization),
                                   QLatin1String(Languages::StoreApplication));
    languages.install(
        Languages::forRun(Languages::isChoice(language) ? language : QString(), windowSettings));
    Q_UNUSED(ParserTexts)

    QCommandLineParser parser;
    parser.setApplicationDescription(tr(Overview));
    parser.addPositionalArgument(tr("command"), tr("The command to run."), tr("COMMAND [options]"));
    parser.addHelpOption();
    parser.addVersionOption();
    // Taken by main(), which switches the log on before anything runs.
    parser.addOption(QCommandLineOption(
        QStringLiteral("verbose"),
        tr("Write the engine's debug log (requests, answers, time-outs) to standard "
           "error; before the command.")));
    parser.addOption(QCommandLineOption(
        QStringLiteral("lang"),
        tr("The language of the texts for this run: en, ru, system (the system's language) "
           "or default (the program's own texts); without it, the language chosen in the "
           "configurator's window. Before the command."),
        tr("language")));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(arguments))
        return usage(parser.errorText());
    if (!language.isNull() && !Languages::isChoice(language))
        return usage(tr("--lang takes %1, not \"%2\"")
                         .arg(Languages::choices().join(QLatin1String(", ")), language));
    if (parser.isSet(QStringLiteral("version"))) {
        out(QStringLiteral("rlx-cli %1").arg(QCoreApplication::applicationVersion()));
        return withStandardOutput(Success);
    }
    const QStringList rest = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("help")) || rest.isEmpty()) {
        if (rest.isEmpty() && !parser.isSet(QStringLiteral("help"))) {
            err(parser.helpText().trimmed());
            return Usage;
        }
        out(parser.helpText().trimmed());
        return withStandardOutput(Success);
    }
    const QString command = rest.first();
    QStringList args = rest.mid(1);
    args.prepend(QStringLiteral("rlx-cli"));
    using Handler = int (*)(const QStringList &);
    const QList<QPair<QString, Handler>> table = {
        {QStringLiteral("ports"), &DeviceCommands::ports},
        {QStringLiteral("identify"), &DeviceCommands::identify},
        {QStringLiteral("read"), &DeviceCommands::read},
        {QStringLiteral("write"), &DeviceCommands::write},
        {QStringLiteral("defaults"), &DeviceCommands::defaults},
        {QStringLiteral("test"), &CheckCommands::test},
        {QStringLiteral("measure"), &CheckCommands::measure},
        {QStringLiteral("report"), &FileCommands::report},
        {QStringLiteral("convert"), &FileCommands::convert},
        {QStringLiteral("diff"), &FleetCommands::diff},
        {QStringLiteral("get"), &FleetCommands::get},
        {QStringLiteral("set"), &FleetCommands::set},
        {QStringLiteral("backup"), &FleetCommands::backup},
    };
    for (const auto &entry : table)
        if (entry.first == command)
            return withStandardOutput(entry.second(args));
    return usage(tr("unknown command \"%1\"").arg(command));
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
        const QString options = QCoreApplication::translate("QCommandLineParser", "[options]");
        first.replace(QLatin1String("rlx-cli ") + options,
                      QStringLiteral("rlx-cli %1 %2").arg(command, options));
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
        const QFileInfo pattern(value);
        const QRegularExpression re(QRegularExpression::anchoredPattern(
            QRegularExpression::wildcardToRegularExpression(pattern.fileName())));
        // A name with a bracket that closes nothing is no glob: it is taken
        // as the port's name.
        if (value.contains(QRegularExpression(QStringLiteral("[*?[]"))) && re.isValid()) {
            const QDir dir(pattern.path());
            QStringList matched;
            for (const QString &name :
                 dir.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
                if (re.match(name).hasMatch())
                    matched << dir.absoluteFilePath(name);
            if (matched.isEmpty()) {
                *error = tr("no port matches %1").arg(TerminalText::shown(value));
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
            *error = tr("bad address \"%1\" (0 to 64, comma-separated)").arg(part);
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
        *exit = usage(tr("--port is missing"));
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
        *exit = usage(tr("this command takes one port"));
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
    // SIGINT, SIGTERM, SIGHUP: every job ends its sequence as its own end
    // would, after the request on the line; a second signal leaves at once.
    // A signal that came before (during an earlier run of this command)
    // starts none of them.
    Interruption *interruption = Interruption::instance();
    const bool before = interruption && interruption->signalNumber() != 0;
    if (interruption)
        QObject::connect(interruption, &Interruption::interrupted, &loop, [&progress, &jobs] {
            progress.message(tr("rlx-cli: interrupted: ending after the request on "
                                "the line (interrupt again to leave at once)"));
            for (PortJob *job : jobs)
                job->interrupt();
        });
    if (interruption)
        QObject::connect(interruption, &Interruption::leaving, &loop, [&jobs] {
            for (PortJob *job : jobs)
                job->releasePort();
        });
    for (PortJob *job : jobs)
        before ? job->interrupt() : job->start();
    if (running > 0)
        loop.exec();
    progress.done();
    int worst = Success;
    for (PortJob *job : jobs) {
        if (!job->failure().isEmpty())
            progress.note(job->port(), job->failure());
        for (const QString &note : job->interruptionNotes())
            progress.note(job->port(), note);
        worst = qMax(worst, job->exitCode(verify));
    }
    if (interruption && interruption->signalNumber() != 0)
        return Interruption::exitCode(interruption->signalNumber());
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
            out(tr("%1: %2 (%3): written %4, device holds %5")
                    .arg(job->port(), QLatin1String(d.field->name), d.field->labelText(),
                         TerminalText::shown(d.written.toString()),
                         TerminalText::shown(d.held.toString())));
        QStringList names;
        for (const SettingsField *f : job->unverifiable())
            names << QLatin1String(f->name);
        if (!names.isEmpty() && job->identified())
            err(tr("%1: not read back by this device, not verified: %2")
                    .arg(job->port(), names.join(QStringLiteral(", "))));
    }
}
