// The virtual device's line: the pseudo-terminal server with its faults, and
// the rlx-devsim executable. The client side is a plain file descriptor on
// the slave, as a serial port would be.

#include "tools/devsim/ptydevice.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The computer's end of the line.
class Client
{
public:
    explicit Client(const QString &path)
    {
        fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        if (fd >= 0) {
            termios tio{};
            tcgetattr(fd, &tio);
            cfmakeraw(&tio);
            tcsetattr(fd, TCSANOW, &tio);
        }
    }
    ~Client()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool isOpen() const { return fd >= 0; }
    void send(const QByteArray &bytes)
    {
        QVERIFY(::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size());
    }

    // Reads while the event loop runs, until `end` has arrived or `ms` pass.
    // `pieces` counts the reads that returned data.
    QByteArray receive(const QByteArray &end, int ms, int *pieces = nullptr)
    {
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms && (end.isEmpty() || !got.endsWith(end))) {
            char buf[512];
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                got.append(buf, int(n));
                if (pieces)
                    ++*pieces;
                continue;
            }
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
                hungUp = true;
                break;
            }
            QTest::qWait(1);
        }
        return got;
    }

    bool hungUp = false;

private:
    int fd = -1;
};

const QByteArray identity = "firmware=Aug  4 2022,pp=RLX-31868-4-20-D receiver\r";

} // namespace

class TestPtyDevice : public QObject
{
    Q_OBJECT

private slots:
    void answersOnTheSlave();
    void pacing();
    void chunks();
    void unansweredAndLateRequests();
    void noise();
    void hangUpAfterRequests();
    void log();
    void executableHelp();
    void executableServes();
};

void TestPtyDevice::answersOnTheSlave()
{
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY2(dev.open(), qPrintable(dev.errorString()));
    QVERIFY(dev.slavePath().startsWith(QLatin1String("/dev/pts/")));
    Client c(dev.slavePath());
    QVERIFY(c.isOpen());
    c.send("$2");
    QCOMPARE(c.receive(identity, 1000), identity);
    c.send("+++");
    QCOMPARE(c.receive("\r", 1000), QByteArray("OK\r"));
    dev.inject("xyz");
    QCOMPARE(c.receive("xyz", 1000), QByteArray("xyz"));
    QCOMPARE(dev.requests(), (QList<QByteArray>{"$2", "+++"}));
    QCOMPARE(dev.requestCount(), 2);
}

void TestPtyDevice::pacing()
{
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY(dev.open());
    Client c(dev.slavePath());
    QElapsedTimer clock;
    clock.start();
    c.send("$2");
    QCOMPARE(c.receive(identity, 1000), identity);
    const qint64 fast = clock.elapsed();

    // 2 bytes in and 50 bytes out at 9600 baud: about 54 ms.
    dev.faults().pace = true;
    int pieces = 0;
    clock.restart();
    c.send("$2");
    QCOMPARE(c.receive(identity, 1000, &pieces), identity);
    const qint64 paced = clock.elapsed();
    QVERIFY2(paced >= 50 && paced < 400, qPrintable(QString::number(paced)));
    QVERIFY2(paced > fast + 30, qPrintable(QStringLiteral("%1 %2").arg(fast).arg(paced)));
    QVERIFY2(pieces >= 5, qPrintable(QString::number(pieces)));
}

void TestPtyDevice::chunks()
{
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY(dev.open());
    dev.faults().chunkSize = 5;
    dev.faults().chunkPauseMs = 25;
    Client c(dev.slavePath());
    int pieces = 0;
    QElapsedTimer clock;
    clock.start();
    c.send("$2");
    QCOMPARE(c.receive(identity, 2000, &pieces), identity);
    // 50 bytes in 10 pieces, 9 pauses.
    QVERIFY2(clock.elapsed() >= 215, qPrintable(QString::number(clock.elapsed())));
    QVERIFY2(pieces >= 8, qPrintable(QString::number(pieces)));
}

void TestPtyDevice::unansweredAndLateRequests()
{
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY(dev.open());
    dev.faults().rules = {{"$2", -1, 1}, {"$9", 250, -1}};
    Client c(dev.slavePath());

    c.send("$2");
    QCOMPARE(c.receive(QByteArray(), 300), QByteArray());
    c.send("$2");
    QCOMPARE(c.receive(identity, 1000), identity);

    QElapsedTimer clock;
    clock.start();
    c.send("$9");
    QCOMPARE(c.receive("\r", 1000), QByteArray("a1=5,a2=5,l1=5,l2=5\r"));
    QVERIFY2(clock.elapsed() >= 240, qPrintable(QString::number(clock.elapsed())));

    const QList<PtyDevice::Record> records = dev.records();
    QCOMPARE(records.size(), 3);
    QVERIFY(!records.at(0).answered);
    QVERIFY(records.at(1).answered);
    QVERIFY(records.at(2).answered);
}

void TestPtyDevice::noise()
{
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY(dev.open());
    Client c(dev.slavePath());
    // Every byte of an answer preceded by a random one.
    dev.faults().noise = 1.0;
    c.send("+++");
    const QByteArray got = c.receive(QByteArray(), 300);
    QCOMPARE(got.size(), 6);
    QCOMPARE(QByteArray() + got.at(1) + got.at(3) + got.at(5), QByteArray("OK\r"));

    // Noise on a quiet line.
    dev.faults().noise = 0;
    dev.faults().lineNoise = 200;
    const int heard = c.receive(QByteArray(), 500).size();
    QVERIFY2(heard > 30 && heard < 250, qPrintable(QString::number(heard)));
}

void TestPtyDevice::hangUpAfterRequests()
{
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY(dev.open());
    dev.faults().hangUpAfter = 2;
    QSignalSpy gone(&dev, &PtyDevice::sgHungUp);
    const QString path = dev.slavePath();
    Client c(path);
    c.send("$2");
    QCOMPARE(c.receive(identity, 1000), identity);
    QCOMPARE(gone.count(), 0);
    // The second request is still answered, then the line goes.
    c.send("$9");
    QCOMPARE(c.receive("\r", 1000), QByteArray("a1=5,a2=5,l1=5,l2=5\r"));
    QTRY_COMPARE(gone.count(), 1);
    QVERIFY(!dev.isOpen());
    c.receive(QByteArray(), 500);
    QVERIFY(c.hungUp);
}

void TestPtyDevice::log()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("line.log"));
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY(dev.setLogFile(file));
    QVERIFY(dev.open());
    dev.faults().rules = {{"$9", -1, -1}};
    Client c(dev.slavePath());
    c.send("$2");
    QCOMPARE(c.receive(identity, 1000), identity);
    c.send("$9");
    c.receive(QByteArray(), 200);

    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(f.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 3);
    const QRegularExpression stamp(QStringLiteral("^\\d+\\.\\d{3} [<>] "));
    for (const QString &l : lines)
        QVERIFY2(stamp.match(l).hasMatch(), qPrintable(l));
    QVERIFY(lines.at(0).endsWith(QLatin1String("> $2")));
    QVERIFY(lines.at(1).endsWith(
        QLatin1String("< firmware=Aug  4 2022,pp=RLX-31868-4-20-D receiver\\r")));
    QVERIFY(lines.at(2).contains(QLatin1String("> $9  (left unanswered)")));
}

void TestPtyDevice::executableHelp()
{
    QProcess p;
    p.start(QStringLiteral(RLX_DEVSIM), {QStringLiteral("--help")});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 0);
    const QString help = QString::fromLocal8Bit(p.readAllStandardOutput());
    for (const char *option :
         {"--hardware",  "--firmware",   "--variant",    "--module-version", "--module-rate",
          "--link-rate", "--reachable",  "--poll-delay", "--poll-loss",      "--echo",
          "--silent",    "--late",       "--delay",      "--chunk",          "--chunk-pause",
          "--noise",     "--line-noise", "--pace",       "--hang-up-after",  "--log",
          "--seed"})
        QVERIFY2(help.contains(QLatin1String(option)), option);

    p.start(QStringLiteral(RLX_DEVSIM), {QStringLiteral("--module-rate"), QStringLiteral("12")});
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
}

void TestPtyDevice::executableServes()
{
    QProcess p;
    p.start(QStringLiteral(RLX_DEVSIM),
            {QStringLiteral("--hardware"), QStringLiteral("RLX-31868-DD receiver"),
             QStringLiteral("--firmware"), QStringLiteral("Aug  1 2021"),
             QStringLiteral("--silent"), QStringLiteral("$9:1"), QStringLiteral("--pace")});
    QVERIFY(p.waitForStarted(5000));
    QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine(), 5000);
    const QString path = QString::fromLocal8Bit(p.readLine()).trimmed();
    QVERIFY2(path.startsWith(QLatin1String("/dev/pts/")), qPrintable(path));

    Client c(path);
    QVERIFY(c.isOpen());
    const QByteArray dd = "firmware=Aug  1 2021,pp=RLX-31868-DD receiver\r";
    c.send("$2");
    QCOMPARE(c.receive(dd, 2000), dd);
    // Firmware of 1 August 2021: the nine-field configuration.
    c.send("$1");
    const QByteArray config = c.receive("\r", 2000);
    QCOMPARE(config.count(','), 8);
    // Thresholds of a device with two voltage inputs; the first poll of the
    // averaging is left unanswered.
    c.send("$9");
    QCOMPARE(c.receive(QByteArray(), 300), QByteArray());
    c.send("$9");
    QCOMPARE(c.receive("\r", 2000), QByteArray("a1=5,a2=5,l1=4,l2=4\r"));

    ::kill(pid_t(p.processId()), SIGTERM);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestPtyDevice)
#include "tst_ptydevice.moc"
