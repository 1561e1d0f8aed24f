#include "editors/w_key.h"

#include <QGridLayout>
#include <QPushButton>

W_Key::W_Key(QWidget *parent) : W_QWidget(parent)
{
    // Each button carries its text as its name: the command it reports.
    auto makeButton = [this](const QString &text) {
        auto button = new QPushButton(text, this);
        button->setObjectName(text);
        return button;
    };
    read = makeButton(QStringLiteral("READ"));
    write = makeButton(QStringLiteral("WRITE"));
    defaults = makeButton(QStringLiteral("DEFAULT"));
    freezeProtection = makeButton(QStringLiteral("Freeze Protection"));
    freezeProtection->setCheckable(true);

    auto layout = new QGridLayout(this);
    layout->setSpacing(9);
    layout->setContentsMargins(-1, 5, -1, 1); // left and right from the style
    layout->addWidget(read, 1, 0);
    layout->addWidget(write, 1, 1);
    layout->addWidget(defaults, 1, 2);
    layout->addWidget(freezeProtection, 1, 3);
}
