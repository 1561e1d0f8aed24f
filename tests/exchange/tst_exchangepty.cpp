// The exchange engine against the virtual device over a real pseudo-terminal
// and in real time: the engine's own serial port opens the device's slave
// side. A few scenarios that keep the line itself honest; the engine's logic
// is tested in memory (tst_exchange, tst_defaults).

#include "ptysession.h"

#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>
#include <QtTest>

namespace {

// Waits like a modal question: the event loop keeps running.
void modalWait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

class TestExchangePty : public QObject
{
    Q_OBJECT

private slots:
    void connectAndRead();
    void retryInterval();
    void portLostWhileAsking();
    void restoreDefaultsSearchesTheRate();
    void idleNoiseGrowsUnbounded();
};

void TestExchangePty::connectAndRead()
{
    PtySession s;
    s.device.faults().pace = true;
    QVERIFY(s.device.open());
    // An identity reply left in the line before the port is opened must not
    // be taken for the device's answer.
    s.device.inject("firmware=STALE,pp=OLD\r");
    QTest::qWait(100);
    QVERIFY(s.engine.openPort(s.device.slavePath()));
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);

    checkFullRead(s, s.device.requests(), s.model);
    if (QTest::currentTestFailed())
        return;
}

void TestExchangePty::retryInterval()
{
    // A calibration request left unanswered is sent again after a second and
    // drops the queue after two: the intervals are real time on the line.
    PtySession s;
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    s.forget();
    s.device.faults().rules = {{"$a", -1, -1}};
    QElapsedTimer clock;
    clock.start();
    s.engine.sendCurrent(15000);
    QTRY_COMPARE_WITH_TIMEOUT(s.engine.queueLength(), 0, 30000);
    const qint64 took = clock.elapsed();
    QVERIFY2(took >= 1900, qPrintable(QString::number(took)));
    const QList<PtyDevice::Record> records = s.device.records();
    QCOMPARE(records.size(), 2);
    const qint64 gap = records.at(1).ms - records.at(0).ms;
    // A second apart: not at once, and not two intervals (however busy the
    // machine, a timer is not late by most of a second).
    QVERIFY2(gap >= 950 && gap < 1900, qPrintable(QString::number(gap)));
}

void TestExchangePty::portLostWhileAsking()
{
    // The adapter goes while the question is open: the queue is dropped and
    // its parsers deleted inside the modal loop. A measurement request queued
    // afterwards runs its own course: one send, not written to the closed
    // port, and its give-up after 500 ms.
    PtySession s;
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    s.forget();
    s.device.faults().rules = {{"ATS206?", -1, -1}};
    QElapsedTimer clock;
    qint64 answered = -1, ended = -1;
    QObject context;
    connect(&s.engine, &Exchange::sgSetProgres, &context, [&] { ended = clock.elapsed(); });
    s.onError = [&](const QByteArray &) {
        s.device.hangUp();
        modalWait(300);
        s.engine.getValue();
        answered = clock.elapsed();
    };
    clock.start();
    s.engine.readSettings();
    QTRY_COMPARE_WITH_TIMEOUT(s.portLost.size(), 1, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    QCOMPARE(s.errors, Bytes{"ATS206?\r"});
    QVERIFY(!s.engine.isOpen());
    QVERIFY2(ended - answered >= 450, qPrintable(QString::number(ended - answered)));
    QCOMPARE(s.progress.mid(s.progress.size() - 2), (QList<quint8>{0, 100}));

    // The adapter is gone: opening it fails and queues nothing. (The hung-up
    // terminal's number is free for another process to take at once, so the
    // gone adapter is a name that nothing can take.)
    s.forget();
    QVERIFY(!s.engine.openPort(QDir::current().filePath("ttyGone")));
    QCOMPARE(s.engine.openError(), QSerialPort::DeviceNotFoundError);
    QCOMPARE(s.engine.queueLength(), 0);
    QVERIFY(s.progress.isEmpty());
}

void TestExchangePty::restoreDefaultsSearchesTheRate()
{
    // The module runs at rate 0, the recorded rate is 3: the attempt at 3
    // fails in real time (4 s), the one at 0 is answered and the rest of the
    // search is skipped.
    PtySession s;
    s.model.setModuleRate(0);
    s.model.setLinkRate(0);
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    s.data.settings.serialRate = 3;
    s.forget();
    s.engine.writeDefaults();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    const Bytes requests = s.device.requests();
    QCOMPARE(requests.mid(0, 8),
             (Bytes{"$33", "+++", "+++", "ATR\r", "ATR\r", "$30", "+++", "ATR\r"}));
    QVERIFY2(requests.at(8).startsWith("$0="), requests.at(8).constData());
    QCOMPARE(requests.mid(requests.size() - readAll.size()), readAll);
    QVERIFY(s.errors.isEmpty());
    const QList<PtyDevice::Record> records = s.device.records();
    const qint64 attempt = records.at(5).ms - records.at(0).ms;
    QVERIFY2(attempt > 3800 && attempt < 4600, qPrintable(QString::number(attempt)));
    QCOMPARE(s.model.moduleRate(), 0);
}

void TestExchangePty::idleNoiseGrowsUnbounded()
{
    // Megabytes of noise reach the connected engine while nothing is queued.
    // Only the newest few KiB wait for the next reply, in the engine or in
    // its port; they end in the start of a reply that the device's first
    // bytes after the next request complete.
    PtySession s;
    QVERIFY(s.open());
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    auto *port = s.engine.findChild<QSerialPort *>();
    QVERIFY(port);
    const QByteArray start = "\ran1=4000,an2=";
    const int pieces = 16; // a megabyte: far past the bound, quick under a memory checker
    const int pieceSize = 64 * 1024;
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

    // The device leaves the first measurement request to the rest of the
    // reply, sent just after it; the second one it answers itself.
    s.forget();
    s.device.faults().rules = {{"$7", -1, 1}};
    QObject context;
    connect(&s.device, &PtyDevice::sgRequest, &context, [&](const QByteArray &r) {
        if (r == "$7" && s.device.requests().size() == 1)
            s.device.inject("5000,d1=1,d2=0\r");
    });
    s.engine.getValue();
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    QCOMPARE(s.replies, QStringList{reply(ReadInputs, {"4000", "5000", "1", "0"})});
    QVERIFY(s.engine.keptBytes().isEmpty());
    s.engine.getValue();
    QTRY_COMPARE_WITH_TIMEOUT(s.replies.size(), 2, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(s.idle(), 30000);
    const QByteArray answer = s.device.records().last().reply;
    QByteArrayList fields;
    for (const QByteArray &f : answer.trimmed().split(','))
        fields << f.mid(f.indexOf('=') + 1);
    QCOMPARE(s.replies.at(1), reply(ReadInputs, fields));
    QCOMPARE(s.device.requests(), (Bytes{"$7", "$7"}));
    QVERIFY(s.errors.isEmpty());

    // What was kept goes with the connection.
    s.device.inject(noise(100, 99));
    QTRY_COMPARE_WITH_TIMEOUT(int(s.engine.keptBytes().size()), 100, 30000);
    QVERIFY(!s.engine.openPort(s.device.slavePath()));
    QVERIFY(s.engine.keptBytes().isEmpty());
}

QTEST_GUILESS_MAIN(TestExchangePty)
#include "tst_exchangepty.moc"
