// Feeds arbitrary bytes, cut into arbitrary chunks, to the receive path of the
// exchange engine for every request kind, interleaved with give-ups, the
// user's answer to the failed-request question, time passing on the requests'
// timers and new operations started from inside the engine's own signals. Two
// things are checked on every run: the sanitizers find nothing, and whatever
// the engine hands out is something the receivers can trust (field counts and
// field contents as the request table gives them by kind, bounded field
// lengths, progress within 0..100). Bytes also come through the port's read
// path, which keeps at most a few KiB while the queue is empty: the kept bytes
// never exceed that bound, a waiting request takes them all, and what arrives
// on the line is taken from it at once (in slices while a request waits).
//
// Everything runs in memory: the engine talks to a line the harness plays
// and keeps time on a clock that moves only when the input says so. A run
// waits for nothing and runs no event loop, and an input always takes the
// same course.
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/parser.h"
#include "protocol/requestkinds.h"
#include "tools/devsim/manualclock.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// The serial line as the harness plays it: open, requests written to it go
// nowhere, bytes put on it wait there until the engine reads them.
class ScriptedLine : public Line
{
public:
    bool open(const QString &) override
    {
        opened = true;
        return true;
    }
    void close() override
    {
        opened = false;
        input.clear();
    }
    bool isOpen() const override { return opened; }
    QSerialPort::SerialPortError openError() const override { return QSerialPort::NoError; }
    QString openErrorString() const override { return QString(); }

    void write(const QByteArray &) override {}
    QByteArray read(qint64 maxSize) override
    {
        const QByteArray bytes = input.left(int(qMin<qint64>(maxSize, input.size())));
        input.remove(0, bytes.size());
        return bytes;
    }
    qint64 bytesAvailable() const override { return input.size(); }
    void skip(qint64 count) override { input.remove(0, int(qMin<qint64>(count, input.size()))); }
    void clearInput() override { input.clear(); }

    // Bytes arrive; the line says so, as the port does.
    void arrive(const QByteArray &bytes)
    {
        input.append(bytes);
        emit readyRead();
    }

private:
    bool opened = false;
    QByteArray input;
};

// A new engine for every run, with the line open and the clock standing
// still at its start.
struct Rig
{
    ManualClock clock;
    ScriptedLine line;
    Data data;
    Exchange engine{nullptr, &data};

    Rig()
    {
        line.open(QString());
        engine.setClock(&clock);
        engine.setLine(&line);
    }
};

// A chunk of received bytes. Now and then a long one: the chunk repeated to
// a chunk's length past `bound`.
QByteArray nextChunk(FuzzedDataProvider &in, size_t bound)
{
    std::string chunk = in.ConsumeRandomLengthString(96);
    if (!chunk.empty() && in.remaining_bytes() > 0 && in.ConsumeIntegralInRange<int>(0, 7) == 0) {
        const size_t length = bound + chunk.size();
        while (chunk.size() < length)
            chunk += chunk;
        chunk.resize(length);
    }
    return QByteArray(chunk.data(), int(chunk.size()));
}

// Whether `kept` is the newest KeptLimit bytes of `before` followed by
// `bytes` (compared in place: joining them would cost a copy of up to 8 KiB
// on every chunk taken while the queue is empty).
bool newestKept(const QByteArray &kept, const QByteArray &before, const QByteArray &bytes)
{
    const int newest = qMin(before.size() + bytes.size(), int(Exchange::KeptLimit));
    if (kept.size() != newest)
        return false;
    const int fromBytes = qMin(newest, bytes.size());
    const int fromBefore = newest - fromBytes;
    return std::memcmp(kept.constData(), before.constData() + before.size() - fromBefore,
                       size_t(fromBefore)) == 0 &&
           std::memcmp(kept.constData() + fromBefore, bytes.constData() + bytes.size() - fromBytes,
                       size_t(fromBytes)) == 0;
}

// A chunk as the port's read path hands it over to the engine. While nothing
// is queued a long one goes past the bound of what is kept; while a request
// waits, past the longest field a reply may have (a waiting request takes
// everything, so the bound plays no part then).
void takeFromPort(Exchange &engine, FuzzedDataProvider &in)
{
    const bool waiting = engine.queueLength() > 0;
    const QByteArray before = engine.keptBytes();
    const QByteArray bytes =
        nextChunk(in, waiting ? 2 * Parser::MaxFieldLength : size_t(Exchange::KeptLimit));
    engine.takeReceived(bytes);
    check(engine.keptBytes().size() <= Exchange::KeptLimit, "kept bytes above the bound");
    if (bytes.isEmpty())
        check(engine.keptBytes() == before, "nothing read, yet the kept bytes changed");
    else if (waiting)
        check(engine.keptBytes().isEmpty(), "a waiting request left bytes kept");
    else
        check(newestKept(engine.keptBytes(), before, bytes), "not the newest bytes kept");
}

// Bytes arriving on the line: the engine reads them when the line says so,
// at most a slice per pass of the event loop while a request waits (the rest
// on the following passes, zero-time steps of the clock here), and empties
// the line at once while nothing waits. Long ones go past the slice.
void arriveOnLine(Rig &rig, FuzzedDataProvider &in)
{
    rig.line.arrive(nextChunk(in, size_t(Exchange::ReadSlice)));
    rig.clock.advance(0);
    check(rig.line.bytesAvailable() == 0, "bytes left on the line");
    check(rig.engine.keptBytes().size() <= Exchange::KeptLimit, "kept bytes above the bound");
}

// A parser of a kind the input picks, fed the chunks. The parsers (one per
// kind) outlive the run: the one picked starts it with the reply template and
// mask of a new request and a fresh scan, as a parser does whenever its
// request goes out.
void fuzzParser(FuzzedDataProvider &in)
{
    static ManualClock clock;
    static Exchange catalogue(nullptr, nullptr); // a new engine's records
    static QList<Parser *> parsers;
    if (parsers.isEmpty()) {
        for (const RequestKinds::Row &row : RequestKinds::all()) {
            if (row.name) // else a value that names no kind
                parsers << new Parser(&catalogue, catalogue.makeParserParam(row.type), &clock);
        }
    }
    Parser *parser = parsers.at(in.ConsumeIntegralInRange<int>(0, parsers.size() - 1));
    const ParserParam param =
        catalogue.makeParserParam(parser->type(), in.ConsumeBytesAsString(3).c_str());
    parser->setAnswer(param.answer);
    parser->setMask(param.mask);
    parser->send(); // a fresh scan
    while (in.remaining_bytes() > 0) {
        const std::string chunk = in.ConsumeRandomLengthString(64);
        QByteArrayList out;
        if (parser->parse(QByteArray(chunk.data(), int(chunk.size())), out)) {
            checkFields(out, param.mask.size());
            check(parser->done(), "completed without done");
        }
    }
}

void fuzzEngine(Rig &rig, FuzzedDataProvider &in)
{
    Exchange &engine = rig.engine;
    // Receivers that act the way the main window and the panels may: answer
    // the question with No, or start another operation from inside a signal.
    // They go with the run.
    QObject receivers;
    QObject::connect(
        &engine, &Exchange::sgGetSetting, &receivers, [&](TypeParser type, QByteArrayList f) {
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
    QObject::connect(&engine, &Exchange::sgError, &receivers, [&](QByteArray) {
        // The question is modal, and the event loop goes on while it is
        // open: bytes arriving meanwhile go to a request that has already
        // failed, and whatever was deleted from the event loop (the serial
        // line the engine made for itself) goes there and then.
        if (in.remaining_bytes() > 0 && in.ConsumeBool())
            takeFromPort(engine, in);
        if (in.remaining_bytes() > 0 && in.ConsumeBool())
            engine.clearParsers();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    });
    QObject::connect(&engine, &Exchange::sgSetProgres, &receivers,
                     [](quint8 percent) { check(percent <= 100, "progress above 100"); });

    engine.setVariant(in.ConsumeIntegralInRange<quint8>(0, 3));
    engine.setTransmitter(in.ConsumeBool());
    // Every operation queues up to 60 requests. A handful of operations per
    // run covers the interleavings (one started while another runs, or from
    // inside a signal); more would only make the runs slower.
    int steps = 0;
    int operations = 0;
    while (in.remaining_bytes() > 0 && ++steps < 512) {
        int action = in.ConsumeIntegralInRange<int>(0, 15);
        if (action <= 6 && ++operations > 3)
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
            takeFromPort(engine, in);
            break;
        case 11:
            arriveOnLine(rig, in);
            break;
        case 15:
            // Time passes: the head repeats its request or gives up on its
            // own timer, and the requests after it start.
            rig.clock.advance(in.ConsumeIntegralInRange<int>(0, 2500));
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
    // No event loop ever runs here. Qt's own event dispatcher, unlike the
    // GLib one, signals a pending event once rather than with a system call
    // for every parser the engine lets go of.
    qputenv("QT_NO_GLIB", "1");
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider in(bytes, size);
    if (in.ConsumeBool()) {
        fuzzParser(in);
        return 0;
    }
    {
        Rig rig;
        fuzzEngine(rig, in);
        // The serial line the engine made for itself is deleted from the
        // event loop: here, along with anything else a run left for it.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // A pass for deferred deletes alone leaves an empty entry behind for
        // every event it delivered, and the next such pass walks them all
        // again; a pass over everything drops them.
        QCoreApplication::sendPostedEvents();
    }
    return 0;
}
