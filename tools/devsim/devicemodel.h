#pragma once

#include "tools/devsim/deviceconfig.h"
#include "tools/devsim/outputcalibration.h"
#include "tools/devsim/radiomodule.h"
#include "tools/devsim/sensorinputs.h"

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
    using Config = DeviceConfig;
    // Input processing settings ("$8=" / "$9").
    using Averaging = SensorInputs::Averaging;
    // One "$b" pair: the set point and the current the engineer measured (uA).
    using CalibrationPoint = OutputCalibration::Point;

    DeviceModel();

    // Identity. The variant follows the firmware date unless set explicitly.
    void setHardware(const QByteArray &text);
    QByteArray hardware() const { return hw; }
    void setFirmware(const QByteArray &date);
    QByteArray firmware() const { return fw; }
    void setVariant(int variant); // 0, 1 or 2; -1: from the firmware date
    int variant() const;
    void setModuleVersion(const QByteArray &text) { radio.setVersion(text); }
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
    void setModuleRate(int rate) { radio.setRate(rate); }
    int moduleRate() const { return radio.rate(); }
    void setLinkRate(int rate) { link = rate; }
    int linkRate() const { return link; }

    // Remote devices that answer radio test polls.
    void setReachable(const QList<int> &addresses);
    void setPollDelayMs(int ms) { pollDelay = ms; }
    void setPollLossPercent(int percent) { pollLoss = percent; }
    void setEcho(bool on) { radio.setEcho(on); }
    void setSeed(quint32 seed) { random.seed(seed); }

    // Scripts the answer to every request whose text (as framed, terminator
    // included) begins with `requestPrefix`: the device sends exactly `reply`,
    // at once and in any mode or link rate, instead of its own answer, and
    // does not take the request, so nothing it holds changes. An empty reply
    // leaves the request unanswered; an empty prefix matches every request.
    // The first script set whose prefix matches applies; setting a prefix
    // again replaces its reply in place.
    void setScriptedReply(const QByteArray &requestPrefix, const QByteArray &reply);
    void clearScriptedReplies() { scripts.clear(); }

    // Feeds received bytes; `nowMs` is the device's clock (inputs change with it).
    QList<Reply> feed(const QByteArray &bytes, qint64 nowMs);
    // The line has been quiet for a while: a half-received command is dropped.
    void dropPartialInput() { input.clear(); }

    // State, for inspection and for setting up a scenario.
    bool commandMode() const { return radio.commandMode(); }
    void setCommandMode(bool on) { radio.setCommandMode(on); }
    int reg(int number) const { return radio.reg(number); }
    void setReg(int number, int value) { radio.setReg(number, value); }
    Config config() const { return cfg; }
    void setConfig(const Config &c) { cfg = c; }
    Averaging averaging() const { return inputs.averaging(); }
    void setAveraging(const Averaging &a) { inputs.setAveraging(a); }
    bool calibrationMode() const { return calibration.active(); }
    int outputCurrent() const { return calibration.current(); }
    QList<CalibrationPoint> calibrationPoints() const { return calibration.points(); }

    // The input values "$7" would report at a given time.
    int inputValue(int input, qint64 nowMs) const { return inputs.value(input, nowMs); }
    int rawInput(int input, qint64 nowMs) const { return inputs.raw(input, nowMs); }

    static int variantForFirmware(const QByteArray &date);
    static int outputKindFor(const QByteArray &hardware);
    static QMap<int, int> factoryRegisters() { return RadioModule::factoryRegisters(); }

private:
    struct Script
    {
        QByteArray prefix;
        QByteArray reply;
    };

    enum class Take
    {
        Incomplete,
        Junk,
        Request
    };
    Take take(int *used) const;
    QByteArray answer(const QByteArray &request, qint64 nowMs, int *delayMs);
    QByteArray answerModule(const QByteArray &request);
    QByteArray answerController(const QByteArray &request, qint64 nowMs);
    QByteArray answerPoll(const QByteArray &request, qint64 nowMs, int *delayMs);
    bool writeConfig(const QByteArray &text);

    QByteArray input;
    QByteArray hw = "RLX-31868-4-20-D receiver";
    QByteArray fw = "Aug  4 2022";
    int forcedVariant = -1;
    int link = 4;
    RadioModule radio;
    int identityPadding = 0;
    QSet<QByteArray> stuck; // configuration fields
    Config cfg;
    SensorInputs inputs;
    QSet<int> reachable{1};
    int pollDelay = 120;
    int pollLoss = 0;
    QRandomGenerator random{20220804};
    OutputCalibration calibration;
    QList<Script> scripts;
};
