#include "app/recordroutes.h"

#include "app/settingrouter.h"
#include "editors/w_radio.h"
#include "protocol/averagingbyte.h"
#include "protocol/devicesettings.h"
#include "protocol/logging.h"
#include "protocol/pollsettingsbyte.h"
#include "protocol/serialtimeout.h"
#include "protocol/settingsfields.h"

void RecordRoutes::addTo(SettingRouter &router, DeviceSettings &s, W_Radio *radio)
{
    auto route = [&router](const char *key, SettingRouter::Handler handler) {
        router.add(QLatin1String(key), std::move(handler));
    };
    auto field = [&route, &s](const char *key, quint8 DeviceSettings::*f) {
        route(key, [&s, f](int val) { s.*f = quint8(val); });
    };
    // One output option bit of the poll settings byte.
    auto option = [&route, &s](const char *key, quint8 flag) {
        route(key, [&s, flag](int val) {
            s.numOfDown = PollSettingsByte::withOption(s.numOfDown, flag, val >= 1);
            qCDebug(lcWindow) << "name" << s.numOfDown;
        });
    };
    using P = PollSettingsByte;

    // A plain field of the settings table takes the value of its editor
    // as it is. No parameter name begins with another's, so the order of
    // the routes changes nothing.
    for (const SettingsField &f : SettingsFields::all()) {
        const bool special =
            f.byte == &DeviceSettings::serialRate || f.byte == &DeviceSettings::delRequest;
        if (f.editor && f.byte && f.encoding == SettingsField::Plain && !special)
            field(f.editor, f.byte);
    }
    route("Serial Data Rate", [&s, radio](int val) {
        // A new serial rate starts from the module's smallest time-out.
        s.serialRate = quint8(val);
        radio->setSerialRate(quint8(val));
        s.serialTimeout = SerialTimeout::minSerialTimeout(val);
        radio->setValue(QStringLiteral("Serial Timeout"), s.serialTimeout);
    });
    route("Requests period", [&s](int val) {
        s.delRequest = quint8(val);
        qCDebug(lcWindow) << "data->delRequest" << s.delRequest;
    });
    route("Num of down", [&s](int val) {
        s.numOfDown = P::withDownCount(s.numOfDown, quint8(val));
        qCDebug(lcWindow) << "Num of down" << s.numOfDown;
    });
    option("Out 4-20", P::Out1OnLinkLoss);
    option("Out D1 Discret", P::Out1OnLinkLoss);
    option("Out D2 Discret", P::Out2OnLinkLoss);
    option("Out D Discret", P::Out2OnLinkLoss);
    option("Out1 inversion", P::Out1Inverted);
    option("Out2 inversion", P::Out2Inverted);
    route("Averaging1",
          [&s](int val) { s.averaging1 = AveragingByte::withInterval(s.averaging1, quint8(val)); });
    route("TypeAveraging1",
          [&s](int val) { s.averaging1 = AveragingByte::withKind(s.averaging1, quint8(val)); });
    route("Averaging2",
          [&s](int val) { s.averaging2 = AveragingByte::withInterval(s.averaging2, quint8(val)); });
    route("TypeAveraging2",
          [&s](int val) { s.averaging2 = AveragingByte::withKind(s.averaging2, quint8(val)); });
    // The device stores flow control the other way round, as 0 or 2.
    route("Flow control", [&s](int val) { s.flowControl = val == 0 ? 2 : 0; });
}
