// The virtual device's pseudo-terminal line and the engine's serial port on it, in real time: only
// the line itself (the engine's logic: tst_exchange; a port that cannot be opened: tst_mainwindow).

#include "tests/enginesession.h"
#include "tools/devsim/ptydevice.h"

#include <QSerialPort>

class TestExchangePty : public QObject
{
    Q_OBJECT

private slots:
    void realLine();
};

void TestExchangePty::realLine()
{
    DeviceModel model;
    PtyDevice device{&model};
    QVERIFY2(device.open(), qPrintable(device.errorString()));
    // As a serial port sees them, the line faults other tests would pass unnoticed if they did
    // nothing: injected bytes, and the identity paced and in pieces (every byte value: the flood).
    const QByteArray identity = "firmware=Aug  4 2022,pp=RLX-31868-4-20-D receiver\r";
    QByteArray got;
    QSerialPort port(device.slavePath());
    QVERIFY(port.open(QIODevice::ReadWrite));
    connect(&port, &QIODevice::readyRead, &port, [&] { got += port.readAll(); });
    // What has come once `size` bytes have, or 30 s have passed.
    auto receive = [&](int size) {
        (void)QTest::qWaitFor([&] { return got.size() >= size; }, 30000);
        return std::exchange(got, QByteArray());
    };
    device.inject("xyz");
    port.write("$2");
    QCOMPARE(receive(3 + identity.size()), "xyz" + identity);
    // In 10 pieces of 5 the identity takes at least 9 pauses of 25 ms; paced at 9600 baud, 52 ms.
    QElapsedTimer clock;
    device.faults().chunkSize = 5;
    device.faults().chunkPauseMs = 25;
    for (const qint64 least : {215, 50}) {
        clock.restart();
        port.write("$2");
        QCOMPARE(receive(identity.size()), identity);
        QVERIFY2(clock.elapsed() >= least, qPrintable(QString::number(clock.elapsed())));
        device.faults() = PtyDevice::Faults();
        device.faults().pace = true;
    }
    port.close();
    device.clearRecords();

    // The engine's port, paced: a stale identity reply in the line before it opens is not the
    // device's answer.
    Data data;
    Exchange engine{nullptr, &data};
    EngineLog s; // ends first, and with it what the engine reports to it
    s.watch(engine);
    device.inject("firmware=STALE,pp=OLD\r");
    QTest::qWait(100);
    QVERIFY(engine.openPort(device.slavePath()));
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(engine), 30000);
    QCOMPARE(device.requests(), Bytes{"$2"} + readAll);
    QVERIFY(s.errors.isEmpty() && s.replies.size() == 10);
    device.faults().pace = false;

    // A megabyte of noise, nothing queued: only the newest KeptLimit bytes wait, engine and port.
    auto *enginePort = engine.findChild<QSerialPort *>();
    QVERIFY(enginePort);
    const QByteArray flood = noise(1 << 20, 1) + "\ran1=4000,an2=";
    const quint64 sentBefore = device.sentBytes();
    device.inject(flood, true);
    QTRY_COMPARE_WITH_TIMEOUT(device.sentBytes() - sentBefore, quint64(flood.size()), 60000);
    QTest::qWait(100);
    const qint64 waiting = enginePort->bytesAvailable() + engine.keptBytes().size();
    QVERIFY2(waiting <= Exchange::KeptLimit, qPrintable(QString::number(waiting)));
    QTRY_COMPARE_WITH_TIMEOUT(engine.keptBytes(), flood.right(Exchange::KeptLimit), 30000);
    // What was kept goes with the connection.
    QVERIFY(!engine.openPort(device.slavePath()));
    QVERIFY(engine.keptBytes().isEmpty());
}

QTEST_GUILESS_MAIN(TestExchangePty)
#include "tst_exchangepty.moc"
