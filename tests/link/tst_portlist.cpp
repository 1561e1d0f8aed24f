#include "link/portlist.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestPortList : public QObject
{
    Q_OBJECT

private slots:
    void withoutWatchedFolderEveryCallEnumerates();
    void enumeratesOnlyAfterAFolderChanged();
    void folderAppearingLaterIsWatched();
    void systemPortsByDefault();
};

void TestPortList::withoutWatchedFolderEveryCallEnumerates()
{
    QStringList present{"ttyS0"};
    int calls = 0;
    PortList list(
        [&] {
            ++calls;
            return present;
        },
        {});
    QCOMPARE(list.present(), QStringList({"ttyS0"}));
    present << "ttyUSB0";
    QCOMPARE(list.present(), QStringList({"ttyS0", "ttyUSB0"}));
    QCOMPARE(calls, 2);
    QCOMPARE(list.enumerations(), 2);
}

void TestPortList::enumeratesOnlyAfterAFolderChanged()
{
    QTemporaryDir dev;
    QVERIFY(dev.isValid());
    QStringList present{"ttyS0"};
    int calls = 0;
    PortList list(
        [&] {
            ++calls;
            return present;
        },
        {dev.path()});

    QCOMPARE(list.present(), QStringList({"ttyS0"}));
    present << "ttyUSB0"; // not yet seen: no folder changed
    for (int tick = 0; tick < 5; ++tick)
        QCOMPARE(list.present(), QStringList({"ttyS0"}));
    QCOMPARE(calls, 1);

    QFile node(dev.filePath("ttyUSB0"));
    QVERIFY(node.open(QIODevice::WriteOnly));
    node.close();
    // The change arrives as an event; until then the old list stands.
    QVERIFY(QTest::qWaitFor([&] { return list.present().size() == 2; }));
    const int afterChange = calls;
    QVERIFY(afterChange >= 2);
    list.present(); // once more to catch a device that was still settling
    for (int tick = 0; tick < 5; ++tick)
        list.present();
    QCOMPARE(calls, afterChange + 1);

    present.removeFirst();
    QVERIFY(QFile::remove(dev.filePath("ttyUSB0")));
    QVERIFY(QTest::qWaitFor([&] { return list.present() == QStringList({"ttyUSB0"}); }));
}

void TestPortList::folderAppearingLaterIsWatched()
{
    QTemporaryDir dev;
    QVERIFY(dev.isValid());
    const QString byId = dev.filePath("serial/by-id");
    int calls = 0;
    PortList list(
        [&] {
            ++calls;
            return QStringList();
        },
        {dev.path(), byId});
    list.present();
    QVERIFY(QDir().mkpath(byId));
    QVERIFY(QTest::qWaitFor([&] {
        list.present();
        return calls > 1;
    }));
    list.present();
    list.present();
    const int settled = calls;

    // A change only inside the new folder is seen too.
    QFile link(byId + "/usb-adapter-port0");
    QVERIFY(link.open(QIODevice::WriteOnly));
    link.close();
    QVERIFY(QTest::qWaitFor([&] {
        list.present();
        return calls > settled;
    }));
}

void TestPortList::systemPortsByDefault()
{
    PortList list;
    const QStringList first = list.present();
    QCOMPARE(first, PortList::systemPorts());
    QCOMPARE(list.enumerations(), 1);
}

QTEST_GUILESS_MAIN(TestPortList)
#include "tst_portlist.moc"
