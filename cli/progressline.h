#pragma once

#include <QMap>
#include <QString>

#include <cstdio>

// Progress of the jobs on standard error: on a terminal one bar that is
// redrawn in place (all ports together), otherwise a plain line when a port
// starts or ends a stage, so that a log stays short. Notes go between.
class ProgressLine
{
public:
    // `terminal`: draw the bar (stderr is a terminal).
    explicit ProgressLine(bool terminal, FILE *out = stderr);

    void update(const QString &port, const QString &stage, int percent);
    void note(const QString &port, const QString &text);
    // Clears the bar before results follow.
    void done();

    static bool stderrIsTerminal();

private:
    void draw();
    void clearBar();

    bool terminal;
    FILE *out;
    QMap<QString, QPair<QString, int>> state; // port -> stage, percent
    bool barShown = false;
};
