#include "app/outcomebar.h"

#include <QPainter>
#include <QSizeGrip>
#include <QStyleOption>

OutcomeBar::OutcomeBar(QWidget *parent) : QStatusBar(parent) {}

QRect OutcomeBar::messageRect() const
{
    // The margins the toolkit's own bar leaves.
    int left = 6;
    int right = width() - 12;
    const bool mirrored = layoutDirection() == Qt::RightToLeft;
    for (const QWidget *item : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!item->isVisible())
            continue;
        const int gap = qobject_cast<const QSizeGrip *>(item) ? 0 : 2;
        if (mirrored)
            left = qMax(left, item->geometry().right() + 1 + gap);
        else
            right = qMin(right, item->x() - gap);
    }
    return QRect(left, 0, qMax(0, right - left), height());
}

QString OutcomeBar::shownMessage() const
{
    return fontMetrics().elidedText(currentMessage(), Qt::ElideMiddle, messageRect().width());
}

void OutcomeBar::paintEvent(QPaintEvent *event)
{
    if (currentMessage().isEmpty()) {
        QStatusBar::paintEvent(event);
        return;
    }
    // What the toolkit's bar draws with a message shown (the panel, a frame
    // around each widget kept on the bar), with the message cut in the
    // middle instead of at the end.
    QPainter p(this);
    QStyleOption panel;
    panel.initFrom(this);
    style()->drawPrimitive(QStyle::PE_PanelStatusBar, &panel, &p, this);
    for (QWidget *item : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!item->isVisible() || qobject_cast<QSizeGrip *>(item))
            continue;
        QStyleOption frame;
        frame.rect = item->geometry().adjusted(-2, -1, 2, 1);
        frame.palette = palette();
        frame.state = QStyle::State_None;
        style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &p, item);
    }
    p.setPen(palette().windowText().color());
    p.drawText(messageRect(), Qt::AlignLeading | Qt::AlignVCenter | Qt::TextSingleLine,
               shownMessage());
}
