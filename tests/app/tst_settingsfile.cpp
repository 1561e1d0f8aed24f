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
    quint8 v = 0x61;
    for (quint8 *f : {&s.delTxRx,    &s.power,           &s.radioRate,
                      &s.chanel,     &s.parity,          &s.stopBit,
                      &s.subBand,    &s.serialTimeout,   &s.radioTransmitReset,
                      &s.serialRate, &s.wdtReset,        &s.testAdres,
                      &s.averaging1, &s.averaging2,      &s.diskret1,
                      &s.diskret2,   &s.spare,           &s.flowControl,
                      &s.outType,    &s.delRxTx,         &s.delRequest,
                      &s.numOfDown,  &s.radioModuleReset})
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

bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT

private slots:
    void layoutRoundTripAndObstacles();
};

void TestSettingsFile::layoutRoundTripAndObstacles()
{
    // A text is its byte count and its UTF-16 code units, all big-endian.
    const DeviceSettings s = distinctRecord();
    const QByteArray expected = QByteArray::fromHex(
        "6162636465666768696A6B6C"
        "00000018002F006400650076002F0074007400790055005300420030" // "/dev/ttyUSB0"
        "6D6E6F7071727374757677"
        "000000260030003000300030002C0030003000300030002C" // "0000,0000,0000,0005"
        "0030003000300030002C0030003000300035");
    // Saved over a longer file, the file is replaced whole.
    QVERIFY(writeFile("device.rlx", QByteArray(200, 'x')));
    QString error;
    QVERIFY2(SettingsFile::save("device.rlx", s, &error), qPrintable(error));
    QCOMPARE(contents("device.rlx").toHex(), expected.toHex());
    DeviceSettings loaded;
    QVERIFY2(SettingsFile::load("device.rlx", loaded, &error), qPrintable(error));
    QCOMPARE(SettingsFile::toBytes(loaded), expected);

    // A null text stays null, an empty one empty.
    DeviceSettings nulls = s;
    nulls.portName = QString();
    nulls.adreses = QStringLiteral("");
    const QByteArray withNulls = SettingsFile::toBytes(nulls);
    QCOMPARE(withNulls.mid(12, 4).toHex(), QByteArray("ffffffff"));
    QCOMPARE(withNulls.right(4).toHex(), QByteArray("00000000"));
    QVERIFY(SettingsFile::fromBytes(withNulls, loaded));
    QCOMPARE(SettingsFile::toBytes(loaded), withNulls);

    // Damaged files and names that are no file to read: refused with a reason, the record kept.
    const QList<QPair<const char *, QByteArray>> damaged = {
        {"empty", ""},
        {"one byte short", expected.left(expected.size() - 1)},
        {"text length past the end",
         QByteArray(expected).replace(12, 4, QByteArray::fromHex("7FFFFFF0"))},
        {"odd text length", QByteArray(expected).replace(12, 4, QByteArray::fromHex("00000003"))},
        {"too large", expected + QByteArray(SettingsFile::MaxFileSize, 'x')}};
    // A FIFO would wait for a writer, /dev/zero never end.
    QStringList names = {"missing.rlx", "folder.rlx", "fifo.rlx", "zero.rlx"};
    for (const auto &[name, bytes] : damaged) {
        QVERIFY(writeFile(name + QStringLiteral(".rlx"), bytes));
        names << name + QStringLiteral(".rlx");
    }
    QVERIFY(QDir().mkdir("folder.rlx"));
    QCOMPARE(mkfifo("fifo.rlx", 0600), 0);
    QCOMPARE(symlink("/dev/zero", "zero.rlx"), 0);
    for (const QString &name : names) {
        DeviceSettings record = distinctRecord();
        error.clear();
        QVERIFY2(!SettingsFile::load(name, record, &error), qPrintable(name));
        QVERIFY2(!error.isEmpty() && SettingsFile::toBytes(record) == expected, qPrintable(name));
    }

    // The start-up check writes the head and the port text only into a plain file of its own.
    auto check = [&expected](const char *name, bool expectDone) {
        DeviceSettings record = distinctRecord();
        QString why;
        const bool done = SettingsFile::startupCheck(name, record, &why);
        QVERIFY2(done == expectDone, qPrintable(QString("%1: %2").arg(name, why)));
        QVERIFY2(SettingsFile::toBytes(record) == expected && (done || !why.isEmpty()), name);
    };
    QVERIFY(writeFile("plain", QByteArray(100, 'x')));
    check("plain", true);
    QCOMPARE(contents("plain"), expected.left(12 + 4 + 24));

    // A link is not followed, a FIFO does not block, a second name of another file is not ours.
    for (const char *name : {"precious", "original"})
        QVERIFY(writeFile(name, "keep me"));
    QCOMPARE(symlink("precious", "to-file"), 0);
    QCOMPARE(link("original", "hard-link"), 0);
    for (const char *name : {"to-file", "hard-link", "fifo.rlx"})
        check(name, false);
    for (const char *name : {"precious", "original"})
        QCOMPARE(contents(name), QByteArray("keep me"));
    struct stat st;
    QVERIFY(lstat("fifo.rlx", &st) == 0 && S_ISFIFO(st.st_mode));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
