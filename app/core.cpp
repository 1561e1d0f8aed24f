#include "app/core.h"

#include "app/mainwindow.h"

#include <QIcon>
#include <QRect>
#include <QScreen>

Core::Core(QObject *parent) : QObject(parent), mainWindow(new MainWindow())
{
    mainWindow->show();
    // Placed by the size it has once shown.
    if (QScreen *screen = mainWindow->screen())
        mainWindow->move(centredPosition(screen->availableGeometry(), mainWindow->size()));
}

Core::~Core()
{
    delete mainWindow;
}

QPoint Core::centredPosition(const QRect &available, const QSize &size)
{
    const qint64 centreX = (qint64(available.left()) + available.right()) / 2;
    const qint64 centreY = (qint64(available.top()) + available.bottom()) / 2;
    return QPoint(int(centreX - size.width() / 2), int(centreY - size.height() / 2));
}

QIcon Core::applicationIcon()
{
    // Embedded in the static core library: registered by whoever uses it.
    Q_INIT_RESOURCE(pictures);
    QIcon icon;
    for (int size : {32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/rlx-configurator-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}
