#pragma once

#include <QObject>
#include <QPoint>

class MainWindow;
class QIcon;
class QRect;
class QSize;

// Creates the main window, shows it and puts it in the middle of the screen.
class Core : public QObject
{
    Q_OBJECT
public:
    explicit Core(QObject *parent = nullptr);
    ~Core() override;

    MainWindow *window() const { return mainWindow; }

    // Top-left corner that centres a window of `size` (without its frame) in
    // the available desktop area `available`.
    static QPoint centredPosition(const QRect &available, const QSize &size);

    // The program's icon, from the embedded PNG pictures of
    // resources/icons/rlx-configurator.svg (no SVG image plugin needed).
    static QIcon applicationIcon();

private:
    MainWindow *mainWindow;
};
