#include "app/core.h"
#include "app/launchcheck.h"
#include "app/mainwindow.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(LaunchCheck::Action)

// What the program does before its window: --help, --version and a start
// without a display, decided without the toolkit's window system; and the
// icon the window gets.
class TestLaunch : public QObject
{
    Q_OBJECT
private slots:
    void decision_data();
    void decision();
    void helpAndVersionWithoutDisplay();
    void noDisplayIsOneLineNotACrash();
    void answersInTheChosenLanguage();
    void platformArgumentOpensWithoutDisplay();
    void iconHasEverySize();
};

namespace {

using Action = LaunchCheck::Action;

QProcessEnvironment environmentOf(const QStringList &assignments)
{
    QProcessEnvironment env;
    for (const QString &a : assignments)
        env.insert(a.section(QLatin1Char('='), 0, 0), a.section(QLatin1Char('='), 1));
    return env;
}

// The system environment with no display and no platform chosen.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    return env;
}

struct Run
{
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QByteArray out;
    QByteArray err;
};

Run runProgram(const QStringList &arguments, const QProcessEnvironment &env)
{
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(RLX_CONFIGURATOR, arguments);
    Run run;
    if (!program.waitForStarted() || !program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.exitCode = program.exitCode();
    run.status = program.exitStatus();
    run.out = program.readAllStandardOutput();
    run.err = program.readAllStandardError();
    return run;
}

} // namespace

void TestLaunch::decision_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<Action>("expected");

    const QStringList none;
    const QStringList program = {"rlx-configurator"};
    QTest::newRow("nothing set") << program << none << Action::NoDisplay;
    QTest::newRow("empty DISPLAY") << program << QStringList{"DISPLAY="} << Action::NoDisplay;
    QTest::newRow("X11") << program << QStringList{"DISPLAY=:0"} << Action::OpenWindow;
    QTest::newRow("Wayland") << program << QStringList{"WAYLAND_DISPLAY=wayland-0"}
                             << Action::OpenWindow;
    QTest::newRow("offscreen") << program << QStringList{"QT_QPA_PLATFORM=offscreen"}
                               << Action::OpenWindow;
    QTest::newRow("offscreen with plugin options")
        << program << QStringList{"QT_QPA_PLATFORM=offscreen:fontengine=freetype"}
        << Action::OpenWindow;
    QTest::newRow("minimal") << program << QStringList{"QT_QPA_PLATFORM=minimal"}
                             << Action::OpenWindow;
    QTest::newRow("xcb with only a Wayland display")
        << program << QStringList{"QT_QPA_PLATFORM=xcb", "WAYLAND_DISPLAY=wayland-0"}
        << Action::NoDisplay;
    QTest::newRow("wayland with only an X11 display")
        << program << QStringList{"QT_QPA_PLATFORM=wayland", "DISPLAY=:0"} << Action::NoDisplay;
    QTest::newRow("wayland, then xcb")
        << program << QStringList{"QT_QPA_PLATFORM=wayland;xcb", "DISPLAY=:0"}
        << Action::OpenWindow;
    QTest::newRow("-platform offscreen")
        << QStringList{"rlx-configurator", "-platform", "offscreen"} << none << Action::OpenWindow;
    QTest::newRow("--platform=offscreen")
        << QStringList{"rlx-configurator", "--platform=offscreen"} << none << Action::OpenWindow;
    QTest::newRow("-platform xcb over offscreen")
        << QStringList{"rlx-configurator", "-platform", "xcb"}
        << QStringList{"QT_QPA_PLATFORM=offscreen"} << Action::NoDisplay;
    QTest::newRow("--help without display")
        << QStringList{"rlx-configurator", "--help"} << none << Action::PrintHelp;
    QTest::newRow("-h after a toolkit option")
        << QStringList{"rlx-configurator", "-style", "Fusion", "-h"} << QStringList{"DISPLAY=:0"}
        << Action::PrintHelp;
    QTest::newRow("--version without display")
        << QStringList{"rlx-configurator", "--version"} << none << Action::PrintVersion;
    QTest::newRow("-v") << QStringList{"rlx-configurator", "-v"} << QStringList{"DISPLAY=:0"}
                        << Action::PrintVersion;
    // A toolkit option's value is the toolkit's, even when it looks like ours.
    QTest::newRow("window title -h") << QStringList{"rlx-configurator", "-qwindowtitle", "-h"}
                                     << QStringList{"DISPLAY=:0"} << Action::OpenWindow;
    QTest::newRow("program name only")
        << QStringList{"--help"} << QStringList{"DISPLAY=:0"} << Action::OpenWindow;
}

void TestLaunch::decision()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(Action, expected);
    QCOMPARE(LaunchCheck::decide(arguments, environmentOf(environment)), expected);
}

void TestLaunch::helpAndVersionWithoutDisplay()
{
    const Run help = runProgram({"--help"}, withoutDisplay());
    QCOMPARE(help.status, QProcess::NormalExit);
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.out.startsWith("Usage: rlx-configurator"), help.out.constData());
    QVERIFY2(help.out.contains("--version"), help.out.constData());
    QVERIFY2(help.err.isEmpty(), help.err.constData());

    // The same version as the window's title.
    const Run version = runProgram({"--version"}, withoutDisplay());
    QCOMPARE(version.status, QProcess::NormalExit);
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("rlx-configurator ") + MainWindow::Version + '\n');
    QVERIFY2(version.err.isEmpty(), version.err.constData());
}

void TestLaunch::noDisplayIsOneLineNotACrash()
{
    const Run run = runProgram({}, withoutDisplay());
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.out.isEmpty(), run.out.constData());
    QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1, run.err.constData());
    QVERIFY2(run.err.contains("display"), run.err.constData());
    // Said by the program, not by the toolkit's platform loader.
    QVERIFY2(!run.err.contains("qt.qpa"), run.err.constData());
}

// --help, a start without a display and a wrong --lang are told in the
// language chosen with --lang or remembered, which they leave as it was.
void TestLaunch::answersInTheChosenLanguage()
{
    const QByteArray ownHelp = runProgram({"--help"}, withoutDisplay()).out;
    QCOMPARE(runProgram({"--lang", "en", "--help"}, withoutDisplay()).out, ownHelp);
    const Run help = runProgram({"--lang=ru", "--help"}, withoutDisplay());
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.out.startsWith("Использование: rlx-configurator"), help.out.constData());
    QVERIFY2(help.out.contains("--version") && help.out.contains("показать версию"),
             help.out.constData());
    QVERIFY(!QSettings("Orbelinex", "Rlx").contains("Language"));

    QSettings("Orbelinex", "Rlx").setValue("Language", "ru");
    const Run noDisplay = runProgram({}, withoutDisplay());
    QCOMPARE(noDisplay.exitCode, 1);
    QVERIFY2(noDisplay.err.startsWith("rlx-configurator: нет дисплея"), noDisplay.err.constData());
    const Run bad = runProgram({"--lang", "de"}, withoutDisplay());
    QCOMPARE(bad.exitCode, 2);
    QVERIFY2(bad.err.contains("неизвестный язык «de»"), bad.err.constData());
    QCOMPARE(QSettings("Orbelinex", "Rlx").value("Language").toString(), QStringLiteral("ru"));
    QSettings("Orbelinex", "Rlx").remove("Language");
}

// -platform on the command line counts as much as QT_QPA_PLATFORM: the window
// opens (it writes its start-up file once built). Without XDG_RUNTIME_DIR it
// says nothing about it: it does not look for virtual devices then, and the
// toolkit's own look into that folder is not passed on.
void TestLaunch::platformArgumentOpensWithoutDisplay()
{
    QTemporaryDir work;
    QProcess program;
    program.setWorkingDirectory(work.path());
    QProcessEnvironment env = withoutDisplay();
    env.remove("XDG_RUNTIME_DIR");
    program.setProcessEnvironment(env);
    program.start(RLX_CONFIGURATOR, {"-platform", "offscreen"});
    QVERIFY(program.waitForStarted());
    QVERIFY(QTest::qWaitFor([&] { return QFile::exists(work.filePath("test_rlx")); }, 30000));
    QTest::qWait(300);
    QCOMPARE(program.state(), QProcess::Running);
    program.terminate();
    QVERIFY(program.waitForFinished(5000));
    const QString errors = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(!errors.contains("XDG_RUNTIME_DIR"), qPrintable(errors));
}

void TestLaunch::iconHasEverySize()
{
    const QIcon icon = Core::applicationIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {32, 48, 256}) {
        QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        QCOMPARE(image.size(), QSize(size, size));
        // Drawn, not an empty transparent square: the middle is the device.
        QCOMPARE(qAlpha(image.pixel(size / 2, size * 3 / 4)), 255);
    }
}

QTEST_MAIN(TestLaunch)
#include "tst_launch.moc"
