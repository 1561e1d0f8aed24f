#pragma once

#include <QList>
#include <QObject>

class AdresArray;
class Identification;
class Kalibr;
class Measure;
class QWidget;
class ReqPeriod;
class W_FreezProtection;
class W_Key;
class W_QWidget;
class W_Radio;
class W_Rs485;
class W_Test;

// The nine panels of the main window: which exist, where they sit in the
// window's grid, and which of them show for each device model and firmware
// variant. The panels are children of the window.
class PanelArrangement : public QObject
{
    Q_OBJECT
public:
    // The progress bar's row in the content's grid.
    static constexpr int ProgressRow = 10;

    // Creates the panels and lays out `content`: the connection bar on top,
    // the panels in rows 1 to 7, the progress bar at the bottom.
    PanelArrangement(QWidget *window, QWidget *content, QWidget *connectionBar, QWidget *progress);

    // The panels whose editors report parameter changes.
    QList<W_QWidget *> editors() const;
    // Panels usable only with an open port; the address list always is.
    void setEnabled(bool enable);
    // Before any device: every link-loss output reads "freeze"/low level,
    // ten non-responses make a lost link.
    void showStartOutputs();

    // Shows the panels of the identified model; `outType` is the device's
    // input/output kind.
    void arrange(const Identification &id, quint8 outType);
    // No device: no measurement, no stability check, no module texts.
    void showPortClosed();
    // Until the firmware variant is known the radio module reset is not offered.
    void forgetVariant();
    // Variant 2 offers the link-loss settings and the radio module reset;
    // variant 0 has no settable poll period.
    void applyVariant(quint8 variant);

    W_Key *const key;
    W_Radio *const radio;
    W_Rs485 *const rs485;
    W_FreezProtection *const freez;
    W_Test *const test;
    AdresArray *const adresArray;
    Measure *const measure;
    Kalibr *const kalibr;
    ReqPeriod *const reqPeriod;
};
