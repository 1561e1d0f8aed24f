#pragma once

// rlx-cli (RLX_CLI) as a process, its files, and the RS-485 device most tests use.

#include "protocol/settingsfields.h"
#include "tests/devsimprocess.h"
#include "tests/filebytes.h"

#include <QtTest>

#include <csignal>

struct CliRun
{
    int code = -1; // -1: a signal ended it, or it hung
    QString out, err;
    QByteArray bytes; // standard output as it came
};

// rlx-cli started at once; the event loop runs while a test waits for it.
class Cli
{
public:
    // rlx-cli with `args`, through a bash `script` where CLI stands for rlx-cli ("exec": the same
    // process, which a signal reaches).
    explicit Cli(const QStringList &args, const QByteArray &input = QByteArray(),
                 const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
                 const QString &script = "exec CLI")
    {
        process.setProcessEnvironment(env);
        const QString command = QString(script).replace("CLI", "\"$0\" \"$@\"");
        process.start("bash", QStringList{"-c", command, RLX_CLI} + args);
        process.waitForStarted(HangMs);
        if (!input.isNull()) {
            process.write(input);
            process.closeWriteChannel();
        }
    }
    void signal(int number) { ::kill(pid_t(process.processId()), number); }
    bool errShows(const QString &text)
    {
        return QTest::qWaitFor(
            [&] { return (err += process.readAllStandardError()).contains(text); }, HangMs);
    }
    CliRun wait() // a hang: killed, code -1
    {
        if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, HangMs)) {
            qWarning("rlx-cli hangs");
            process.kill();
            process.waitForFinished();
        }
        CliRun r;
        r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        r.bytes = process.readAllStandardOutput();
        r.out = QString::fromUtf8(r.bytes);
        r.err = err + QString::fromUtf8(process.readAllStandardError());
        return r;
    }

    static constexpr int HangMs = 180000;

private:
    QProcess process;
    QString err;
};

inline CliRun runCli(const QStringList &args, const QByteArray &input = QByteArray())
{
    return Cli(args, input).wait();
}

inline QJsonObject settingsJson(const DeviceSettings &s)
{
    QJsonObject o;
    for (const SettingsField &f : SettingsFields::all()) {
        const QVariant v = f.value(s);
        o.insert(QLatin1String(f.name), f.isText() && v.toString().isNull()
                                            ? QJsonValue(QJsonValue::Null)
                                            : QJsonValue::fromVariant(v));
    }
    return o;
}

// An RS-485 model of the newest firmware, away from its factory state.
inline DeviceSettings rs485Settings()
{
    DeviceSettings s;
    s.testAdres = 17, s.serialRate = 5, s.delRxTx = 12, s.delTxRx = 34, s.parity = 2;
    s.radioTransmitReset = 70, s.wdtReset = 20, s.stopBit = 1, s.delRequest = 30;
    s.adreses = QStringLiteral("8000000000000005"), s.numOfDown = 181, s.radioModuleReset = 9;
    s.subBand = 6, s.radioRate = 2, s.chanel = 4, s.power = 5, s.serialTimeout = 9;
    s.averaging1 = 133, s.averaging2 = 67, s.diskret1 = 7, s.diskret2 = 9;
    return s;
}

// Those settings with eight changed, the address list in the device's bare form.
inline DeviceSettings changedSettings()
{
    DeviceSettings s = rs485Settings();
    s.delTxRx = 40, s.delRxTx = 15, s.power = 3, s.parity = 1, s.radioTransmitReset = 80;
    s.delRequest = 20, s.diskret1 = 6, s.adreses = QStringLiteral("0000000000000006");
    return s;
}

inline bool writeSettings(const QString &name, const DeviceSettings &s = rs485Settings())
{
    return writeFile(name, QJsonDocument(settingsJson(s)).toJson());
}

// rlx-devsim holding rs485Settings() in the device's forms ("$1" answer, registers, "$8=" fields);
// its module runs at `moduleRate`, the recorded rate being 5 (at 0 DEFAULT's search fails once).
inline QStringList rs485(int moduleRate = 2)
{
    const QString args = "--hardware RLX-31868-Vela-485 --module-rate %1 "
                         "--config 017,5,012,034,2,070,020,1,8000000000000005,030,181,009 "
                         "--register 206=6 --register 201=2 --register 200=4 --register 202=5 "
                         "--register 214=9 --register 216=0 --averaging 133,67,7,9";
    return QStringList{"--firmware", "Aug  4 2022"} + args.arg(moduleRate).split(' ');
}
