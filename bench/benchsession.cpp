#include "bench/benchsession.h"

#include "protocol/exchange.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

BenchSession::BenchSession(bool pace) : line(new PtyDevice(&model))
{
    model.setHardware("RLX-31868-Vela-485");
    model.setFirmware("Aug  4 2022");
    line->faults().pace = pace;
    line->moveToThread(&deviceThread);
    deviceThread.start();
    bool open = false;
    QString error;
    onDevice([&] {
        open = line->open();
        error = line->errorString();
    });
    if (!open)
        qFatal("pseudo-terminal: %s", qPrintable(error));
    w.show();
}

BenchSession::~BenchSession()
{
    onDevice([this] { delete line; });
    deviceThread.quit();
    deviceThread.wait();
}

QList<PtyDevice::Record> BenchSession::records()
{
    QList<PtyDevice::Record> list;
    onDevice([&] { list = line->records(); });
    return list;
}

bool BenchSession::idle()
{
    return w.exchange()->queueLength() == 0 && w.findChild<QProgressBar *>()->value() == 100;
}

void BenchSession::connect()
{
    auto *ports = w.findChild<QComboBox *>("PortName");
    ports->addItem(line->slavePath());
    ports->setCurrentIndex(ports->findText(line->slavePath()));
    w.findChild<QPushButton *>("pbOpen")->click();
}
