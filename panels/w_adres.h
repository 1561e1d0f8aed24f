#pragma once

#include <QColor>
#include <QWidget>

class QCheckBox;
class QLabel;
class QSpinBox;

// One remote address of the radio stability check: whether it takes part,
// which address it is, and the outcome of its last ten polls as coloured
// squares, newest on the left: yellow waiting, green answered, red timed out,
// grey nothing yet.
class W_Adres : public QWidget
{
    Q_OBJECT
public:
    static const int HistoryLength = 10;

    explicit W_Adres(quint8 adres, QWidget *parent = nullptr);

    bool isChecked() const;
    // The address spin box, so that its changes can be followed.
    QSpinBox *adresEditor() const { return adresBox; }
    int adres() const;
    void setAdres(quint8 adres);

    // A poll went out: the history moves one place to the right and the
    // newest square turns yellow. With keep, the newest colour stays as it
    // was instead.
    void addRect(bool keep);
    void setRectOk();
    void setRectErr();
    void clearRects();

private slots:
    void slCheckEn(bool enabled);

private:
    void paintRects();

    QCheckBox *check;
    QSpinBox *adresBox;
    QColor colors[HistoryLength];
    QWidget *rects[HistoryLength];
    QLabel *labels[HistoryLength];
};
