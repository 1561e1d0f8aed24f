#pragma once

// The exchange engine (or an rlx-cli job) with the virtual device in memory on
// a clock the test moves, and a record of what the engine reports.

#include "protocol/addressmask.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/replydecoder.h"
#include "session/identification.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/manualclock.h"
#include "tools/devsim/modelline.h"

#include <QtTest>

#include <functional>

using Bytes = QList<QByteArray>;

// The requests of a full read, as the device receives them.
const Bytes readAll = {"+++",        "AT/V\r",    "ATS216?\r", "ATS206?\r",
                       "ATS201?\r",  "ATS200?\r", "ATS214?\r", "ATS202?\r",
                       "ATS220=9\r", "$1",        "$9",        "ATO\r"};

// Valid settings unlike the model's start in every field.
inline DeviceSettings site()
{
    DeviceSettings s;
    s.subBand = 3, s.radioRate = 1, s.chanel = 12, s.power = 5, s.serialTimeout = 30;
    s.flowControl = 0, s.testAdres = 17, s.serialRate = 4, s.delRxTx = 10, s.delTxRx = 20;
    s.parity = 2, s.radioTransmitReset = 60, s.wdtReset = 9, s.stopBit = 1, s.averaging1 = 0x85;
    s.averaging2 = 10, s.diskret1 = 7, s.diskret2 = 3, s.delRequest = 4, s.numOfDown = 0xB5;
    s.radioModuleReset = 7, s.adreses = QStringLiteral("0000,0000,0000,0005");
    return s;
}

// Random bytes without an "a", which could start a measurement reply.
inline QByteArray noise(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(random.bounded(256));
    return bytes.replace('a', 'b');
}

// A reported reply as "kind:field|field".
inline QString reply(int kind, const QByteArrayList &fields)
{
    return QString::number(kind) + ':' + QString::fromLatin1(fields.join('|'));
}

// What an engine reports; like the window, it takes the variant from the identity.
struct EngineLog
{
    QList<quint8> progress;
    QStringList replies;
    Bytes errors;
    std::function<void(const QByteArray &)> onError; // runs inside sgError, as the question
    QObject context;

    void watch(Exchange &engine)
    {
        QObject::connect(&engine, &Exchange::sgSetProgres, &context,
                         [this](quint8 p) { progress << p; });
        QObject::connect(
            &engine, &Exchange::sgGetSetting, &context,
            [this, &engine](TypeParser t, const QByteArrayList &f) {
                replies << reply(t, f);
                if (t != ReadIdentity || f.size() != 2)
                    return;
                engine.setVariant(Identification::firmwareVariant(ReplyDecoder::text(f.at(0))));
                engine.setTransmitter(Identification(ReplyDecoder::text(f.at(1))).isTransmitter());
            });
        QObject::connect(&engine, &Exchange::sgError, &context, [this](const QByteArray &r) {
            errors << r;
            if (onError)
                onError(r);
        });
    }
    bool idle(const Exchange &engine) const
    {
        return engine.queueLength() == 0 && !progress.isEmpty() && progress.last() == 100;
    }
};

struct MemorySession : EngineLog
{
    DeviceModel model;
    ManualClock clock;
    ModelLine device{&model, &clock};
    Data data;
    Exchange engine{nullptr, &data};

    MemorySession()
    {
        engine.setClock(&clock);
        engine.setLine(&device);
        watch(engine);
    }
    ~MemorySession() { QObject::disconnect(&engine, nullptr, &context, nullptr); }

    bool open() { return engine.openPort(QStringLiteral("memory")); }
    // Connected and read once, that traffic forgotten.
    bool connected()
    {
        const bool done = open() && run();
        forget();
        return done;
    }
    bool run(qint64 limitMs = 600000)
    {
        return clock.advanceUntil([this] { return EngineLog::idle(engine); }, limitMs);
    }
    void forget()
    {
        progress.clear();
        replies.clear();
        errors.clear();
        device.clearRecords();
    }
};

// The settings as the model holds them, mapped by hand (not through the code's table).
inline DeviceSettings held(const DeviceModel &m)
{
    DeviceSettings s;
    s.subBand = quint8(m.reg(206)), s.radioRate = quint8(m.reg(201));
    s.chanel = quint8(m.reg(200)), s.power = quint8(m.reg(202));
    s.serialTimeout = quint8(m.reg(214)), s.flowControl = m.reg(216) ? 2 : 0;
    const DeviceModel::Config c = m.config();
    s.testAdres = c.testAdres, s.serialRate = c.serialRate, s.delRxTx = c.delRxTx;
    s.delTxRx = c.delTxRx, s.parity = c.parity, s.radioTransmitReset = c.radioTransmitReset;
    s.wdtReset = c.wdtReset, s.stopBit = c.stopBit, s.adreses = AddressMask::format(c.adreses);
    s.delRequest = c.delRequest, s.numOfDown = c.numOfDown;
    s.radioModuleReset = c.radioModuleReset;
    const DeviceModel::Averaging a = m.averaging();
    s.averaging1 = a.averaging1, s.averaging2 = a.averaging2;
    s.diskret1 = a.diskret1, s.diskret2 = a.diskret2;
    return s;
}
