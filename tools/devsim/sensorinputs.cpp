#include "tools/devsim/sensorinputs.h"

#include "tools/devsim/decimaltext.h"

#include <QList>
#include <QtMath>

#include <algorithm>

namespace {

// Deterministic small noise for a sample, so repeated reads agree.
int sampleNoise(qint64 sample, int input, int amplitude)
{
    quint32 h = quint32(sample) * 2654435761u ^ quint32(input + 1) * 40503u;
    h ^= h >> 15;
    h *= 2246822519u;
    h ^= h >> 13;
    return int(h % quint32(2 * amplitude + 1)) - amplitude;
}

} // namespace

void SensorInputs::setKind(int k)
{
    kind = k;
    // The thresholds leave the factory set for the kind of inputs fitted.
    switch (kind) {
    case 0:
        avg.diskret1 = 5;
        avg.diskret2 = 5;
        break;
    case 1:
        avg.diskret1 = 5;
        avg.diskret2 = 4;
        break;
    default:
        avg.diskret1 = 4;
        avg.diskret2 = 4;
        break;
    }
}

// Input 1 and 2 as the sensors deliver them, sampled ten times a second:
// slow waves with a little noise. Current inputs in microamperes (4-20 mA),
// voltage inputs in millivolts (0-10 V).
int SensorInputs::raw(int which, qint64 nowMs) const
{
    const qint64 sample = nowMs >= 0 ? nowMs / 100 : (nowMs - 99) / 100;
    const double t = double(sample) / 10.0;
    const double period = which == 1 ? 30.0 : 47.0;
    const double wave = qSin(2.0 * M_PI * t / period + (which == 1 ? 0.0 : 1.3));
    const bool current = which == 1 ? kind <= 1 : kind == 0;
    if (current)
        return qBound(0, int(12000 + 7500 * wave) + sampleNoise(sample, which, 150), 21600);
    return qBound(0, int(5000 + 4500 * wave) + sampleNoise(sample, which, 80), 10000);
}

// The value "$7" reports, after the averaging set for the input: kind 0 the
// arithmetic mean of the last completed interval, kind 1 the median and kind
// 2 the mean of the sliding interval that ends now, kind 3 or interval 0 the
// latest sample.
int SensorInputs::value(int which, qint64 nowMs) const
{
    const quint8 setting = which == 1 ? avg.averaging1 : avg.averaging2;
    const int averagingKind = setting >> 6;
    const qint64 span = qint64(setting & 0x3F) * 1000;
    if (span == 0 || averagingKind == 3)
        return raw(which, nowMs);
    const qint64 end = averagingKind == 0 ? (nowMs / span) * span - 100 : nowMs;
    QList<int> samples;
    for (qint64 t = end - span + 100; t <= end; t += 100)
        samples.append(raw(which, t));
    if (averagingKind == 1) {
        std::sort(samples.begin(), samples.end());
        return samples.at(samples.size() / 2);
    }
    qint64 sum = 0;
    for (int s : qAsConst(samples))
        sum += s;
    return int(sum / samples.size());
}

int SensorInputs::discrete(int which, int value) const
{
    const int threshold = (which == 1 ? avg.diskret1 : avg.diskret2) * 1000;
    return value >= threshold ? 1 : 0;
}

QByteArray SensorInputs::report(qint64 nowMs) const
{
    const int a1 = value(1, nowMs);
    const int a2 = value(2, nowMs);
    return "an1=" + QByteArray::number(a1) + ",an2=" + QByteArray::number(a2) +
           ",d1=" + QByteArray::number(discrete(1, a1)) +
           ",d2=" + QByteArray::number(discrete(2, a2)) + '\r';
}

QByteArray SensorInputs::settingsText() const
{
    return "a1=" + QByteArray::number(avg.averaging1) +
           ",a2=" + QByteArray::number(avg.averaging2) + ",l1=" + QByteArray::number(avg.diskret1) +
           ",l2=" + QByteArray::number(avg.diskret2) + '\r';
}

bool SensorInputs::writeSettings(const QByteArray &text)
{
    if (!text.startsWith('=') || !text.endsWith('\r'))
        return false;
    const QList<QByteArray> tokens = text.mid(1).chopped(1).split(',');
    if (tokens.size() != 4)
        return false;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        v[i] = DecimalText::byteValue(tokens.at(i));
        if (v[i] < 0)
            return false;
    }
    avg = {quint8(v[0]), quint8(v[1]), quint8(v[2]), quint8(v[3])};
    return true;
}
