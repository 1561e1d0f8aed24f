#include "tools/devsim/radiomodule.h"

#include "tools/devsim/decimaltext.h"

using DecimalText::allDigits;
using DecimalText::byteValue;

RadioModule::RadioModule()
{
    registers = factoryRegisters();
    registers[210] = 4;
}

QMap<int, int> RadioModule::factoryRegisters()
{
    // S210 (the module's serial rate) is not among them: "ATR" keeps it, so
    // that the controller does not lose the module.
    return {{200, 0}, {201, 0}, {202, 7}, {206, 2}, {214, 3}, {216, 2}, {220, 0}, {252, 1}};
}

bool RadioModule::setStuck(const QByteArray &name)
{
    if (name.size() <= 1 || !name.startsWith('S') || !registers.contains(name.mid(1).toInt()))
        return false;
    stuck.insert(name);
    return true;
}

QByteArray RadioModule::answer(const QByteArray &request)
{
    if (request == "+++") {
        inCommandMode = true;
        return "OK\r";
    }
    // Outside command mode an AT line is plain data for the radio.
    if (!inCommandMode)
        return QByteArray();
    const QByteArray reply = answerAt(request.chopped(1));
    return echo ? request + reply : reply;
}

QByteArray RadioModule::answerAt(const QByteArray &line)
{
    if (line == "ATO") {
        inCommandMode = false;
        return "OK\r";
    }
    if (line == "ATR") {
        const QMap<int, int> factory = factoryRegisters();
        for (auto it = factory.begin(); it != factory.end(); ++it)
            registers[it.key()] = it.value();
        return "OK\r";
    }
    if (line == "AT/V")
        return version + '\r';
    if (!line.startsWith("ATS"))
        return "ERROR\r";

    const QByteArray body = line.mid(3);
    if (body.endsWith('?')) {
        const QByteArray number = body.chopped(1);
        const int n = allDigits(number) ? number.toInt() : -1;
        if (!registers.contains(n))
            return "ERROR\r";
        return "S" + number + '=' + QByteArray::number(registers.value(n)) + '\r';
    }
    const int eq = body.indexOf('=');
    if (eq < 0)
        return "ERROR\r";
    const QByteArray number = body.left(eq);
    const int n = allDigits(number) ? number.toInt() : -1;
    const int value = byteValue(body.mid(eq + 1));
    if (!registers.contains(n) || value < 0)
        return "ERROR\r";
    // The sub-band, radio rate and power registers hold one digit, and so do
    // the serial rates.
    if ((n == 201 || n == 202 || n == 206 || n == 210) && value > 9)
        return "ERROR\r";
    if (!stuck.contains("S" + number))
        registers[n] = value; // a new S210 rate applies right after this answer
    return "OK\r";
}
