#pragma once

#include <QByteArray>
#include <QtGlobal>

// The device's two analog inputs and the discrete states derived from them:
// what the sensors deliver over time, the averaging the controller applies
// ("$8=" sets it, "$9" reports it) and the "$7" report of the values.
class SensorInputs
{
public:
    // Input processing settings.
    struct Averaging
    {
        quint8 averaging1 = 5; // kind in bits 7..6, interval in seconds in bits 5..0
        quint8 averaging2 = 5;
        quint8 diskret1 = 5; // low-to-high threshold, mA or V
        quint8 diskret2 = 5;
    };

    // The kind of inputs fitted (0 two current inputs, 1 current + voltage,
    // 2 two voltage); the thresholds return to their factory values for it.
    void setKind(int kind);

    Averaging averaging() const { return avg; }
    void setAveraging(const Averaging &a) { avg = a; }

    // An input as the sensor delivers it, and after the averaging set for it.
    int raw(int input, qint64 nowMs) const;
    int value(int input, qint64 nowMs) const;
    // The discrete state of an input at `value`, by its threshold.
    int discrete(int input, int value) const;

    // The "$7" answer at a given time.
    QByteArray report(qint64 nowMs) const;
    // The "$9" answer.
    QByteArray settingsText() const;
    // Takes a "$8" body: "=" four decimal bytes, CR. False (nothing stored)
    // for anything else.
    bool writeSettings(const QByteArray &text);

private:
    int kind = 0;
    Averaging avg;
};
