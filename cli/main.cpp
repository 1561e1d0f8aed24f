// rlx-cli: the configurator's device operations from the command line.

#include "cli/commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <memory>

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
    // The engine's debug log is for developers (QT_LOGGING_RULES brings it back).
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    Commands commands;
    return commands.run(QCoreApplication::arguments());
}
