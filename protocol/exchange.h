#pragma once

#include "protocol/catalogue.h"
#include "protocol/clock.h"
#include "protocol/idlebytes.h"
#include "protocol/line.h"
#include "protocol/parserparam.h"
#include "protocol/sequences.h"
#include "protocol/testcycle.h"
#include "protocol/typeparser.h"

#include <QByteArrayList>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSerialPort>
#include <QSet>

class Data;
class Parser;

// Talks to the device over the serial link: one request at a time from a
// queue of requests. Only the head of the queue runs, worked by the engine's
// one parser (its sends, repeats and reply scan); received bytes go to it;
// when it matches a reply or gives up it leaves the queue and the parser
// turns to the next one. Read replies go out through sgGetSetting, failed requests of the
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

    // What the engine is doing. Receivers of the engine's signals run inside
    // it (a reply's receiver may even hold a modal question open while the
    // event loop goes on), so the head's outcome being handed out is a state
    // of its own: meanwhile the head is neither fed, restarted nor given up.
    enum class State
    {
        Idle,      // nothing queued
        Starting,  // a run's progress is being reported; the head starts next
        Running,   // the head's request is out, its timer runs
        TestCycle, // a radio test step is out
        Reporting, // the head's reply, give-up or test result is being handed out
        Deciding   // the head gave up and the user is asked whether to go on
    };
    Q_ENUM(State)

    Exchange(QObject *parent, Data *data);
    ~Exchange() override;

    // The line and the clock the engine works with; by default the serial
    // port and the real clock. Set before openPort (the clock is not changed
    // while requests are queued). The engine does not take ownership of what
    // it is given.
    void setLine(Line *line);
    void setClock(Clock *c);
    Line *line() const { return link; }

    // The catalogue record for a request kind, with this engine's test
    // addresses, firmware variant and settings record.
    ParserParam makeParserParam(TypeParser type, const QByteArray &arg = QByteArray()) const;

    // Opens the link (identity and full read queued) or, when it is open,
    // closes it. Returns whether the port is open afterwards.
    bool openPort(const QString &portName);
    bool isOpen() const { return link->isOpen(); }
    // Why the last attempt to open the port failed (NoError after a success).
    QSerialPort::SerialPortError openError() const { return lastOpenError; }
    QString openErrorString() const { return lastOpenErrorString; }

    void readSettings();
    // The identity request again, and with `andRead` the full read after it,
    // on a port that is already open (a second reading to confirm the first).
    void identifyAgain(bool andRead);
    void writeSettings();
    void writeDefaults();
    // The single requests of the calibration, queued behind whatever runs.
    void sendCurrent(quint16 setPoint) { runAlso(Catalogue::setCurrent(setPoint)); }
    void sendRealCurrent(quint16 setPoint, quint16 measured)
    {
        runAlso(Catalogue::setRealCurrent(setPoint, measured));
    }
    void enterCalibration() { runAlso(Catalogue::calibrationMode(true)); }
    void exitCalibration() { runAlso(Catalogue::calibrationMode(false)); }
    // "ATO" alone, queued behind whatever runs: the radio module back out of
    // command mode when a sequence that entered it was cut short.
    void exitCommandMode() { runAlso(makeParserParam(ExitCommand)); }

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
    QByteArray keptBytes() const { return kept.bytes(); }
    static constexpr int KeptLimit = IdleBytes::Limit;
    // A pass of the event loop takes at most this much from the port (a
    // reply is under a hundred bytes); the rest of a noise flood is taken on
    // the following passes, so the window stays responsive meanwhile.
    static constexpr qint64 ReadSlice = 4096;

    State state() const { return now; }
    int queueLength() const { return queue.size(); }
    quint8 currentTestIndex() const { return test.index(); }
    Clock *timeSource() const { return clock; }
    QByteArray currentTestAdreses() const { return test.addresses(); }

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
    // A request goes on the line: its kind, its bytes, and whether it is a
    // repeat of one that got no usable reply.
    void sgSent(TypeParser type, QByteArray request, bool repeat);
    // What crosses the line, for a traffic log: requests as written (first
    // sends and repeats), bytes as received, and give-ups.
    void sgTraffic(Exchange::Traffic what, QByteArray bytes);

public slots:
    void getValue();
    void slReadyRead();
    void slRequest(QByteArray request);
    void slTimeout();
    QByteArray getTestRequest(quint8 index) const { return test.request(index); }

    void startTest(const QByteArray &adreses);
    void clearParsers();
    void resetTestPosition();

private slots:
    void slLineLost(const QString &reason);

private:
    // A queued request is its record alone; the parser works only for the
    // head. The records are compared by address: a head handed out may leave
    // the queue and another take its place meanwhile.
    ParserParam *head() const { return queue.isEmpty() ? nullptr : queue.first(); }
    bool isHead(const ParserParam *request) const { return request && head() == request; }
    bool headInHand() const { return now == State::Reporting || now == State::Deciding; }
    void setState(State next);
    void settle();
    template <typename Emit> bool handOut(ParserParam *request, State during, Emit emitting);
    void addRequest(TypeParser type, const QByteArray &arg = QByteArray());
    void appendRequest(ParserParam param);
    void turnToHead();
    void queueSteps(const QVector<Sequences::Step> &steps);
    void replaceQueue(bool defaults);
    // Appends a request and restarts the head with a new progress base.
    void runAlso(const ParserParam &param);
    void detach(ParserParam *request);
    void removeHead();
    void startNext(bool first);
    void startHead();
    void finishStep();
    void testStep(ParserParam *request);

    QPointer<Line> link;
    Clock *clock;
    // Owned by the engine; the head first.
    QList<ParserParam *> queue;
    // Works for the head of the queue, from the moment it becomes the head;
    // made on the engine's clock with the first request and kept from then on.
    Parser *parser = nullptr;
    TestCycle test;
    Data *data;
    int transmitter = 1;
    quint8 variant = 0;
    QSerialPort::SerialPortError lastOpenError = QSerialPort::NoError;
    QString lastOpenErrorString;

    State now = State::Idle;
    // A request whose outcome signal is still being delivered may leave the
    // queue meanwhile (a receiver drops the queue from a modal question); its
    // record is deleted once the signal has returned.
    ParserParam *inHand = nullptr;
    QSet<ParserParam *> leftWhileInHand;
    // Set from the loss of the port until it is opened again: an outcome
    // handed out while the port went (a question left open) ends no run.
    bool portLost = false;
    bool slicePending = false;
    IdleBytes kept;

    // Progress base: the queue length when the current run started. Each
    // engine has its own, so that several devices can be served at once.
    quint16 totalParsers = 0;
};
