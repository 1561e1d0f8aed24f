#pragma once

// rlx-cli as a process for the tests: its exit code and what it wrote, and
// the files it leaves. RLX_CLI is the path of the executable (a compile
// definition of the test).

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

struct CliRun
{
    int code = -1; // -1: it did not end by itself, or a signal ended it
    QString out, err;
    QByteArray bytes; // standard output as it came
};

// Runs rlx-cli with `args` until it ends, or kills it after `ms`; the event
// loop runs meanwhile. `input`, when given, is its standard input.
inline CliRun runCli(const QStringList &args, int ms = 60000,
                     const QByteArray &input = QByteArray())
{
    CliRun r;
    QProcess process;
    process.start(QStringLiteral(RLX_CLI), args);
    if (!input.isNull()) {
        process.write(input);
        process.closeWriteChannel();
    }
    if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, ms)) {
        qWarning("rlx-cli still running after %d ms", ms);
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.bytes = process.readAllStandardOutput();
    r.out = QString::fromUtf8(r.bytes);
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

inline QByteArray fileBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QJsonObject jsonObject(const QString &text)
{
    return QJsonDocument::fromJson(text.toUtf8()).object();
}
