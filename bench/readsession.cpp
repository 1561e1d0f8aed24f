#include "bench/readsession.h"

#include "bench/benchtools.h"
#include "session/identification.h"

ReadSession::ReadSession(const QElapsedTimer &clock) : line(new PtyDevice(&model))
{
    model.setHardware("RLX-31868-Vela-485");
    model.setFirmware("Aug  4 2022");
    line->faults().pace = true;
    line->moveToThread(&thread);
    thread.start();
    bool open = false;
    QString error;
    QMetaObject::invokeMethod(
        line,
        [&] {
            open = line->open();
            error = line->errorString();
        },
        Qt::BlockingQueuedConnection);
    if (!open)
        qFatal("pseudo-terminal: %s", qPrintable(error));
    QObject::connect(
        &engine, &Exchange::sgGetSetting, [this](TypeParser type, const QByteArrayList &fields) {
            if (type != ReadIdentity || fields.size() != 2)
                return;
            const QString hardware = QString::fromLatin1(fields.at(1));
            engine.setVariant(Identification::firmwareVariant(QString::fromLatin1(fields.at(0))));
            engine.setTransmitter(Identification(hardware).isTransmitter());
        });
    QObject::connect(&engine, &Exchange::sgSetProgres, [this, &clock](quint8 percent) {
        if (percent == 100 && engine.queueLength() == 0 && doneNs < 0)
            doneNs = clock.nsecsElapsed();
    });
    QObject::connect(&engine, &Exchange::sgGaveUp, [this] { ++gaveUp; });
}

ReadSession::~ReadSession()
{
    QMetaObject::invokeMethod(
        line, [this] { delete line; }, Qt::BlockingQueuedConnection);
    thread.quit();
    thread.wait();
}

double ReadSession::floorMs()
{
    QList<PtyDevice::Record> records;
    QMetaObject::invokeMethod(
        line, [&] { records = line->records(); }, Qt::BlockingQueuedConnection);
    DeviceModel replay;
    replay.setHardware(model.hardware());
    replay.setFirmware(model.firmware());
    qint64 bytes = 0;
    int delays = 0;
    for (const PtyDevice::Record &r : records) {
        bytes += r.request.size() + r.reply.size();
        for (const DeviceModel::Reply &reply : replay.feed(r.request, r.ms))
            delays += reply.delayMs;
    }
    return BenchTools::wireMs(bytes) + delays;
}
