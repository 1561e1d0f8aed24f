#include "app/windowsizer.h"

#include "app/panelarrangement.h"
#include "app/windowfit.h"

#include <QEvent>
#include <QGridLayout>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

WindowSizer::WindowSizer(QMainWindow *window, QWidget *content, QWidget *progress)
    : QObject(window), window(window), content(content), progress(progress)
{
    window->installEventFilter(this);
}

void WindowSizer::shrink()
{
    const QSize before = window->size();
    window->resize(window->width(), window->minimumSize().height());
    window->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    window->resize(window->width(), window->minimumSize().height());
    // A window that kept its size stays where the user put it, partly off
    // the screen or across two of them. Scrolling content is measured anew:
    // the panels behind it may need more or less than before.
    if (!placed || scroller || window->size() != before)
        fitScreen();
}

void WindowSizer::fitScreen()
{
    QScreen *where = window->screen();
    if (!where || !window->isVisible())
        return;
    placed = true;
    const QRect frame = window->frameGeometry();
    const QRect inner = window->geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    // The height the content needs, from the layout (the window's own size
    // follows a resize only once the window system has done it). While the
    // content scrolls, that is what the window would need without scrolling.
    window->layout()->activate();
    QSize wanted = window->minimumSize();
    if (scroller) {
        // The panels and, below the scroll area, the progress bar.
        const QSize needed =
            content->minimumSizeHint() + QSize(0, progress->minimumSizeHint().height());
        wanted += needed - window->centralWidget()->minimumSizeHint();
    }
    const WindowFit::Placement p =
        WindowFit::place(where->availableGeometry(), frame, margins, wanted,
                         window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window));
    if (p.scroll != (scroller != nullptr)) {
        setScrolling(p.scroll);
        window->layout()->activate(); // the window's minimum follows its new content now
    }
    window->resize(p.size);
    if (p.frameTopLeft != frame.topLeft())
        window->move(p.frameTopLeft);
}

bool WindowSizer::eventFilter(QObject *watched, QEvent *event)
{
    // Only a size the window took by itself is fitted to the screen, as when
    // a device's panels made it grow: its layout or this class resized it,
    // not the window system. Where the user moves or resizes the window
    // (events of the window system) is left to the user, so the window may
    // be pushed partly aside or straddle two screens.
    if (watched == window && event->type() == QEvent::Resize && !event->spontaneous())
        refitIfOffScreen();
    return QObject::eventFilter(watched, event);
}

void WindowSizer::refitIfOffScreen()
{
    // The window system frames and resizes the window after it was asked
    // to; it is fitted once the resizing has settled.
    QScreen *where = window->screen();
    if (refitPending || !window->isVisible() || !where ||
        where->availableGeometry().contains(window->frameGeometry()))
        return;
    refitPending = true;
    QTimer::singleShot(0, this, [this] {
        refitPending = false;
        fitScreen();
    });
}

void WindowSizer::setScrolling(bool on)
{
    auto *grid = static_cast<QGridLayout *>(content->layout());
    if (on) {
        // The panels scroll; the progress bar stays in sight below them.
        auto *frame = new QWidget(window);
        auto *column = new QVBoxLayout(frame);
        int left, top, right, bottom;
        grid->getContentsMargins(&left, &top, &right, &bottom);
        column->setContentsMargins(left, 0, right, bottom);
        column->setSpacing(0);
        scroller = new QScrollArea(frame);
        scroller->setFrameShape(QFrame::NoFrame);
        scroller->setWidgetResizable(true);
        // Tab goes through the panels inside, which scroll into view.
        scroller->setFocusPolicy(Qt::NoFocus);
        scroller->setWidget(window->takeCentralWidget());
        grid->removeWidget(progress);
        column->addWidget(scroller, 1);
        column->addWidget(progress);
        window->setCentralWidget(frame);
        content->show();
        return;
    }
    QWidget *frame = window->takeCentralWidget();
    window->setCentralWidget(scroller->takeWidget());
    grid->addWidget(progress, PanelArrangement::ProgressRow, 0, 1, 4);
    delete frame; // the scroll area goes with it
    scroller = nullptr;
    content->show();
}
