#include "protocol/exchange.h"

#include "protocol/catalogue.h"
#include "protocol/data.h"
#include "protocol/parser.h"
#include "protocol/requestkinds.h"

#include <QDebug>
#include <QTimer>

namespace {

QByteArray hexForm(const QByteArray &bytes)
{
    return bytes.toHex(' ');
}

} // namespace

Exchange::Exchange(QObject *parent, Data *d) : QObject(parent), port(new QSerialPort(this)), data(d)
{
    qRegisterMetaType<TypeParser>("TypeParser");
    connect(port, &QSerialPort::readyRead, this, &Exchange::slReadyRead);
    connect(port, &QSerialPort::errorOccurred, this, &Exchange::slPortError);
}

Exchange::~Exchange()
{
    // The port and the parsers are children and go with the engine; make sure
    // none of them calls back into a half-destroyed engine on the way.
    port->disconnect(this);
    for (Parser *p : qAsConst(parsers))
        p->disconnect(this);
}

ParserParam Exchange::makeParserParam(TypeParser type, const QByteArray &arg) const
{
    static const DeviceSettings blank;
    return Catalogue::makeParserParam(type, arg, data ? data->settings : blank, variant,
                                      testAdreses, testIndex);
}

// ---------------------------------------------------------------- the queue

Parser *Exchange::appendParser(const ParserParam &param)
{
    auto *p = new Parser(this, param);
    parsers.append(p);
    connect(p, &Parser::sgRequest, this, &Exchange::slRequest);
    connect(p, &Parser::sgTimeout, this, &Exchange::slTimeout);
    return p;
}

Parser *Exchange::addParser(TypeParser type, const QByteArray &arg)
{
    return appendParser(makeParserParam(type, arg));
}

// Takes a parser out of the engine's hands. It may be the sender of the
// signal being delivered right now, so it is deleted from the event loop.
void Exchange::detach(Parser *parser)
{
    parser->disconnect(this);
    parser->stop();
    if (held.contains(parser))
        doomed.insert(parser);
    else
        parser->deleteLater();
}

void Exchange::hold(Parser *parser)
{
    held.append(parser);
}

void Exchange::release(Parser *parser)
{
    held.removeOne(parser);
    if (!held.contains(parser) && doomed.remove(parser))
        parser->deleteLater();
}

void Exchange::removeHead()
{
    if (parsers.isEmpty())
        return;
    detach(parsers.takeFirst());
}

void Exchange::clearParsers()
{
    const QList<Parser *> dropped = parsers;
    parsers.clear();
    for (Parser *p : dropped)
        detach(p);
}

void Exchange::startHead()
{
    Parser *h = head();
    if (!h || held.contains(h))
        return;
    ++headStarts;
    h->start();
}

void Exchange::startNext(bool first)
{
    quint8 percent = 0;
    if (first) {
        totalParsers = quint16(qMin(parsers.size(), 0xFFFF));
    } else if (totalParsers > 0) {
        // The base is shared by the whole program and the queue may have
        // grown past it; keep the figure within 0..100.
        const int done = int(totalParsers) - parsers.size();
        percent = quint8(qBound(0, done * 100 / int(totalParsers), 100));
    }
    const quint32 startsBefore = headStarts;
    emit sgSetProgres(percent);
    // A receiver may have started the queue itself (an operation called from
    // a modal loop); the head is not restarted a second time.
    if (headStarts == startsBefore)
        startHead();
}

void Exchange::finishStep()
{
    if (parsers.isEmpty())
        emit sgSetProgres(100);
    else
        startNext(false);
}

// ---------------------------------------------------------------- the port

bool Exchange::openPort(const QString &portName)
{
    clearParsers();
    // What was kept from the line belongs to the connection that ends here.
    kept.clear();
    port->setPortName(portName);
    port->setBaudRate(QSerialPort::Baud9600, QSerialPort::AllDirections);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);

    if (port->isOpen()) {
        port->close();
        clearParsers();
        return false;
    }
    lastOpenError = QSerialPort::NoError;
    lastOpenErrorString.clear();
    if (!port->open(QIODevice::ReadWrite)) {
        lastOpenError = port->error();
        lastOpenErrorString = port->errorString();
        qDebug() << "openPort" << portName << lastOpenErrorString;
        return false;
    }
    portLost = false;
    // Whatever the device or the adapter left in the line before the port
    // was opened belongs to no request of ours.
    port->clear(QSerialPort::Input);
    addParser(ReadIdentity);
    readSettings();
    return true;
}

bool Exchange::isOpen() const
{
    return port->isOpen();
}

void Exchange::slPortError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
    case QSerialPort::WriteError:
        break;
    default:
        // NoError comes with every open and clearError; open failures are
        // reported by openPort's result.
        return;
    }
    if (!port->isOpen())
        return;
    if (writing) {
        // Raised by the write of a request, deep inside the engine's own
        // calls: the port is closed and the user told once those are over.
        QMetaObject::invokeMethod(
            this, [this, error] { slPortError(error); }, Qt::QueuedConnection);
        return;
    }
    // A hung-up line keeps reporting read errors for as long as the port
    // stays open, so the first one closes it.
    const QString reason = port->errorString();
    qDebug() << "port lost:" << reason;
    portLost = true;
    port->close();
    clearParsers();
    kept.clear();
    emit sgPortLost(reason);
}

void Exchange::slRequest(QByteArray request)
{
    Parser *h = head();
    auto *from = qobject_cast<Parser *>(sender());
    if (!h || (from && from != h))
        return;
    if (h->type() == TestAddress)
        emit sgRequest(quint8(parsers.size()), TestAddress, request);
    if (h->type() == ReadConfig) {
        // The identity reply that sets the variant arrives after the read
        // was queued, so the layout is taken when the request goes out.
        ParserParam layout;
        Catalogue::applyReadConfigLayout(layout, variant);
        h->setAnswer(layout.answer);
        h->setMask(layout.mask);
    }
    if (!port->isOpen()) {
        qDebug() << "Request (port closed):" << request;
        return;
    }
    qDebug() << "Request: " << request << hexForm(request);
    emit sgTraffic(h->attempt() == 0 ? Traffic::Sent : Traffic::Repeated, request);
    port->write(request);
    // Out on the line now rather than on the next pass of the event loop:
    // the reply just handled may have left the window a lot of work (a new
    // panel arrangement after identification), and the line would stand idle
    // while it is done.
    writing = true;
    port->flush();
    writing = false;
}

void Exchange::slReadyRead()
{
    if (!port->isOpen())
        return;
    if (!head()) {
        // Nobody waits for a reply: the port is emptied at once, so that a
        // noisy line cannot pile up in its buffer, and only the newest bytes
        // are kept for the next reply.
        const qint64 surplus = port->bytesAvailable() - KeptLimit;
        if (surplus > 0)
            port->skip(surplus);
        takeReceived(port->read(KeptLimit));
        return;
    }
    const QByteArray bytes = port->read(ReadSlice);
    if (bytes.isEmpty())
        return;
    takeReceived(bytes);
    // The port signals only new bytes; what is left of a flood is read on
    // the next pass (or thrown away there, if the queue has run empty).
    if (port->isOpen() && port->bytesAvailable() > 0 && !slicePending) {
        slicePending = true;
        QTimer::singleShot(0, this, [this] {
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
        if (bytes.size() >= KeptLimit) {
            kept = bytes.right(KeptLimit);
        } else {
            kept.append(bytes);
            if (kept.size() > KeptLimit)
                kept.remove(0, kept.size() - KeptLimit);
        }
        return;
    }
    QByteArray all = bytes;
    if (!kept.isEmpty()) {
        all.prepend(kept);
        kept.clear();
    }
    qDebug() << "baResive: " << all << hexForm(all);
    emit sgTraffic(Traffic::Received, all);
    receive(all);
}

void Exchange::receive(const QByteArray &bytes)
{
    Parser *h = head();
    if (!h || held.contains(h))
        return; // the head's outcome is already being handed out

    QByteArrayList fields;
    if (!h->parse(bytes, fields))
        return;
    qDebug() << "--------------------------------";

    const TypeParser type = h->type();
    const bool handedOut = fields.size() == RequestKinds::expectedFields(type, variant);
    if (handedOut && !RequestKinds::plausible(type, fields)) {
        // Damaged on the line (a byte lost, or noise caught inside a field):
        // the head keeps waiting and its timer repeats the request (or gives
        // up) as for no reply at all.
        qDebug() << "damaged reply dropped";
        return;
    }
    if (handedOut) {
        hold(h);
        emit sgGetSetting(type, fields);
        const bool stillHead = isHead(h);
        release(h);
        // A receiver may have dropped or replaced the queue meanwhile.
        if (!stillHead)
            return;
    }
    if (h->keepAfterAnswer())
        return; // a test step lasts its full time; the result comes at give-up

    removeHead();
    if (type == ModuleDefaults) {
        // The module answered "ATR": the remaining attempts of the rate
        // search are skipped up to the configuration write.
        while (!parsers.isEmpty() && !parsers.first()->request().startsWith("$0"))
            removeHead();
    }
    finishStep();
}

void Exchange::slTimeout()
{
    Parser *h = head();
    auto *from = qobject_cast<Parser *>(sender());
    if (!h || (from && from != h) || held.contains(h))
        return;
    qDebug() << "slTimeout";

    const TypeParser type = h->type();
    const RequestKinds::GiveUp giveUp = RequestKinds::row(type).giveUp;
    if (giveUp == RequestKinds::GiveUp::TestStep) {
        testStep(h);
        return;
    }
    hold(h);
    emit sgTraffic(Traffic::GaveUp, h->request());
    emit sgGaveUp(type, h->request());
    release(h);
    if (!isHead(h))
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
        h->stop();
        hold(h);
        emit sgError(h->request());
        const bool stillHead = isHead(h);
        release(h);
        if (!stillHead) {
            // The queue was dropped (the answer No, a lost port) or replaced
            // by an operation that is already running. A run cut short by
            // the lost port did not complete and is not shown as complete.
            if (parsers.isEmpty() && !portLost)
                emit sgSetProgres(100);
            return;
        }
    }
    removeHead();
    finishStep();
}

// ---------------------------------------------------------------- radio test

QByteArray Exchange::getTestRequest(quint8 index) const
{
    if (testAdreses.isEmpty())
        return QByteArray();
    if (index >= testAdreses.size())
        index = 0;
    return Catalogue::testRequest(quint8(testAdreses.at(index)));
}

void Exchange::startTest(const QByteArray &adreses)
{
    clearParsers();
    testAdreses = adreses.left(255);
    if (testAdreses.isEmpty())
        return; // nothing to poll
    // The run starts where the previous one stopped. A position past the end
    // of the list (at first it is 100) sends the first poll to the first
    // address, and the step after it wraps to the first address again.
    addParser(TestAddress);
    startHead();
}

void Exchange::resetTestPosition()
{
    testIndex = quint8(testAdreses.size());
}

void Exchange::testStep(Parser *h)
{
    hold(h);
    if (h->done()) {
        qDebug() << "Parse Ok";
        emit sgOk(quint8(parsers.size()), TestAddress, h->request());
    } else {
        qDebug() << "TimeOut request";
        emit sgTimeOut(quint8(parsers.size()), TestAddress, h->request());
    }
    const bool stillHead = isHead(h);
    release(h);
    if (!stillHead || testAdreses.isEmpty()) {
        // Stopped or replaced by a receiver (or the port was lost meanwhile).
        if (parsers.isEmpty() && !portLost)
            emit sgSetProgres(100);
        return;
    }

    ++testIndex;
    if (testIndex >= testAdreses.size())
        testIndex = 0;
    const quint8 address = quint8(testAdreses.at(testIndex));
    h->setRequest(getTestRequest(testIndex));
    h->setAnswer(Catalogue::testAnswer(address));
    h->setMask(Catalogue::testMask(address));
    startHead();
}

// ---------------------------------------------------------------- sequences

QByteArray Exchange::configText(int rateDigit) const
{
    static const DeviceSettings blank;
    return Catalogue::configText(data ? data->settings : blank, variant, rateDigit);
}

void Exchange::readSettings()
{
    addParser(EnterCommand);
    addParser(ReadModuleVersion);
    addParser(ReadS216);
    addParser(ReadS206);
    addParser(ReadS201);
    addParser(ReadS200);
    addParser(ReadS214);
    addParser(ReadS202);
    addParser(SetS220);
    addParser(ReadConfig);
    addParser(ReadAveraging);
    addParser(ExitCommand);
    startNext(true);
}

// The common tail of the write-all and restore-defaults sequences, after the
// configuration write: the radio registers, S220, averaging, leave command
// mode, then read everything back.
void Exchange::queueWriteTail()
{
    static const DeviceSettings blank;
    const DeviceSettings &s = data ? data->settings : blank;
    auto num = [](int v) { return QByteArray::number(v); };
    addParser(WriteS206, num(s.subBand));
    addParser(WriteS201, num(s.radioRate));
    addParser(WriteS200, num(s.chanel));
    addParser(WriteS202, num(s.power));
    addParser(WriteS214, num(s.serialTimeout));
    addParser(WriteS216, num(s.flowControl));
    addParser(WriteS252, num(s.testAdres));
    addParser(SetS220);
    addParser(WriteAveraging);
    addParser(ExitCommand);
    readSettings();
}

void Exchange::writeSettings()
{
    clearParsers();
    const int rate = data ? data->settings.serialRate : 0;
    addParser(EnterCommand);
    addParser(WriteS210, QByteArray::number(rate + 1));
    addParser(SetLinkRate, QByteArray::number(rate + 1));
    if (transmitter == 0 && data)
        data->settings.testAdres = 255;
    addParser(WriteConfig, configText(rate));
    queueWriteTail();
}

void Exchange::writeDefaults()
{
    clearParsers();
    const int recorded = data ? data->settings.serialRate : 0;
    auto attempt = [this](int rate) {
        addParser(SetLinkRate, QByteArray::number(rate));
        addParser(EnterCommand);
        addParser(ModuleDefaults);
    };
    attempt(recorded);
    for (int r = 0; r < 8; ++r)
        attempt(r);
    if (transmitter == 0 && data)
        data->settings.testAdres = 255;
    addParser(WriteConfig, configText(4));
    queueWriteTail();
}

void Exchange::getValue()
{
    addParser(ReadInputs);
    startNext(true);
}

void Exchange::sendCurrent(quint16 setPoint)
{
    appendParser(Catalogue::setCurrent(setPoint));
    startNext(true);
}

void Exchange::sendRealCurrent(quint16 setPoint, quint16 measured)
{
    appendParser(Catalogue::setRealCurrent(setPoint, measured));
    startNext(true);
}

void Exchange::enterCalibration()
{
    appendParser(Catalogue::calibrationMode(true));
    startNext(true);
}

void Exchange::exitCalibration()
{
    appendParser(Catalogue::calibrationMode(false));
    startNext(true);
}
