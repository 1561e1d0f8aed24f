// The exchange engine's own serial port on a real pseudo-terminal, in real
// time: only what concerns the line itself (stale input, a hang-up, a flood);
// the engine's logic is tested in memory (tst_exchange, tst_defaults).

#include "ptysession.h"

#include <QSerialPort>

class TestExchangePty : public QObject
{
    Q_OBJECT

private slots:
    void connectAndRead();
    void portLostWhileAsking();
    void idleNoiseGrowsUnbounded();
};

void TestExchangePty::connectAndRead()
{
    PtySession s;
    s.device.faults().pace = true;
    QVERIFY(s.device.open());
    // A stale identity reply in the line before the port opens is not the device's answer.
    s.device.inject("firmware=STALE,pp=OLD\r");
    QTest::qWait(100);
    QVERIFY(s.engine.openPort(s.device.slavePath()));
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    checkFullRead(s, s.device.requests(), s.model);
}

// The adapter hangs up while a question is open (a modal loop): the port is
// lost, the queue dropped; a gone adapter then fails to open and queues nothing.
void TestExchangePty::portLostWhileAsking()
{
    PtySession s;
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    s.forget();
    s.device.faults().rules = {{"ATS206?", -1, -1}};
    s.onError = [&](const QByteArray &) {
        s.device.hangUp();
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        s.engine.getValue();
    };
    s.engine.readSettings();
    QTRY_COMPARE_WITH_TIMEOUT(s.portLost.size(), 1, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    QVERIFY(!s.engine.isOpen());
    QCOMPARE(s.progress.mid(s.progress.size() - 2), (QList<quint8>{0, 100}));

    // (The hung-up terminal's number is free for others at once: a name nothing takes.)
    s.forget();
    QVERIFY(!s.engine.openPort(QDir::current().filePath("ttyGone")));
    QCOMPARE(s.engine.openError(), QSerialPort::DeviceNotFoundError);
    QCOMPARE(s.engine.queueLength(), 0);
    QVERIFY(s.progress.isEmpty());
}

// A megabyte of noise while nothing is queued: only the newest KeptLimit bytes
// wait, in the engine and its port (what they complete: tst_exchange).
void TestExchangePty::idleNoiseGrowsUnbounded()
{
    PtySession s;
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    auto *port = s.engine.findChild<QSerialPort *>();
    QVERIFY(port);
    const QByteArray start = "\ran1=4000,an2=";
    const int pieces = 16, pieceSize = 64 * 1024;
    const quint64 sentBefore = s.device.sentBytes();
    for (int i = 0; i < pieces; ++i)
        s.device.inject(noise(pieceSize, quint32(i)), true);
    s.device.inject(start, true);
    const quint64 flood = quint64(pieces) * pieceSize + quint64(start.size());
    QTRY_COMPARE_WITH_TIMEOUT(s.device.sentBytes() - sentBefore, flood, 60000);
    QTest::qWait(100);
    const qint64 waiting = port->bytesAvailable() + s.engine.keptBytes().size();
    QVERIFY2(waiting <= Exchange::KeptLimit, qPrintable(QString::number(waiting)));
    const QByteArray tail = (noise(pieceSize, pieces - 1) + start).right(Exchange::KeptLimit);
    QTRY_COMPARE_WITH_TIMEOUT(s.engine.keptBytes(), tail, 30000);

    // What was kept goes with the connection.
    QVERIFY(!s.engine.openPort(s.device.slavePath()));
    QVERIFY(s.engine.keptBytes().isEmpty());
}

QTEST_GUILESS_MAIN(TestExchangePty)
#include "tst_exchangepty.moc"
