#include "tools/devsim/ptydevice.h"

#include "tools/devsim/linelog.h"
#include "tools/devsim/waketimer.h"

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr qint64 MsNs = 1000000;
// 9600 baud with a start bit, eight data bits and a stop bit: 1.0417 ms.
constexpr double ByteNs = 10.0 * 1e9 / 9600.0;
// A command that stops half way is forgotten after this much silence.
constexpr int PartialInputMs = 200;
// Line noise settings are looked at this often while the line is quiet.
constexpr int LineNoiseIdleMs = 100;
// After the last answer of a line that is about to go, time for the
// computer to read it: a hang-up throws away what is still unread.
constexpr int HangUpDrainMs = 50;
constexpr int MaxRecords = 10000;

} // namespace

PtyDevice::PtyDevice(DeviceModel *model, QObject *parent)
    : QObject(parent), dev(model), wake(new WakeTimer(this)), idleTimer(new QTimer(this)),
      noiseTimer(new QTimer(this)), traffic(new LineLog(this))
{
    connect(wake, &WakeTimer::sgTimeout, this, &PtyDevice::slWake);
    idleTimer->setSingleShot(true);
    idleTimer->setInterval(PartialInputMs);
    connect(idleTimer, &QTimer::timeout, this, [this] { dev->dropPartialInput(); });
    noiseTimer->setSingleShot(true);
    noiseTimer->setTimerType(Qt::PreciseTimer);
    connect(noiseTimer, &QTimer::timeout, this, &PtyDevice::slLineNoise);
}

PtyDevice::~PtyDevice()
{
    closeFds();
}

bool PtyDevice::open()
{
    if (isOpen())
        return true;
    if (!wake->isValid()) {
        error = QStringLiteral("no timer for the line pacing");
        return false;
    }
    master = posix_openpt(O_RDWR | O_NOCTTY);
    char name[128] = {};
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 ||
        ptsname_r(master, name, sizeof name) != 0) {
        error = QString::fromLocal8Bit(strerror(errno));
        closeFds();
        return false;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    path = QString::fromLocal8Bit(name);

    // The device keeps its own hold on the slave side, so that the line stays
    // up while the configurator closes and opens the port, and puts it in
    // raw mode for whoever opens it first.
    slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios tio{};
    if (slave < 0 || tcgetattr(slave, &tio) != 0) {
        error = QString::fromLocal8Bit(strerror(errno));
        closeFds();
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B9600);
    cfsetospeed(&tio, B9600);
    tcsetattr(slave, TCSANOW, &tio);

    readNotifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(readNotifier, &QSocketNotifier::activated, this, &PtyDevice::slReadable);
    roomNotifier = new QSocketNotifier(master, QSocketNotifier::Write, this);
    roomNotifier->setEnabled(false);
    connect(roomNotifier, &QSocketNotifier::activated, this, [this] {
        roomNotifier->setEnabled(false);
        schedulePumpAt(0);
    });
    clock.start();
    lineFreeAt = 0;
    inputFreeAt = 0;
    lastFinish = 0;
    noiseTimer->start(LineNoiseIdleMs);
    return true;
}

void PtyDevice::closeFds()
{
    delete readNotifier;
    readNotifier = nullptr;
    delete roomNotifier;
    roomNotifier = nullptr;
    if (slave >= 0)
        ::close(slave);
    if (master >= 0)
        ::close(master);
    slave = -1;
    master = -1;
    pumpDue = -1;
    arrivals.clear();
    arm();
    idleTimer->stop();
    noiseTimer->stop();
}

bool PtyDevice::setLogFile(const QString &fileName)
{
    return traffic->open(fileName);
}

void PtyDevice::log(char direction, const QByteArray &bytes, const QString &note)
{
    traffic->write(now(), direction, bytes, note);
}

QList<QByteArray> PtyDevice::requests() const
{
    QList<QByteArray> list;
    for (const Record &r : history)
        list.append(r.request);
    return list;
}

// ---------------------------------------------------------------- receiving

void PtyDevice::slReadable()
{
    QByteArray data;
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(master, buf, sizeof buf);
        if (n > 0) {
            data.append(buf, int(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: all read
    }
    if (data.isEmpty())
        return;
    if (!f.pace) {
        deliver(data, nowNs());
        return;
    }
    // Paced: the bytes reach the device one by one at the line rate; the
    // device has them once the last one has fully crossed the line.
    const double start = qMax(double(nowNs()), inputFreeAt);
    inputFreeAt = start + data.size() * ByteNs;
    arrivals.append({qint64(std::ceil(inputFreeAt)), data});
    arm();
}

// The line's clock: paced request bytes reach the device and answer bytes
// are written when they are due.
void PtyDevice::slWake()
{
    while (!arrivals.isEmpty() && arrivals.first().due <= nowNs()) {
        const Arrival a = arrivals.takeFirst();
        // Timed from when the device had the request, not from when this
        // process got round to it.
        deliver(a.bytes, a.due);
    }
    if (pumpDue >= 0 && pumpDue <= nowNs()) {
        pumpDue = -1;
        pump();
    }
    arm();
}

void PtyDevice::arm()
{
    qint64 next = pumpDue;
    if (!arrivals.isEmpty() && (next < 0 || arrivals.first().due < next))
        next = arrivals.first().due;
    if (next >= 0 && isOpen())
        wake->startIn(next - nowNs());
    else
        wake->stop();
}

void PtyDevice::deliver(const QByteArray &data, qint64 atNs)
{
    // A line about to go takes no more requests.
    if (!isOpen() || hangUpPending)
        return;
    idleTimer->start();
    const QList<DeviceModel::Reply> replies = dev->feed(data, atNs / MsNs);
    for (const DeviceModel::Reply &r : replies) {
        if (!isOpen())
            return;
        serve(r, atNs);
    }
}

void PtyDevice::serve(const DeviceModel::Reply &r, qint64 atNs)
{
    ++served;
    QByteArray reply = r.reply;
    qint64 delay = f.replyDelayMs + r.delayMs;
    QString note;
    if (!f.takeRule(r.request, &delay, &note))
        reply.clear();
    if (r.reply.isEmpty())
        note = QStringLiteral("no answer");

    Record rec;
    rec.ms = atNs / MsNs;
    rec.ns = atNs;
    rec.serial = ++lastSerial;
    rec.request = r.request;
    rec.reply = r.reply;
    rec.answered = !reply.isEmpty();
    if (history.size() >= MaxRecords)
        history.removeFirst();
    history.append(rec);
    log('>', r.request, note);

    if (f.hangUpAfter > 0 && served >= f.hangUpAfter)
        hangUpPending = true;
    if (!reply.isEmpty())
        queueAnswer(reply, atNs + delay * MsNs, rec.serial);
    emit sgRequest(r.request);
    if (isOpen() && hangUpPending && out.isEmpty())
        QTimer::singleShot(HangUpDrainMs, this, &PtyDevice::hangUp);
}

// ---------------------------------------------------------------- answering

void PtyDevice::queueAnswer(const QByteArray &bytes, qint64 notBefore, quint64 serial)
{
    const QList<QByteArray> pieces = f.pieces(bytes, random);
    for (int i = 0; i < pieces.size(); ++i) {
        Piece p;
        p.bytes = pieces.at(i);
        p.whole = p.bytes;
        p.notBefore = i == 0 ? notBefore : 0;
        p.gapMs = i == 0 ? 0 : f.chunkPauseMs;
        p.serial = i + 1 == pieces.size() ? serial : 0;
        out.append(p);
    }
    schedulePumpAt(0);
}

void PtyDevice::inject(const QByteArray &bytes, bool waitForRoom)
{
    Piece p;
    p.bytes = bytes;
    p.whole = bytes;
    p.waitForRoom = waitForRoom;
    out.append(p);
    schedulePumpAt(0);
}

// The pump runs from the event loop, never from inside a call that queued
// an answer.
void PtyDevice::schedulePumpAt(qint64 atNs)
{
    if (pumpDue < 0 || atNs < pumpDue) {
        pumpDue = atNs;
        arm();
    }
}

void PtyDevice::pump()
{
    while (!out.isEmpty() && isOpen()) {
        Piece &p = out.first();
        const qint64 t = nowNs();
        const qint64 due = qMax(p.notBefore, lastFinish + p.gapMs * MsNs);
        if (due > t) {
            schedulePumpAt(due);
            return;
        }
        if (!f.pace) {
            const int written = writeRaw(p.bytes, p.bytes.size() == p.whole.size(), p.waitForRoom);
            if (written < p.bytes.size() && p.waitForRoom) {
                p.bytes.remove(0, written);
                roomNotifier->setEnabled(true);
                return;
            }
            lastFinish = t;
            markAnswered(p.serial);
            out.removeFirst();
            continue;
        }
        // A byte is written once it has fully crossed the line. Times are
        // kept unrounded, so that no rounding adds up over a long answer.
        lineFreeAt = qMax(lineFreeAt, double(due));
        const int ready = int((double(t) - lineFreeAt) / ByteNs + 1e-9);
        const qint64 nextByte = qint64(std::ceil(lineFreeAt + ByteNs));
        if (ready <= 0) {
            schedulePumpAt(nextByte);
            return;
        }
        const int n = qMin(ready, p.bytes.size());
        writeRaw(p.bytes.left(n), false);
        p.bytes.remove(0, n);
        lineFreeAt += n * ByteNs;
        if (!p.bytes.isEmpty()) {
            // The rest of the piece follows without a gap.
            p.notBefore = 0;
            p.gapMs = 0;
            lastFinish = qint64(lineFreeAt);
            schedulePumpAt(qint64(std::ceil(lineFreeAt + ByteNs)));
            return;
        }
        lastFinish = qint64(std::ceil(lineFreeAt));
        log('<', p.whole);
        markAnswered(p.serial);
        out.removeFirst();
    }
    if (isOpen() && out.isEmpty() && hangUpPending)
        QTimer::singleShot(HangUpDrainMs, this, &PtyDevice::hangUp);
}

void PtyDevice::markAnswered(quint64 serial)
{
    if (serial == 0)
        return;
    for (int i = history.size() - 1; i >= 0; --i) {
        if (history.at(i).serial == serial) {
            history[i].answeredNs = nowNs();
            return;
        }
    }
}

// Returns how many bytes went out.
int PtyDevice::writeRaw(const QByteArray &bytes, bool logged, bool waitForRoom)
{
    if (master < 0 || bytes.isEmpty())
        return 0;
    if (logged)
        log('<', bytes);
    int done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += int(n);
            sent += quint64(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (waitForRoom) {
            return done;
        } else {
            // Nobody reads the port and its buffer is full: like a UART with
            // no listener, the rest is lost.
            log('!', bytes.mid(done), QStringLiteral("line full, dropped"));
            return done;
        }
    }
    return done;
}

// Random bytes at random moments (a Poisson process at the set rate), sent
// only while no answer is on the line.
void PtyDevice::slLineNoise()
{
    if (!isOpen())
        return;
    if (f.lineNoise <= 0) {
        noiseTimer->start(LineNoiseIdleMs);
        return;
    }
    if (out.isEmpty())
        writeRaw(QByteArray(1, char(random.bounded(256))));
    const double wait = -std::log(1.0 - random.generateDouble()) * 1000.0 / f.lineNoise;
    noiseTimer->start(int(qMin(wait, 60000.0)));
}

void PtyDevice::hangUp()
{
    if (!isOpen())
        return;
    log('!', QByteArray(), QStringLiteral("hang up"));
    closeFds();
    out.clear();
    hangUpPending = false;
    emit sgHungUp();
}
