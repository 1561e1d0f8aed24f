#include "app/core.h"

#include <QApplication>

namespace {

QtMessageHandler toolkitHandler = nullptr;

// While the application object is made, Qt 5.15 looks in the runtime folder
// for a sandbox marker and warns, on every start, when XDG_RUNTIME_DIR is not
// set. The configurator needs that folder only to find virtual devices and
// does not look for them then, so this one warning is of no use to the user.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext &context,
                                 const QString &text)
{
    if (type == QtWarningMsg &&
        text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    toolkitHandler(type, context, text);
}

} // namespace

int main(int argc, char *argv[])
{
    // The window has no OpenGL parts. Without this the X11 platform loads the
    // OpenGL driver stack (with a software renderer, tens of megabytes of
    // libraries) when the window is first shown, which takes most of the
    // start-up time.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    toolkitHandler = qInstallMessageHandler(withoutRuntimeFolderWarning);
    QApplication app(argc, argv);
    qInstallMessageHandler(toolkitHandler);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setOrganizationName(QStringLiteral("Orbelinex"));
    QApplication::setApplicationName(QStringLiteral("Rlx"));
    Core core;
    return app.exec();
}
