#include "session/settingsfile.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every byte field its own value, counting up in the file's order: twelve bytes,
// the port text, eleven bytes, the address text.
DeviceSettings distinctRecord()
{
    DeviceSettings s;
    quint8 *const fields[] = {&s.delTxRx,    &s.power,           &s.radioRate,
                              &s.chanel,     &s.parity,          &s.stopBit,
                              &s.subBand,    &s.serialTimeout,   &s.radioTransmitReset,
                              &s.serialRate, &s.wdtReset,        &s.testAdres,
                              &s.averaging1, &s.averaging2,      &s.diskret1,
                              &s.diskret2,   &s.spare,           &s.flowControl,
                              &s.outType,    &s.delRxTx,         &s.delRequest,
                              &s.numOfDown,  &s.radioModuleReset};
    quint8 v = 0x61;
    for (quint8 *f : fields)
        *f = v++;
    s.portName = QStringLiteral("/dev/ttyUSB0");
    s.adreses = QStringLiteral("0000,0000,0000,0005");
    return s;
}

QByteArray contents(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
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
    void layoutAndRoundTrip();
    void refused_data();
    void refused();
    void savingReplacesWhole();
    void startupCheckLeavesLinksFifosAndStrangersAlone();
};

void TestSettingsFile::layoutAndRoundTrip()
{
    // A text is its byte count and its UTF-16 code units, all big-endian.
    const DeviceSettings s = distinctRecord();
    const QByteArray expected = QByteArray::fromHex(
        "6162636465666768696A6B6C"
        "00000018002F006400650076002F0074007400790055005300420030" // "/dev/ttyUSB0"
        "6D6E6F7071727374757677"
        "000000260030003000300030002C0030003000300030002C" // "0000,0000,0000,0005"
        "0030003000300030002C0030003000300035");
    QCOMPARE(SettingsFile::toBytes(s).toHex(), expected.toHex());

    QString error;
    QVERIFY2(SettingsFile::save("device.rlx", s, &error), qPrintable(error));
    DeviceSettings loaded;
    QVERIFY2(SettingsFile::load("device.rlx", loaded, &error), qPrintable(error));
    QVERIFY(sameRecord(loaded, s));
    QCOMPARE(loaded.adreses, s.adreses);

    // A null text stays null, an empty one empty.
    DeviceSettings nulls = s;
    nulls.portName = QString();
    nulls.adreses = QStringLiteral("");
    const QByteArray bytes = SettingsFile::toBytes(nulls);
    QCOMPARE(bytes.mid(12, 4).toHex(), QByteArray("ffffffff"));
    QCOMPARE(bytes.right(4).toHex(), QByteArray("00000000"));
    QVERIFY(SettingsFile::fromBytes(bytes, loaded));
    QVERIFY(loaded.portName.isNull());
    QVERIFY(!loaded.adreses.isNull() && loaded.adreses.isEmpty());
}

void TestSettingsFile::refused_data()
{
    QTest::addColumn<QByteArray>("bytes"); // of a file; the last rows have none
    const QByteArray good = SettingsFile::toBytes(distinctRecord());
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("twelve bytes") << good.left(12);
    QTest::newRow("one byte short") << good.left(good.size() - 1);
    QTest::newRow("address text cut") << good.left(good.size() - 2);
    QTest::newRow("text length past the end")
        << QByteArray(good).replace(12, 4, QByteArray::fromHex("7FFFFFF0"));
    QTest::newRow("odd text length")
        << QByteArray(good).replace(12, 4, QByteArray::fromHex("00000003"));
    QTest::newRow("too large") << good + QByteArray(SettingsFile::MaxFileSize, 'x');
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("folder") << QByteArray();
    QTest::newRow("fifo") << QByteArray(); // an open would wait for a writer
    QTest::newRow("zero") << QByteArray();
}

void TestSettingsFile::refused()
{
    QFETCH(QByteArray, bytes);
    const QString name = QTest::currentDataTag() + QStringLiteral(".rlx");
    QFile file(name);
    if (!bytes.isNull())
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    if (name == "folder.rlx")
        QVERIFY(QDir().mkdir(name));
    if (name == "fifo.rlx")
        QCOMPARE(mkfifo("fifo.rlx", 0600), 0);
    if (name == "zero.rlx")
        QCOMPARE(symlink("/dev/zero", "zero.rlx"), 0);

    DeviceSettings record = distinctRecord();
    QString error;
    QVERIFY(!SettingsFile::load(name, record, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(sameRecord(record, distinctRecord()));
}

// Writing over what stands under the name is tst_outputfile's; here a longer file is replaced
// whole.
void TestSettingsFile::savingReplacesWhole()
{
    QVERIFY(SettingsFile::save("device.rlx", distinctRecord()));
    QVERIFY(SettingsFile::save("device.rlx", DeviceSettings()));
    QCOMPARE(contents("device.rlx"), SettingsFile::toBytes(DeviceSettings()));
}

void TestSettingsFile::startupCheckLeavesLinksFifosAndStrangersAlone()
{
    const DeviceSettings start = distinctRecord();
    const QByteArray expected = SettingsFile::toBytes(start).left(12 + 4 + 24);
    auto check = [&start](const char *name, bool expectDone) {
        DeviceSettings record = start;
        QString why;
        const bool done = SettingsFile::startupCheck(name, record, &why);
        QVERIFY2(done == expectDone, qPrintable(QString("%1: %2").arg(name, why)));
        QVERIFY2(sameRecord(record, start), name);
        QVERIFY2(done || !why.isEmpty(), name);
    };

    writeFile("plain", QByteArray(100, 'x'));
    check("plain", true);
    QCOMPARE(contents("plain"), expected);

    // A link is not followed; a FIFO does not block; a second name of another file is not ours.
    writeFile("precious.rlx", "keep me");
    QCOMPARE(symlink("precious.rlx", "to-file"), 0);
    check("to-file", false);
    QCOMPARE(contents("precious.rlx"), QByteArray("keep me"));

    QCOMPARE(symlink("/dev/zero", "to-zero"), 0);
    check("to-zero", false);

    QCOMPARE(mkfifo("fifo", 0600), 0);
    check("fifo", false);

    writeFile("original", "other program's data");
    QCOMPARE(link("original", "hard-link"), 0);
    check("hard-link", false);
    QCOMPARE(contents("original"), QByteArray("other program's data"));

    QVERIFY(QDir().mkdir("folder"));
    check("folder", false);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
