#include "app/launchcheck.h"

#include "app/languages.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

namespace {

// The platform asked for on the command line (-platform name, --platform name
// or -platform=name), empty when none is.
QString platformArgument(const QStringList &arguments)
{
    QString chosen;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if ((arg == QLatin1String("-platform") || arg == QLatin1String("--platform")) &&
            i + 1 < arguments.size())
            chosen = arguments.at(++i);
        else if (arg.startsWith(QLatin1String("-platform=")) ||
                 arg.startsWith(QLatin1String("--platform=")))
            chosen = arg.section(QLatin1Char('='), 1);
    }
    return chosen;
}

} // namespace

LaunchCheck::Action LaunchCheck::decide(const QStringList &arguments,
                                        const QProcessEnvironment &environment)
{
    // The toolkit's options that take a value; the value is never one of ours.
    static const QStringList valued = {
        QStringLiteral("-platform"),        QStringLiteral("-platformpluginpath"),
        QStringLiteral("-platformtheme"),   QStringLiteral("-plugin"),
        QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowtitle"),
        QStringLiteral("-qwindowicon"),     QStringLiteral("-style"),
        QStringLiteral("-stylesheet"),      QStringLiteral("-display"),
        QStringLiteral("-geometry"),        QStringLiteral("-name"),
        QStringLiteral("-title"),           QStringLiteral("-session"),
    };
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h") ||
            arg == QLatin1String("-help"))
            return Action::PrintHelp;
        if (arg == QLatin1String("--version") || arg == QLatin1String("-v"))
            return Action::PrintVersion;
        const QString single = arg.startsWith(QLatin1String("--")) ? arg.mid(1) : arg;
        if (valued.contains(single))
            ++i;
        else if (arg == QLatin1String("--lang"))
            ++i;
    }
    const QString lang = language(arguments);
    if (!lang.isNull() && !Languages::isChoice(lang))
        return Action::BadLanguage;
    return displayAvailable(arguments, environment) ? Action::OpenWindow : Action::NoDisplay;
}

bool LaunchCheck::displayAvailable(const QStringList &arguments,
                                   const QProcessEnvironment &environment)
{
    const bool x11 = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty();
    QString platform = platformArgument(arguments);
    if (platform.isEmpty())
        platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
    const QStringList tried = platform.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (tried.isEmpty())
        return x11 || wayland;
    // "wayland;xcb": the toolkit tries each in turn until one starts.
    for (const QString &entry : tried) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0).trimmed();
        if (name == QLatin1String("xcb")) {
            if (x11)
                return true;
        } else if (name.startsWith(QLatin1String("wayland"))) {
            if (wayland)
                return true;
        } else {
            // offscreen, minimal, vnc, linuxfb, eglfs: no display needed.
            return true;
        }
    }
    return false;
}

QString LaunchCheck::language(const QStringList &arguments)
{
    QString chosen;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--lang"))
            chosen = i + 1 < arguments.size() ? arguments.at(++i) : QLatin1String("");
        else if (arg.startsWith(QLatin1String("--lang=")))
            chosen = arg.mid(7);
    }
    return chosen;
}

QString LaunchCheck::helpText()
{
    return QCoreApplication::translate(
        "LaunchCheck",
        "Usage: rlx-configurator [toolkit options]\n"
        "Configures RLX Vela 868 MHz radio I/O devices over a serial port, in a window.\n"
        "\n"
        "Options:\n"
        "  -h, --help           show this help and exit\n"
        "  -v, --version        show the version and exit\n"
        "  --lang LANG          the language of the window: en, ru, system (the system's\n"
        "                       language) or default (the window's own texts); kept for\n"
        "                       the next start\n"
        "  -platform NAME       the toolkit's window system (xcb, wayland, offscreen, ...)\n"
        "\n"
        "Needs a display (DISPLAY or WAYLAND_DISPLAY). Without a window: rlx-cli.\n"
        "Debug output on standard error: categories rlx.protocol, rlx.window and\n"
        "rlx.trace (off unless QT_LOGGING_RULES=\"rlx.trace.debug=true\").\n");
}

QString LaunchCheck::noDisplayText()
{
    return QCoreApplication::translate(
        "LaunchCheck", "rlx-configurator: no display to open the window on (neither DISPLAY "
                       "nor WAYLAND_DISPLAY is set); rlx-cli works without one\n");
}

QString LaunchCheck::badLanguageText(const QStringList &arguments)
{
    const QString given = language(arguments);
    const QString choices = Languages::choices().join(QLatin1String(", "));
    if (given.isEmpty())
        return QCoreApplication::translate("LaunchCheck",
                                           "rlx-configurator: --lang needs a language: %1\n")
            .arg(choices);
    return QCoreApplication::translate(
               "LaunchCheck", "rlx-configurator: unknown language \"%1\" for --lang; known: %2\n")
        .arg(given, choices);
}
