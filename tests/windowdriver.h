#pragma once

// Drives a MainWindow through its controls by their names, as a user.

#include "app/mainwindow.h"
#include "protocol/exchange.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

namespace WindowDriver {

template <typename T> T *child(QWidget *w, const QString &name)
{
    T *found = w->findChild<T *>(name);
    if (!found)
        qWarning() << "no control" << name;
    return found;
}

inline QPushButton *button(QWidget *w, const QString &name)
{
    return child<QPushButton>(w, name);
}

inline void click(QWidget *w, const QString &name)
{
    QTest::mouseClick(button(w, name), Qt::LeftButton);
}

// Chooses the port in the connection bar and presses "Connect".
inline void pressConnect(MainWindow &w, const QString &port)
{
    auto *ports = child<QComboBox>(&w, "PortName");
    if (ports->findText(port) < 0)
        ports->addItem(port);
    ports->setCurrentIndex(ports->findText(port));
    click(&w, "pbOpen");
}

// The queue has run dry and the progress bar is full.
inline bool waitIdle(MainWindow &w, int ms = 60000)
{
    auto *bar = w.findChild<QProgressBar *>();
    return QTest::qWaitFor([&] { return !w.exchange()->queueLength() && bar->value() == 100; }, ms);
}

// Presses the button and waits for what it started to end.
inline bool press(MainWindow &w, const QString &name, int ms = 60000)
{
    click(&w, name);
    return waitIdle(w, ms);
}

inline bool connectTo(MainWindow &w, const QString &port, int ms = 60000)
{
    pressConnect(w, port);
    if (w.exchange()->isOpen() && waitIdle(w, ms))
        return true;
    qWarning().noquote() << "not connected to" << port << "-" << w.exchange()->openErrorString()
                         << "- the status line says:" << w.statusBar()->currentMessage();
    return false;
}

// What the status line says about the last operation.
inline QString outcome(MainWindow &w)
{
    return w.statusBar()->currentMessage();
}

// The first widget of the class is shown within the window.
inline bool visible(MainWindow &w, const char *className)
{
    for (QWidget *child : w.findChildren<QWidget *>())
        if (QByteArray(child->metaObject()->className()) == className)
            return child->isVisibleTo(&w);
    qWarning() << "no panel" << className;
    return false;
}

template <typename T> T *panel(MainWindow &w)
{
    return w.findChildren<T *>().value(0);
}

} // namespace WindowDriver
