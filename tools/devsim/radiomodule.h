#pragma once

#include <QByteArray>
#include <QMap>
#include <QSet>

// The LE50-868 radio module behind the controller: "+++" takes it into
// command mode, where it answers AT lines about its S registers and its
// version; "ATO" returns it to data mode. Whether the controller's bytes reach
// it at all (the serial rates) is the controller's business.
class RadioModule
{
public:
    RadioModule();

    // The registers "ATR" restores. S210 (the module's serial rate) is not
    // among them.
    static QMap<int, int> factoryRegisters();

    // The answer to "+++" or to one AT line (CR included); empty: no answer.
    QByteArray answer(const QByteArray &request);

    void setVersion(const QByteArray &text) { version = text; }
    // The module's serial rate, in the numbering of S210.
    int rate() const { return registers.value(210); }
    void setRate(int rate) { registers[210] = rate; }
    bool commandMode() const { return inCommandMode; }
    void setCommandMode(bool on) { inCommandMode = on; }
    void setEcho(bool on) { echo = on; }
    int reg(int number) const { return registers.value(number, -1); }
    void setReg(int number, int value) { registers[number] = value; }
    // A register named as "S206" whose writes are acknowledged but not
    // stored. False for a name that is no register of the module.
    bool setStuck(const QByteArray &name);

private:
    QByteArray answerAt(const QByteArray &line);

    QByteArray version = "LE50-868 V2.3.1";
    QMap<int, int> registers;
    QSet<QByteArray> stuck;
    bool inCommandMode = false;
    bool echo = false;
};
