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

bool writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
    void refused();
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

    // Saved over a longer file, the file is replaced whole.
    QVERIFY(writeFile("device.rlx", QByteArray(200, 'x')));
    QString error;
    QVERIFY2(SettingsFile::save("device.rlx", s, &error), qPrintable(error));
    QCOMPARE(contents("device.rlx"), expected);
    DeviceSettings loaded;
    QVERIFY2(SettingsFile::load("device.rlx", loaded, &error), qPrintable(error));
    QVERIFY(sameRecord(loaded, s));

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

// Damaged files and names that are no file to read: refused with a reason, the record kept.
void TestSettingsFile::refused()
{
    const QByteArray good = SettingsFile::toBytes(distinctRecord());
    const QList<QPair<const char *, QByteArray>> damaged = {
        {"empty", ""},
        {"twelve bytes", good.left(12)},
        {"one byte short", good.left(good.size() - 1)},
        {"address text cut", good.left(good.size() - 2)},
        {"text length past the end",
         QByteArray(good).replace(12, 4, QByteArray::fromHex("7FFFFFF0"))},
        {"odd text length", QByteArray(good).replace(12, 4, QByteArray::fromHex("00000003"))},
        {"too large", good + QByteArray(SettingsFile::MaxFileSize, 'x')}};
    QStringList names = {"missing.rlx", "folder.rlx", "fifo.rlx"}; // a FIFO would wait for a writer
    for (const auto &[name, bytes] : damaged) {
        QVERIFY(writeFile(name + QStringLiteral(".rlx"), bytes));
        names << name + QStringLiteral(".rlx");
    }
    QVERIFY(QDir().mkdir("folder.rlx"));
    QCOMPARE(mkfifo("fifo.rlx", 0600), 0);
    QCOMPARE(symlink("/dev/zero", "zero.rlx"), 0);
    names << "zero.rlx";
    for (const QString &name : names) {
        DeviceSettings record = distinctRecord();
        QString error;
        QVERIFY2(!SettingsFile::load(name, record, &error), qPrintable(name));
        QVERIFY2(!error.isEmpty() && sameRecord(record, distinctRecord()), qPrintable(name));
    }
}

void TestSettingsFile::startupCheckLeavesLinksFifosAndStrangersAlone()
{
    const DeviceSettings start = distinctRecord();
    auto check = [&start](const char *name, bool expectDone) {
        DeviceSettings record = start;
        QString why;
        const bool done = SettingsFile::startupCheck(name, record, &why);
        QVERIFY2(done == expectDone, qPrintable(QString("%1: %2").arg(name, why)));
        QVERIFY2(sameRecord(record, start), name);
        QVERIFY2(done || !why.isEmpty(), name);
    };
    QVERIFY(writeFile("plain", QByteArray(100, 'x')));
    check("plain", true);
    QCOMPARE(contents("plain"), SettingsFile::toBytes(start).left(12 + 4 + 24));

    // A link is not followed; a FIFO does not block; a second name of another file is not ours.
    QVERIFY(writeFile("precious.rlx", "keep me"));
    QCOMPARE(symlink("precious.rlx", "to-file"), 0);
    check("to-file", false);
    QCOMPARE(contents("precious.rlx"), QByteArray("keep me"));
    QCOMPARE(symlink("/dev/zero", "to-zero"), 0);
    check("to-zero", false);
    QCOMPARE(mkfifo("fifo", 0600), 0);
    check("fifo", false);
    struct stat st;
    QVERIFY(lstat("fifo", &st) == 0 && S_ISFIFO(st.st_mode));
    QVERIFY(writeFile("original", "other program's data"));
    QCOMPARE(link("original", "hard-link"), 0);
    check("hard-link", false);
    QCOMPARE(contents("original"), QByteArray("other program's data"));
    QVERIFY(QDir().mkdir("folder"));
    check("folder", false);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
