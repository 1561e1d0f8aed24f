#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QRandomGenerator>
#include <QSet>

// A device of the RLX family as seen from its serial port: the controller
// that answers the "$" commands, and behind it the LE50-868 radio module that
// answers "+++" and the AT commands. Bytes received from the computer go in
// through feed(); every complete request comes back with the bytes the device
// answers (empty when it stays silent) and how long the answer takes. The
// model knows nothing about the transport: timing, faults and the line itself
// belong to whoever serves it.
class DeviceModel
{
public:
    // One request the device recognised, with its answer.
    struct Reply
    {
        QByteArray request; // as received, terminator included
        QByteArray reply;   // empty: no answer
        int delayMs = 0;    // time the device needs before answering (radio polls)
    };

    // The controller's stored configuration ("$0" / "$1").
    struct Config
    {
        quint8 testAdres = 1;
        quint8 serialRate = 3;
        quint8 delRxTx = 0;
        quint8 delTxRx = 0;
        quint8 parity = 0;
        quint8 radioTransmitReset = 50;
        quint8 wdtReset = 0;
        quint8 stopBit = 0;
        quint64 adreses = 1; // bit n-1: remote address n is polled
        quint8 delRequest = 2;
        quint8 numOfDown = 3;
        quint8 radioModuleReset = 6;
        bool operator==(const Config &o) const;
    };

    // Input processing settings ("$8=" / "$9").
    struct Averaging
    {
        quint8 averaging1 = 5; // kind in bits 7..6, interval in seconds in bits 5..0
        quint8 averaging2 = 5;
        quint8 diskret1 = 5; // low-to-high threshold, mA or V
        quint8 diskret2 = 5;
    };

    // One "$b" pair: the set point and the current the engineer measured (uA).
    struct CalibrationPoint
    {
        int setPoint = 0;
        int measured = 0;
    };

    DeviceModel();

    // Identity. The variant follows the firmware date unless set explicitly.
    void setHardware(const QByteArray &text);
    QByteArray hardware() const { return hw; }
    void setFirmware(const QByteArray &date);
    QByteArray firmware() const { return fw; }
    void setVariant(int variant); // 0, 1 or 2; -1: from the firmware date
    int variant() const;
    void setModuleVersion(const QByteArray &text) { moduleVersion = text; }
    // A setting the device acknowledges but does not store: a configuration
    // field by its name in the "$1" layout (testAdres, serialRate, delRxTx,
    // delTxRx, parity, radioTransmitReset, wdtReset, stopBit, adreses,
    // delRequest, numOfDown, radioModuleReset) or a register as "S206".
    // Returns false for a name it does not know.
    bool setStuck(const QByteArray &name);

    // Some controllers send their whole text buffers: each identity text is
    // then followed by zero bytes up to `bytes` (0: no padding).
    void setIdentityPadding(int bytes) { identityPadding = bytes; }
    int outputKind() const; // 0 two current inputs, 1 current + voltage, 2 two voltage
    bool hasCurrentOutput() const;

    // Serial rates in the numbering of S210 and "$3": the radio module's own
    // rate and the rate the controller talks to the module at. AT traffic
    // gets through only while the two are equal.
    void setModuleRate(int rate);
    int moduleRate() const { return registers.value(210); }
    void setLinkRate(int rate) { link = rate; }
    int linkRate() const { return link; }

    // Remote devices that answer radio test polls.
    void setReachable(const QList<int> &addresses);
    void setPollDelayMs(int ms) { pollDelay = ms; }
    void setPollLossPercent(int percent) { pollLoss = percent; }
    void setEcho(bool on) { echo = on; }
    void setSeed(quint32 seed) { random.seed(seed); }

    // Feeds received bytes; `nowMs` is the device's clock (inputs change with it).
    QList<Reply> feed(const QByteArray &bytes, qint64 nowMs);
    // The line has been quiet for a while: a half-received command is dropped.
    void dropPartialInput() { input.clear(); }

    // State, for inspection and for setting up a scenario.
    bool commandMode() const { return inCommandMode; }
    void setCommandMode(bool on) { inCommandMode = on; }
    int reg(int number) const { return registers.value(number, -1); }
    void setReg(int number, int value) { registers[number] = value; }
    Config config() const { return cfg; }
    void setConfig(const Config &c) { cfg = c; }
    Averaging averaging() const { return avg; }
    void setAveraging(const Averaging &a) { avg = a; }
    bool calibrationMode() const { return calibrating; }
    int outputCurrent() const { return output; }
    QList<CalibrationPoint> calibrationPoints() const { return points; }

    // The input values "$7" would report at a given time.
    int inputValue(int input, qint64 nowMs) const;
    int rawInput(int input, qint64 nowMs) const;

    static int variantForFirmware(const QByteArray &date);
    static int outputKindFor(const QByteArray &hardware);
    static QMap<int, int> factoryRegisters();

private:
    enum class Take
    {
        Incomplete,
        Junk,
        Request
    };
    Take take(int *used) const;
    QByteArray answer(const QByteArray &request, qint64 nowMs, int *delayMs);
    QByteArray answerModule(const QByteArray &request);
    QByteArray answerAt(const QByteArray &line);
    QByteArray answerController(const QByteArray &request, qint64 nowMs);
    QByteArray answerPoll(const QByteArray &request, qint64 nowMs, int *delayMs);
    QByteArray configReply() const;
    bool writeConfig(const QByteArray &text);
    bool writeAveraging(const QByteArray &text);
    QByteArray calibration(const QByteArray &request);
    int discrete(int input, int value) const;

    QByteArray input;
    QByteArray hw = "RLX-31868-4-20-D receiver";
    QByteArray fw = "Aug  4 2022";
    QByteArray moduleVersion = "LE50-868 V2.3.1";
    int forcedVariant = -1;
    int link = 4;
    QMap<int, int> registers;
    bool inCommandMode = false;
    bool echo = false;
    int identityPadding = 0;
    QSet<QByteArray> stuck;
    Config cfg;
    Averaging avg;
    QSet<int> reachable{1};
    int pollDelay = 120;
    int pollLoss = 0;
    QRandomGenerator random{20220804};
    bool calibrating = false;
    int output = 4000;
    QList<CalibrationPoint> points;
};
