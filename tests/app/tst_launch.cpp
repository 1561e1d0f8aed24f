#include "app/launchcheck.h"
#include "app/mainwindow.h"

#include <QProcess>
#include <QSettings>
#include <QtTest>

#include <csignal>

Q_DECLARE_METATYPE(LaunchCheck::Action)

namespace {

using Action = LaunchCheck::Action;

// The program started with no display, no platform chosen and no XDG_RUNTIME_DIR.
void start(QProcess &program, const QStringList &arguments)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(name);
    program.setProcessEnvironment(env);
    program.start(RLX_CONFIGURATOR, arguments);
}

// Runs it and checks its exit code (-1: crash or hang) and output (all of it if ending in '\n').
void expectRun(const QStringList &arguments, int code, const QByteArray &out, const QByteArray &err)
{
    QProcess program;
    start(program, arguments);
    const bool ended =
        program.waitForFinished(20000) && program.exitStatus() == QProcess::NormalExit;
    QCOMPARE(ended ? program.exitCode() : -1, code);
    const QByteArray said[] = {program.readAllStandardOutput(), program.readAllStandardError()};
    for (const auto &[got, expected] : {qMakePair(said[0], out), qMakePair(said[1], err)})
        QVERIFY2(expected.endsWith('\n') || expected.isEmpty() ? got == expected
                                                               : got.startsWith(expected),
                 got.constData());
}

} // namespace

// The program before its window (decided without the toolkit), its end on signals.
class TestLaunch : public QObject
{
    Q_OBJECT
private slots:
    // Rows: the command line ("rlx" its program name), after " | " the environment.
    void decision_data()
    {
        QTest::addColumn<Action>("expected");
        QTest::newRow("rlx | DISPLAY=") << Action::NoDisplay;
        QTest::newRow("rlx | WAYLAND_DISPLAY=wayland-0") << Action::OpenWindow;
        QTest::newRow("rlx | QT_QPA_PLATFORM=offscreen:fontengine=freetype") << Action::OpenWindow;
        QTest::newRow("rlx | QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY=wayland-0") << Action::NoDisplay;
        QTest::newRow("rlx | QT_QPA_PLATFORM=wayland DISPLAY=:0") << Action::NoDisplay;
        QTest::newRow("rlx | QT_QPA_PLATFORM=wayland;xcb DISPLAY=:0") << Action::OpenWindow;
        QTest::newRow("rlx --platform=offscreen") << Action::OpenWindow;
        QTest::newRow("rlx -platform xcb | QT_QPA_PLATFORM=offscreen") << Action::NoDisplay;
        QTest::newRow("rlx -style Fusion -h | DISPLAY=:0") << Action::PrintHelp;
        QTest::newRow("rlx -v | DISPLAY=:0") << Action::PrintVersion;
        // A toolkit option's value is the toolkit's, even when it looks like ours.
        QTest::newRow("rlx -qwindowtitle -h | DISPLAY=:0") << Action::OpenWindow;
        QTest::newRow("--help | DISPLAY=:0") << Action::OpenWindow;
    }
    void decision()
    {
        const QString row = QTest::currentDataTag();
        QProcessEnvironment env;
        for (const QString &a : row.section(" | ", 1).split(' ', Qt::SkipEmptyParts))
            env.insert(a.section('=', 0, 0), a.section('=', 1));
        QTEST(LaunchCheck::decide(row.section(" | ", 0, 0).split(' '), env), "expected");
    }

    // Told in the language chosen with --lang or remembered, which stays; no display: one line.
    void answersWithoutDisplay()
    {
        expectRun({"--help"}, 0, "Usage: rlx-configurator [toolkit options]\nConfigures", "");
        expectRun({"--version"}, 0, QByteArray("rlx-configurator ") + MainWindow::Version + '\n',
                  "");
        expectRun({}, 1, "",
                  "rlx-configurator: no display to open the window on (neither DISPLAY nor "
                  "WAYLAND_DISPLAY is set); rlx-cli works without one\n");
        expectRun({"--lang=ru", "--help"}, 0,
                  "Использование: rlx-configurator [параметры Qt]\nНастройка радиоустройств", "");
        QSettings settings("Orbelinex", "Rlx");
        settings.setValue("Language", "ru");
        settings.sync();
        expectRun({}, 1, "", "rlx-configurator: нет дисплея, на котором можно открыть окно");
        expectRun({"--lang", "de"}, 2, "",
                  "rlx-configurator: неизвестный язык «de» для --lang; известны: en, ru, system, "
                  "default\n");
        settings.sync();
        QCOMPARE(settings.value("Language").toString(), QStringLiteral("ru"));
    }

    // Once the window takes signals it writes its start-up file; a signal ends it as a close does.
    void windowEndsCleanlyOnTermAndHangup()
    {
        for (const int number : {SIGTERM, SIGHUP}) {
            QFile::remove("test_rlx");
            QProcess program;
            start(program, {"-platform", "offscreen"});
            QVERIFY(QTest::qWaitFor([&] { return QFile::exists("test_rlx"); }, 30000));
            QCOMPARE(::kill(pid_t(program.processId()), number), 0);
            QVERIFY(program.waitForFinished(10000));
            QCOMPARE(program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1, 0);
            const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
            QVERIFY2(!errors.contains("XDG_RUNTIME_DIR"), qPrintable(errors));
        }
    }
};

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
