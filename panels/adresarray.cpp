#include "panels/adresarray.h"

#include "protocol/addressmask.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QScrollArea>

namespace {

const int BoxesPerRow = 16;

} // namespace

AdresArray::AdresArray(QWidget *parent)
    : W_QWidget(parent), group(W_QWidget::titledGroup(
                             QT_TRANSLATE_NOOP("W_QWidget", "Remote Device Addresses"), this)),
      scroll(new QScrollArea(this))
{
    auto layout = new QGridLayout(this);
    layout->setContentsMargins(9, 0, 9, 0);
    layout->addWidget(group);
    auto groupGrid = new QGridLayout(group);
    groupGrid->setHorizontalSpacing(0);
    groupGrid->setVerticalSpacing(0);
    groupGrid->setContentsMargins(9, 0, 9, 0);

    auto content = new QWidget;
    auto grid = new QGridLayout(content);
    grid->setSpacing(5);
    grid->setContentsMargins(0, 5, 5, 5);
    for (int n = 1; n <= AdresCount; ++n) {
        auto box = new QCheckBox(QString::number(n), content);
        boxes.append(box);
        grid->addWidget(box, (n - 1) / BoxesPerRow, (n - 1) % BoxesPerRow);
    }

    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumHeight(24);
    scroll->setStyleSheet(QStringLiteral("border: 0px"));
    scroll->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    // The keyboard stops at the rows inside, which scroll themselves into
    // view; the frame around them is no stop of its own.
    scroll->setFocusPolicy(Qt::NoFocus);
    groupGrid->addWidget(scroll, 10, 0, 1, 2);

    setMaximumHeight(110);
    setMinimumWidth(670);
}

QString AdresArray::getAdreses() const
{
    quint64 mask = 0;
    for (int i = 0; i < boxes.size(); ++i) {
        if (boxes.at(i)->isChecked())
            mask |= quint64(1) << i;
    }
    return AddressMask::format(mask);
}

void AdresArray::setAdreses(const QString &adreses)
{
    const quint64 mask = AddressMask::parse(adreses);
    for (int i = 0; i < boxes.size(); ++i)
        boxes.at(i)->setChecked((mask >> i) & 1);
}

void AdresArray::setListHidden(bool hidden)
{
    group->setHidden(hidden);
}
