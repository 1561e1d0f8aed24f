#pragma once

#include <QApplication>

#include <functional>

// The benchmark's application object. With a clock set (RLX_BENCH_DETAIL),
// every event of the configurator's thread that takes 1 ms or more is printed
// with the line's time, its type and receiver.
class BenchApp : public QApplication
{
public:
    using QApplication::QApplication;
    std::function<qint64()> clock;
    bool notify(QObject *receiver, QEvent *event) override;
};
