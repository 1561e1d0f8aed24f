#include "protocol/replydecoder.h"

#include "protocol/settingsfields.h"

quint8 ReplyDecoder::decimal(const QByteArray &field)
{
    bool ok = false;
    const uint value = field.toUInt(&ok);
    return ok ? quint8(value) : 0;
}

QString ReplyDecoder::text(const QByteArray &field)
{
    const int end = field.indexOf('\0');
    return QString::fromLatin1(end < 0 ? field : field.left(end));
}

ReplyDecoder::Decoded ReplyDecoder::decode(TypeParser type, const QByteArrayList &f, quint8 variant,
                                           const QString &hardware, DeviceSettings &s)
{
    Decoded d;
    const QList<const SettingsField *> carried = SettingsFields::carriedBy(type, variant);
    d.settings = !carried.isEmpty();
    for (const SettingsField *field : carried) {
        const QByteArray raw = f.value(field->replyField);
        switch (field->encoding) {
        case SettingsField::AddressList:
            if (!field->verifiable(variant, hardware)) {
                s.*field->text = QStringLiteral("00000001");
                continue;
            }
            s.*field->text = text(raw);
            break;
        case SettingsField::FlowControl:
            // The module reports flow control on or off; the record keeps it
            // as the configuration write sends it, 2 or 0.
            s.*field->byte = decimal(raw) != 0 ? 2 : 0;
            break;
        default:
            s.*field->byte = decimal(raw);
            break;
        }
        (field->wellFormed(raw) ? d.confirmed : d.damaged) << field;
    }
    return d;
}
