#include "link/virtualports.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool announce(const QString &folder, qint64 pid, const QByteArray &text)
{
    QDir().mkpath(folder);
    QFile file(folder + '/' + QString::number(pid));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

class TestVirtualPorts : public QObject
{
    Q_OBJECT

private slots:
    void namesAndPorts()
    {
        const QString name = VirtualPorts::nameFor("/dev/pts/7", "RLX-31868-DD receiver");
        QCOMPARE(name, QStringLiteral("/dev/pts/7 (virtual RLX-31868-DD receiver)"));
        QCOMPARE(VirtualPorts::portOf(name), QStringLiteral("/dev/pts/7"));
        // Every other entry is opened as it is listed.
        QCOMPARE(VirtualPorts::portOf("ttyUSB0"), QStringLiteral("ttyUSB0"));
        QCOMPARE(VirtualPorts::portOf(" (virtual x)"), QStringLiteral(" (virtual x)"));
    }

    void followsTheFolder()
    {
        QTemporaryDir runtime;
        const QString folder = runtime.filePath("rlx-devsim");
        const qint64 self = QCoreApplication::applicationPid();
        // A real device node stands in for the pseudo-terminal.
        const QString tty = QStringLiteral("/dev/null");

        VirtualPorts ports(folder); // the folder is not there yet
        QCOMPARE(ports.names(), QStringList());
        const int scans = ports.scans();
        for (int i = 0; i < 5; ++i)
            ports.names();
        QCOMPARE(ports.scans(), scans); // nothing changed, nothing read

        QVERIFY(announce(folder, self, tty.toLatin1() + "\nRLX-31868-Vela-485\n"));
        QVERIFY(QTest::qWaitFor([&] { return ports.names().size() == 1; }, 3000));
        QCOMPARE(ports.names().first(),
                 VirtualPorts::nameFor(tty, QStringLiteral("RLX-31868-Vela-485")));

        // Files that are not announcements, a process that is gone and a
        // port that is gone are all left out.
        QVERIFY(announce(folder, 999999999, tty.toLatin1() + "\nghost\n"));
        QVERIFY(announce(folder, 1, "/dev/rlx-no-such-pts\nunplugged\n"));
        QFile junk(folder + "/notes.txt");
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.close();
        QTest::qWait(200);
        QCOMPARE(ports.names().size(), 1);

        QVERIFY(QFile::remove(folder + '/' + QString::number(self)));
        QVERIFY(QTest::qWaitFor([&] { return ports.names().isEmpty(); }, 3000));
    }
};

QTEST_MAIN(TestVirtualPorts)
#include "tst_virtualports.moc"
