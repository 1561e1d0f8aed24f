#include "protocol/settingsfields.h"
#include "session/settingsfile.h"
#include "tests/filebytes.h"

#include <QProcess>
#include <QtTest>

namespace {

// Each byte field its own value, counting up in the file's order: 12 bytes, port, 11, addresses.
DeviceSettings distinctRecord()
{
    DeviceSettings s;
    quint8 v = 0x61;
    const QString order = "delTxRx power radioRate chanel parity stopBit subBand serialTimeout "
                          "radioTransmitReset serialRate wdtReset testAdres averaging1 averaging2 "
                          "diskret1 diskret2 spare flowControl outType delRxTx delRequest "
                          "numOfDown radioModuleReset";
    for (const QString &name : order.split(' '))
        s.*SettingsFields::byName(name)->byte = v++;
    s.portName = QStringLiteral("/dev/ttyUSB0");
    s.adreses = QStringLiteral("0000,0000,0000,0005");
    return s;
}

// Runs a shell script in the working directory.
bool sh(const QString &script)
{
    return QProcess::execute("sh", {"-c", script}) == 0;
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
    QCOMPARE(fileBytes("device.rlx").toHex(), expected.toHex());
    DeviceSettings loaded;
    QVERIFY2(SettingsFile::load("device.rlx", loaded, &error), qPrintable(error));
    QCOMPARE(SettingsFile::toBytes(loaded), expected);

    // Damaged and missing files: refused with a reason, the record kept (others: tst_clifiles).
    const QList<QPair<const char *, QByteArray>> damaged = {
        {"missing", QByteArray()},
        {"one byte short", expected.left(expected.size() - 1)},
        {"text length past the end",
         QByteArray(expected).replace(12, 4, QByteArray::fromHex("7FFFFFF0"))},
        {"odd text length", QByteArray(expected).replace(12, 4, QByteArray::fromHex("00000003"))},
        {"too large", expected + QByteArray(SettingsFile::MaxFileSize, 'x')}};
    for (const auto &[name, bytes] : damaged) {
        const QString file = name + QStringLiteral(".rlx");
        QVERIFY(bytes.isNull() || writeFile(file, bytes));
        DeviceSettings record = distinctRecord();
        error.clear();
        QVERIFY2(!SettingsFile::load(file, record, &error), name);
        QVERIFY2(!error.isEmpty() && SettingsFile::toBytes(record) == expected, name);
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
    QCOMPARE(fileBytes("plain"), expected.left(12 + 4 + 24));

    // A link is not followed, a FIFO does not block, a second name of another file is not ours.
    QVERIFY(sh("printf 'keep me' | tee precious > original && ln -s precious to-file && "
               "ln original hard-link && mkfifo fifo"));
    for (const char *name : {"to-file", "hard-link", "fifo"})
        check(name, false);
    for (const char *name : {"precious", "original"})
        QCOMPARE(fileBytes(name), QByteArray("keep me"));
    QVERIFY(sh("test -p fifo"));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
