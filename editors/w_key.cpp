#include "editors/w_key.h"

#include <QGridLayout>
#include <QPushButton>

W_Key::W_Key(QWidget *parent) : W_QWidget(parent)
{
    // Each button carries its text as its name: the command it reports.
    // The name stays untranslated; the text is in the language of the texts.
    auto makeButton = [this](const char *text) {
        auto button = new QPushButton(tr(text), this);
        button->setObjectName(QLatin1String(text));
        return button;
    };
    read = makeButton(QT_TR_NOOP("READ"));
    write = makeButton(QT_TR_NOOP("WRITE"));
    defaults = makeButton(QT_TR_NOOP("DEFAULT"));
    freezeProtection = makeButton(QT_TR_NOOP("Freeze Protection"));
    freezeProtection->setCheckable(true);

    auto layout = new QGridLayout(this);
    layout->setSpacing(9);
    layout->setContentsMargins(-1, 5, -1, 1); // left and right from the style
    layout->addWidget(read, 1, 0);
    layout->addWidget(write, 1, 1);
    layout->addWidget(defaults, 1, 2);
    layout->addWidget(freezeProtection, 1, 3);
}
