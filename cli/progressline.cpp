#include "cli/progressline.h"

#include "cli/terminaltext.h"

#include <QCoreApplication>

#include <unistd.h>

ProgressLine::ProgressLine(bool terminal, FILE *out) : terminal(terminal), out(out) {}

bool ProgressLine::stderrIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

void ProgressLine::update(const QString &port, const QString &stage, int percent)
{
    const auto before = state.value(port, qMakePair(QString(), -1));
    state.insert(port, qMakePair(stage, percent));
    if (terminal) {
        draw();
        return;
    }
    if (before.first != stage || (percent == 100 && before.second != 100))
        fprintf(out, "%s: %s %d%%\n", qUtf8Printable(TerminalText::shown(port)),
                qUtf8Printable(stage), percent);
    fflush(out);
}

void ProgressLine::note(const QString &port, const QString &text)
{
    line(port + QLatin1String(": ") + text);
}

void ProgressLine::message(const QString &text)
{
    line(text);
}

void ProgressLine::line(const QString &text)
{
    clearBar();
    const QByteArray bytes = (TerminalText::shown(text) + QLatin1Char('\n')).toUtf8();
    fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    fflush(out);
    if (terminal)
        draw();
}

void ProgressLine::draw()
{
    if (state.isEmpty() || over)
        return;
    int sum = 0;
    for (const auto &s : state)
        sum += s.second;
    const int percent = sum / state.size();
    const int width = 30;
    const int filled = percent * width / 100;
    const QString label =
        state.size() == 1
            ? state.firstKey() + QLatin1Char(' ') + state.first().first
            : QCoreApplication::translate("ProgressLine", "%1 ports").arg(state.size());
    fprintf(out, "\r[%s%s] %3d%% %s\x1b[K", qPrintable(QString(filled, QLatin1Char('#'))),
            qPrintable(QString(width - filled, QLatin1Char('.'))), percent,
            qUtf8Printable(TerminalText::shown(label)));
    fflush(out);
    barShown = true;
}

void ProgressLine::clearBar()
{
    if (barShown) {
        fprintf(out, "\r\x1b[K");
        barShown = false;
    }
}

void ProgressLine::done()
{
    clearBar();
    over = true;
    fflush(out);
}
