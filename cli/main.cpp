// rlx-cli: the configurator's device operations from the command line.

#include "cli/commands.h"
#include "cli/interruption.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <memory>

namespace {

// --verbose among the options before the command.
bool verbose(int argc, char **argv)
{
    for (int i = 1; i < argc && argv[i][0] == '-'; ++i)
        if (qstrcmp(argv[i], "--verbose") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    // Only the report needs fonts and a paint engine; a PDF needs no screen.
    const bool report = argc > 1 && qstrcmp(argv[1], "report") == 0;
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
        verbose(argc, argv)
            ? QStringLiteral("*.debug=false\nrlx.*.debug=true\nrlx.trace.debug=false")
            : QStringLiteral("*.debug=false"));
    // From here on SIGINT, SIGTERM and SIGHUP end the device jobs cleanly.
    Interruption interruption;
    Commands commands;
    const int code = commands.run(QCoreApplication::arguments());
    // A signal that came while no job ran still ends the process as one.
    const int signal = interruption.signalNumber();
    return signal ? Interruption::exitCode(signal) : code;
}
