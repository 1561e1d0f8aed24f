#include "app/calibrationsteps.h"

#include "app/outcomeline.h"
#include "app/settingrouter.h"
#include "panels/kalibr.h"
#include "protocol/exchange.h"

CalibrationSteps::CalibrationSteps(Exchange *engine, OutcomeLine *line, Kalibr *kalibr,
                                   std::function<QString()> port)
    : QObject(kalibr), engine(engine), line(line), kalibr(kalibr), port(std::move(port))
{
}

void CalibrationSteps::addTo(SettingRouter &router)
{
    router.add(QStringLiteral("curCurrent"), [this](int val) { curCurrent = quint16(val); });
    router.add(QStringLiteral("setCurCurrent"), [this](int) {
        if (beginCalibrationStep(
                tr("Set point %1 mkA taken by the device.").arg(curCurrent),
                tr("The device did not accept the set point %1 mkA ($a).").arg(curCurrent)))
            engine->sendCurrent(curCurrent);
    });
    router.add(QStringLiteral("realCurrent"), [this](int val) { realCurrent = quint16(val); });
    router.add(QStringLiteral("setRealCurrent"), [this](int) {
        if (beginCalibrationStep(
                tr("Measured %2 mkA for the set point %1 mkA stored in the device.")
                    .arg(curCurrent)
                    .arg(realCurrent),
                tr("The device did not accept the measured %2 mkA for the set "
                   "point %1 mkA ($b).")
                    .arg(curCurrent)
                    .arg(realCurrent)))
            engine->sendRealCurrent(curCurrent, realCurrent);
    });
    router.add(QStringLiteral("resetKalibr"), [this](int) {
        if (beginCalibrationStep(tr("Calibration mode off."),
                                 tr("The device did not confirm leaving calibration mode: no "
                                    "answer to $c.")))
            engine->exitCalibration();
    });
    router.add(QStringLiteral("setKalibr"), [this](int) {
        if (beginCalibrationStep(tr("Calibration mode on: the output drives its 20 mA check "
                                    "current."),
                                 tr("The device did not enter calibration mode: no answer to "
                                    "$d.")))
            engine->enterCalibration();
        else
            kalibr->setModeOn(false); // nothing reached the device
    });
}

bool CalibrationSteps::beginCalibrationStep(const QString &done, const QString &failed)
{
    return line->beginCalibrationStep(engine->isOpen(), port(), done, failed);
}
