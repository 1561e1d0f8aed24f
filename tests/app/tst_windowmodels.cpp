// The window per model, language and text size: panels, tooltips, language, fit, Tab; shortcuts.
#include "app/keyboardaccess.h"
#include "app/languages.h"
#include "app/launchcheck.h"
#include "app/trafficlog.h"
#include "editors/w_numofdown.h"
#include "editors/w_rb.h"
#include "link/virtualports.h"
#include "protocol/data.h"
#include "tests/memorydevice.h"

#include <QAccessible>
#include <QDial>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QProcessEnvironment>
#include <QRadioButton>
#include <QSettings>
#include <QShortcut>
#include <QtTest>

using namespace WindowDriver;

namespace {

QString describe(const QWidget *c)
{
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(c->metaObject()->className(), c->objectName(), c->accessibleName());
}

// The controls and panels that carry a tooltip.
const char *const Explained[] = {
    "QAbstractButton", "QAbstractSpinBox", "QComboBox", "QDial",     "QGroupBox", "QProgressBar",
    "QPlainTextEdit",  "QTableView",       "QLineEdit", "W_QWidget", "W_Adres",   "w_Reset"};

// The panel a control is in: the part right in the panels' grid (the connection bar's parent).
QWidget *panelOf(MainWindow &w, QWidget *c)
{
    QWidget *grid = w.findChild<QWidget *>("PortName")->parentWidget()->parentWidget();
    while (c->parentWidget() && c->parentWidget() != grid && c->parentWidget() != &w)
        c = c->parentWidget();
    return c;
}

// Every text shown with its control's class, less what the device and port give (model, firmware).
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
        if (c->inherits("QLabel") || c->inherits("QAbstractButton") || c->inherits("QProgressBar"))
            add(c, c->property("text").toString());
        else if (auto group = qobject_cast<QGroupBox *>(c))
            add(c, group->title());
        else if (auto combo = qobject_cast<QComboBox *>(c); combo && c->objectName() != "PortName")
            for (int i = 0; i < combo->count(); ++i)
                add(c, combo->itemText(i));
    }
    return texts;
}

// The texts not in the language: Cyrillic in English; in Russian, a Latin word other than the names
// kept (product, signals, keys); words with digits (S200, LE50) are register and part names.
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

// Adds to `faults` what of a shown control does not fit: text, calibration arrows, power dial.
void cut(QWidget *w, QStringList &faults)
{
    const QFontMetrics fm = w->fontMetrics();
    QString text;
    QSize need, room;
    if (auto *label = qobject_cast<QLabel *>(w)) {
        const QPixmap picture = label->property("pixmap").value<QPixmap>();
        if (!picture.isNull()) {
            text = QStringLiteral("picture");
            need = {fm.height(), 0};
            room = {int(picture.width() / picture.devicePixelRatio()), 0};
        } else if (!label->wordWrap() && label->textFormat() != Qt::RichText) {
            text = label->text();
            need = {fm.horizontalAdvance(text), fm.height()};
            room = {label->width() - label->contentsMargins().left(),
                    label->contentsRect().height()};
        }
    } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        text = button->text();
        need = button->minimumSizeHint().expandedTo(button->sizeHint());
        room = button->size();
    } else if (auto *bar = qobject_cast<QProgressBar *>(w); bar && bar->isTextVisible()) {
        text = bar->format();
        need = {fm.horizontalAdvance(text), 0};
        room = {bar->width(), 0};
    } else if (qobject_cast<QDial *>(w)) {
        text = QStringLiteral("dial");
        need = {4 * fm.height(), 4 * fm.height()};
        room = w->size();
    }
    auto size = [](QSize s) { return QStringLiteral("%1x%2").arg(s.width()).arg(s.height()); };
    if (!text.isEmpty() && need.boundedTo(room) != need)
        faults << QStringLiteral("%1 \"%2\": %3 in %4")
                      .arg(w->metaObject()->className(), text, size(need), size(room));
}

} // namespace

class TestWindowModels : public QObject
{
    Q_OBJECT

private slots:
    void everyModelShownNamedAndReached_data();
    void everyModelShownNamedAndReached();
    void shortcutsPressTheirButtons();
    void choiceFromCommandLineAndSetting();
};

void TestWindowModels::everyModelShownNamedAndReached_data()
{
    QTest::addColumn<QByteArray>("hardware");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("language");
    QTest::addColumn<qreal>("scale");
    const QList<QPair<const char *, const char *>> models = {
        {"RLX-31868-4-20 receiver", "Kalibr AdresArray W_Test ReqPeriod current"},
        {"RLX-31868-4-20-D receiver", "Kalibr AdresArray W_Test ReqPeriod current D2"},
        {"RLX-31868-DD receiver", "AdresArray W_Test ReqPeriod D1 D2"},
        {"RLX-31868-Vela-485", "W_Rs485 AdresArray W_Test ReqPeriod"},
        {"RLX-31868-AD transmitter", "Measure"}};
    const QList<QPair<const char *, qreal>> variants = {{"", 1.0}, {"ru", 1.5}, {"en", 2.0}};
    for (const auto &m : models)
        for (const auto &v : variants)
            QTest::addRow("%s %s %d %%", m.first, v.first, int(v.second * 100))
                << QByteArray(m.first) << QString(m.second) << QString(v.first) << v.second;
}

void TestWindowModels::everyModelShownNamedAndReached()
{
    QFETCH(QByteArray, hardware);
    QFETCH(QString, language);
    QFETCH(qreal, scale);
    const QFont standard = QApplication::font();
    QFont larger = standard;
    larger.setPointSizeF(standard.pointSizeF() * scale);
    QApplication::setFont(larger);
    const auto restore = qScopeGuard([&] { QApplication::setFont(standard); });
    Languages languages;
    QVERIFY(languages.install(language));
    WindowOnDevice device(hardware);
    MainWindow &w = device.w;
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(device.connect());
    click(&w, "Freeze Protection"); // the reset timers show
    QTest::qWait(50);               // the window's fit after the panels changed
    // The panels, then the link-loss groups: each sets its output's bit (D2 0x10, others 0x20).
    QStringList shown;
    for (const char *name : {"Kalibr", "Measure", "W_Rs485", "AdresArray", "W_Test", "ReqPeriod"})
        if (visible(w, name))
            shown << QLatin1String(name);
    quint8 &bits = w.settingsData()->settings.numOfDown;
    const QList<QGroupBox *> groups = panel<w_NumOfDown>(w)->findChildren<QGroupBox *>();
    for (int i = 0; i < groups.size(); ++i) {
        if (!groups[i]->isVisibleTo(&w))
            continue;
        shown << QStringList{"current", "D1", "D2"}.value(i);
        const QList<W_Rb *> levels = groups[i]->findChildren<W_Rb *>();
        const quint8 bit = i == 2 ? 0x10 : 0x20;
        bits = 0xC3;
        levels.at(1)->click();
        const bool set = bits == (0xC3 | bit);
        levels.at(0)->click();
        QVERIFY2(set && bits == 0xC3, qPrintable(groups[i]->title()));
    }
    QTEST(shown.join(' '), "shown");

    // Every control, panel and list has a tooltip (not a spin box's or list's parts) and fits.
    QWidget *central = w.findChild<QWidget *>("PortName")->parentWidget()->parentWidget();
    QStringList faults;
    QList<QWidget *> controls; // Tab stops now
    int explained = 0;
    for (QWidget *c : w.findChildren<QWidget *>()) {
        const QWidget *p = c->parentWidget();
        const bool part =
            c == central || (p && (p->inherits("QAbstractSpinBox") || p->inherits("QComboBox") ||
                                   p->inherits("QAbstractItemView")));
        if (!part && std::any_of(std::begin(Explained), std::end(Explained),
                                 [c](const char *kind) { return c->inherits(kind); })) {
            ++explained;
            if (c->toolTip().trimmed().isEmpty())
                faults << QStringLiteral("no tooltip: ") + describe(c);
        }
        if (c->isVisibleTo(&w))
            cut(c, faults);
        if (c->window() != &w || !c->isVisible() || !c->isEnabled() || c->focusProxy() ||
            (c->focusPolicy() & Qt::TabFocus) != Qt::TabFocus)
            continue;
        controls << c; // a Tab stop, named for a screen reader
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            faults << QStringLiteral("no name: ") + describe(c);
    }
    // In the language chosen; without one, the window's own (title in Russian, the rest English).
    const QStringList texts = shownTexts(w, hardware);
    QVERIFY2(explained > 150 && controls.size() > 20 && texts.size() > 100,
             qPrintable(
                 QStringLiteral("%1 %2 %3").arg(explained).arg(controls.size()).arg(texts.size())));
    if (!language.isEmpty())
        faults << foreign(texts, language);
    else if (!w.windowTitle().startsWith(
                 QStringLiteral("RLX Vela Конфигуратор v.%1 ").arg(MainWindow::Version)) ||
             !texts.contains("QGroupBox \"Radio Module\"") ||
             button(&w, "setRealCurrent")->text() != QStringLiteral("\u0415nter value"))
        faults << QStringLiteral("not the window's own texts: ") + texts.join('\n');

    // An editor that is a label's buddy carries the label's text.
    int labelled = 0;
    for (QLabel *label : w.findChildren<QLabel *>()) {
        QWidget *c = label->buddy();
        if (!controls.contains(c) || qobject_cast<QAbstractButton *>(c))
            continue;
        ++labelled;
        if (c->accessibleName() != label->text().remove('&').remove(QRegularExpression(":$")))
            faults << QStringLiteral("not named by its label \"%1\": ").arg(label->text()) +
                          describe(c);
    }
    QVERIFY2(labelled >= 5, qPrintable(QString::number(labelled)));

    // Tab from the port list goes round every control once and comes back.
    QWidget *first = child<QComboBox>(&w, "PortName");
    first->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), first);
    QList<QWidget *> visited{first};
    for (int i = 0; i <= controls.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first)
            break;
        visited << QApplication::focusWidget();
    }
    QCOMPARE(QApplication::focusWidget(), first); // a control met twice would never lead back
    // Of a group of radio buttons Tab stops at one; the arrow keys go on from there.
    for (QWidget *c : controls) {
        auto rb = qobject_cast<QRadioButton *>(c);
        if (!visited.contains(c) &&
            !(rb && rb->autoExclusive() &&
              std::any_of(visited.cbegin(), visited.cend(), [&](QWidget *v) {
                  return qobject_cast<QRadioButton *>(v) && v->parent() == c->parent();
              })))
            faults << QStringLiteral("not reached by Tab: ") + describe(c);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

    // Panel after panel, each once, top to bottom and left to right; within one as laid out.
    QList<QWidget *> panels;
    for (QWidget *c : visited)
        if (panels.isEmpty() || panels.last() != panelOf(w, c)) {
            QVERIFY2(!panels.contains(panelOf(w, c)), qPrintable(describe(c)));
            panels << panelOf(w, c);
        }
    QVERIFY(panels.size() >= 4);
    for (int i = 1; i < panels.size(); ++i) {
        const QPoint a = panels.at(i - 1)->mapTo(&w, QPoint());
        const QPoint b = panels.at(i)->mapTo(&w, QPoint());
        QVERIFY2(a.y() < b.y() || (a.y() == b.y() && a.x() < b.x()),
                 qPrintable(describe(panels.at(i))));
    }
    if (visible(w, "W_Rs485")) // flow control stands above the time-out, made first
        QVERIFY(visited.indexOf(child<QWidget>(&w, "Flow control")) <
                visited.indexOf(child<QWidget>(&w, "Serial Timeout")));
    QCOMPARE(device.modals.texts, QStringList());
}

// Each main button's own shortcut, named in its tooltip, presses it from an editor.
void TestWindowModels::shortcutsPressTheirButtons()
{
    WindowOnDevice device;
    MainWindow &w = device.w;
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QStringList taken;
    for (QShortcut *s : w.findChildren<QShortcut *>())
        if (auto *on = qobject_cast<QWidget *>(s->parent()); on && on->window() == &w)
            taken << s->key().toString();
    QCOMPARE(QSet<QString>(taken.begin(), taken.end()).size(), taken.size());
    QHash<QString, QKeySequence> keys;
    for (const char *name :
         {"pbOpen", "READ", "WRITE", "DEFAULT", "Open Settings", "Save Settings"}) {
        QAbstractButton *b = child<QAbstractButton>(&w, name);
        const QKeySequence k = KeyboardAccess::keysOf(b);
        keys.insert(name, k);
        // The visible texts stay the commands' names.
        QVERIFY2(!k.isEmpty() && taken.contains(k.toString()) && !b->text().contains('&') &&
                     b->toolTip().contains(
                         QStringLiteral("(%1)").arg(k.toString(QKeySequence::NativeText))),
                 qPrintable(b->toolTip()));
    }

    // Presses the keys in the control, the window active again after a dialog.
    auto pressIn = [&](const char *name, const QKeySequence &k) {
        QWidget *c = child<QWidget>(&w, name);
        w.activateWindow();
        c->setFocus();
        const bool ready = QTest::qWaitFor([&] { return QApplication::focusWidget() == c; });
        QTest::keySequence(c, k);
        return ready;
    };
    // The first fit after showing may put the panels into a scrolling frame a moment later.
    QTRY_VERIFY(child<QWidget>(&w, "pbOpen")->isVisible());
    auto *ports = child<QComboBox>(&w, "PortName");
    ports->addItem(MemoryDevice::Port);
    ports->setCurrentIndex(ports->findText(MemoryDevice::Port));
    QVERIFY(pressIn("PortName", keys["pbOpen"]));
    QVERIFY(w.exchange()->isOpen() && device.idle());

    // The file dialogs are cancelled.
    const QList<QPair<const char *, QString>> runs{
        {"READ", "Reading…"},
        {"WRITE", "Writing…"},
        {"DEFAULT", "Restoring the factory settings…"},
        {"Save Settings", "Save Settings cancelled; nothing was saved."},
        {"Open Settings", "Open Settings cancelled; nothing was changed."}};
    for (const auto &[name, told] : runs) {
        QVERIFY(pressIn("Delay Tx-Rx", keys[name]));
        QCOMPARE(outcome(w), told);
        QVERIFY2(device.idle(), name);
        QTest::qWait(150); // the button's press shows until it comes up
    }
    QVERIFY(pressIn("Delay Tx-Rx", QKeySequence("Ctrl+L")));
    QVERIFY(QTest::qWaitForWindowActive(w.findChild<TrafficLog *>("trafficLog")));
    w.findChild<TrafficLog *>("trafficLog")->close();

    // Renamed Disconnect, the button still answers its keys.
    QCOMPARE(child<QAbstractButton>(&w, "pbOpen")->text(), QStringLiteral("Disconnect"));
    QVERIFY(pressIn("Delay Tx-Rx", keys["pbOpen"]));
    QVERIFY(!w.exchange()->isOpen());
    QTest::qWait(150);
    // Without a port READ is disabled, and so is its shortcut.
    QVERIFY(pressIn("PortName", keys["READ"]));
    QCOMPARE(w.exchange()->queueLength(), 0);
    QCOMPARE(device.modals.texts, QStringList());
}

// --lang wins over the setting and is remembered; "default" forgets it; a missing value stops.
void TestWindowModels::choiceFromCommandLineAndSetting()
{
    QSettings().setValue(Languages::SettingKey, "ru");
    const QString none;
    const QList<QPair<QString, QString>> choices = {
        {none, "ru"}, {"en", "en"}, {none, "en"}, {"default", none}, {none, none}};
    for (const auto &[given, language] : choices)
        QCOMPARE(Languages::choose(given), language);
    QSettings().setValue(Languages::SettingKey, "xx");
    QCOMPARE(Languages::choose(QString()), QString());

    // A question in English; in Russian a virtual device's entry in the port list.
    Languages languages;
    QVERIFY(languages.install("en"));
    QCOMPARE(QCoreApplication::translate("MainWindow", "Ошибка выполнения команды. Продолжить?"),
             QStringLiteral("The command failed. Continue?"));
    QVERIFY(languages.install("ru"));
    QCOMPARE(VirtualPorts::nameFor("/dev/pts/3", "RLX-31868-DD receiver"),
             QStringLiteral("/dev/pts/3 (виртуальный RLX-31868-DD receiver)"));
    QVERIFY(languages.install(QString()));
    QCOMPARE(QCoreApplication::translate("W_Key", "WRITE"), QStringLiteral("WRITE"));

    QProcessEnvironment env;
    env.insert("QT_QPA_PLATFORM", "offscreen");
    using A = LaunchCheck::Action;
    QCOMPARE(LaunchCheck::decide({"rlx-configurator", "--lang", "ru"}, env), A::OpenWindow);
    QCOMPARE(LaunchCheck::decide({"rlx-configurator", "--lang=system"}, env), A::OpenWindow);
    QCOMPARE(LaunchCheck::decide({"rlx-configurator", "--lang"}, env), A::BadLanguage);
}

QTEST_MAIN(TestWindowModels)
#include "tst_windowmodels.moc"
