#include "session/settingsjson.h"

#include "protocol/settingsfields.h"
#include "session/inputfile.h"
#include "session/outputfile.h"
#include "session/settingsfile.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>

namespace {

// A JSON value as it stands in the file, for a message.
QString shown(const QJsonValue &v)
{
    const QByteArray array = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

} // namespace

QJsonObject SettingsJson::toJson(const DeviceSettings &settings)
{
    QJsonObject o;
    for (const SettingsField &f : SettingsFields::all()) {
        if (f.isText()) {
            const QString &text = settings.*f.text;
            o.insert(QLatin1String(f.name), text.isNull() ? QJsonValue() : QJsonValue(text));
        } else {
            o.insert(QLatin1String(f.name), int(settings.*f.byte));
        }
    }
    return o;
}

bool SettingsJson::fromJson(const QJsonObject &object, DeviceSettings &settings, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (object.value(QLatin1String("settings")).isObject())
        return fromJson(object.value(QLatin1String("settings")).toObject(), settings, error);

    for (auto it = object.begin(); it != object.end(); ++it)
        if (!SettingsFields::byName(it.key()))
            return fail(
                QCoreApplication::translate("SettingsJson", "unknown field \"%1\"").arg(it.key()));

    DeviceSettings s = settings;
    for (const SettingsField &f : SettingsFields::all()) {
        const QString name = QLatin1String(f.name);
        if (!object.contains(name))
            return fail(
                QCoreApplication::translate("SettingsJson", "field \"%1\" is missing").arg(name));
        const QJsonValue v = object.value(name);
        if (f.isText()) {
            if (v.isNull())
                s.*f.text = QString();
            else if (v.isString())
                s.*f.text = v.toString();
            else
                return fail(QCoreApplication::translate("SettingsJson",
                                                        "field \"%1\" must be a string or null")
                                .arg(name));
            continue;
        }
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d != std::floor(d) || d < 0 || d > 255)
            return fail(
                QCoreApplication::translate(
                    "SettingsJson", "field \"%1\" must be a whole number from 0 to 255, not %2")
                    .arg(name, shown(v)));
        s.*f.byte = quint8(d);
    }
    settings = s;
    return true;
}

bool SettingsJson::isJsonName(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".json"), Qt::CaseInsensitive);
}

bool SettingsJson::load(const QString &fileName, DeviceSettings &settings, QString *error)
{
    const bool fromStandardInput = fileName == QLatin1String("-");
    if (!fromStandardInput && !isJsonName(fileName))
        return SettingsFile::load(fileName, settings, error);
    QByteArray bytes;
    const bool read = fromStandardInput ? InputFile::readStandardInput(MaxJsonSize, &bytes, error)
                                        : InputFile::read(fileName, MaxJsonSize, &bytes, error);
    return read && fromBytes(bytes, true, settings, error);
}

bool SettingsJson::fromBytes(const QByteArray &bytes, bool json, DeviceSettings &settings,
                             QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!json)
        return SettingsFile::fromBytes(bytes, settings)
                   ? true
                   : fail(QCoreApplication::translate(
                         "SettingsJson", "not a settings file: damaged, incomplete or too large"));
    if (bytes.size() > MaxJsonSize)
        return fail(QCoreApplication::translate("SettingsJson", "too large for a settings record"));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parseError);
    if (doc.isNull())
        return fail(QCoreApplication::translate("SettingsJson", "not JSON: %1 at offset %2")
                        .arg(parseError.errorString(), QString::number(parseError.offset)));
    if (!doc.isObject())
        return fail(QCoreApplication::translate("SettingsJson", "not a JSON object"));
    return fromJson(doc.object(), settings, error);
}

bool SettingsJson::save(const QString &fileName, const DeviceSettings &settings, QString *error)
{
    if (!isJsonName(fileName))
        return SettingsFile::save(fileName, settings, error);
    return OutputFile::write(fileName, text(settings), error);
}

QByteArray SettingsJson::text(const DeviceSettings &settings)
{
    return QJsonDocument(toJson(settings)).toJson(QJsonDocument::Indented);
}
