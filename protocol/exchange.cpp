#include "protocol/exchange.h"

#include "protocol/catalogue.h"
#include "protocol/clock.h"
#include "protocol/data.h"
#include "protocol/logging.h"
#include "protocol/parser.h"
#include "protocol/requestkinds.h"
#include "protocol/serialline.h"

Exchange::Exchange(QObject *parent, Data *d) : QObject(parent), clock(Clock::system()), data(d)
{
    qRegisterMetaType<TypeParser>("TypeParser");
    setLine(new SerialLine(this));
}

Exchange::~Exchange()
{
    // The line (when it is the engine's own) and the parser are children
    // and go with the engine; make sure none of them calls back into a
    // half-destroyed engine on the way.
    if (link)
        link->disconnect(this);
    if (parser)
        parser->disconnect(this);
    qDeleteAll(queue);
    qDeleteAll(leftWhileInHand);
}

void Exchange::setClock(Clock *c)
{
    // The parser's repeat timer comes from the clock, so the parser is made
    // again on the new clock. A request on its way would lose its timer (and
    // a call from the parser's own signal its parser): not while one is.
    if (!queue.isEmpty()) {
        qCWarning(lcProtocol) << "clock not changed: requests are queued";
        return;
    }
    clock = c ? c : Clock::system();
    delete parser;
    parser = nullptr;
    turnToHead();
}

void Exchange::setLine(Line *line)
{
    if (link) {
        link->disconnect(this);
        if (link->parent() == this)
            link->deleteLater();
    }
    link = line;
    connect(link, &Line::readyRead, this, &Exchange::slReadyRead);
    connect(link, &Line::lost, this, &Exchange::slLineLost);
}

ParserParam Exchange::makeParserParam(TypeParser type, const QByteArray &arg) const
{
    static const DeviceSettings blank;
    return Catalogue::makeParserParam(type, arg, data ? data->settings : blank, variant,
                                      test.addresses(), test.index());
}

// ---------------------------------------------------------------- states

void Exchange::setState(State next)
{
    if (next != now)
        qCDebug(lcProtocol) << "state" << now << "->" << next;
    now = next;
    if (!headInHand())
        inHand = nullptr;
}

// The state that follows from the queue alone, once no outcome is in hand.
void Exchange::settle()
{
    const ParserParam *h = head();
    if (!h)
        setState(State::Idle);
    else if (h->type == TestAddress)
        setState(State::TestCycle);
    else
        setState(State::Running);
}

// Hands out the head's outcome through `emitting` (a reply, a give-up, a test
// result). Returns whether the request is still the head afterwards: the
// receivers may have dropped or replaced the queue meanwhile.
template <typename Emit> bool Exchange::handOut(ParserParam *request, State during, Emit emitting)
{
    setState(during);
    inHand = request;
    emitting();
    const bool stillHead = isHead(request);
    if (stillHead)
        settle();
    if (leftWhileInHand.remove(request))
        delete request;
    return stillHead;
}

// ---------------------------------------------------------------- the queue

void Exchange::appendRequest(ParserParam param)
{
    queue.append(new ParserParam(std::move(param)));
    if (queue.size() == 1)
        turnToHead();
}

void Exchange::addRequest(TypeParser type, const QByteArray &arg)
{
    appendRequest(makeParserParam(type, arg));
}

// The parser turns to a new head as a parser just made for it (not started,
// a fresh scan), or stops when the queue has run empty. Called whenever the
// head changes, and only then: the head's own progress lives in the parser.
void Exchange::turnToHead()
{
    const ParserParam *h = head();
    if (!h) {
        if (parser)
            parser->stop();
        return;
    }
    if (!parser) {
        parser = new Parser(this, *h, clock);
        connect(parser, &Parser::sgRequest, this, &Exchange::slRequest);
        connect(parser, &Parser::sgTimeout, this, &Exchange::slTimeout);
        return;
    }
    parser->reset(*h);
}

void Exchange::queueSteps(const QVector<Sequences::Step> &steps)
{
    for (const Sequences::Step &s : steps)
        addRequest(s.type, s.arg);
}

// Deletes a request that has left the queue, or, when its outcome is being
// handed out right now, once that is over.
void Exchange::detach(ParserParam *request)
{
    if (request == inHand)
        leftWhileInHand.insert(request);
    else
        delete request;
}

void Exchange::removeHead()
{
    if (queue.isEmpty())
        return;
    detach(queue.takeFirst());
    turnToHead();
    settle();
}

void Exchange::clearParsers()
{
    const QList<ParserParam *> dropped = queue;
    queue.clear();
    turnToHead();
    for (ParserParam *p : dropped)
        detach(p);
    settle();
}

void Exchange::startHead()
{
    if (!head() || headInHand())
        return;
    settle();
    parser->start();
}

void Exchange::startNext(bool first)
{
    quint8 percent = 0;
    if (first) {
        totalParsers = quint16(qMin(queue.size(), 0xFFFF));
    } else if (totalParsers > 0) {
        // The queue may have grown past the base; keep the figure within 0..100.
        const int done = int(totalParsers) - queue.size();
        percent = quint8(qBound(0, done * 100 / int(totalParsers), 100));
    }
    if (headInHand()) {
        // Queued behind a head whose outcome is out: it starts when that
        // head leaves.
        emit sgSetProgres(percent);
        return;
    }
    setState(State::Starting);
    emit sgSetProgres(percent);
    // A receiver may have started the queue itself (an operation called from
    // a modal loop) or dropped it; the head is not started a second time.
    if (now == State::Starting)
        startHead();
}

void Exchange::finishStep()
{
    if (queue.isEmpty())
        emit sgSetProgres(100);
    else
        startNext(false);
}

// ---------------------------------------------------------------- the line

bool Exchange::openPort(const QString &portName)
{
    clearParsers();
    // What was kept from the line belongs to the connection that ends here.
    kept.clear();
    if (link->isOpen()) {
        link->close();
        return false;
    }
    lastOpenError = QSerialPort::NoError;
    lastOpenErrorString.clear();
    if (!link->open(portName)) {
        lastOpenError = link->openError();
        lastOpenErrorString = link->openErrorString();
        qCDebug(lcProtocol) << "openPort" << portName << lastOpenErrorString;
        return false;
    }
    portLost = false;
    // Whatever the device or the adapter left in the line before the port
    // was opened belongs to no request of ours.
    link->clearInput();
    addRequest(ReadIdentity);
    readSettings();
    return true;
}

void Exchange::slLineLost(const QString &reason)
{
    portLost = true;
    clearParsers();
    kept.clear();
    emit sgPortLost(reason);
}

void Exchange::slRequest(QByteArray request)
{
    // The parser works for the head alone (it is turned to each new head
    // and stopped with an empty queue), so what it asks for is the head's.
    const ParserParam *h = head();
    if (!h)
        return;
    // Taken now: a receiver of the signals below may drop the queue, and the
    // request's record with it.
    const TypeParser type = h->type;
    const bool repeat = parser->attempt() != 0;
    if (type == TestAddress)
        emit sgRequest(quint8(queue.size()), TestAddress, request);
    if (type == ReadConfig) {
        // The identity reply that sets the variant arrives after the read
        // was queued, so the layout is taken when the request goes out.
        ParserParam layout;
        Catalogue::applyReadConfigLayout(layout, variant);
        parser->setAnswer(layout.answer);
        parser->setMask(layout.mask);
    }
    if (!link->isOpen()) {
        qCDebug(lcProtocol) << "Request (port closed):" << request;
        return;
    }
    qCDebug(lcProtocol) << "Request: " << request;
    qCDebug(lcTrace) << "Request: " << request.toHex(' ');
    emit sgTraffic(repeat ? Traffic::Repeated : Traffic::Sent, request);
    emit sgSent(type, request, repeat);
    link->write(request);
}

void Exchange::slReadyRead()
{
    if (!link->isOpen())
        return;
    if (!head()) {
        // Nobody waits for a reply: the line is emptied at once, so that a
        // noisy line cannot pile up in its buffer, and only the newest bytes
        // are kept for the next reply.
        const qint64 surplus = link->bytesAvailable() - KeptLimit;
        if (surplus > 0)
            link->skip(surplus);
        takeReceived(link->read(KeptLimit));
        return;
    }
    const QByteArray bytes = link->read(ReadSlice);
    if (bytes.isEmpty())
        return;
    takeReceived(bytes);
    // The line signals only new bytes; what is left of a flood is read on
    // the next pass (or thrown away there, if the queue has run empty).
    if (link->isOpen() && link->bytesAvailable() > 0 && !slicePending) {
        slicePending = true;
        clock->singleShot(0, this, [this] {
            slicePending = false;
            slReadyRead();
        });
    }
}

void Exchange::takeReceived(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return;
    if (!head()) {
        kept.keep(bytes);
        return;
    }
    const QByteArray all = kept.takeWith(bytes);
    qCDebug(lcProtocol) << "baResive: " << all;
    qCDebug(lcTrace) << "baResive: " << all.toHex(' ');
    emit sgTraffic(Traffic::Received, all);
    receive(all);
}

void Exchange::receive(const QByteArray &bytes)
{
    ParserParam *h = head();
    if (!h || headInHand())
        return; // the head's outcome is already being handed out

    QByteArrayList fields;
    if (!parser->parse(bytes, fields))
        return;
    qCDebug(lcProtocol) << "--------------------------------";

    const TypeParser type = h->type;
    const bool reported = fields.size() == RequestKinds::expectedFields(type, variant);
    if (reported && !RequestKinds::plausible(type, fields)) {
        // Damaged on the line (a byte lost, or noise caught inside a field):
        // the head keeps waiting and its timer repeats the request (or gives
        // up) as for no reply at all.
        qCDebug(lcProtocol) << "damaged reply dropped";
        return;
    }
    if (reported && !handOut(h, State::Reporting, [&] { emit sgGetSetting(type, fields); }))
        return;
    if (h->keepAfterAnswer)
        return; // a test step lasts its full time; the result comes at give-up

    removeHead();
    if (type == ModuleDefaults) {
        // The module answered "ATR": the remaining attempts of the rate
        // search are skipped up to the configuration write.
        while (!queue.isEmpty() && queue.first()->type != WriteConfig)
            removeHead();
    }
    finishStep();
}

void Exchange::slTimeout()
{
    ParserParam *h = head();
    if (!h || headInHand())
        return;
    qCDebug(lcProtocol) << "slTimeout";

    const TypeParser type = h->type;
    const RequestKinds::GiveUp giveUp = RequestKinds::row(type).giveUp;
    if (giveUp == RequestKinds::GiveUp::TestStep) {
        testStep(h);
        return;
    }
    const bool stillHead = handOut(h, State::Reporting, [&] {
        emit sgTraffic(Traffic::GaveUp, h->request);
        emit sgGaveUp(type, h->request);
    });
    if (!stillHead)
        return;
    if (giveUp == RequestKinds::GiveUp::ClearQueue) {
        clearParsers();
        return;
    }
    if (giveUp == RequestKinds::GiveUp::Ask) {
        // The receiver asks the user and may hold a modal question open
        // while replies, timer ticks and new requests keep arriving. The
        // failed parser is held still until the answer: it is not resent, not
        // fed, and raises no second give-up.
        parser->stop();
        if (!handOut(h, State::Deciding, [&] { emit sgError(h->request); })) {
            // The queue was dropped (the answer No, a lost port) or replaced
            // by an operation that is already running. A run cut short by
            // the lost port did not complete and is not shown as complete.
            if (queue.isEmpty() && !portLost)
                emit sgSetProgres(100);
            return;
        }
    }
    removeHead();
    finishStep();
}

// ---------------------------------------------------------------- radio test

void Exchange::startTest(const QByteArray &adreses)
{
    clearParsers();
    test.setAddresses(adreses);
    if (test.isEmpty())
        return; // nothing to poll
    addRequest(TestAddress);
    startHead();
}

void Exchange::resetTestPosition()
{
    test.rewind();
}

void Exchange::testStep(ParserParam *h)
{
    const bool stillHead = handOut(h, State::Reporting, [&] {
        if (parser->done()) {
            qCDebug(lcProtocol) << "Parse Ok";
            emit sgOk(quint8(queue.size()), TestAddress, h->request);
        } else {
            qCDebug(lcProtocol) << "TimeOut request";
            emit sgTimeOut(quint8(queue.size()), TestAddress, h->request);
        }
    });
    if (!stillHead || test.isEmpty()) {
        // Stopped or replaced by a receiver (or the port was lost meanwhile).
        if (queue.isEmpty() && !portLost)
            emit sgSetProgres(100);
        return;
    }
    // The next address: the step's poll, reply template and mask change,
    // and the head is sent again.
    test.advance(*h);
    parser->setRequest(h->request);
    parser->setAnswer(h->answer);
    parser->setMask(h->mask);
    startHead();
}

// ---------------------------------------------------------------- operations

void Exchange::readSettings()
{
    queueSteps(Sequences::readAll());
    startNext(true);
}

void Exchange::identifyAgain(bool andRead)
{
    addRequest(ReadIdentity);
    if (andRead)
        queueSteps(Sequences::readAll());
    startNext(true);
}

void Exchange::writeSettings()
{
    replaceQueue(false);
}

void Exchange::writeDefaults()
{
    replaceQueue(true);
}

// The write of the whole record or the restore of the defaults: the queue
// is replaced by the sequence built from the record.
void Exchange::replaceQueue(bool defaults)
{
    clearParsers();
    if (transmitter == 0 && data)
        data->settings.testAdres = 255;
    static const DeviceSettings blank;
    const DeviceSettings &s = data ? data->settings : blank;
    queueSteps(defaults ? Sequences::restoreDefaults(s, variant) : Sequences::writeAll(s, variant));
    startNext(true);
}

void Exchange::getValue()
{
    runAlso(makeParserParam(ReadInputs));
}

void Exchange::runAlso(const ParserParam &param)
{
    appendRequest(param);
    startNext(true);
}
