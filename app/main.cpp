#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Orbelinex"));
    QApplication::setApplicationName(QStringLiteral("Rlx"));

    QWidget window;
    window.setWindowTitle(
        QStringLiteral("RLX Vela Конфигуратор v.%1").arg(QStringLiteral("2.5.16")));
    window.show();
    return app.exec();
}
