#include "tools/devsim/linefaults.h"

bool LineFaults::takeRule(const QByteArray &request, qint64 *delayMs, QString *note)
{
    for (Rule &rule : rules) {
        if (rule.count == 0 || !request.startsWith(rule.prefix))
            continue;
        if (rule.count > 0)
            --rule.count;
        if (rule.delayMs < 0) {
            *note = QStringLiteral("left unanswered");
            return false;
        }
        *delayMs += rule.delayMs;
        *note = QStringLiteral("answer %1 ms late").arg(rule.delayMs);
        return true;
    }
    return true;
}

QList<QByteArray> LineFaults::pieces(const QByteArray &answer, QRandomGenerator &random) const
{
    QByteArray noisy;
    for (const char c : answer) {
        if (noise > 0 && random.generateDouble() < noise)
            noisy += char(random.bounded(256));
        noisy += c;
    }
    const int size = chunkSize > 0 ? chunkSize : noisy.size();
    QList<QByteArray> list;
    for (int i = 0; i < noisy.size(); i += size)
        list.append(noisy.mid(i, size));
    return list;
}
