// One program at a time on a serial port, whatever name the others give it; who holds a port,
// when it is free again, and how to get access to one, in the window's words and rlx-cli's.

#include "app/mainwindow.h"
#include "protocol/exchange.h"
#include "protocol/portlock.h"
#include "protocol/serialline.h"
#include "tests/cli/clirun.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QtTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace WindowDriver;

class TestPortLock : public QObject
{
    Q_OBJECT
private slots:
    void portHeldUnderAnotherNameOrForbidden()
    {
        Modals modals;
        DeviceModel model; // in this process: rlx-devsim is not among the test's dependencies
        PtyDevice device(&model);
        QVERIFY(device.open());
        const QString path = device.slavePath();
        MainWindow window;
        window.show();
        QVERIFY(connectTo(window, path));

        // The lock names this process by its executable, as it names rlx-configurator.
        const QString holder =
            QStringLiteral("%1 (process %2)")
                .arg(QFileInfo(QFile::symLinkTarget("/proc/self/exe")).fileName())
                .arg(QCoreApplication::applicationPid());
        QVERIFY(QFile::link(path, "link"));
        const QString inUse = " is in use by " + holder + ". Close that program and connect again.";
        for (const QString &name :
             {QDir::current().absoluteFilePath("link"), QString(path).replace("/pts/", "/pts//"),
              QDir::current().relativeFilePath(path), path}) {
            const CliRun cli = runCli({"identify", "--port", name});
            const QString said = name + ": cannot open the port: The port " + name + inUse + '\n';
            QVERIFY2(cli.code == 1 && cli.err.contains(said), qPrintable(cli.err));
        }
        // A second window says so in its only message.
        MainWindow second;
        second.show();
        pressConnect(second, "./link");
        QVERIFY(!second.exchange()->isOpen() && window.exchange()->isOpen());
        QCOMPARE(modals.texts, QStringList{"The port ./link" + inUse});

        // Disconnected, the window gives the port back: the claim below takes its lock file.
        click(&window, "pbOpen");
        const QString lockFile = PortLock::fileFor(path);

        // A holder that ended without giving the port back, and whose parent has not waited for
        // it yet, holds nothing: its number may serve a new pseudo-terminal already.
        const pid_t ended = ::fork();
        if (ended == 0) {
            QLockFile claim(lockFile);
            _exit(claim.tryLock(0) ? 0 : 1);
        }
        const auto reap = qScopeGuard([ended] { ::waitpid(ended, nullptr, 0); });
        siginfo_t info{};
        QCOMPARE(::waitid(P_PID, id_t(ended), &info, WEXITED | WNOWAIT), 0); // ended, not reaped
        // The lock file names it (its exit status would not tell: the memory checker sets its own).
        qint64 claimed = 0;
        QVERIFY(QLockFile(lockFile).getLockInfo(&claimed, nullptr, nullptr));
        QCOMPARE(claimed, qint64(ended));
        SerialLine line;
        QVERIFY2(line.open("./link"), qPrintable(line.openErrorString()));
        QVERIFY(QFile::exists(lockFile));
        line.close();

        // A missing lock folder is passed over for the usual ones: the port is still locked.
        const QByteArray own = qgetenv("RLX_LOCK_DIR");
        qputenv("RLX_LOCK_DIR", "no-such-folder");
        QVERIFY(line.open(path));
        QCOMPARE(PortLock::holderOf(path).pid, QCoreApplication::applicationPid());
        qputenv("RLX_LOCK_DIR", own);

        // A port the user may not open: rlx-cli says how to get access, as the window does.
        // The superuser opens any file: rlx-cli runs as nobody, the terminal the superuser's.
        const bool root = ::geteuid() == 0;
        if (root && QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("run as the superuser without setpriv to run rlx-cli as another user");
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), root ? 0600 : 0), 0);
        const QString script =
            root ? "setpriv --reuid=65534 --regid=65534 --clear-groups CLI" : "exec CLI";
        const CliRun cli =
            Cli({"identify", "--port", path}, {}, QProcessEnvironment::systemEnvironment(), script)
                .wait();
        const QString said =
            QStringLiteral("%1: cannot open the port: You have no permission to use the port %1. "
                           "On Linux, add your user to the dialout group (sudo usermod -aG "
                           "dialout $USER), then log out and in again.\n")
                .arg(path);
        QVERIFY2(cli.code == 1 && cli.err.contains(said), qPrintable(cli.err));
    }
};

QTEST_MAIN(TestPortLock)
#include "tst_portlock.moc"
