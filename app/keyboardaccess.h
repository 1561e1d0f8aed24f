#pragma once

#include <QKeySequence>
#include <QList>

class QWidget;

// The main window from the keyboard. The texts of the buttons are the
// device's command names and stay as they are, without "&" mnemonics: the
// main buttons get shortcuts instead, which press their button as a click
// does, and only while it is shown and enabled. Tab goes through the
// controls in the order the panels are laid out.
class KeyboardAccess
{
public:
    struct Shortcut
    {
        const char *button; // the button's object name
        const char *keys;   // in QKeySequence's portable form
    };
    // The main buttons' shortcuts. The traffic log's Ctrl+L is the log's own.
    static QList<Shortcut> shortcuts();
    // Gives the main buttons under `window` their shortcuts.
    static void applyShortcuts(QWidget *window);
    // The keys that press a button; empty for a button without.
    static QKeySequence keysOf(const QWidget *button);
    // Sets the order Tab takes through every control under the roots, root
    // by root: within a root as its layouts place them, top to bottom and
    // left to right, a grid row by row. Hidden controls are ordered too and
    // passed over by Tab while hidden, so a panel the device model shows
    // later is reached in its place.
    static void orderTabs(const QList<QWidget *> &roots);
};
