#include "link/portlist.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A stand-in for the system's enumeration that counts how often it is asked.
struct FakePorts
{
    QStringList present;
    int calls = 0;
    PortList::Source source()
    {
        return [this] {
            ++calls;
            return present;
        };
    }
};

static bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly);
}

class TestPortList : public QObject
{
    Q_OBJECT

private slots:
    void enumeratesOnlyAfterAFolderChanged()
    {
        QTemporaryDir dev;
        FakePorts fake{{"ttyS0"}};
        PortList list(fake.source(), {dev.path()});
        list.present();
        fake.present << "ttyUSB0"; // no folder changed: not looked at
        for (int tick = 0; tick < 5; ++tick)
            QCOMPARE(list.present(), QStringList({"ttyS0"}));
        QCOMPARE(fake.calls, 1);

        QVERIFY(touch(dev.filePath("ttyUSB0")));
        QVERIFY(QTest::qWaitFor([&] { return list.present().size() == 2; }));
        const int afterChange = fake.calls;
        for (int tick = 0; tick < 5; ++tick)
            list.present();
        QCOMPARE(fake.calls, afterChange + 1); // one more look, then quiet

        fake.present.removeFirst();
        QVERIFY(QFile::remove(dev.filePath("ttyUSB0")));
        QVERIFY(QTest::qWaitFor([&] { return list.present() == QStringList({"ttyUSB0"}); }));
    }

    // /dev/serial/by-id comes with the first USB serial adapter.
    void folderAppearingLaterIsWatched()
    {
        QTemporaryDir dev;
        const QString byId = dev.filePath("serial/by-id");
        FakePorts fake;
        PortList list(fake.source(), {dev.path(), byId});
        list.present();
        QVERIFY(QDir().mkpath(byId));
        QVERIFY(QTest::qWaitFor([&] {
            list.present();
            return fake.calls > 1;
        }));
        list.present();
        list.present();
        const int settled = fake.calls;
        QVERIFY(touch(byId + "/usb-adapter-port0")); // a change inside by-id only
        QVERIFY(QTest::qWaitFor([&] {
            list.present();
            return fake.calls > settled;
        }));
    }

    void systemPortsByDefault()
    {
        PortList list;
        QCOMPARE(list.present(), PortList::systemPorts());
        list.present();
        QCOMPARE(list.enumerations(), 1);
    }
};

QTEST_GUILESS_MAIN(TestPortList)
#include "tst_portlist.moc"
