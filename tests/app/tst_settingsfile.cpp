#include "app/settingsfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

DeviceSettings zeroRecord()
{
    DeviceSettings s;
    s.averaging1 = s.averaging2 = s.diskret1 = s.diskret2 = 0;
    s.delRequest = s.numOfDown = 0;
    s.portName = QStringLiteral("COM1");
    s.adreses = QString();
    return s;
}

DeviceSettings distinctRecord()
{
    // Every byte field gets its own value, so a swapped position shows.
    DeviceSettings s;
    quint8 v = 101;
    for (quint8 *f : {&s.subBand,
                      &s.radioRate,
                      &s.chanel,
                      &s.power,
                      &s.testAdres,
                      &s.serialRate,
                      &s.serialTimeout,
                      &s.delRxTx,
                      &s.delTxRx,
                      &s.parity,
                      &s.radioTransmitReset,
                      &s.stopBit,
                      &s.averaging1,
                      &s.averaging2,
                      &s.diskret1,
                      &s.diskret2,
                      &s.spare,
                      &s.flowControl,
                      &s.wdtReset,
                      &s.radioModuleReset,
                      &s.outType,
                      &s.delRequest})
        *f = v++;
    s.numOfDown = 0xB5;
    s.portName = QStringLiteral("/dev/ttyUSB0");
    s.adreses = QStringLiteral("0000,0000,0000,0005");
    return s;
}

bool sameRecord(const DeviceSettings &a, const DeviceSettings &b)
{
    return SettingsFile::toBytes(a) == SettingsFile::toBytes(b) &&
           a.portName.isNull() == b.portName.isNull() && a.adreses.isNull() == b.adreses.isNull();
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void byteLayout();
    void roundTrip();
    void damagedFilesLeaveTheRecord_data();
    void damagedFilesLeaveTheRecord();
    void refusesWhatIsNotASettingsFile();
    void failedSaveKeepsTheOldFile();
    void startupCheck();
};

void TestSettingsFile::byteLayout()
{
    const QByteArray expected = QByteArray(12, '\0') +
                                QByteArray::fromHex("00000008"
                                                    "0043004F004D0031") +
                                QByteArray(11, '\0') + QByteArray::fromHex("FFFFFFFF");
    QCOMPARE(expected.size(), 39);
    QCOMPARE(SettingsFile::toBytes(zeroRecord()), expected);

    // Positions: delTxRx first, delRxTx at position 21, numOfDown as one byte.
    DeviceSettings s = zeroRecord();
    s.delTxRx = 1;
    s.delRxTx = 21;
    s.testAdres = 12;
    s.numOfDown = 0xB5;
    s.adreses = QStringLiteral("");
    const QByteArray bytes = SettingsFile::toBytes(s);
    QCOMPARE(bytes.size(), 39);
    QCOMPARE(int(bytes.at(0)), 1);
    QCOMPARE(int(bytes.at(11)), 12);
    QCOMPARE(int(uchar(bytes.at(24 + 7))), 21);
    QCOMPARE(uchar(bytes.at(24 + 9)), uchar(0xB5));
    QCOMPARE(bytes.right(4), QByteArray(4, '\0')); // an empty text is not a null text
}

void TestSettingsFile::roundTrip()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("device.rlx");
    const DeviceSettings original = distinctRecord();
    QString error;
    QVERIFY2(SettingsFile::save(name, original, &error), qPrintable(error));

    DeviceSettings loaded;
    QVERIFY2(SettingsFile::load(name, loaded, &error), qPrintable(error));
    QVERIFY(sameRecord(loaded, original));
    QCOMPARE(loaded.numOfDown, quint8(0xB5));
    QCOMPARE(loaded.outType, original.outType);
    QCOMPARE(loaded.spare, original.spare);
    QCOMPARE(loaded.portName, original.portName);
    QCOMPARE(loaded.adreses, original.adreses);

    // A file written by the toolkit's own stream reads the same.
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray onDisk = file.readAll();
    QByteArray native;
    {
        QDataStream out(&native, QIODevice::WriteOnly);
        out.writeRawData(onDisk.constData(), 12);
        out << original.portName;
        out.writeRawData(onDisk.constData() + 12 + 4 + 2 * original.portName.size(), 11);
        out << original.adreses;
    }
    QCOMPARE(onDisk, native);

    // Null texts stay null.
    DeviceSettings nulls = zeroRecord();
    nulls.portName = QString();
    DeviceSettings back = distinctRecord();
    QVERIFY(SettingsFile::fromBytes(SettingsFile::toBytes(nulls), back));
    QVERIFY(back.portName.isNull());
    QVERIFY(back.adreses.isNull());
}

void TestSettingsFile::damagedFilesLeaveTheRecord_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray good = SettingsFile::toBytes(distinctRecord());
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("twelve bytes") << good.left(12);
    QTest::newRow("one byte short") << good.left(good.size() - 1);
    QTest::newRow("address text cut") << good.left(good.size() - 2);
    QByteArray huge = good;
    huge.replace(12, 4, QByteArray::fromHex("7FFFFFF0"));
    QTest::newRow("length prefix past the end") << huge;
    QByteArray odd = good;
    odd.replace(12, 4, QByteArray::fromHex("00000003"));
    QTest::newRow("odd length prefix") << odd;
}

void TestSettingsFile::damagedFilesLeaveTheRecord()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString name = dir.filePath("bad.rlx");
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    const DeviceSettings before = distinctRecord();
    DeviceSettings record = before;
    record.adreses = QStringLiteral("kept");
    QString error;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!SettingsFile::load(name, record, &error));
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(!error.isEmpty());
    QCOMPARE(record.adreses, QStringLiteral("kept"));
    record.adreses = before.adreses;
    QVERIFY(sameRecord(record, before));
}

void TestSettingsFile::refusesWhatIsNotASettingsFile()
{
    QTemporaryDir dir;
    DeviceSettings record = distinctRecord();
    QString error;

    QVERIFY(!SettingsFile::load(dir.filePath("missing.rlx"), record, &error));
    QVERIFY(!error.isEmpty());

    // A FIFO would block an open until a writer appears.
    const QString fifo = dir.filePath("fifo.rlx");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!SettingsFile::load(fifo, record, &error));
    QVERIFY(clock.elapsed() < 1000);

    QVERIFY(!SettingsFile::load(dir.path(), record, &error));

    const QString big = dir.filePath("big.rlx");
    QFile file(big);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(SettingsFile::toBytes(distinctRecord()));
    file.write(QByteArray(SettingsFile::MaxFileSize, 'x'));
    file.close();
    QVERIFY(!SettingsFile::load(big, record, &error));

    QVERIFY(sameRecord(record, distinctRecord()));
}

void TestSettingsFile::failedSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY(!SettingsFile::save(dir.filePath("no/such/folder/x.rlx"), distinctRecord(), &error));
    QVERIFY(!error.isEmpty());

    // Saving over a directory fails and leaves it alone.
    QVERIFY(QDir(dir.path()).mkdir("taken.rlx"));
    QVERIFY(!SettingsFile::save(dir.filePath("taken.rlx"), distinctRecord(), &error));
    QVERIFY(QFileInfo(dir.filePath("taken.rlx")).isDir());

    // Saving over an existing file replaces it whole.
    const QString name = dir.filePath("device.rlx");
    QVERIFY(SettingsFile::save(name, distinctRecord()));
    QVERIFY(SettingsFile::save(name, zeroRecord()));
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), SettingsFile::toBytes(zeroRecord()));
}

void TestSettingsFile::startupCheck()
{
    // Runs in the test's own working directory.
    DeviceSettings record = distinctRecord();
    QVERIFY(SettingsFile::startupCheck("test_rlx", record));
    QVERIFY(sameRecord(record, distinctRecord()));
    QFile file("test_rlx");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes, SettingsFile::toBytes(distinctRecord()).left(12 + 4 + 24));

    QVERIFY(!SettingsFile::startupCheck("no/such/folder/test_rlx", record));
    QVERIFY(sameRecord(record, distinctRecord()));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
