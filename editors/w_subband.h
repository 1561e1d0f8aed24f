#pragma once

#include "editors/w_qwidget.h"

#include <QList>

class QComboBox;
class QGroupBox;
class W_Rb;

// Sub-band and channel of the radio module. The channel list depends on the
// sub-band and on the radio data rate: faster rates need wider channels, so
// fewer of them fit into the band.
class W_SubBand : public W_QWidget
{
    Q_OBJECT
public:
    explicit W_SubBand(QWidget *parent = nullptr);

    // Rebuilds the channel list of sub-band g2 for radio data rate `rate`.
    void setSpeed(quint8 rate);
    // Hears the reports of the radio data rate editor.
    void radioValueChanged(const QString &name, quint8 value);
    // Band code (0, 2, 6 or 8) and rate index 0 to 4 select the channel count
    // and spacing; anything else leaves the list as it is.
    void setBand(quint8 band, quint8 rate, quint32 startKHz, quint32 endKHz);
    // Refills "Chanel" with `count` channels `spacingKHz` apart, each named by
    // its centre frequency.
    void fillChanels(quint8 count, quint32 spacingKHz);

private:
    QGroupBox *group;
    QList<W_Rb *> buttons;
    QComboBox *chanel;
    quint32 bandStart = 0; // kHz
    quint32 bandEnd = 0;   // kHz, kept for reference; the plan needs only the start
};
