#include "app/keyboardaccess.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QKeySequence>
#include <QLayout>
#include <QScrollArea>
#include <QShortcut>
#include <QVariant>
#include <QVector>
#include <QWidget>

#include <algorithm>

namespace {

// The property that holds the keys given to a button.
const char *const KeysProperty = "rlxShortcut";

// A control Tab stops at; what it is made of (the line edit of a spin box)
// hands its focus to it and is no stop of its own.
bool isStop(const QWidget *w)
{
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy();
}

void collectLayout(const QLayout *layout, QList<QWidget *> &stops);

void collectWidget(QWidget *w, QList<QWidget *> &stops)
{
    if (w->isWindow())
        return;
    if (isStop(w)) {
        stops.append(w);
        return;
    }
    // A scroll area's content is not in its layout but behind its viewport.
    if (auto area = qobject_cast<QScrollArea *>(w)) {
        if (area->widget())
            collectWidget(area->widget(), stops);
        return;
    }
    if (w->layout())
        collectLayout(w->layout(), stops);
}

void collectLayout(const QLayout *layout, QList<QWidget *> &stops)
{
    struct Place
    {
        int row;
        int column;
        QLayoutItem *item;
    };
    QVector<Place> places;
    auto grid = qobject_cast<const QGridLayout *>(layout);
    for (int i = 0; i < layout->count(); ++i) {
        int row = 0, column = i, rowSpan = 1, columnSpan = 1;
        if (grid)
            grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
        places.append({row, column, layout->itemAt(i)});
    }
    // Panels that share a cell (the model shows one of them) keep the order
    // they were added in.
    std::stable_sort(places.begin(), places.end(), [](const Place &a, const Place &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    for (const Place &p : qAsConst(places)) {
        if (QWidget *w = p.item->widget())
            collectWidget(w, stops);
        else if (QLayout *inner = p.item->layout())
            collectLayout(inner, stops);
    }
}

} // namespace

QList<KeyboardAccess::Shortcut> KeyboardAccess::shortcuts()
{
    // Ctrl+K, a usual key for "connect", deletes to the end of the line in
    // a text field or spin box on KDE and GNOME desktops, and the field with
    // the focus takes it first: Shift is added. WRITE and DEFAULT change what
    // the device holds, so a slip of one key must not start them: they take
    // two modifiers (and Ctrl+W closes windows in other programs). READ only
    // reads and takes Ctrl+R; the settings files take the usual Ctrl+O and
    // Ctrl+S.
    return {
        {"pbOpen", "Ctrl+Shift+K"},  {"READ", "Ctrl+R"},          {"WRITE", "Ctrl+Shift+W"},
        {"DEFAULT", "Ctrl+Shift+D"}, {"Open Settings", "Ctrl+O"}, {"Save Settings", "Ctrl+S"},
    };
}

void KeyboardAccess::applyShortcuts(QWidget *window)
{
    for (const Shortcut &s : shortcuts()) {
        QAbstractButton *button = window->findChild<QAbstractButton *>(QLatin1String(s.button));
        if (!button)
            continue;
        const QKeySequence keys(QLatin1String(s.keys), QKeySequence::PortableText);
        // Not the button's own shortcut: setting a button's text drops it,
        // and Connect is renamed Disconnect and back. The window holds the
        // keys, and they press the button only while it can be clicked.
        auto shortcut = new QShortcut(keys, window);
        QObject::connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isVisible() && button->isEnabled())
                button->animateClick();
        });
        button->setProperty(KeysProperty, keys);
    }
}

QKeySequence KeyboardAccess::keysOf(const QWidget *button)
{
    return button->property(KeysProperty).value<QKeySequence>();
}

void KeyboardAccess::orderTabs(const QList<QWidget *> &roots)
{
    QList<QWidget *> stops;
    for (QWidget *root : roots)
        if (root->layout())
            collectLayout(root->layout(), stops);
    for (int i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops.at(i - 1), stops.at(i));
}
