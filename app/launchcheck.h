#pragma once

#include <QStringList>

class QProcessEnvironment;

// What a start of the configurator is asked to do, decided from the command
// line and the environment before the application object exists: the
// toolkit's window-system start aborts the process (with a core dump) when
// there is no display, and --help and --version need no window at all.
class LaunchCheck
{
public:
    enum class Action
    {
        OpenWindow,
        PrintHelp,
        PrintVersion,
        NoDisplay,
        // --lang without a value or with one it does not know.
        BadLanguage,
    };

    static Action decide(const QStringList &arguments, const QProcessEnvironment &environment);

    // Whether the window system the toolkit will use can start. Without a
    // platform chosen (QT_QPA_PLATFORM or -platform) an X11 or Wayland display
    // must be named; xcb needs DISPLAY, wayland WAYLAND_DISPLAY, and the
    // others (offscreen, minimal, vnc, linuxfb, eglfs) need none.
    static bool displayAvailable(const QStringList &arguments,
                                 const QProcessEnvironment &environment);

    // The value of --lang (--lang NAME or --lang=NAME, the last one given);
    // null when there is none, empty when it has no value.
    static QString language(const QStringList &arguments);

    static QString helpText();
    static QString noDisplayText();
    static QString badLanguageText(const QStringList &arguments);
};
