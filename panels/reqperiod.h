#pragma once

#include "editors/w_qwidget.h"

class AdresArrayFake;
class QGroupBox;
class QSpinBox;
class w_NumOfDown;

// Radio poll settings: how often the device polls its remote device, the
// fixed remote address of a receiver, and what the outputs do when the
// radio link is lost.
class ReqPeriod : public W_QWidget
{
    Q_OBJECT
public:
    explicit ReqPeriod(QWidget *parent = nullptr);

    // Firmware without a settable period polls once a second: disabling
    // sets the period to 1 first.
    void setPeriodEnabled(bool enabled);
    void setAdresVisible(bool visible);
    // The group's title: a text of the "W_QWidget" context, untranslated.
    void setTitle(const char *title);

    // The output groups of the device kind (see w_NumOfDown::setType).
    void showOutputsFor(int kind);
    // Firmware before the newest variant has no link-loss settings.
    void setLinkLossSettingsVisible(bool visible);

private:
    AdresArrayFake *adresFake;
    QSpinBox *period;
    QGroupBox *group;
    w_NumOfDown *outputs;
};
