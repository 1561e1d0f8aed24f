#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the main window goes so that all of it, title bar and frame
// included, stays inside the screen's available area (without task bars and
// docks): a window that would run off the bottom moves up, one off the right
// moves left, and one taller or wider than the area gets no more than the
// area and scrolls its content.
class WindowFit
{
public:
    struct Placement
    {
        QPoint frameTopLeft; // where the frame's top-left corner goes
        QSize size;          // the window's size without its frame
        bool scroll = false; // the content is larger than fits: it scrolls
    };

    // `frame` is the window's frame as it is now, `margins` the frame's
    // parts around the content (title bar on top), `wanted` the size the
    // content needs, without the frame, `scrollBar` the width of a vertical
    // scroll bar, which content too tall to fit needs besides. The window
    // keeps its width if it can.
    static Placement place(const QRect &available, const QRect &frame, const QMargins &margins,
                           QSize wanted, int scrollBar = 0);
};
