#pragma once

#include <QMap>
#include <QString>

#include <cstdio>

// Progress of the jobs on standard error: on a terminal one bar that is
// redrawn in place (all ports together), otherwise a plain line when a port
// starts or ends a stage, so that a log stays short. Notes go between, with
// any control character in them written out (a device's text could carry
// escape sequences).
class ProgressLine
{
public:
    // `terminal`: draw the bar (stderr is a terminal).
    explicit ProgressLine(bool terminal, FILE *out = stderr);

    void update(const QString &port, const QString &stage, int percent);
    void note(const QString &port, const QString &text);
    // A line about all the jobs.
    void message(const QString &text);
    // Clears the bar before results follow; notes after it leave it away.
    void done();

    static bool stderrIsTerminal();

private:
    void line(const QString &text);
    void draw();
    void clearBar();

    bool terminal;
    FILE *out;
    QMap<QString, QPair<QString, int>> state; // port -> stage, percent
    bool barShown = false;
    bool over = false;
};
