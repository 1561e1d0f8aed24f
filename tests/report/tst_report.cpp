// The commissioning report: what the PDF and HTML files say, refused names, escaping.

#include "cli/commissioningreport.h"
#include "protocol/settingsfields.h"

#include <QtTest>

namespace {

// A Vela-485 of the latest firmware, after a stability check of two addresses.
CommissioningReport sample()
{
    CommissioningReport r;
    r.when = QDateTime::fromString(QStringLiteral("2026-12-06T14:40:05+01:00"), Qt::ISODate);
    r.port = QStringLiteral("/dev/ttyUSB3");
    r.hardware = QStringLiteral("RLX-31868-Vela-485");
    r.firmware = QStringLiteral("Aug  4 2022");
    r.variant = 2;
    DeviceSettings &s = r.settings;
    s.chanel = 17, s.power = 5, s.subBand = 3, s.delRequest = 42, s.radioModuleReset = 9;
    s.serialTimeout = 31, s.adreses = QStringLiteral("0000,0000,0000,0015");
    s.portName = QStringLiteral("COM9"), s.spare = 77; // the configurator's, not the device's
    r.test = {{3, 40, 37, 2, 0}, {5, 41, 0, 41, 0}};   // address, sent, answered, longest miss run
    return r;
}

// The output of a poppler tool (pdftotext -layout keeps each table row on one line).
QString poppler(const QString &tool, const QStringList &args)
{
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return tool + QStringLiteral(" failed (package poppler-utils): ") + p.errorString() +
               QString::fromLocal8Bit(p.readAllStandardError());
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Whether some line holds the words of `row`, apart only by white space.
bool hasRow(const QString &text, const QString &row)
{
    for (const QString &line : text.split('\n'))
        if ((' ' + line.simplified() + ' ').contains(' ' + row + ' '))
            return true;
    return false;
}

// Whether `html` holds each of `in` and none of `out`.
void expectIn(const QString &html, const QStringList &in, const QStringList &out)
{
    for (const QString &t : in)
        QVERIFY2(html.contains(t), qPrintable(t));
    for (const QString &t : out)
        QVERIFY2(!html.contains(t), qPrintable(t));
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void pdfAndHtmlFilesAndRefusedNames()
    {
        const QString file = QStringLiteral("commissioning.pdf");
        QString error;
        QVERIFY2(sample().write(file, &error), qPrintable(error));
        // By label, in words and units; stability: address, sent, answered, share, longest run.
        const QString text = poppler("pdftotext", {"-layout", file, "-"});
        for (const char *row :
             {"Commissioning report", "Radio stability check", "Hardware RLX-31868-Vela-485",
              "Port /dev/ttyUSB3", "Firmware Aug 4 2022", "Date 2026-12-06 14:40:05 (UTC+01:00)",
              "Channel 17", "Power +7 dBm (5)", "Sub-band 3", "Serial Timeout 31 ms",
              "Requests period 42 s", "Radio Module Reset 9 x10 s", "Addresses 0000,0000,0000,0015",
              "Num of down link lost after 3 non-responses (3)", "3 40 37 92.5 % 2",
              "5 41 0 0.0 % 41"})
            QVERIFY2(hasRow(text, row), qPrintable(row + ("\n" + text)));

        // The same report as HTML (the PDF is typeset from it).
        QVERIFY2(sample().write(QStringLiteral("commissioning.HTM"), &error), qPrintable(error));
        QFile html(QStringLiteral("commissioning.HTM"));
        QVERIFY(html.open(QIODevice::ReadOnly) && html.readAll() == sample().toHtml().toUtf8());

        // Refused names leave neither files nor temporary ones; the last lies under a file.
        QVERIFY(QFile(QStringLiteral("plain")).open(QIODevice::WriteOnly));
        const QStringList before = QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        for (const QString file : {"report.txt", "report", "report.pdf.bak", "plain/report.pdf"}) {
            QVERIFY2(!sample().write(file, &error) &&
                         error.startsWith(file + QStringLiteral(": ")) &&
                         error.size() > file.size() + 10,
                     qPrintable(file + " | " + error));
        }
        QCOMPARE(QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    }

    void htmlFieldsByVariantAndEscaping()
    {
        // Damaged replies not read, an early end told, texts escaped, port and spare unshown.
        CommissioningReport r = sample();
        CommissioningReport odd = r;
        odd.notRead = {SettingsFields::byName(QStringLiteral("power")),
                       SettingsFields::byName(QStringLiteral("serialTimeout"))};
        odd.testCutShort = true;
        odd.hardware = QStringLiteral("<q>&");
        odd.firmware = QStringLiteral("\"Aug</td><script>");
        odd.port = QStringLiteral("/dev/<i>");
        odd.settings.adreses = QStringLiteral("<u>");
        expectIn(
            odd.toHtml(),
            {"<td>Power</td><td>not read</td>", "<td>Serial Timeout</td><td>not read</td>",
             "<td>Channel</td><td>17</td>", "cut short", "&lt;q&gt;&amp;",
             "&quot;Aug&lt;/td&gt;&lt;script&gt;", "/dev/&lt;i&gt;", "&lt;u&gt;"},
            {"<td>31</td>", "<q>", "<script>", "<i>", "<u>", "&<", "&\"", "COM9", "Spare", "77"});

        // Older firmware does not report these; a 4-20 receiver polls address 1 whatever it holds.
        r.variant = 0;
        expectIn(r.toHtml(),
                 {"<td>Requests period</td><td>-</td><td class=\"note\">not reported by this "
                  "device</td>",
                  "<td>Num of down</td><td>-</td>", "<td>Channel</td><td>17</td>"},
                 {"42", "cut short"});
        r.hardware = QStringLiteral("RLX-31868-4-20 receiver");
        r.test.clear();
        expectIn(r.toHtml(), {}, {"0015", "stability", "Polls sent"});
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
