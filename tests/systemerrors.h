#pragma once

// Finds the system's own error texts in a message meant for the user:
// "Inappropriate ioctl for device" or "Input/output error" tell a service
// engineer nothing, and neither does Qt's "Unknown error".

#include <QString>

#include <cstring>

// The first system error text the message holds, or an empty string.
inline QString systemErrorIn(const QString &message)
{
    for (int code = 1; code < 134; ++code) {
        const QString text = QString::fromLocal8Bit(std::strerror(code));
        if (message.contains(text, Qt::CaseInsensitive))
            return text;
    }
    if (message.contains(QLatin1String("Unknown error"), Qt::CaseInsensitive))
        return QStringLiteral("Unknown error");
    return QString();
}
