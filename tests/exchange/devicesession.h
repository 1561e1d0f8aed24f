#pragma once

#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/replydecoder.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QtTest>

#include <functional>

using Bytes = QList<QByteArray>;

// The requests of a full read, as the device receives them.
const Bytes readAll = {"+++",        "AT/V\r",    "ATS216?\r", "ATS206?\r",
                       "ATS201?\r",  "ATS200?\r", "ATS214?\r", "ATS202?\r",
                       "ATS220=9\r", "$1",        "$9",        "ATO\r"};

// Sets several fields of a settings record at once.
inline void assign(DeviceSettings &r,
                   std::initializer_list<std::pair<quint8 DeviceSettings::*, int>> values)
{
    for (const auto &v : values)
        r.*v.first = quint8(v.second);
}

// A reported reply as one text, "kind:field|field", for readable comparisons.
inline QString reply(int kind, const QByteArrayList &fields)
{
    return QString::number(kind) + ':' + QString::fromLatin1(fields.join('|'));
}

// A virtual device on a real pseudo-terminal and an engine whose own serial
// port opens it, with what the engine reports recorded. Like the main window,
// it takes the firmware variant and the transmitter flag from the identity.
struct DeviceSession
{
    DeviceModel model;
    PtyDevice device{&model};
    Data data;
    Exchange engine{nullptr, &data};
    QList<quint8> progress;
    QStringList replies;
    Bytes errors;
    QStringList portLost;
    std::function<void(const QByteArray &)> onError; // runs inside sgError, as the question
    QObject context;                                 // goes first, cutting the connections

    DeviceSession()
    {
        QObject::connect(&engine, &Exchange::sgSetProgres, &context,
                         [this](quint8 p) { progress << p; });
        QObject::connect(&engine, &Exchange::sgGetSetting, &context,
                         [this](TypeParser t, const QByteArrayList &f) {
                             replies << reply(t, f);
                             if (t != ReadIdentity || f.size() != 2)
                                 return;
                             // The texts end at their first zero byte, as the window reads them.
                             engine.setVariant(quint8(DeviceModel::variantForFirmware(
                                 ReplyDecoder::text(f.at(0)).toLatin1())));
                             const bool receives =
                                 f.at(1).contains("receiver") || f.at(1).contains("Vela-485");
                             engine.setTransmitter(receives ? 0 : 1);
                         });
        QObject::connect(&engine, &Exchange::sgError, &context, [this](const QByteArray &r) {
            errors << r;
            if (onError)
                onError(r);
        });
        QObject::connect(&engine, &Exchange::sgPortLost, &context,
                         [this](const QString &why) { portLost << why; });
    }

    // Opens the line and connects the engine to it (identity and full read).
    bool open() { return device.open() && engine.openPort(device.slavePath()); }
    bool idle() const
    {
        return engine.queueLength() == 0 && !progress.isEmpty() && progress.last() == 100;
    }
    void forget()
    {
        progress.clear();
        replies.clear();
        errors.clear();
        portLost.clear();
        device.clearRecords();
    }
};
