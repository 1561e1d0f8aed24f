#include "cli/settingsjson.h"

#include "protocol/settingsfields.h"
#include "session/settingsfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
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
            return fail(QStringLiteral("unknown field \"%1\"").arg(it.key()));

    DeviceSettings s = settings;
    for (const SettingsField &f : SettingsFields::all()) {
        const QString name = QLatin1String(f.name);
        if (!object.contains(name))
            return fail(QStringLiteral("field \"%1\" is missing").arg(name));
        const QJsonValue v = object.value(name);
        if (f.isText()) {
            if (v.isNull())
                s.*f.text = QString();
            else if (v.isString())
                s.*f.text = v.toString();
            else
                return fail(QStringLiteral("field \"%1\" must be a string or null").arg(name));
            continue;
        }
        const double d = v.toDouble(-1);
        if (!v.isDouble() || d != std::floor(d) || d < 0 || d > 255)
            return fail(QStringLiteral("field \"%1\" must be a whole number from 0 to 255, not %2")
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
    if (!isJsonName(fileName))
        return SettingsFile::load(fileName, settings, error);
    QFile file(fileName);
    if (file.size() > 1024 * 1024) {
        if (error)
            *error = QStringLiteral("too large for a settings record");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull()) {
        if (error)
            *error = QStringLiteral("not JSON: %1 at offset %2")
                         .arg(parseError.errorString())
                         .arg(parseError.offset);
        return false;
    }
    if (!doc.isObject()) {
        if (error)
            *error = QStringLiteral("not a JSON object");
        return false;
    }
    return fromJson(doc.object(), settings, error);
}

bool SettingsJson::save(const QString &fileName, const DeviceSettings &settings, QString *error)
{
    if (!isJsonName(fileName))
        return SettingsFile::save(fileName, settings, error);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(QJsonDocument(toJson(settings)).toJson(QJsonDocument::Indented)) < 0 ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
