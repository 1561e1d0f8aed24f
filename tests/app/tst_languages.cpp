// The window in each of its languages, against devices in memory: with the
// Russian translation no English word is left in what the window shows, with
// the English one no Russian; without a chosen language the texts are the
// window's own. And how --lang and the remembered setting pick one.
#include "app/keyboardaccess.h"
#include "app/languages.h"
#include "app/launchcheck.h"
#include "app/mainwindow.h"
#include "link/virtualports.h"
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

// Every text the window shows, each with its control's class: the title, the
// status line, the texts and tooltips of its visible controls. What the
// device and the port give (model, firmware, port name) is left out.
QStringList shownTexts(MainWindow &w, const QByteArray &hardware)
{
    QStringList texts;
    auto add = [&](const QWidget *where, QString t) {
        t.remove(QString::fromLatin1(hardware)).remove("Aug  4 2022").remove(MemoryDevice::Port);
        if (!t.trimmed().isEmpty())
            texts << QStringLiteral("%1 \"%2\"").arg(where->metaObject()->className(), t);
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

// The texts not in the language: with Cyrillic for English; for Russian,
// with a Latin word other than the names kept (product, line, signals,
// version mark, files' suffix and the keys the tooltips name). Words with
// digits (g2, S200, LE50, x100) are register, band and part names.
QStringList foreign(const QStringList &texts, const QString &language)
{
    const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    const QRegularExpression word(QStringLiteral("[A-Za-z0-9]*[A-Za-z][A-Za-z0-9]*"));
    QStringList kept = {"RLX", "Vela", "RS", "Tx", "Rx", "v", "Ctrl", "L", "rlx"};
    for (const KeyboardAccess::Shortcut &s : KeyboardAccess::shortcuts())
        kept += QString::fromLatin1(s.keys).split(QLatin1Char('+'));
    QStringList wrong;
    for (const QString &text : texts) {
        bool english = false;
        for (auto it = word.globalMatch(text.section('"', 1, -2)); it.hasNext();) {
            const QString w = it.next().captured();
            english = english || (!w.contains(QRegularExpression("[0-9]")) && !kept.contains(w));
        }
        if (language == "en" ? text.contains(cyrillic) : english)
            wrong << text;
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
    QTest::addRow("default") << "" << QByteArray("RLX-31868-AD") << "READ";
}

void TestLanguages::windowInLanguage()
{
    QFETCH(QString, language);
    QFETCH(QByteArray, hardware);
    QFETCH(QString, readButton);
    Languages languages;
    QVERIFY(languages.install(language));
    QCOMPARE(languages.installed(), language);
    WindowOnDevice device(hardware);
    MainWindow &w = device.w;
    QVERIFY(device.connect());
    QCOMPARE(button(&w, "READ")->text(), readButton);
    click(&w, "Freeze Protection"); // the reset timers show
    const QStringList texts = shownTexts(w, hardware);
    QVERIFY2(texts.size() > 100, qPrintable(QString::number(texts.size())));
    QCOMPARE(device.modals.texts, QStringList());
    if (!language.isEmpty()) {
        const QStringList wrong = foreign(texts, language);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join('\n')));
        return;
    }
    // The window's own texts, its title in Russian and the rest in English
    // as first written.
    QVERIFY(w.windowTitle().startsWith(
        QStringLiteral("RLX Vela Конфигуратор v.%1 ").arg(MainWindow::Version)));
    QCOMPARE(button(&w, "WRITE")->text(), QStringLiteral("WRITE"));
    QCOMPARE(button(&w, "pbOpen")->text(), QStringLiteral("Disconnect"));
    QCOMPARE(button(&w, "setRealCurrent")->text(), QStringLiteral("\u0415nter value"));
    QVERIFY2(texts.contains("QGroupBox \"Radio Module\"") &&
                 texts.contains("QGroupBox \"Measuremets\""),
             qPrintable(texts.join('\n')));
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

    // The window's Russian texts (its title and two questions) in English, a
    // button's in Russian, and the toolkit's buttons when its translations
    // are there.
    const QString toolkit =
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
        QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    const QList<QStringList> translations = {
        {"en", "MainWindow", "RLX Vela Конфигуратор v.%1", "RLX Vela Configurator v.%1"},
        {"en", "MainWindow", "Убедитесь в актуальности FirmWare",
         "Make sure the firmware is up to date"},
        {"en", "MainWindow", "Ошибка выполнения команды. Продолжить?",
         "The command failed. Continue?"},
        {"ru", "W_Key", "WRITE", "ЗАПИСЬ"},
        {"ru", "QPlatformTheme", "&Yes", QFile::exists(toolkit + "/qtbase_ru.qm") ? "&Да" : "&Yes"},
    };
    Languages languages;
    for (const QStringList &t : translations) {
        QVERIFY(languages.install(t[0]));
        QCOMPARE(QCoreApplication::translate(qPrintable(t[1]), qPrintable(t[2])), t[3]);
    }
    // A virtual device's entry in the port list, and the port it stands for
    // in either language.
    const QString entry = VirtualPorts::nameFor("/dev/pts/3", "RLX-31868-DD receiver");
    QCOMPARE(entry, QStringLiteral("/dev/pts/3 (виртуальный RLX-31868-DD receiver)"));
    for (const QString &shown : {entry, QStringLiteral("/dev/pts/3 (virtual RLX-31868-DD)")})
        QCOMPARE(VirtualPorts::portOf(shown), QStringLiteral("/dev/pts/3"));
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
