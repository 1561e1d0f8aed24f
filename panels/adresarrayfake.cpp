#include "panels/adresarrayfake.h"

#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>

AdresArrayFake::AdresArrayFake(QWidget *parent)
    : W_QWidget(parent), label(new QLabel(tr("Remote Device Address  "), this)),
      adres(new QSpinBox(this))
{
    adres->setRange(1, 1);
    adres->setEnabled(false);
    pairLabel(label, adres);
    setContentsMargins(-1, 0, -1, 0);
    auto layout = new QGridLayout(this);
    layout->setContentsMargins(-1, 0, -1, 0); // left and right from the style
    layout->addWidget(label, 0, 0);
    layout->addWidget(adres, 0, 1);
}
