// rlx-cli: the configurator's device operations from the command line.

#include "cli/commands.h"
#include "cli/interruption.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <memory>

namespace {

QStringList commandLine(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char **argv)
{
    const Commands::Leading leading = Commands::leading(commandLine(argc, argv));
    // Only the report needs fonts and a paint engine; a PDF needs no screen.
    const bool report = leading.command == QLatin1String("report");
    if (report && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(report ? new QGuiApplication(argc, argv)
                                                 : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("rlx-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(RLX_VERSION));
    // The engine's debug log is for developers: it would run through the
    // progress line and the results. --verbose writes it (without the byte
    // dump of rlx.trace); QT_LOGGING_RULES, when set, decides over both.
    QLoggingCategory::setFilterRules(
        leading.verbose ? QStringLiteral("*.debug=false\nrlx.*.debug=true\nrlx.trace.debug=false")
                        : QStringLiteral("*.debug=false"));
    // From here on SIGINT, SIGTERM and SIGHUP end the device jobs cleanly.
    Interruption interruption;
    Commands commands;
    const int code = commands.run(QCoreApplication::arguments());
    // A signal that came while no job ran still ends the process as one.
    const int signal = interruption.signalNumber();
    return signal ? Interruption::exitCode(signal) : code;
}
