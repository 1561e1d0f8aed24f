#pragma once

#include <QObject>

// A timer handed out by a Clock: fires timeout() `interval` ms after start(),
// once or again and again. The engine's retry timers are of this kind, so
// that a test's clock can move time for them.
class Timer : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    void setInterval(int ms) { intervalMs = ms; }
    int interval() const { return intervalMs; }
    void setSingleShot(bool on) { single = on; }
    bool isSingleShot() const { return single; }

    // (Re)starts the timer: the next timeout comes one interval from now.
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

signals:
    void timeout();

private:
    int intervalMs = 0;
    bool single = false;
};
