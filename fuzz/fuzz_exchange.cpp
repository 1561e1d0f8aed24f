// Feeds arbitrary bytes, cut into arbitrary chunks, to the receive path of the
// exchange engine for every request kind, interleaved with give-ups, the
// user's answer to the failed-request question and new operations started
// from inside the engine's own signals. Two things are checked on every run:
// the sanitizers find nothing, and whatever the engine hands out is something
// the receivers can trust (field counts and field contents as the request
// table gives them by kind, bounded field lengths, progress within 0..100).
// Bytes also come through the port's read path, which keeps at most a few KiB
// while the queue is empty: the kept bytes never exceed that bound, and a
// waiting request takes them all.
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/parser.h"
#include "protocol/requestkinds.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

void checkFields(const QByteArrayList &fields, int maskLength)
{
    check(fields.size() <= maskLength, "more fields than mask positions");
    for (const QByteArray &f : fields)
        check(!f.isEmpty() && f.size() <= Parser::MaxFieldLength, "field length");
}

// A chunk as the port's read path hands it over, up to several times the
// bound of what is kept while nothing is queued.
void takeFromPort(Exchange &engine, FuzzedDataProvider &in)
{
    const bool waiting = engine.queueLength() > 0;
    const QByteArray before = engine.keptBytes();
    std::string chunk = in.ConsumeRandomLengthString(96);
    // Now and then a long one: the chunk repeated to past the bound.
    if (!chunk.empty() && in.remaining_bytes() > 0 && in.ConsumeIntegralInRange<int>(0, 7) == 0)
        while (chunk.size() <= size_t(2 * Exchange::KeptLimit))
            chunk += chunk;
    const QByteArray bytes(chunk.data(), int(chunk.size()));
    engine.takeReceived(bytes);
    check(engine.keptBytes().size() <= Exchange::KeptLimit, "kept bytes above the bound");
    if (bytes.isEmpty())
        check(engine.keptBytes() == before, "nothing read, yet the kept bytes changed");
    else if (waiting)
        check(engine.keptBytes().isEmpty(), "a waiting request left bytes kept");
    else
        check(engine.keptBytes() == (before + bytes).right(Exchange::KeptLimit),
              "not the newest bytes kept");
}

// One parser per request kind, all fed the same chunks.
void fuzzParsers(Exchange &engine, FuzzedDataProvider &in)
{
    QList<Parser *> parsers;
    QList<int> maskLengths;
    for (const RequestKinds::Row &row : RequestKinds::all()) {
        if (!row.name)
            continue; // a value that names no kind
        const ParserParam param =
            engine.makeParserParam(row.type, in.ConsumeBytesAsString(3).c_str());
        parsers << new Parser(&engine, param);
        maskLengths << param.mask.size();
    }
    while (in.remaining_bytes() > 0) {
        const std::string chunk = in.ConsumeRandomLengthString(64);
        const QByteArray bytes(chunk.data(), int(chunk.size()));
        for (int i = 0; i < parsers.size(); ++i) {
            QByteArrayList out;
            if (parsers[i]->parse(bytes, out)) {
                checkFields(out, maskLengths[i]);
                check(parsers[i]->done(), "completed without done");
            }
        }
    }
    qDeleteAll(parsers);
}

void fuzzEngine(Exchange &engine, FuzzedDataProvider &in)
{
    // Receivers that act the way the main window and the panels may: answer
    // the question with No, or start another operation from inside a signal.
    QObject::connect(&engine, &Exchange::sgGetSetting, [&](TypeParser type, QByteArrayList f) {
        check(f.size() == RequestKinds::expectedFields(type, engine.firmwareVariant()),
              "reported field count");
        check(RequestKinds::plausible(type, f), "reported a field its kind does not allow");
        for (const QByteArray &field : f)
            check(field.size() <= Parser::MaxFieldLength, "reported field length");
        if (type == ReadIdentity && in.remaining_bytes() > 0)
            engine.setVariant(in.ConsumeIntegralInRange<quint8>(0, 3));
        if (in.remaining_bytes() > 0 && in.ConsumeIntegralInRange<int>(0, 15) == 0)
            engine.getValue();
    });
    QObject::connect(&engine, &Exchange::sgError, [&](QByteArray) {
        // Bytes arriving while the question is open go to a request that
        // has already failed.
        if (in.remaining_bytes() > 0 && in.ConsumeBool())
            takeFromPort(engine, in);
        if (in.remaining_bytes() > 0 && in.ConsumeBool())
            engine.clearParsers();
    });
    QObject::connect(&engine, &Exchange::sgSetProgres,
                     [](quint8 percent) { check(percent <= 100, "progress above 100"); });

    engine.setVariant(in.ConsumeIntegralInRange<quint8>(0, 3));
    engine.setTransmitter(in.ConsumeBool());
    // Every operation queues up to 60 parsers; a handful per run covers the
    // interleavings, more would only make the runs slower.
    int steps = 0;
    int operations = 0;
    while (in.remaining_bytes() > 0 && ++steps < 512) {
        int action = in.ConsumeIntegralInRange<int>(0, 15);
        if (action <= 6 && ++operations > 6)
            action = 7;
        switch (action) {
        case 0:
            engine.readSettings();
            break;
        case 1:
            engine.writeSettings();
            break;
        case 2:
            engine.writeDefaults();
            break;
        case 3:
            engine.getValue();
            break;
        case 4:
            engine.startTest(QByteArray::fromStdString(in.ConsumeRandomLengthString(12)));
            break;
        case 5: {
            const quint16 setPoint = in.ConsumeIntegral<quint16>();
            if (in.ConsumeBool())
                engine.sendCurrent(setPoint);
            else
                engine.sendRealCurrent(setPoint, in.ConsumeIntegral<quint16>());
            break;
        }
        case 6:
            if (in.ConsumeBool())
                engine.enterCalibration();
            else
                engine.exitCalibration();
            break;
        case 7:
            // The head's repeat budget is spent.
            engine.slTimeout();
            break;
        case 8:
            engine.clearParsers();
            break;
        case 9:
        case 10:
        case 11:
            takeFromPort(engine, in);
            break;
        default: {
            const std::string chunk = in.ConsumeRandomLengthString(96);
            engine.receive(QByteArray(chunk.data(), int(chunk.size())));
            break;
        }
        }
        check(engine.keptBytes().size() <= Exchange::KeptLimit, "kept bytes above the bound");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider in(bytes, size);
    Data data;
    {
        Exchange engine(nullptr, &data);
        if (in.ConsumeBool())
            fuzzParsers(engine, in);
        else
            fuzzEngine(engine, in);
    }
    // Parsers that left the queue are deleted from the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
