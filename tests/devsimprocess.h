#pragma once

// rlx-devsim as a separate process, with its log in the working directory.
// RLX_DEVSIM is the path of the executable (a compile definition of the test).

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QtTest>

struct Devsim
{
    explicit Devsim(QStringList args, bool announce = false)
    {
        static int count = 0;
        logName = QStringLiteral("devsim-%1.log").arg(++count);
        args << "--log" << logName;
        if (!announce)
            args << "--no-announce";
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(RLX_DEVSIM), args);
        // Generous bounds: only a device that never comes up reaches them.
        if (process.waitForStarted(60000) &&
            QTest::qWaitFor([&] { return process.canReadLine(); }, 60000))
            path = QString::fromLocal8Bit(process.readLine()).trimmed();
    }
    ~Devsim() { stop(); }
    void stop()
    {
        process.terminate();
        process.waitForFinished(5000);
    }

    // Every request the device received with its answer, as the log writes
    // them (CR as \r): "request -> answer", or "request ->" for none.
    QStringList exchanges() const
    {
        QFile file(logName);
        file.open(QIODevice::ReadOnly);
        QStringList out;
        for (const QString &line : QString::fromLatin1(file.readAll()).split('\n')) {
            const QString direction = line.section(' ', 1, 1);
            const QString text = line.section(' ', 2).section("  (", 0, 0);
            if (direction == ">")
                out << text + " ->";
            else if (direction == "<" && !out.isEmpty() && out.last().endsWith("->"))
                out.last() += ' ' + text;
        }
        return out;
    }
    QStringList requests() const
    {
        return exchanges().replaceInStrings(QRegularExpression(" ->.*"), "");
    }

    // Waits until the device has received `count` requests that begin with `prefix`.
    bool received(const QString &prefix, int count = 1) const
    {
        const QRegularExpression start('^' + QRegularExpression::escape(prefix));
        return QTest::qWaitFor([&] { return requests().filter(start).size() >= count; }, 180000);
    }

    QString path, logName;
    QProcess process;
};
