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
    bar->setFixedWidth(65);
    bar->setFormat(QStringLiteral("Distance %"));

    auto layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("0"), this));
    layout->addWidget(bar);
    layout->addWidget(new QLabel(QStringLiteral("100"), this));
}

void W_Progress::setValue(int value)
{
    bar->setValue(value);
}
