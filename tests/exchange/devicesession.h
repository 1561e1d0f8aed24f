#pragma once

#include "protocol/data.h"
#include "protocol/exchange.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QElapsedTimer>
#include <QtTest>

#include <functional>

// A virtual device on a real pseudo-terminal and an engine whose own serial
// port opens it, with everything the engine reports recorded. It stands in
// for the main window as far as the engine needs one: the identity reply sets
// the firmware variant and the transmitter flag.
class DeviceSession
{
public:
    struct Step
    {
        char kind; // 'R' request sent, 'O' answered, 'T' timed out
        quint8 count;
        QByteArray request;
        qint64 ms;
    };

    DeviceModel model;
    PtyDevice device{&model};
    Data data;
    Exchange engine{nullptr, &data};

    QList<quint8> progress;
    QList<QPair<int, QByteArrayList>> settings;
    QList<QByteArray> errors;
    QList<Step> steps;
    QStringList portLost;
    qint64 lastSignalMs = -1;
    QElapsedTimer clock;

    // Runs inside the engine's sgError, like the main window's question.
    std::function<void(const QByteArray &)> onError;
    // Runs inside sgGetSetting.
    std::function<void(int, const QByteArrayList &)> onSetting;

    DeviceSession()
    {
        clock.start();
        QObject::connect(&engine, &Exchange::sgSetProgres, &context, [this](quint8 p) {
            progress.append(p);
            touch();
        });
        QObject::connect(&engine, &Exchange::sgGetSetting, &context,
                         [this](TypeParser t, const QByteArrayList &f) {
                             settings.append({int(t), f});
                             touch();
                             if (t == ReadIdentity && f.size() == 2) {
                                 engine.setVariant(
                                     quint8(DeviceModel::variantForFirmware(f.at(0))));
                                 const bool sends =
                                     !f.at(1).contains("receiver") && !f.at(1).contains("Vela-485");
                                 engine.setTransmitter(sends ? 1 : 0);
                             }
                             if (onSetting)
                                 onSetting(int(t), f);
                         });
        QObject::connect(&engine, &Exchange::sgError, &context, [this](const QByteArray &r) {
            errors.append(r);
            touch();
            if (onError)
                onError(r);
        });
        QObject::connect(&engine, &Exchange::sgRequest, &context,
                         [this](quint8 n, TypeParser, const QByteArray &r) { step('R', n, r); });
        QObject::connect(&engine, &Exchange::sgOk, &context,
                         [this](quint8 n, TypeParser, const QByteArray &r) { step('O', n, r); });
        QObject::connect(&engine, &Exchange::sgTimeOut, &context,
                         [this](quint8 n, TypeParser, const QByteArray &r) { step('T', n, r); });
        QObject::connect(&engine, &Exchange::sgPortLost, &context, [this](const QString &why) {
            portLost.append(why);
            touch();
        });
    }

    // Opens the pseudo-terminal and has the engine connect to it (identity
    // and full read queued).
    bool open() { return device.open() && engine.openPort(device.slavePath()); }

    bool idle() const
    {
        return engine.queueLength() == 0 && !progress.isEmpty() && progress.last() == 100;
    }

    void forget()
    {
        progress.clear();
        settings.clear();
        errors.clear();
        steps.clear();
        portLost.clear();
        device.clearRecords();
    }

    QList<int> settingKinds() const
    {
        QList<int> kinds;
        for (const auto &s : settings)
            kinds.append(s.first);
        return kinds;
    }

    QByteArrayList fieldsOf(int kind) const
    {
        for (const auto &s : settings) {
            if (s.first == kind)
                return s.second;
        }
        return {QByteArray("<not reported>")};
    }

    int countOf(const QByteArray &request) const { return device.requests().count(request); }

private:
    void touch() { lastSignalMs = clock.elapsed(); }
    void step(char kind, quint8 n, const QByteArray &r)
    {
        steps.append({kind, n, r, clock.elapsed()});
        touch();
    }

    QObject context;
};
