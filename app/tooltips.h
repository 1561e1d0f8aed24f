#pragma once

#include <QString>

class QWidget;

// One short sentence for every editor, button and panel of the main window,
// in the device's terms. The texts are kept here together, keyed by what the
// window already names its controls by: the parameter names (object names),
// the titles of the groups and, for the few controls without a name, the
// control's text or the panel it belongs to. A control that already has a
// tooltip keeps it: panels whose tips change with their state (the stability
// check's rows, the measured values) set their own.
class ToolTips
{
public:
    // Gives every widget under `root` that has no tooltip the one it should have.
    static void apply(QWidget *root);
    // The tooltip for a control, empty when there is none for it; a button
    // with a shortcut names it at the end.
    static QString textFor(const QWidget *widget);
};
