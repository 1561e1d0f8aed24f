#pragma once

// The exchange engine with a virtual device behind it, and a record of what
// the engine reports. MemorySession serves the device in memory on a clock
// the test moves (no real time passes); tests/exchange/ptysession.h
// serves it over a real pseudo-terminal.

#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/replydecoder.h"
#include "session/identification.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/manualclock.h"
#include "tools/devsim/modelline.h"

#include <QRandomGenerator>
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

// Random bytes without an "a": whatever part of them reaches a waiting
// measurement request cannot start its reply ("an1=...").
inline QByteArray noise(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes) {
        c = char(random.bounded(256));
        if (c == 'a')
            c = 'b';
    }
    return bytes;
}

// A reported reply as one text, "kind:field|field", for readable comparisons.
inline QString reply(int kind, const QByteArrayList &fields)
{
    return QString::number(kind) + ':' + QString::fromLatin1(fields.join('|'));
}

// What an engine reports. Like the main window, it takes the firmware
// variant and the transmitter flag from the identity.
struct EngineLog
{
    QList<quint8> progress;
    QStringList replies;
    Bytes errors;
    QStringList portLost;
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
                // The texts end at their first zero byte, as the window reads them.
                engine.setVariant(Identification::firmwareVariant(ReplyDecoder::text(f.at(0))));
                engine.setTransmitter(Identification(ReplyDecoder::text(f.at(1))).isTransmitter());
            });
        QObject::connect(&engine, &Exchange::sgError, &context, [this](const QByteArray &r) {
            errors << r;
            if (onError)
                onError(r);
        });
        QObject::connect(&engine, &Exchange::sgPortLost, &context,
                         [this](const QString &why) { portLost << why; });
    }
    bool idle(const Exchange &engine) const
    {
        return engine.queueLength() == 0 && !progress.isEmpty() && progress.last() == 100;
    }
    void forgetLog()
    {
        progress.clear();
        replies.clear();
        errors.clear();
        portLost.clear();
    }
};

// The virtual device in memory: requests reach the model as the engine
// writes them, answers come back on the session's clock.
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

    // Connects the engine (identity and full read queued).
    bool open() { return engine.openPort(QStringLiteral("memory")); }
    bool idle() const { return EngineLog::idle(engine); }
    // Moves time until the engine's run has ended; false if it has not within `limitMs`.
    bool run(qint64 limitMs = 600000)
    {
        return clock.advanceUntil([this] { return idle(); }, limitMs);
    }
    void forget()
    {
        forgetLog();
        device.clearRecords();
    }
};

// A connection to the default device (a 4-20-D receiver of variant 2) that
// identified it and read everything once, with every reply taken and the
// module left out of command mode. `requests` are what the device received.
// Callers return when QTest::currentTestFailed().
inline void checkFullRead(const EngineLog &log, const Bytes &requests, const DeviceModel &model)
{
    QCOMPARE(requests, Bytes{"$2"} + readAll);
    QCOMPARE(log.progress, (QList<quint8>{0, 7, 15, 23, 30, 38, 46, 53, 61, 69, 76, 84, 92, 100}));
    QCOMPARE(log.replies.size(), 10);
    QCOMPARE(log.replies.first(),
             reply(ReadIdentity, {"Aug  4 2022", "RLX-31868-4-20-D receiver"}));
    QCOMPARE(log.replies.at(8).count('|'), 11); // the configuration of variant 2
    QVERIFY(log.errors.isEmpty());
    QVERIFY(!model.commandMode());
}
