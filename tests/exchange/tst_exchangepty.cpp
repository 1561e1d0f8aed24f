// The exchange engine's own serial port on a real pseudo-terminal, in real
// time: only what concerns the line itself (stale input, a flood, a gone adapter);
// the engine's logic is tested in memory (tst_exchange).

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
    Data data;
    Exchange engine{nullptr, &data};
    EngineLog s; // ends first, and with it what the engine reports to it
    s.watch(engine);
    auto idle = [&] { return s.idle(engine); };
    device.faults().pace = true;
    QVERIFY(device.open());
    // A stale identity reply in the line before the port opens is not the device's answer.
    device.inject("firmware=STALE,pp=OLD\r");
    QTest::qWait(100);
    QVERIFY(engine.openPort(device.slavePath()));
    QTRY_VERIFY_WITH_TIMEOUT(idle(), 30000);
    QCOMPARE(device.requests(), Bytes{"$2"} + readAll);
    QVERIFY(s.errors.isEmpty() && s.replies.size() == 10);
    device.faults().pace = false;

    // A megabyte of noise while nothing is queued: only the newest KeptLimit bytes
    // wait, in the engine and its port (what they complete: tst_exchange).
    auto *port = engine.findChild<QSerialPort *>();
    QVERIFY(port);
    const QByteArray start = "\ran1=4000,an2=";
    const int pieces = 16, pieceSize = 64 * 1024;
    const quint64 sentBefore = device.sentBytes();
    for (int i = 0; i < pieces; ++i)
        device.inject(noise(pieceSize, quint32(i)), true);
    device.inject(start, true);
    const quint64 flood = quint64(pieces) * pieceSize + quint64(start.size());
    QTRY_COMPARE_WITH_TIMEOUT(device.sentBytes() - sentBefore, flood, 60000);
    QTest::qWait(100);
    const qint64 waiting = port->bytesAvailable() + engine.keptBytes().size();
    QVERIFY2(waiting <= Exchange::KeptLimit, qPrintable(QString::number(waiting)));
    const QByteArray tail = (noise(pieceSize, pieces - 1) + start).right(Exchange::KeptLimit);
    QTRY_COMPARE_WITH_TIMEOUT(engine.keptBytes(), tail, 30000);
    // What was kept goes with the connection.
    QVERIFY(!engine.openPort(device.slavePath()));
    QVERIFY(engine.keptBytes().isEmpty());

    // A gone adapter fails to open and queues nothing (a hang-up while the question is
    // open: tst_faults).
    s.forgetLog();
    QVERIFY(!engine.openPort(QDir::current().filePath("ttyGone")));
    QCOMPARE(engine.openError(), QSerialPort::DeviceNotFoundError);
    QCOMPARE(engine.queueLength(), 0);
    QVERIFY(s.progress.isEmpty());
}

QTEST_GUILESS_MAIN(TestExchangePty)
#include "tst_exchangepty.moc"
