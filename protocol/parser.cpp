#include "protocol/parser.h"

#include "protocol/clock.h"
#include "protocol/timer.h"

#include <cstring>

Parser::Parser(QObject *parent, const ParserParam &p, Clock *clock) : QObject(parent), param(p)
{
    timer = (clock ? clock : Clock::system())->newTimer(this);
    timer->setInterval(param.timeout);
    connect(timer, &Timer::timeout, this, &Parser::slTimer);
}

void Parser::reset(const ParserParam &p)
{
    timer->stop();
    param = p;
    timer->setInterval(param.timeout);
    retryCount = 0;
    resetMatcher();
}

void Parser::start()
{
    retryCount = 0;
    timer->start();
    send();
}

void Parser::stop()
{
    timer->stop();
}

bool Parser::isRunning() const
{
    return timer->isActive();
}

void Parser::send()
{
    resetMatcher();
    emit sgRequest(param.request);
}

void Parser::slTimer()
{
    if (retryCount < 255)
        ++retryCount;
    if (retryCount >= param.countRepeat)
        emit sgTimeout();
    else
        send();
}

void Parser::restartScan()
{
    // A reply that completed since the last send stays answered: a stray
    // byte after it (noise, a line feed) does not undo it. What a radio test
    // step counts is whether the poll's reply arrived.
    const bool answered = isDone;
    resetMatcher();
    isDone = answered;
}

void Parser::resetMatcher()
{
    isDone = false;
    position = 0;
    previousMask = '1';
    terminator = 0;
    if (!fields.isEmpty()) // most scans restart with nothing collected
        fields.clear();
}

bool Parser::parse(const QByteArray &data, QByteArrayList &out)
{
    const int length = param.mask.size();
    const int answerLength = param.answer.size();
    if (length == 0 || answerLength < length)
        return false;
    // Neither array changes during the scan: read through plain pointers.
    const char *const mask = param.mask.constData();
    const char *const answer = param.answer.constData();
    const char *const end = data.constData() + data.size();
    for (const char *at = data.constData(); at < end; ++at) {
        if (position == 0 && mask[0] == '1') {
            // Nothing matched yet: every byte up to the template's first one
            // would only restart the scan, which leaves it as it is. Noise
            // on the line is passed over in one step.
            at = static_cast<const char *>(std::memchr(at, answer[0], size_t(end - at)));
            if (!at)
                break;
        }
        const char byte = *at;
        const char k = mask[position];
        bool capture;
        if (k == 'X') {
            if (position + 1 < answerLength)
                terminator = answer[position + 1];
            capture = byte != terminator;
        } else if (k == '0') {
            capture = true;
        } else if (byte == answer[position]) {
            capture = false;
        } else {
            // The breaking byte is dropped, not tried as the start of a new match.
            restartScan();
            continue;
        }

        if (capture) {
            if (previousMask == '1' || fields.isEmpty())
                fields.append(QByteArray());
            if (fields.last().size() >= MaxFieldLength) {
                restartScan();
                continue;
            }
            fields.last().append(byte);
        }

        previousMask = k;
        if (k != 'X') {
            ++position;
        } else if (!capture) {
            position += 2; // past the placeholder and its terminator
            previousMask = '1';
        }

        if (position >= length) {
            out = fields;
            resetMatcher();
            isDone = true;
            return true;
        }
    }
    return false;
}
