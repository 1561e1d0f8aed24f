#include "app/core.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setOrganizationName(QStringLiteral("Orbelinex"));
    QApplication::setApplicationName(QStringLiteral("Rlx"));
    Core core;
    return app.exec();
}
