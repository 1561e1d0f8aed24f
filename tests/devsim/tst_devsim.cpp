// The virtual device: a model that refuses what it cannot take rather than
// half-store it and takes nothing it answers from a script, and the line faults
// the other tests would pass without noticing if they did nothing (pacing,
// pieces, injected bytes). Unanswered or late requests fail those tests.

#include "tools/devsim/ptydevice.h"
#include "tools/devsim/replyscript.h"

#include <QtTest>

#include <cerrno>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// The computer's end of the line: a raw, non-blocking descriptor on the slave.
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

    // Reads until `end` has arrived or `ms` pass; `pieces` counts the reads with data.
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
                break;
            } else {
                QTest::qWait(1);
            }
        }
        return got;
    }

    int fd;
    int pieces = 0;
};

const QByteArray identity = "firmware=Aug  4 2022,pp=RLX-31868-4-20-D receiver\r";

// Everything the device model answers to `bytes`.
QByteArray ask(DeviceModel &m, const QByteArray &bytes)
{
    QByteArray out;
    for (const DeviceModel::Reply &r : m.feed(bytes, 0))
        out += r.reply;
    return out;
}

} // namespace

class TestDevsim : public QObject
{
    Q_OBJECT

private slots:
    void configurationRoundTrip();
    void lineFaults();
    void scriptedReplies();
    void replyOption_data();
    void replyOption();
};

void TestDevsim::configurationRoundTrip()
{
    // Each variant its own number of fields; the address list comes back bare.
    const QByteArrayList tails = {"", ",250", ",250,181,007"};
    for (const int variant : {0, 1, 2}) {
        DeviceModel m;
        m.setVariant(variant);
        const QByteArray tail = tails.at(variant) + '\r';
        QCOMPARE(ask(m, "$0=017,6,010,200,2,060,009,1,8000,0000,0000,0005" + tail),
                 QByteArray("OK\r"));
        QCOMPARE(ask(m, "$1"), "=017,6,010,200,2,060,009,1,8000000000000005" + tail);
    }

    // Refused whole: a value above a byte, an address list not hexadecimal, a text cut short.
    DeviceModel m;
    m.setVariant(2);
    const DeviceModel::Config before = m.config();
    for (const char *bad : {"$0=256,3,000,000,0,050,000,0,1,002,003,006\r",
                            "$0=001,3,000,000,0,050,000,0,00g1,002,003,006\r",
                            "$0=001,3,000,000,0,050,000,0,1,002\r", "$8=001,002,003,999\r"})
        QCOMPARE(ask(m, bad), QByteArray("ERROR\r"));
    QVERIFY(m.config() == before);
    QCOMPARE(ask(m, "$9"), QByteArray("a1=5,a2=5,l1=5,l2=5\r"));
}

void TestDevsim::lineFaults()
{
    DeviceModel model;
    PtyDevice dev(&model);
    QVERIFY2(dev.open(), qPrintable(dev.errorString()));
    Client c(dev.slavePath());
    QVERIFY(c.fd >= 0);
    QElapsedTimer clock;
    // How long the identity (50 bytes) takes, and in how many reads.
    auto identityTakes = [&] {
        clock.restart();
        c.send("$2");
        return c.receive(identity, 30000) == identity ? clock.elapsed() : -1;
    };
    const qint64 fast = identityTakes();
    QVERIFY(fast >= 0);
    dev.inject("xyz");
    QCOMPARE(c.receive("xyz", 30000), QByteArray("xyz"));

    // 2 bytes in and 50 out at 9600 baud: at least 52 ms, in pieces.
    dev.faults().pace = true;
    const qint64 paced = identityTakes();
    QVERIFY2(paced >= 50 && c.pieces >= 5,
             qPrintable(QStringLiteral("%1 %2 %3").arg(fast).arg(paced).arg(c.pieces)));
    // In 10 pieces of 5 bytes with 9 pauses of 25 ms.
    dev.faults() = PtyDevice::Faults();
    dev.faults().chunkSize = 5;
    dev.faults().chunkPauseMs = 25;
    const qint64 chunked = identityTakes();
    QVERIFY2(chunked >= 215 && c.pieces >= 8,
             qPrintable(QStringLiteral("%1 %2").arg(chunked).arg(c.pieces)));
}

void TestDevsim::scriptedReplies()
{
    // A script answers a complete request in place of the device; others keep theirs.
    DeviceModel m;
    m.setCommandMode(true);
    m.setScriptedReply("ATS214?", "S214=\r");
    QCOMPARE(ask(m, "ATS214?"), QByteArray());
    QCOMPARE(ask(m, "\r$2ATS206?\r"), "S214=\r" + identity + "S206=2\r");

    // What is answered from a script is not taken, until the scripts go.
    m.setScriptedReply("ATS214=", "OK\r");
    m.setScriptedReply("$3", "OK\r");
    QCOMPARE(ask(m, "ATS214=9\r$37"), QByteArray("OK\rOK\r"));
    QCOMPARE(m.reg(214), 3);
    QCOMPARE(m.linkRate(), 4);
    m.clearScriptedReplies();
    QCOMPARE(ask(m, "ATS214=9\r$37"), QByteArray("OK\rOK\r"));
    QCOMPARE(m.reg(214), 9);
    QCOMPARE(m.linkRate(), 7);

    // The first script set decides; an empty reply leaves the request unanswered.
    DeviceModel order;
    order.setScriptedReply("$", "A\r");
    order.setScriptedReply("$1", "B\r");
    order.setScriptedReply("$", QByteArray());
    const QList<DeviceModel::Reply> silent = order.feed("$1$2", 0);
    QCOMPARE(silent.size(), 2);
    QCOMPARE(silent.at(0).request, QByteArray("$1"));
    QVERIFY(silent.at(0).reply.isEmpty() && silent.at(1).reply.isEmpty());

    // The pseudo-terminal sends a scripted reply byte for byte.
    DeviceModel model;
    const QByteArray raw("a1=\0\xff\r", 6);
    model.setScriptedReply("$9", raw);
    PtyDevice dev(&model);
    QVERIFY2(dev.open(), qPrintable(dev.errorString()));
    Client c(dev.slavePath());
    QVERIFY(c.fd >= 0);
    c.send("$9$2");
    QCOMPARE(c.receive(identity, 30000), raw + identity);
}

void TestDevsim::replyOption_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("read") << QByteArray("ATS214?=S214=\\r") << true << QByteArray("ATS214?")
                          << QByteArray("S214=\r");
    QTest::newRow("write") << QByteArray("ATS214\\x3d=OK\\r") << true << QByteArray("ATS214=")
                           << QByteArray("OK\r");
    QTest::newRow("bytes") << QByteArray("$9=\\\\\\n\\0\\x7F\\xfe") << true << QByteArray("$9")
                           << QByteArray("\\\n\0\x7f\xfe", 5);
    QTest::newRow("silence") << QByteArray("ATO\\r=") << true << QByteArray("ATO\r")
                             << QByteArray();

    for (const char *bad :
         {"ATS214?", "=OK\\r", "$1=\\q", "$1=\\X41", "$1=OK\\", "$1=\\x4", "$1=\\x4g", "AT\\t=OK"})
        QTest::newRow(bad) << QByteArray(bad) << false << QByteArray() << QByteArray();
}

void TestDevsim::replyOption()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, ok);
    ReplyScript script;
    QString why;
    QCOMPARE(ReplyScript::parse(text, &script, &why), ok);
    if (ok) {
        QFETCH(QByteArray, prefix);
        QFETCH(QByteArray, reply);
        QCOMPARE(script.prefix, prefix);
        QCOMPARE(script.reply, reply);
    } else {
        QVERIFY(!why.isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestDevsim)
#include "tst_devsim.moc"
