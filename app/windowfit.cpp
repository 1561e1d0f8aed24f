#include "app/windowfit.h"

#include <QtGlobal>

WindowFit::Placement WindowFit::place(const QRect &available, const QRect &frame,
                                      const QMargins &margins, QSize wanted, int scrollBar)
{
    Placement p;
    const int roomWidth = qMax(available.width() - margins.left() - margins.right(), 0);
    const int roomHeight = qMax(available.height() - margins.top() - margins.bottom(), 0);
    if (wanted.height() > roomHeight)
        wanted.rwidth() += scrollBar;
    p.scroll = wanted.height() > roomHeight || wanted.width() > roomWidth;
    const int width = frame.width() - margins.left() - margins.right();
    p.size = QSize(qMin(qMax(width, wanted.width()), roomWidth), qMin(wanted.height(), roomHeight));
    const int frameWidth = p.size.width() + margins.left() + margins.right();
    const int frameHeight = p.size.height() + margins.top() + margins.bottom();

    // Up (left) as far as needed to end inside, then never above (left of) the area.
    int y = qMin(frame.top(), available.top() + available.height() - frameHeight);
    y = qMax(y, available.top());
    int x = qMin(frame.left(), available.left() + available.width() - frameWidth);
    x = qMax(x, available.left());
    p.frameTopLeft = QPoint(x, y);
    return p;
}
