// The window in each of its languages, against devices served in memory: with
// the Russian translation no English word is left in what the window shows,
// with the English one no Russian; without a chosen language the texts are
// the window's own. And how --lang and the remembered setting pick one.
#include "app/keyboardaccess.h"
#include "app/languages.h"
#include "app/launchcheck.h"
#include "app/mainwindow.h"
#include "link/virtualports.h"
#include "protocol/exchange.h"
#include "tests/memorydevice.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSettings>
#include <QtTest>

using namespace WindowDriver;

namespace {

constexpr const char *Firmware = "Aug  4 2022";

// Latin words that stay in Russian texts: names of the product, the line and
// the signals, the version mark, the settings files' suffix and the names of
// the keys of the shortcuts the tooltips give. Words with digits (g2, S200,
// LE50, x100) are register, band and part names.
QStringList keptNames()
{
    QStringList names = {"RLX", "Vela", "RS", "Tx", "Rx", "v", "Ctrl", "L", "rlx"};
    for (const KeyboardAccess::Shortcut &s : KeyboardAccess::shortcuts())
        names += QString::fromLatin1(s.keys).split(QLatin1Char('+'));
    return names;
}

// Every text the window shows, each with where it is: the title, the
// status line, and the texts and tooltips of its visible controls. What
// the device and the port give (model, firmware, port name) is left out.
QStringList shownTexts(MainWindow &w, const QByteArray &hardware)
{
    QStringList texts;
    auto add = [&](const QWidget *where, const QString &text) {
        QString t = text;
        t.remove(QString::fromLatin1(hardware))
            .remove(Firmware)
            .remove(QLatin1String(MemoryDevice::Port));
        if (!t.trimmed().isEmpty())
            texts << QStringLiteral("%1 \"%2\"")
                         .arg(QLatin1String(where->metaObject()->className()), t);
    };
    add(&w, w.windowTitle());
    add(&w, w.statusBar()->currentMessage());
    for (QWidget *c : w.findChildren<QWidget *>()) {
        if (!c->isVisibleTo(&w))
            continue;
        add(c, c->toolTip());
        if (auto label = qobject_cast<QLabel *>(c))
            add(c, label->text());
        else if (auto button = qobject_cast<QAbstractButton *>(c))
            add(c, button->text());
        else if (auto group = qobject_cast<QGroupBox *>(c))
            add(c, group->title());
        else if (auto bar = qobject_cast<QProgressBar *>(c))
            add(c, bar->text());
        else if (auto combo = qobject_cast<QComboBox *>(c); combo && c->objectName() != "PortName")
            for (int i = 0; i < combo->count(); ++i)
                add(c, combo->itemText(i));
    }
    return texts;
}

// The texts that are not in the language: with Cyrillic for English, with a
// Latin word not among the kept names for Russian.
QStringList foreign(const QStringList &texts, const QString &language)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9]*[A-Za-z][A-Za-z0-9]*"));
    static const QStringList kept = keptNames();
    QStringList wrong;
    for (const QString &text : texts) {
        if (language == QLatin1String("en")) {
            if (text.contains(cyrillic))
                wrong << text;
            continue;
        }
        const QString inside = text.section(QLatin1Char('"'), 1, -2);
        for (auto it = word.globalMatch(inside); it.hasNext();) {
            const QString w = it.next().captured();
            if (!w.contains(QRegularExpression(QStringLiteral("[0-9]"))) && !kept.contains(w)) {
                wrong << text;
                break;
            }
        }
    }
    return wrong;
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT
private slots:
    void windowInLanguage_data();
    void windowInLanguage();
    void ownTextsWithoutChoice();
    void choiceFromCommandLineAndSetting();
};

void TestLanguages::windowInLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("hardware");
    QTest::addColumn<QString>("readButton");
    // A transmitter with inputs (measurement panel, address list), a
    // receiver with a current output (calibration, link-loss outputs) and an
    // RS-485 device (its line's settings).
    for (const char *hardware :
         {"RLX-31868-AD", "RLX-31868-4-20-D receiver", "RLX-31868-Vela-485"}) {
        QTest::addRow("en %s", hardware) << "en" << QByteArray(hardware) << "READ";
        QTest::addRow("ru %s", hardware) << "ru" << QByteArray(hardware) << "ЧТЕНИЕ";
    }
}

void TestLanguages::windowInLanguage()
{
    QFETCH(QString, language);
    QFETCH(QByteArray, hardware);
    QFETCH(QString, readButton);
    Languages languages;
    QVERIFY(languages.install(language));
    WindowOnDevice device(hardware);
    MainWindow &w = device.w;
    Modals &modals = device.modals;
    QVERIFY(device.connect());
    QCOMPARE(button(&w, "READ")->text(), readButton);
    click(&w, "Freeze Protection"); // the reset timers show

    const QStringList texts = shownTexts(w, hardware);
    QVERIFY2(texts.size() > 100, qPrintable(QString::number(texts.size())));
    const QStringList wrong = foreign(texts, language);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
    QCOMPARE(modals.texts, QStringList());
}

void TestLanguages::ownTextsWithoutChoice()
{
    Languages languages;
    QVERIFY(languages.install(Languages::choose(QString())));
    QCOMPARE(languages.installed(), QString());
    WindowOnDevice device("RLX-31868-AD");
    MainWindow &w = device.w;
    Modals &modals = device.modals;
    QCOMPARE(w.windowTitle(),
             QStringLiteral("RLX Vela Конфигуратор v.%1").arg(MainWindow::Version));
    QVERIFY(device.connect());
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("RLX Vela Конфигуратор v.")));
    QCOMPARE(button(&w, "READ")->text(), QStringLiteral("READ"));
    QCOMPARE(button(&w, "WRITE")->text(), QStringLiteral("WRITE"));
    QCOMPARE(button(&w, "pbOpen")->text(), QStringLiteral("Disconnect"));
    QCOMPARE(button(&w, "setRealCurrent")->text(), QStringLiteral("\u0415nter value"));
    QStringList titles;
    for (QGroupBox *g : w.findChildren<QGroupBox *>())
        if (g->isVisibleTo(&w) && !g->title().isEmpty())
            titles << g->title();
    QVERIFY2(titles.contains("Radio Module") && titles.contains("Measuremets"),
             qPrintable(titles.join(", ")));
    QCOMPARE(modals.texts, QStringList());
}

// --lang wins over the setting and is remembered; "default" forgets it. An
// unknown or missing value stops the start before the window.
void TestLanguages::choiceFromCommandLineAndSetting()
{
    QSettings().remove(Languages::SettingKey);
    QCOMPARE(Languages::choose(QString()), QString());
    QSettings().setValue(Languages::SettingKey, "ru");
    QCOMPARE(Languages::choose(QString()), QStringLiteral("ru"));
    QCOMPARE(Languages::choose("en"), QStringLiteral("en"));
    QCOMPARE(Languages::choose(QString()), QStringLiteral("en"));
    QCOMPARE(Languages::choose("default"), QString());
    QCOMPARE(Languages::choose(QString()), QString());
    QSettings().setValue(Languages::SettingKey, "xx");
    QCOMPARE(Languages::choose(QString()), QString());

    // The window's three Russian texts (its title and two questions) in
    // English.
    Languages languages;
    QVERIFY(languages.install("en"));
    QCOMPARE(QCoreApplication::translate("MainWindow", "RLX Vela Конфигуратор v.%1"),
             QStringLiteral("RLX Vela Configurator v.%1"));
    QCOMPARE(QCoreApplication::translate("MainWindow", "Убедитесь в актуальности FirmWare"),
             QStringLiteral("Make sure the firmware is up to date"));
    QCOMPARE(QCoreApplication::translate("MainWindow", "Ошибка выполнения команды. Продолжить?"),
             QStringLiteral("The command failed. Continue?"));
    QVERIFY(languages.install("ru"));
    QCOMPARE(QCoreApplication::translate("W_Key", "WRITE"), QStringLiteral("ЗАПИСЬ"));
    // A virtual device's entry in the port list, and the port it stands for
    // in either language.
    const QString entry = VirtualPorts::nameFor("/dev/pts/3", "RLX-31868-DD receiver");
    QCOMPARE(entry, QStringLiteral("/dev/pts/3 (виртуальный RLX-31868-DD receiver)"));
    for (const QString &shown : {entry, QStringLiteral("/dev/pts/3 (virtual RLX-31868-DD)")})
        QCOMPARE(VirtualPorts::portOf(shown), QStringLiteral("/dev/pts/3"));
        // The buttons of message boxes, when the toolkit's translations are there.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString toolkitFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString toolkitFolder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    if (QFile::exists(toolkitFolder + "/qtbase_ru.qm"))
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Да"));
    QVERIFY(languages.install(QString()));
    QCOMPARE(QCoreApplication::translate("W_Key", "WRITE"), QStringLiteral("WRITE"));

    QProcessEnvironment env;
    env.insert("QT_QPA_PLATFORM", "offscreen");
    using A = LaunchCheck::Action;
    QCOMPARE(LaunchCheck::decide({"rlx-configurator", "--lang", "ru"}, env), A::OpenWindow);
    QCOMPARE(LaunchCheck::decide({"rlx-configurator", "--lang=system"}, env), A::OpenWindow);
    QCOMPARE(LaunchCheck::decide({"rlx-configurator", "--lang", "de"}, env), A::BadLanguage);
    QCOMPARE(LaunchCheck::decide({"rlx-configurator", "--lang"}, env), A::BadLanguage);
    QVERIFY(LaunchCheck::badLanguageText({"rlx-configurator", "--lang", "de"}).contains("\"de\""));
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
