#pragma once

#include <QObject>

class QMainWindow;
class QScrollArea;

// Keeps the main window as small as its panels allow and all of it on the
// screen whenever it changes size by itself (after the panels change); where
// the user moves or resizes it is left alone. Content taller than the screen
// scrolls, with the progress bar kept in sight below it.
class WindowSizer : public QObject
{
    Q_OBJECT
public:
    // `content` holds the panels in a grid, `progress` is the bar in the
    // grid's last row.
    WindowSizer(QMainWindow *window, QWidget *content, QWidget *progress);

    // The window's height shrinks to what the panels need; if that changed
    // its size (or it was never placed), the window is placed inside the
    // screen.
    void shrink();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitScreen();
    void setScrolling(bool on);
    void refitIfOffScreen();

    QMainWindow *window;
    QWidget *content;
    QWidget *progress;
    // Holds the content while the window is taller than the screen allows.
    QScrollArea *scroller = nullptr;
    bool refitPending = false;
    // Fitted to the screen once since it was shown.
    bool placed = false;
};
