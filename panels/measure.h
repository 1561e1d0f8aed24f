#pragma once

#include "editors/w_qwidget.h"

#include <QByteArrayList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimer;

// Live values of a transmitter's two inputs and the processing settings of
// each input: averaging kind and interval, and the threshold at which the
// input's discrete state turns high. While measuring, the panel asks for
// values once a second; the colour of its start button shows whether answers
// keep coming (green: answered, red: two requests in a row went unanswered).
class Measure : public W_QWidget
{
    Q_OBJECT
public:
    explicit Measure(QWidget *parent = nullptr);

    // Ends measurement mode (a read, write or reset starts, or the port closed).
    void stopMeasurement();
    // Names and units of the inputs by the device's input-type code:
    // 0 two current inputs, 1 current and voltage, 2 two voltage inputs.
    // Other codes leave the labels as they are.
    void setInputType(quint8 code);
    // The four bytes as the device keeps them: kind (bits 7-6) and interval
    // (bits 5-0) of input 1 and 2, then the thresholds of input 1 and 2.
    void setSettings(quint8 averaging1, quint8 averaging2, quint8 diskret1, quint8 diskret2);
    // An answer: analog value of input 1 and 2, then discrete state of input
    // 1 and 2, each as the device's decimal text. Missing or malformed
    // entries read as 0.
    void setValues(const QByteArrayList &values);
    // The values shown are the last ones received, and answers have stopped
    // coming: they are greyed until the next answer.
    bool valuesStale() const { return stale; }

signals:
    void sgGetValue();

private slots:
    void slTimer();
    void slStart();

private:
    struct Channel
    {
        QComboBox *typeAveraging;
        QSpinBox *averaging;
        QSpinBox *diskret;
        QLabel *thresholdUnit;
        QLabel *name;
        QLineEdit *value;
        QLabel *valueUnit;
        QLineEdit *state;
    };

    QWidget *buildChannel(Channel &channel, int number);
    void clearFields();
    void paintButton(Qt::GlobalColor color);
    void setStale(bool on);

    Channel channel1;
    Channel channel2;
    QPushButton *start;
    QTimer *timer;
    bool running = false;
    quint8 answerCountdown = 0;
    bool stale = false;

    // Alternates on every tick while measuring: requests go out on one phase,
    // the button returns to grey on the other.
    static bool phase;
};
