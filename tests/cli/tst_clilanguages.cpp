// rlx-cli in each language against a virtual device: with --lang ru no
// English word is left in what it writes for the user (its help, a usage
// error, a refused file, the progress, summary and table of a device), with
// --lang en no Russian. Without --lang it follows the window's remembered
// language, which it never changes.

#include "tests/cli/clirun.h"

#include <QRegularExpression>
#include <QSettings>

namespace {

// Latin words that stay in Russian texts: names of the product, the
// program, its commands and the kinds of files, the JSON fields 'read
// --json' gives, the setting in the example of 'set', the radio module's
// "ATO", the time zone and the names of line signals. Options (--port), paths and what the device
// sends are taken out before the words are looked at.
const QStringList KeptNames = {
    "RLX",      "Vela",       "rlx",      "cli",  "JSON",     "CSV",      "PDF",     "HTML",
    "json",     "pdf",        "html",     "null", "Qt",       "ATO",      "ports",   "identify",
    "read",     "write",      "defaults", "test", "measure",  "report",   "convert", "diff",
    "get",      "set",        "backup",   "port", "hardware", "firmware", "variant", "ok",
    "settings", "unanswered", "power",    "en",   "ru",       "system",   "default", "UTC",
    "Tx",       "Rx",         "RTS",      "CTS"};

// The lines of `text` not in `language`.
QStringList foreign(const QString &text, const QString &language, const QStringList &given)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9]*[A-Za-z][A-Za-z0-9]*"));
    static const QRegularExpression aside(QStringLiteral("(^|\\s|\\[)-{1,2}[a-z][a-z-]*|/\\S*"));
    QStringList wrong;
    for (const QString &line : text.split('\n', Qt::SkipEmptyParts)) {
        if (language == "en") {
            if (line.contains(cyrillic))
                wrong << line;
            continue;
        }
        QString t = line;
        for (const QString &d : given)
            t.remove(d);
        t.remove(aside);
        for (auto it = word.globalMatch(t); it.hasNext();) {
            const QString w = it.next().captured();
            if (!w.contains(QRegularExpression("[0-9]")) && !KeptNames.contains(w)) {
                wrong << line;
                break;
            }
        }
    }
    return wrong;
}

CliRun cliIn(const QString &language, QStringList args)
{
    if (!language.isEmpty())
        args = QStringList{"--lang", language} + args;
    return runCli(args);
}

} // namespace

class TestCliLanguages : public QObject
{
    Q_OBJECT
private slots:
    void init() { QSettings("Orbelinex", "Rlx").remove("Language"); }
    void messagesInLanguage_data();
    void messagesInLanguage();
    void followsTheWindowsSetting();
};

void TestCliLanguages::messagesInLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("ru") << "ru";
    QTest::newRow("en") << "en";
}

void TestCliLanguages::messagesInLanguage()
{
    QFETCH(QString, language);
    Devsim device(rs485());
    QVERIFY(!device.path.isEmpty());
    QVERIFY(writeFile("unknown.json", "{\"colour\": 1}"));
    QVERIFY(writeFile("settings.txt", "x"));
    DeviceSettings tooStrong = rs485Settings();
    tooStrong.power = 9;
    QVERIFY(writeFile("strong.json", QJsonDocument(settingsJson(tooStrong)).toJson()));
    // What the device, the command line and the file give, not the program.
    const QStringList given = {
        "RLX-31868-Vela-485", "Aug  4 2022", device.path, RLX_CLI, "settings.txt",
        "unknown.json",       "strong.json", "colour",    "frob"};
    struct Case
    {
        QStringList args;
        int code;
    };
    const QList<Case> cases = {
        {{"--help"}, 0},
        {{"read", "--help"}, 0},
        {{"frob"}, 2},
        {{"test", "--port", device.path}, 2},
        {{"write", "--port", device.path, "settings.txt"}, 2},
        {{"write", "--port", device.path, "unknown.json"}, 4},
        {{"write", "--port", device.path, "strong.json"}, 4},
        {{"identify", "--port", device.path}, 0},
        {{"test", "--port", device.path, "--addresses", "1", "--rounds", "1"}, -1},
    };
    QString all;
    for (const Case &c : cases) {
        const CliRun r = cliIn(language, c.args);
        const QString where = c.args.join(' ') + ":\n" + r.err + r.out;
        QVERIFY2(r.code == c.code || (c.code == -1 && r.code >= 0), qPrintable(where));
        QVERIFY2(!(r.err + r.out).trimmed().isEmpty(), qPrintable(where));
        const QStringList wrong = foreign(r.err + r.out, language, given);
        QVERIFY2(wrong.isEmpty(), qPrintable(c.args.join(' ') + ":\n" + wrong.join('\n')));
        all += r.err + r.out;
    }
    // The summary, the progress and the stability table were among them.
    const QString summary = language == "ru" ? "прошивка Aug  4 2022 (вариант 2): успешно"
                                             : "firmware Aug  4 2022 (variant 2): ok";
    QVERIFY2(all.contains(summary), qPrintable(all));
    QVERIFY2(all.contains(language == "ru" ? "подключение 0%" : "connect 0%"), qPrintable(all));
    QVERIFY2(all.contains(language == "ru" ? "адрес  опросов" : "address  sent"), qPrintable(all));
    // The report's words, and the settings' labels and values in it.
    QCOMPARE(cliIn(language, {"report", "--port", device.path, "-o", "report.html"}).code, 0);
    QString report = QString::fromUtf8(fileBytes("report.html"));
    report.remove(QRegularExpression("<style>.*</style>|<[^>]*>",
                                     QRegularExpression::DotMatchesEverythingOption |
                                         QRegularExpression::InvertedGreedinessOption));
    QVERIFY2(report.count('\n') > 30, qPrintable(report));
    const QStringList wrongInReport = foreign(report, language, given);
    QVERIFY2(wrongInReport.isEmpty(), qPrintable(wrongInReport.join('\n')));
    // The refused setting under the window's label, and why.
    QVERIFY2(all.contains(language == "ru" ? "power (Мощность): 9 — недопустимо, нужно: от 0 до 7"
                                           : "power (Power): 9 is not 0 to 7"),
             qPrintable(all));

    // An unknown language is a usage error that names the ones there are.
    const CliRun bad = cliIn("de", {"identify", "--port", device.path});
    QCOMPARE(bad.code, 2);
    QVERIFY2(bad.err.contains("en, ru, system, default") && bad.err.contains("\"de\""),
             qPrintable(bad.err));
    QCOMPARE(cliIn(QString(), {"--lang"}).code, 2);
}

// The language the window remembers holds until --lang says otherwise for
// one run; "default" gives the program's own texts. rlx-cli leaves the
// setting as it was.
void TestCliLanguages::followsTheWindowsSetting()
{
    const QString own = cliIn(QString(), {"frob"}).err;
    QVERIFY2(own.startsWith("rlx-cli: unknown command \"frob\""), qPrintable(own));
    {
        QSettings window("Orbelinex", "Rlx");
        window.setValue("Language", "ru");
    }
    QVERIFY2(cliIn(QString(), {"frob"}).err.contains("неизвестная команда"), "");
    QCOMPARE(cliIn("default", {"frob"}).err, own);
    QCOMPARE(cliIn("en", {"frob"}).err, own);
    QCOMPARE(QSettings("Orbelinex", "Rlx").value("Language").toString(), QStringLiteral("ru"));
}

QTEST_GUILESS_MAIN(TestCliLanguages)
#include "tst_clilanguages.moc"
