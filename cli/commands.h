#pragma once

#include "protocol/devicesettings.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class PortJob;
class ProgressLine;
class QCommandLineOption;
class QCommandLineParser;
class QJsonObject;

// The commands of rlx-cli: one function per command, each with its own
// options (and its own --help), dispatched by the first argument to the
// command groups (DeviceCommands, CheckCommands, FileCommands), which share
// the helpers here. Results go to standard output, progress and diagnostics
// to standard error, and the outcome is the exit code. Every text for the
// user goes through the translations (--lang, else the language the window
// remembers); what programs read (JSON, CSV, "name = value") does not.
class Commands
{
    Q_DECLARE_TR_FUNCTIONS(Commands)

public:
    enum ExitCode
    {
        Success = 0,
        DeviceFailed = 1, // no answer, a refusal, the identity or the port lost
        Usage = 2,
        Differs = 3, // the read-back differs from what was written
        FileFailed = 4,
        Interrupted = 128, // and the signal's number
    };
    // The most rounds a stability check takes (a week of polls of ten
    // addresses at one a second is about 60,000).
    static constexpr int MaxRounds = 100000;
    static constexpr int MaxSeconds = 7 * 24 * 3600;

    // `arguments` as the process got them, the program first.
    int run(const QStringList &arguments);

    // What comes before the command: the global options rlx-cli looks at
    // before it starts, and the command ("" when there is none).
    struct Leading
    {
        QString command;
        QString language; // --lang's value: null without one, empty when it lacks a value
        bool verbose = false;
    };
    static Leading leading(const QStringList &arguments);

    // The ports that the --port values name: paths, globs ("/dev/ttyUSB*")
    // and entries of the port list ("/dev/pts/3 (virtual ...)"), each once.
    static QStringList expandPorts(const QStringList &values, QString *error);
    // "1,3,5" as address bytes (0 to 64); empty on an error.
    static QByteArray parseAddresses(const QString &text, QString *error);

protected:
    // Shared by the command groups.
    static QCommandLineOption portOption();
    static QCommandLineOption jsonOption(const QString &what);
    // The device's part of the JSON of a port.
    static QJsonObject jobJson(const PortJob &job, bool withSettings);
    // One object for one port named plainly, an array as soon as the
    // command line could name several (a repeated --port or a glob).
    static void printJson(const QList<PortJob *> &jobs, bool withSettings, bool asArray);
    static bool manyPorts(const QCommandLineParser &parser);
    static bool writeText(const QString &fileName, const QString &text, QString *error);

    // Parses the command's options. Returns false when the command is over
    // (its --help was shown, or a usage error), with the exit code in `exit`.
    static bool parse(QCommandLineParser &parser, const QString &command, const QStringList &args,
                      int *exit);
    // The --port values as ports; `single` refuses more than one.
    static bool portsOf(const QCommandLineParser &parser, bool single, QStringList *ports,
                        int *exit);
    // Runs the jobs side by side until every one has finished, with progress
    // on standard error. Returns the worst exit code.
    static int runJobs(const QList<PortJob *> &jobs, bool verify);
    static void printSummaries(const QList<PortJob *> &jobs, bool verify, bool toStderr);
    static void printDifferences(const QList<PortJob *> &jobs);

    static int usage(const QString &message);
    static int fileError(const QString &fileName, const QString &why);
    // The --format option of the commands that take or write settings.
    static QCommandLineOption formatOption();
    // Whether the settings named `fileName` are JSON (or a settings file of
    // the configurator): by --format when given, else by the suffix (".json",
    // ".rlx"); "-" (standard input or output) is JSON unless --format says
    // rlx. Any other suffix is a usage error: false, with the exit code.
    static bool isJson(const QCommandLineParser &parser, const QString &fileName, bool *json,
                       int *exit);
    // Loads settings ("-": standard input); false with the exit code (4)
    // after saying why.
    static bool loadRecord(const QString &fileName, bool json, DeviceSettings &record, int *exit);
    // Loads settings that are to go to a device (or to another file): every
    // value must be one a device may be given. Returns false with the exit
    // code in `exit` after naming each refused field and its valid values.
    static bool loadValid(const QString &fileName, bool json, DeviceSettings &record, int *exit);
    // Writes settings whole ("-": standard output); the exit code.
    static int saveRecord(const QString &fileName, bool json, const QByteArray &jsonText,
                          const DeviceSettings &record);
    // The hardware a JSON settings file of 'rlx-cli read' was read from;
    // empty for a .rlx file or JSON that does not say.
    static QString hardwareOf(const QString &fileName);
    static void out(const QString &text);
    static void err(const QString &text);
};
