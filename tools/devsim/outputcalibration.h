#pragma once

#include <QByteArray>
#include <QList>

// The current output's calibration: "$d" switches the output to its 20 mA
// check and calibration mode, "$a" drives a set point, "$b" stores the
// current the engineer measured for a set point, "$c" leaves calibration
// mode. Whether the device has a current output at all is the controller's
// business.
class OutputCalibration
{
public:
    // One "$b" pair: the set point and the current the engineer measured (uA).
    struct Point
    {
        int setPoint = 0;
        int measured = 0;
    };

    // The answer to one of "$a", "$b", "$c", "$d" (CR included).
    QByteArray answer(const QByteArray &request);

    bool active() const { return calibrating; }
    int current() const { return output; } // uA
    QList<Point> points() const { return stored; }

private:
    bool calibrating = false;
    int output = 4000;
    QList<Point> stored;
};
