#include "tools/devsim/modelline.h"

#include "protocol/clock.h"
#include "tools/devsim/devicemodel.h"

namespace {

// After the last answer of a line that is about to go, time for the engine
// to read it, as on the pseudo-terminal.
constexpr int HangUpDrainMs = 50;

} // namespace

ModelLine::ModelLine(DeviceModel *model, Clock *c, QObject *parent)
    : Line(parent), dev(model), clock(c)
{
}

bool ModelLine::open(const QString &)
{
    lastOpenError = failure;
    lastOpenErrorString = failureText;
    if (failure != QSerialPort::NoError)
        return false;
    if (opened)
        return true;
    opened = true;
    ++connection;
    return true;
}

void ModelLine::close()
{
    opened = false;
}

void ModelLine::setOpenFailure(QSerialPort::SerialPortError error, const QString &text)
{
    failure = error;
    failureText = text;
}

QList<QByteArray> ModelLine::requests() const
{
    QList<QByteArray> list;
    for (const PtyDevice::Record &r : history)
        list.append(r.request);
    return list;
}

void ModelLine::write(const QByteArray &bytes)
{
    if (!opened)
        return;
    const QList<DeviceModel::Reply> replies = dev->feed(bytes, clock->nowMs());
    for (const DeviceModel::Reply &r : replies)
        serve(r);
}

void ModelLine::serve(const DeviceModel::Reply &r)
{
    ++served;
    qint64 delay = f.replyDelayMs + r.delayMs;
    QString note;
    const bool answered = f.takeRule(r.request, &delay, &note) && !r.reply.isEmpty();

    PtyDevice::Record rec;
    rec.ms = clock->nowMs();
    rec.ns = rec.ms * 1000000;
    rec.serial = quint64(served);
    rec.request = r.request;
    rec.reply = r.reply;
    rec.answered = answered;
    history.append(rec);

    qint64 end = 0;
    if (answered) {
        const QList<QByteArray> pieces = f.pieces(r.reply, random);
        for (int i = 0; i < pieces.size(); ++i) {
            end = delay + qint64(i) * f.chunkPauseMs;
            arrive(pieces.at(i), int(end));
        }
    }
    emit sgRequest(r.request);
    if (f.hangUpAfter > 0 && served == f.hangUpAfter) {
        const quint64 on = connection;
        clock->singleShot(int(end) + HangUpDrainMs, this, [this, on] {
            if (on == connection)
                hangUp();
        });
    }
}

void ModelLine::arrive(const QByteArray &bytes, int afterMs)
{
    const quint64 on = connection;
    clock->singleShot(afterMs, this, [this, on, bytes] {
        if (!opened || on != connection)
            return;
        input.append(bytes);
        emit readyRead();
    });
}

// Unlike an answer, injected bytes wait in the line while it is closed, as
// in an adapter's buffer, until an opening clears them or a read takes them.
void ModelLine::inject(const QByteArray &bytes, int afterMs)
{
    clock->singleShot(afterMs, this, [this, bytes] {
        input.append(bytes);
        if (opened)
            emit readyRead();
    });
}

QByteArray ModelLine::read(qint64 maxSize)
{
    const QByteArray bytes = input.left(int(qMin<qint64>(maxSize, input.size())));
    input.remove(0, bytes.size());
    return bytes;
}

void ModelLine::hangUp(const QString &reason)
{
    if (!opened)
        return;
    opened = false;
    input.clear();
    ++connection;
    emit lost(reason);
}
