// Feeds arbitrary replies, cut into arbitrary chunks, through the exchange
// engine's receive path for the read sequences of every firmware variant, and
// decodes what the engine reports into a settings record as the window does;
// arbitrary field lists also go to the decoder directly, for every reply kind.
// Checked on every run: the sanitizers find nothing, a reply changes only the
// record fields its kind carries, and every record decoded saves to a settings
// file that loads back the same.
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/replydecoder.h"
#include "session/settingsfile.h"

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

const char *const hardwares[] = {"RLX-31868-4-20 receiver", "RLX-31868-4-20-D receiver",
                                 "RLX-31868-DD receiver", "RLX-31868-Vela-485",
                                 "RLX-31868-AD transmitter"};

// The record with every field a reply of `type` may carry put back as it was
// in `before`: what is left must be `before` itself.
DeviceSettings withoutFieldsOf(TypeParser type, quint8 variant, DeviceSettings s,
                               const DeviceSettings &before)
{
    switch (type) {
    case ReadConfig:
        s.testAdres = before.testAdres;
        s.serialRate = before.serialRate;
        s.delRxTx = before.delRxTx;
        s.delTxRx = before.delTxRx;
        s.parity = before.parity;
        s.radioTransmitReset = before.radioTransmitReset;
        s.wdtReset = before.wdtReset;
        s.stopBit = before.stopBit;
        s.adreses = before.adreses;
        if (variant == 1 || variant == 2)
            s.delRequest = before.delRequest;
        if (variant == 2) {
            s.numOfDown = before.numOfDown;
            s.radioModuleReset = before.radioModuleReset;
        }
        break;
    case ReadS206:
        s.subBand = before.subBand;
        break;
    case ReadS201:
        s.radioRate = before.radioRate;
        break;
    case ReadS200:
        s.chanel = before.chanel;
        break;
    case ReadS202:
        s.power = before.power;
        break;
    case ReadS214:
        s.serialTimeout = before.serialTimeout;
        break;
    case ReadS216:
        s.flowControl = before.flowControl;
        break;
    case ReadAveraging:
        s.averaging1 = before.averaging1;
        s.averaging2 = before.averaging2;
        s.diskret1 = before.diskret1;
        s.diskret2 = before.diskret2;
        break;
    default:
        break;
    }
    return s;
}

bool same(const DeviceSettings &a, const DeviceSettings &b)
{
    return SettingsFile::toBytes(a) == SettingsFile::toBytes(b) && a.adreses == b.adreses;
}

void decode(TypeParser type, const QByteArrayList &fields, quint8 variant, const QString &hardware,
            DeviceSettings &record)
{
    const DeviceSettings before = record;
    const bool carries = ReplyDecoder::apply(type, fields, variant, hardware, record);
    check(same(withoutFieldsOf(type, variant, record, before), before),
          "a reply changed a field its kind does not carry");
    check(carries || same(record, before), "a reply without settings changed the record");
    if (type == ReadConfig && hardware.contains(QLatin1String("RLX-31868-4-20")))
        check(record.adreses == QLatin1String("00000001"), "a 4-20 model polls address 1");
    if (type == ReadS216)
        check(record.flowControl == 0 || record.flowControl == 2, "flow control is 0 or 2");
    DeviceSettings reloaded;
    check(SettingsFile::fromBytes(SettingsFile::toBytes(record), reloaded) &&
              same(reloaded, record),
          "a decoded record saves and loads back the same");
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
    const quint8 variant = in.ConsumeIntegralInRange<quint8>(0, 3);
    const QString hardware = QLatin1String(hardwares[in.ConsumeIntegralInRange<int>(0, 4)]);
    Data data;
    DeviceSettings &record = data.settings;

    if (in.ConsumeBool()) {
        // Any field list for any reply kind, straight to the decoder.
        while (in.remaining_bytes() > 0) {
            const auto type = TypeParser(in.ConsumeIntegralInRange<int>(0, 31));
            QByteArrayList fields;
            for (int n = in.ConsumeIntegralInRange<int>(0, 14); n > 0; --n)
                fields << QByteArray::fromStdString(in.ConsumeRandomLengthString(24));
            decode(type, fields, variant, hardware, record);
        }
        return 0;
    }

    // Replies on the line, through the engine, as the window receives them.
    {
        Exchange engine(nullptr, &data);
        engine.setVariant(variant);
        QObject::connect(&engine, &Exchange::sgGetSetting,
                         [&](TypeParser type, const QByteArrayList &fields) {
                             decode(type, fields, variant, hardware, record);
                         });
        engine.readSettings();
        int steps = 0;
        while (in.remaining_bytes() > 0 && ++steps < 256) {
            switch (in.ConsumeIntegralInRange<int>(0, 7)) {
            case 0:
                engine.slTimeout();
                break;
            case 1:
                if (engine.queueLength() == 0)
                    in.ConsumeBool() ? engine.readSettings() : engine.getValue();
                break;
            default: {
                const std::string chunk = in.ConsumeRandomLengthString(96);
                engine.receive(QByteArray(chunk.data(), int(chunk.size())));
                break;
            }
            }
        }
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
