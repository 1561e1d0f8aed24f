#include "app/core.h"
#include "app/languages.h"
#include "app/launchcheck.h"
#include "app/stopsignals.h"

#include <QApplication>
#include <QIcon>
#include <QProcessEnvironment>
#include <QSettings>

#include <cstdio>

namespace {

QtMessageHandler toolkitHandler = nullptr;

// While the application object is made, Qt 5.15 looks in the runtime folder
// for a sandbox marker and warns, on every start, when XDG_RUNTIME_DIR is not
// set. The configurator needs that folder only to find virtual devices and
// does not look for them then, so this one warning is of no use to the user.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext &context,
                                 const QString &text)
{
    if (type == QtWarningMsg &&
        text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    toolkitHandler(type, context, text);
}

QStringList commandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The names the settings store is kept under, the language among them.
void nameApplication()
{
    QCoreApplication::setOrganizationName(QLatin1String(Languages::StoreOrganization));
    QCoreApplication::setApplicationName(QLatin1String(Languages::StoreApplication));
    QCoreApplication::setApplicationVersion(QStringLiteral(RLX_VERSION));
}

// --help, --version, no display or a wrong --lang: told in the language
// chosen, through an application object that needs no window system. A
// language given with them is not remembered, as no window opens.
int answerWithoutWindow(LaunchCheck::Action action, int argc, char *argv[],
                        const QStringList &arguments)
{
    QCoreApplication app(argc, argv);
    nameApplication();
    const QString given = LaunchCheck::language(arguments);
    Languages languages;
    languages.install(
        Languages::forRun(Languages::isChoice(given) ? given : QString(), QSettings()));
    switch (action) {
    case LaunchCheck::Action::PrintHelp:
        std::fputs(LaunchCheck::helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case LaunchCheck::Action::PrintVersion:
        std::fputs("rlx-configurator " RLX_VERSION "\n", stdout);
        return 0;
    case LaunchCheck::Action::NoDisplay:
        std::fputs(LaunchCheck::noDisplayText().toLocal8Bit().constData(), stderr);
        return 1;
    case LaunchCheck::Action::BadLanguage:
        std::fputs(LaunchCheck::badLanguageText(arguments).toLocal8Bit().constData(), stderr);
        return 2;
    case LaunchCheck::Action::OpenWindow:
        break;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered before the window's application object exists: it would
    // connect to the window system, and without a display the toolkit aborts
    // the process.
    const QStringList arguments = commandLine(argc, argv);
    const LaunchCheck::Action action =
        LaunchCheck::decide(arguments, QProcessEnvironment::systemEnvironment());
    if (action != LaunchCheck::Action::OpenWindow)
        return answerWithoutWindow(action, argc, argv, arguments);

    // The window has no OpenGL parts. Without this the X11 platform loads the
    // OpenGL driver stack (with a software renderer, tens of megabytes of
    // libraries) when the window is first shown, which takes most of the
    // start-up time.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Sharp and whole on high-resolution screens: sizes scale with the
    // screen's resolution, and pictures are drawn at the screen's pixels
    // (the toolkit does both by itself from version 6 on).
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    toolkitHandler = qInstallMessageHandler(withoutRuntimeFolderWarning);
    QApplication app(argc, argv);
    qInstallMessageHandler(toolkitHandler);
    QApplication::setStyle(QStringLiteral("Fusion"));
    nameApplication();
    // The menu entry's name: task bars put the window under its entry and
    // icon (the Wayland application id, the X11 desktop-file hint).
    QGuiApplication::setDesktopFileName(QStringLiteral("rlx-configurator"));
    QApplication::setWindowIcon(Core::applicationIcon());
    // Before the window is built: its texts are translated as it is made.
    Languages languages;
    languages.install(Languages::choose(LaunchCheck::language(arguments)));
    // Ended by the system or at the end of the session, the window quits as
    // when the user closes it: the window goes, and with it the open port and
    // the port's lock file. The exit status is 0, as for any quit.
    StopSignals stopSignals;
    QObject::connect(&stopSignals, &StopSignals::arrived, &app, &QCoreApplication::quit);
    Core core;
    // A signal taken while the window was being built found no event loop to
    // end.
    if (stopSignals.received())
        return 0;
    return app.exec();
}
