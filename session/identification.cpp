#include "session/identification.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>

Identification::Identification(const QString &text) : hardware(text)
{
    const bool receiver = hardware.contains(QLatin1String("RLX-31868-4-20 receiver")) ||
                          hardware.contains(QLatin1String("RLX-31868-4-20-D receiver")) ||
                          hardware.contains(QLatin1String("RLX-31868-DD receiver"));
    if (receiver) {
        // Later, longer names override the earlier match.
        deviceModel = Receiver420;
        if (hardware.contains(QLatin1String("RLX-31868-4-20")))
            deviceModel = Receiver420;
        if (hardware.contains(QLatin1String("RLX-31868-4-20-D")))
            deviceModel = Receiver420D;
        if (hardware.contains(QLatin1String("RLX-31868-DD")))
            deviceModel = ReceiverDD;
    } else if (hardware.contains(QLatin1String("RLX-31868-Vela-485"))) {
        deviceModel = Rs485;
    } else {
        deviceModel = TransmitterWithInputs;
    }
}

bool Identification::isTransmitter() const
{
    return deviceModel == TransmitterWithInputs || hardware.contains(QLatin1String("transmitter"));
}

quint8 Identification::outType(quint8 current) const
{
    quint8 kind = current;
    if (hardware.indexOf(QLatin1String("AA")) > 0)
        kind = 0;
    if (hardware.indexOf(QLatin1String("AD")) > 0)
        kind = 1;
    if (hardware.indexOf(QLatin1String("DD")) > 0)
        kind = 2;
    return kind;
}

QString Identification::digitalDate(const QString &firmware)
{
    static const QStringList months = {"Jan",  "Feb", "Mar", "Apr", "May", "Jun",
                                       "July", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QString date = firmware;
    date.replace(QLatin1String("  "), QLatin1String(" "));
    for (int i = 0; i < months.size(); ++i)
        date.replace(months.at(i), QString::number(i + 1));
    return date;
}

quint8 Identification::firmwareVariant(const QString &firmware)
{
    const QString format = QStringLiteral("M d yyyy");
    const QDateTime built = QDateTime::fromString(digitalDate(firmware), format);
    const QDateTime first = QDateTime::fromString(QStringLiteral("8 1 2021"), format);
    const QDateTime second = QDateTime::fromString(QStringLiteral("8 3 2022"), format);
    if (!built.isValid())
        return 0;
    const qint64 seconds = built.toSecsSinceEpoch();
    if (seconds > second.toSecsSinceEpoch())
        return 2;
    if (seconds > first.toSecsSinceEpoch())
        return 1;
    return 0;
}

bool Identification::plausibleFirmware(const QString &firmware)
{
    static const QRegularExpression date(
        QStringLiteral("^(Jan|Feb|Mar|Apr|May|Jun|July?|Aug|Sep|Oct|Nov|Dec) ( [1-9]|[1-3][0-9]) "
                       "(20[0-9][0-9])$"));
    static const QStringList months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QRegularExpressionMatch m = date.match(firmware);
    if (!m.hasMatch())
        return false;
    const int month = months.indexOf(m.captured(1).left(3)) + 1;
    return QDate(m.captured(3).toInt(), month, m.captured(2).trimmed().toInt()).isValid();
}

bool Identification::plausibleHardware(const QString &hardware)
{
    static const QRegularExpression text(QStringLiteral("^[A-Za-z][A-Za-z0-9 ./_-]{0,63}$"));
    return text.match(hardware).hasMatch();
}
