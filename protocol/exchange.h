#pragma once

#include "protocol/parserparam.h"
#include "protocol/typeparser.h"

#include <QByteArrayList>
#include <QList>
#include <QObject>
#include <QSerialPort>
#include <QSet>

class Data;
class Parser;

// Talks to the device over the serial link: one request at a time from a
// queue of parsers. Only the head of the queue runs; received bytes go to it;
// when it matches a reply or gives up it leaves the queue and the next one
// starts. Read replies go out through sgGetSetting, failed requests of the
// reporting kinds through sgError, and the radio test cycle reports each step
// through sgRequest / sgOk / sgTimeOut.
class Exchange : public QObject
{
    Q_OBJECT
public:
    enum class Traffic
    {
        Sent,
        Repeated,
        Received,
        GaveUp
    };
    Q_ENUM(Traffic)

    Exchange(QObject *parent, Data *data);
    ~Exchange() override;

    // The catalogue record for a request kind, with this engine's test
    // addresses, firmware variant and settings record.
    ParserParam makeParserParam(TypeParser type, const QByteArray &arg = QByteArray()) const;

    // Opens the link (identity and full read queued) or, when it is open,
    // closes it. Returns whether the port is open afterwards.
    bool openPort(const QString &portName);
    bool isOpen() const;
    // Why the last attempt to open the port failed (NoError after a success).
    QSerialPort::SerialPortError openError() const { return lastOpenError; }
    QString openErrorString() const { return lastOpenErrorString; }

    void readSettings();
    void writeSettings();
    void writeDefaults();
    void sendCurrent(quint16 setPoint);
    void sendRealCurrent(quint16 setPoint, quint16 measured);
    void enterCalibration();
    void exitCalibration();

    void setTransmitter(int value) { transmitter = value; }
    void setVariant(quint8 value) { variant = value; }
    int isTransmitter() const { return transmitter; }
    quint8 firmwareVariant() const { return variant; }

    // Bytes just read from the port. With a request waiting they go to the
    // head of the queue, after whatever was kept while nobody waited. With
    // the queue empty they may be the start of the reply to the next request
    // (or noise): only the newest KeptLimit bytes are kept, to go with the
    // first bytes read after the next request. Also the way in for a harness
    // that plays the line itself (the fuzzer).
    void takeReceived(const QByteArray &bytes);
    // Hands bytes straight to the head of the queue, bypassing what is kept.
    void receive(const QByteArray &bytes);
    // The bytes kept from the line while the queue was empty.
    QByteArray keptBytes() const { return kept; }
    // A reply is under a hundred bytes; what the line brings beyond this while
    // nobody waits is noise.
    static constexpr int KeptLimit = 4096;

    int queueLength() const { return parsers.size(); }
    quint8 currentTestIndex() const { return testIndex; }
    QByteArray currentTestAdreses() const { return testAdreses; }

signals:
    void sgRequest(quint8 countParsers, TypeParser typeParser, QByteArray request);
    void sgTimeOut(quint8 countParsers, TypeParser typeParser, QByteArray request);
    void sgOk(quint8 countParsers, TypeParser typeParser, QByteArray request);
    void sgError(QByteArray request);
    void sgGetSetting(TypeParser type, QByteArrayList param);
    void sgSetProgres(quint8 percent);
    // The link failed under the engine (adapter unplugged, device gone): the
    // port has been closed and the queue dropped.
    void sgPortLost(QString reason);
    // Every request that gave up, whatever its kind does next (silence, the
    // question, a cleared queue); test steps excepted. Receivers record it and
    // must not change the queue from here.
    void sgGaveUp(TypeParser type, QByteArray request);
    // What crosses the line, for a traffic log: requests as written (first
    // sends and repeats), bytes as received, and give-ups.
    void sgTraffic(Exchange::Traffic what, QByteArray bytes);

public slots:
    void getValue();
    void slReadyRead();
    void slRequest(QByteArray request);
    void slTimeout();
    QByteArray getTestRequest(quint8 index) const;

    void startTest(const QByteArray &adreses);
    void clearParsers();
    void resetTestPosition();

private slots:
    void slPortError(QSerialPort::SerialPortError error);

private:
    Parser *head() const { return parsers.isEmpty() ? nullptr : parsers.first(); }
    bool isHead(Parser *parser) const { return parser && head() == parser; }
    Parser *addParser(TypeParser type, const QByteArray &arg = QByteArray());
    Parser *appendParser(const ParserParam &param);
    void detach(Parser *parser);
    void hold(Parser *parser);
    void release(Parser *parser);
    void removeHead();
    void startNext(bool first);
    void startHead();
    void finishStep();
    void testStep(Parser *parser);
    QByteArray configText(int rateDigit) const;
    void queueWriteTail();

    QSerialPort *port;
    QList<Parser *> parsers;
    QByteArray testAdreses;
    quint8 testIndex = 100;
    Data *data;
    int transmitter = 1;
    quint8 variant = 0;
    QSerialPort::SerialPortError lastOpenError = QSerialPort::NoError;
    QString lastOpenErrorString;

    // Parsers whose outcome is being handed out (a matched reply, a give-up
    // the user is asked about, a test step). While the receivers run,
    // possibly in a modal loop, such a parser is neither restarted nor fed,
    // and if it leaves the queue meanwhile it is deleted only once its own
    // emission is over (deferred deletes also run inside a modal loop).
    QList<Parser *> held;
    QSet<Parser *> doomed;
    // Counts head starts, so that a start made by a receiver of sgSetProgres
    // is not repeated when the signal returns.
    quint32 headStarts = 0;
    // Set while a request is pushed out from inside the engine; a port error
    // raised by that write is handled from the event loop instead.
    bool writing = false;
    // Set from the loss of the port until it is opened again: an outcome
    // handed out while the port went (a question left open) ends no run.
    bool portLost = false;
    // A pass of the event loop takes at most this much from the port (a
    // reply is under a hundred bytes); the rest of a noise flood is taken on
    // the following passes, so the window stays responsive meanwhile.
    static constexpr qint64 ReadSlice = 4096;
    bool slicePending = false;
    // Bytes that arrived while the queue was empty, at most KeptLimit.
    QByteArray kept;

    // Progress base: the queue length when the current run started. Each
    // engine has its own, so that several devices can be served at once.
    quint16 totalParsers = 0;
};
