// The virtual device's line: the pseudo-terminal server with its faults, and
// the rlx-devsim executable. The client side is a plain file descriptor on
// the slave, as a serial port would be.

#include "tools/devsim/ptydevice.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The computer's end of the line: a raw, non-blocking descriptor.
struct Client
{
    explicit Client(const QString &path)
        : fd(::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK))
    {
        termios tio{};
        tcgetattr(fd, &tio);
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
    ~Client() { ::close(fd); }
    void send(const QByteArray &bytes)
    {
        QVERIFY(::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size());
    }

    // Reads while the event loop runs, until `end` has arrived or `ms` pass.
    // `pieces` counts the reads that returned data.
    QByteArray receive(const QByteArray &end, int ms)
    {
        QByteArray got;
        pieces = 0;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms && (end.isEmpty() || !got.endsWith(end))) {
            char buf[512];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, int(n));
                ++pieces;
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                hungUp = true;
                break;
            } else {
                QTest::qWait(1);
            }
        }
        return got;
    }

    int fd;
    int pieces = 0;
    bool hungUp = false;
};

const QByteArray identity = "firmware=Aug  4 2022,pp=RLX-31868-4-20-D receiver\r";

} // namespace

class TestPtyDevice : public QObject
{
    Q_OBJECT

private slots:
    void faults();
    void executable();
};

void TestPtyDevice::faults()
{
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY2(dev.open(), qPrintable(dev.errorString()));
    Client c(dev.slavePath());
    QVERIFY(c.fd >= 0);
    QElapsedTimer clock;
    // How long the identity (50 bytes) takes to arrive, and in how many reads.
    auto identityTakes = [&] {
        clock.restart();
        c.send("$2");
        return c.receive(identity, 2000) == identity ? clock.elapsed() : -1;
    };
    const qint64 fast = identityTakes();
    QVERIFY(fast >= 0);
    dev.inject("xyz");
    QCOMPARE(c.receive("xyz", 1000), QByteArray("xyz"));

    // 2 bytes in and 50 out at 9600 baud: about 54 ms, in pieces. (Under
    // Valgrind the unpaced answer alone takes about as long.)
    dev.faults().pace = true;
    const qint64 paced = identityTakes();
    const bool slowed = paced > fast + 30 || qEnvironmentVariableIsSet("RLX_MEMCHECK");
    QVERIFY2(paced >= 50 && paced < 400 && slowed && c.pieces >= 5,
             qPrintable(QStringLiteral("%1 %2 %3").arg(fast).arg(paced).arg(c.pieces)));
    // In 10 pieces of 5 bytes with 9 pauses of 25 ms.
    dev.faults() = PtyDevice::Faults();
    dev.faults().chunkSize = 5;
    dev.faults().chunkPauseMs = 25;
    const qint64 chunked = identityTakes();
    QVERIFY2(chunked >= 215 && c.pieces >= 8,
             qPrintable(QStringLiteral("%1 %2").arg(chunked).arg(c.pieces)));

    // The first identity request left unanswered, every averaging read late.
    dev.faults() = PtyDevice::Faults();
    dev.faults().rules = {{"$2", -1, 1}, {"$9", 250, -1}};
    c.send("$2");
    QCOMPARE(c.receive(QByteArray(), 300), QByteArray());
    QVERIFY(identityTakes() >= 0);
    clock.restart();
    c.send("$9");
    QCOMPARE(c.receive("\r", 1000), QByteArray("a1=5,a2=5,l1=5,l2=5\r"));
    QVERIFY2(clock.elapsed() >= 240, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(dev.requests(), (QList<QByteArray>{"$2", "$2", "$2", "$2", "$2", "$9"}));
    QVERIFY(!dev.records().at(3).answered && dev.records().at(4).answered);

    // Every byte of an answer preceded by a random one.
    dev.faults().noise = 1.0;
    c.send("+++");
    const QByteArray got = c.receive(QByteArray(), 300);
    QCOMPARE(got.size(), 6);
    QCOMPARE(QByteArray() + got.at(1) + got.at(3) + got.at(5), QByteArray("OK\r"));
    // Noise on a quiet line, 200 bytes a second.
    dev.faults().noise = 0;
    dev.faults().lineNoise = 200;
    const int heard = c.receive(QByteArray(), 500).size();
    QVERIFY2(heard > 30 && heard < 250, qPrintable(QString::number(heard)));

    // Two requests more are still answered, then the line goes.
    dev.faults() = PtyDevice::Faults();
    dev.faults().hangUpAfter = dev.requestCount() + 2;
    c.receive(QByteArray(), 50); // the last noise
    QSignalSpy gone(&dev, &PtyDevice::sgHungUp);
    QVERIFY(identityTakes() >= 0);
    QCOMPARE(gone.count(), 0);
    c.send("$9");
    QCOMPARE(c.receive("\r", 1000), QByteArray("a1=5,a2=5,l1=5,l2=5\r"));
    QTRY_COMPARE(gone.count(), 1);
    QVERIFY(!dev.isOpen());
    c.receive(QByteArray(), 500);
    QVERIFY(c.hungUp);
}

void TestPtyDevice::executable()
{
    // The first line is the port; the faults given on the command line apply.
    QProcess p;
    p.start(QStringLiteral(RLX_DEVSIM),
            {QStringLiteral("--hardware"), QStringLiteral("RLX-31868-DD receiver"),
             QStringLiteral("--silent"), QStringLiteral("$9:1")});
    QVERIFY(p.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine(), 5000);
    const QString path = QString::fromLocal8Bit(p.readLine()).trimmed();
    QVERIFY2(path.startsWith(QLatin1String("/dev/pts/")), qPrintable(path));
    Client c(path);
    c.send("$9");
    QCOMPARE(c.receive(QByteArray(), 300), QByteArray());
    c.send("$9");
    QCOMPARE(c.receive("\r", 2000), QByteArray("a1=5,a2=5,l1=4,l2=4\r"));

    // SIGTERM ends it cleanly.
    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestPtyDevice)
#include "tst_ptydevice.moc"
