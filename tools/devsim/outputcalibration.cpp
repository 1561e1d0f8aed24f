#include "tools/devsim/outputcalibration.h"

// "$a" drives a set point given in counts (three counts per microampere);
// set points outside calibration mode are refused.
QByteArray OutputCalibration::answer(const QByteArray &request)
{
    const char kind = request.at(1);
    const QByteArray body = request.mid(2).chopped(1);
    if (kind == 'd' || kind == 'c') {
        if (!body.isEmpty())
            return "ERROR\r";
        calibrating = kind == 'd';
        if (calibrating)
            output = 20000;
        return "OK\r";
    }
    if (!calibrating)
        return "ERROR\r";
    bool ok = false;
    if (kind == 'a') {
        const int counts = body.size() >= 4 && body.size() <= 6 ? body.toInt(&ok, 16) : -1;
        if (!ok || counts / 3 > 21600)
            return "ERROR\r";
        output = counts / 3;
        return "OK\r";
    }
    // "$b": set point counts, ",", measured current, both four hex digits.
    const QList<QByteArray> parts = body.split(',');
    if (parts.size() != 2 || parts.at(0).size() != 4 || parts.at(1).size() != 4)
        return "ERROR\r";
    bool ok2 = false;
    const int counts = parts.at(0).toInt(&ok, 16);
    const int measured = parts.at(1).toInt(&ok2, 16);
    if (!ok || !ok2)
        return "ERROR\r";
    stored.append({counts / 3, measured});
    return "OK\r";
}
