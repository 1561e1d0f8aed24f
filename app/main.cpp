#include "app/core.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The window has no OpenGL parts. Without this the X11 platform loads the
    // OpenGL driver stack (with a software renderer, tens of megabytes of
    // libraries) when the window is first shown, which takes most of the
    // start-up time.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setOrganizationName(QStringLiteral("Orbelinex"));
    QApplication::setApplicationName(QStringLiteral("Rlx"));
    Core core;
    return app.exec();
}
