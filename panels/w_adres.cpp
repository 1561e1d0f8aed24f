#include "panels/w_adres.h"

#include "protocol/logging.h"
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

W_Adres::W_Adres(quint8 adres, QWidget *parent)
    : QWidget(parent), check(new QCheckBox(this)), adresBox(new QSpinBox(this))
{
    adresBox->setRange(0, 64);
    adresBox->setValue(adres);
    adresBox->setEnabled(false);
    check->setToolTip(tr("Takes this remote address into the stability check."));
    adresBox->setToolTip(tr("Remote address polled in this row."));
    // The row has no label; it is named by its place in the list, which the
    // address it polls may change.
    check->setAccessibleName(tr("Poll the address of row %1").arg(adres));
    adresBox->setAccessibleName(tr("Address of row %1").arg(adres));

    auto layout = new QHBoxLayout(this);
    layout->setSpacing(2);
    layout->addWidget(check);
    layout->addWidget(adresBox);
    for (int i = 0; i < HistoryLength; ++i) {
        colors[i] = Qt::gray;
        rects[i] = new QWidget(this);
        rects[i]->setMinimumWidth(5);
        rects[i]->setMaximumHeight(25);
        rects[i]->setAutoFillBackground(true);
        labels[i] = new QLabel(rects[i]);
        auto inside = new QHBoxLayout(rects[i]);
        inside->addWidget(labels[i]);
        layout->addWidget(rects[i]);
    }
    paintRects();
    layout->setContentsMargins(9, 1, 9, 1);

    connect(check, &QCheckBox::toggled, this, &W_Adres::slCheckEn);
}

bool W_Adres::isChecked() const
{
    return check->isChecked();
}

int W_Adres::adres() const
{
    return adresBox->value();
}

void W_Adres::setAdres(quint8 adres)
{
    adresBox->setValue(adres);
}

void W_Adres::addRect(bool keep)
{
    qCDebug(lcWindow) << "addRect";
    for (int i = HistoryLength - 1; i > 0; --i)
        colors[i] = colors[i - 1];
    if (!keep)
        colors[0] = Qt::yellow;
    paintRects();
}

void W_Adres::setRectOk()
{
    colors[0] = Qt::green;
    paintRects();
}

void W_Adres::setRectErr()
{
    colors[0] = Qt::red;
    paintRects();
}

void W_Adres::clearRects()
{
    for (QColor &color : colors)
        color = Qt::gray;
    paintRects();
}

void W_Adres::slCheckEn(bool enabled)
{
    adresBox->setEnabled(enabled);
}

void W_Adres::paintRects()
{
    for (int i = 0; i < HistoryLength; ++i) {
        QPalette palette = rects[i]->palette();
        palette.setBrush(QPalette::Window, QBrush(colors[i], Qt::SolidPattern));
        rects[i]->setPalette(palette);
    }
}
