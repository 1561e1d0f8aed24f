#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Exchange;
class Kalibr;
class OutcomeLine;
class SettingRouter;

// The calibration panel's steps: the set point, the measured current, and
// calibration mode on and off. Each goes to the device as a run of its own,
// and only over an open port.
class CalibrationSteps : public QObject
{
    Q_OBJECT
public:
    // `port` names the port as the port list shows it.
    CalibrationSteps(Exchange *engine, OutcomeLine *line, Kalibr *kalibr,
                     std::function<QString()> port);

    // The panel's parameter names, after the window's own.
    void addTo(SettingRouter &router);

private:
    bool beginCalibrationStep(const QString &done, const QString &failed);

    Exchange *engine;
    OutcomeLine *line;
    Kalibr *kalibr;
    std::function<QString()> port;
    quint16 curCurrent = 20000; // set point, uA
    quint16 realCurrent = 0;    // what the engineer measured, uA
};
