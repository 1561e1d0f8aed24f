#include "editors/w_progress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

W_Progress::W_Progress(QWidget *parent) : QWidget(parent), bar(new QProgressBar(this))
{
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setAlignment(Qt::AlignCenter);
    bar->setTextVisible(true);
    bar->setFormat(tr("Distance %"));
    // Room for its text and a margin of a character each side, at any font
    // size (a fixed pixel width cut it on high-resolution screens).
    const QFontMetrics fm = bar->fontMetrics();
    bar->setFixedWidth(fm.horizontalAdvance(bar->format()) + 2 * fm.averageCharWidth());

    auto layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("0"), this));
    layout->addWidget(bar);
    layout->addWidget(new QLabel(QStringLiteral("100"), this));
}

void W_Progress::setValue(int value)
{
    bar->setValue(value);
}
