#pragma once

#include "editors/w_qwidget.h"

#include <QList>

class QCheckBox;
class QGroupBox;
class QScrollArea;

// The remote devices a polling transmitter asks over the radio: 64 boxes,
// box n for address n. The whole list travels as a 64-bit mask in
// hexadecimal text, bit n-1 for address n.
class AdresArray : public W_QWidget
{
    Q_OBJECT
public:
    static const int AdresCount = 64;

    explicit AdresArray(QWidget *parent = nullptr);

    // The ticked boxes as 16 lower-case hexadecimal digits in groups of
    // four, most significant first: boxes 1 and 3 give "0000,0000,0000,0005".
    QString getAdreses() const;
    // Ticks exactly the boxes of the mask. Takes the device's bare form
    // ("00000001") as well as the grouped form of getAdreses; text that is
    // not a 64-bit hexadecimal number unticks every box.
    void setAdreses(const QString &adreses);
    void setListHidden(bool hidden);

private:
    QList<QCheckBox *> boxes;
    QGroupBox *group;
    QScrollArea *scroll;
};
