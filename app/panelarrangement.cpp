#include "app/panelarrangement.h"

#include "editors/w_freezprotection.h"
#include "editors/w_key.h"
#include "editors/w_radio.h"
#include "editors/w_rs485.h"
#include "panels/adresarray.h"
#include "panels/kalibr.h"
#include "panels/measure.h"
#include "panels/reqperiod.h"
#include "panels/w_test.h"
#include "session/identification.h"

#include <QGridLayout>
#include <QLabel>

PanelArrangement::PanelArrangement(QWidget *window, QWidget *content, QWidget *connectionBar,
                                   QWidget *progress)
    : QObject(window), key(new W_Key(window)), radio(new W_Radio(window)),
      rs485(new W_Rs485(window)), freez(new W_FreezProtection(window)), test(new W_Test(window)),
      adresArray(new AdresArray(window)), measure(new Measure(window)), kalibr(new Kalibr(window)),
      reqPeriod(new ReqPeriod(window))
{
    key->connectControls();
    radio->connectControls();
    rs485->connectControls();
    freez->connectControls();
    test->connectControls();
    adresArray->connectControls();

    // The layout knows the style's margins only once it is installed.
    auto *grid = new QGridLayout(content);
    grid->setSpacing(0);
    int left, top, right, bottom;
    grid->getContentsMargins(&left, &top, &right, &bottom);
    grid->setContentsMargins(left, 0, right, bottom);
    grid->addWidget(connectionBar, 0, 0, 1, 4);

    // The serial panel, the calibration panel and the measurement panel
    // share one place; the model decides which of them shows.
    grid->addWidget(key, 1, 0, 1, 4);
    grid->addWidget(radio, 2, 0, 3, 2);
    grid->addWidget(rs485, 2, 2, 1, 2);
    grid->addWidget(kalibr, 2, 2, 1, 2);
    grid->addWidget(measure, 2, 2, 1, 2);
    grid->addWidget(reqPeriod, 3, 2, 1, 2);
    grid->addWidget(freez, 5, 0, 1, 4);
    grid->addWidget(adresArray, 6, 0, 1, 4);
    grid->addWidget(test, 7, 0, 1, 4);
    // A thin gap above the progress bar.
    auto *spacer = new QLabel(window);
    QFont font = spacer->font();
    font.setPixelSize(4);
    spacer->setFont(font);
    grid->addWidget(spacer, 8, 0, 1, 4);
    grid->addWidget(progress, ProgressRow, 0, 1, 4);

    kalibr->hide();
    measure->hide();
    freez->hide();
    test->hide();
    reqPeriod->show();
    adresArray->setEnabled(false);
}

QList<W_QWidget *> PanelArrangement::editors() const
{
    return {key, radio, rs485, freez, measure, kalibr, reqPeriod};
}

void PanelArrangement::setEnabled(bool enable)
{
    for (QWidget *w : std::initializer_list<QWidget *>{key, radio, rs485, freez, test, measure})
        w->setEnabled(enable);
    adresArray->setEnabled(true);
}

void PanelArrangement::showStartOutputs()
{
    reqPeriod->setValue(QStringLiteral("Out 4-20"), 0);
    reqPeriod->setValue(QStringLiteral("Out D1 Discret"), 0);
    reqPeriod->setValue(QStringLiteral("Out D2 Discret"), 0);
    reqPeriod->setValue(QStringLiteral("Out D Discret"), 0);
    reqPeriod->setValue(QStringLiteral("Num of down"), 10);
}

void PanelArrangement::arrange(const Identification &id, quint8 outType)
{
    measure->setInputType(outType);
    radio->setText(QStringLiteral("Radio module"), QStringLiteral("LE50-868"));
    for (QWidget *w :
         std::initializer_list<QWidget *>{adresArray, kalibr, measure, reqPeriod, rs485, test})
        w->hide();
    reqPeriod->setAdresVisible(false);
    reqPeriod->showOutputsFor(0);

    if (id.isReceiver()) {
        // A receiver listens to one transmitter: its address list is the
        // single placeholder address, and its outputs follow its model.
        reqPeriod->showOutputsFor(id.model());
        kalibr->setVisible(id.hasCurrentOutput());
        adresArray->show();
        test->show();
        adresArray->setAdreses(QStringLiteral("00000001"));
        adresArray->setListHidden(true);
        reqPeriod->setAdresVisible(true);
        test->setSingleAdres(true);
        reqPeriod->show();
        reqPeriod->setTitle(QT_TRANSLATE_NOOP("W_QWidget", "Radio Poll and Out Settings"));
        return;
    }
    adresArray->setListHidden(false);
    test->setSingleAdres(false);
    adresArray->setEnabled(true);
    if (id.model() == Identification::Rs485) {
        adresArray->show();
        rs485->show();
        test->show();
        reqPeriod->show();
        reqPeriod->setTitle(QT_TRANSLATE_NOOP("W_QWidget", "Radio Poll Settings"));
    } else {
        measure->show();
    }
}

void PanelArrangement::showPortClosed()
{
    measure->stopMeasurement();
    test->setIdle(true);
    radio->setText(QStringLiteral("FirmWare"), QStringLiteral("x/x"));
    radio->setText(QStringLiteral("Radio module"), QString());
}

void PanelArrangement::forgetVariant()
{
    freez->offerRadioModuleReset(false);
}

void PanelArrangement::applyVariant(quint8 variant)
{
    reqPeriod->setLinkLossSettingsVisible(variant == 2);
    if (variant == 2)
        freez->offerRadioModuleReset(true);
    reqPeriod->setPeriodEnabled(variant != 0);
}
