// The main window per device model, against a device in memory: the panels
// and link-loss output groups it shows, a name for every control Tab stops
// at, Tab reaching all of them panel by panel in the order they are shown,
// and each main button's shortcut pressing it, even from an editor.
#include "app/keyboardaccess.h"
#include "app/mainwindow.h"
#include "app/trafficlog.h"
#include "editors/w_numofdown.h"
#include "editors/w_rb.h"
#include "panels/measure.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "tests/memorydevice.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QShortcut>
#include <QtTest>

using namespace WindowDriver;

namespace {

QString describe(const QWidget *c)
{
    return QStringLiteral("%1 \"%2\" (%3)")
        .arg(c->metaObject()->className(), c->objectName(), c->accessibleName());
}

// The panel a control is in: the part of the window right in the panels'
// grid (the connection bar's parent), or the status line.
QWidget *panelOf(MainWindow &w, QWidget *c)
{
    QWidget *grid = w.findChild<QWidget *>("PortName")->parentWidget()->parentWidget();
    while (c->parentWidget() && c->parentWidget() != grid && c->parentWidget() != &w)
        c = c->parentWidget();
    return c;
}

// Editors named where they are made, with no label beside them: the channel
// list, the calibration set point, a reset timer's value (labelled by its
// check box), the rows of the stability check.
bool unlabelled(const QWidget *c)
{
    const QWidget *p = c->parentWidget();
    return c->objectName() == QLatin1String("Chanel") ||
           c->objectName() == QLatin1String("curCurrent") || (p && p->inherits("w_Reset")) ||
           (p && p->inherits("W_Adres"));
}

// The panels shown of those that depend on the model, then the titles of
// the link-loss output groups shown.
QString arrangement(MainWindow &w)
{
    QStringList shown;
    for (const char *name : {"Kalibr", "Measure", "W_Rs485", "AdresArray", "W_Test", "ReqPeriod"})
        if (visible(w, name))
            shown << QLatin1String(name);
    for (QGroupBox *group : panel<w_NumOfDown>(w)->findChildren<QGroupBox *>())
        if (group->isVisibleTo(&w))
            shown << '"' + group->title() + '"';
    return shown.join(QLatin1Char(' '));
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void everyControlShownNamedAndReached_data();
    void everyControlShownNamedAndReached();
    void shortcutsPressTheirButtons();
};

void TestKeyboard::everyControlShownNamedAndReached_data()
{
    QTest::addColumn<QString>("shown");
    QTest::newRow("RLX-31868-4-20 receiver") << "Kalibr AdresArray W_Test ReqPeriod \"Out 4-20\"";
    // A current output and one discrete output.
    QTest::newRow("RLX-31868-4-20-D receiver")
        << "Kalibr AdresArray W_Test ReqPeriod \"Out 4-20\" \"Out D Discret\"";
    QTest::newRow("RLX-31868-DD receiver")
        << "AdresArray W_Test ReqPeriod \"Out D1 Discret\" \"Out D2 Discret\"";
    QTest::newRow("RLX-31868-Vela-485") << "W_Rs485 AdresArray W_Test ReqPeriod";
    QTest::newRow("RLX-31868-AD transmitter") << "Measure";
}

void TestKeyboard::everyControlShownNamedAndReached()
{
    const QByteArray hardware = QTest::currentDataTag();
    WindowOnDevice device(hardware);
    MainWindow &w = device.w;
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(device.connect());
    QCOMPARE(w.hardwareText(), QString::fromLatin1(hardware));
    QTEST(arrangement(w), "shown");

    // Each link-loss group sets its own output's bit of the poll settings
    // byte, and only that bit.
    quint8 &bits = w.settingsData()->settings.numOfDown;
    for (QGroupBox *group : panel<w_NumOfDown>(w)->findChildren<QGroupBox *>()) {
        if (!group->isVisibleTo(&w))
            continue;
        const QList<W_Rb *> levels = group->findChildren<W_Rb *>();
        QCOMPARE(levels.size(), 2);
        const QString title = group->title();
        const quint8 bit = title.contains("D2") || title == "Out D Discret" ? 0x10 : 0x20;
        bits = 0x03;
        levels.at(1)->click();
        QVERIFY2(bits == (0x03 | bit), qPrintable(title));
        bits = 0xF3;
        levels.at(0)->click();
        QVERIFY2(bits == (0xF3 & ~bit), qPrintable(title));
    }

    QList<QWidget *> controls; // Tab stops now
    for (QWidget *c : w.findChildren<QWidget *>())
        if (c->window() == &w && c->isVisible() && c->isEnabled() && !c->focusProxy() &&
            (c->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            controls << c;
    QVERIFY2(controls.size() > 20, qPrintable(QString::number(controls.size())));
    // Named: what a screen reader says on reaching the control. An editor
    // beside a label is its label's buddy and carries the label's text.
    QStringList faults;
    int labelled = 0;
    QList<QWidget *> stateFields;
    for (Measure *m : w.findChildren<Measure *>())
        stateFields << measuredFields(m).value(1) << measuredFields(m).value(3);
    for (QWidget *c : controls) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            faults << QStringLiteral("no name: ") + describe(c);
        if (qobject_cast<QAbstractButton *>(c))
            continue;
        QLabel *label = nullptr;
        for (QLabel *l : w.findChildren<QLabel *>())
            if (l->buddy() == c)
                label = l;
        if (label && ++labelled &&
            c->accessibleName() != label->text().remove('&').remove(QRegularExpression(":$")))
            faults << QStringLiteral("not named by its label \"%1\": ").arg(label->text()) +
                          describe(c);
        if (!label &&
            (c->accessibleName().isEmpty() || !(unlabelled(c) || stateFields.contains(c))))
            faults << QStringLiteral("no label: ") + describe(c);
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
    QCOMPARE(QApplication::focusWidget(), first);
    QCOMPARE(QSet<QWidget *>(visited.begin(), visited.end()).size(), visited.size());
    // Of a group of radio buttons Tab stops at one; the arrow keys go on
    // from there.
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

    // Panel after panel, each once, top to bottom and left to right; within
    // a panel as laid out, not as made.
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

// Every main button has a shortcut of its own, its tooltip names it, and
// pressing it with an editor's focus does what the button does.
void TestKeyboard::shortcutsPressTheirButtons()
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
    QVERIFY(taken.contains("Ctrl+L"));
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

    auto press = [&](const QKeySequence &k) {
        QTest::keySequence(QApplication::focusWidget() ? QApplication::focusWidget() : &w, k);
    };
    // A spin box's line editor takes many Ctrl keys for itself: the shortcuts
    // are pressed from it, in the window active again after a dialog.
    auto focusEditor = [&] {
        w.activateWindow();
        if (!QTest::qWaitForWindowActive(&w))
            return false;
        QWidget *editor = child<QWidget>(&w, "Delay Tx-Rx");
        editor->setFocus();
        return QTest::qWaitFor([&] { return QApplication::focusWidget() == editor; });
    };
    // The first fit after showing may put the panels into a scrolling frame
    // shown a moment later.
    QTRY_VERIFY(child<QWidget>(&w, "pbOpen")->isVisible());
    auto *ports = child<QComboBox>(&w, "PortName");
    ports->addItem(MemoryDevice::Port);
    ports->setCurrentIndex(ports->findText(MemoryDevice::Port));
    ports->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), ports);
    press(keys["pbOpen"]);
    QVERIFY(w.exchange()->isOpen() && device.idle(w));

    const QList<QPair<const char *, QString>> runs{{"READ", "Reading…"},
                                                   {"WRITE", "Writing…"},
                                                   {"DEFAULT", "Restoring the factory settings…"}};
    for (const auto &run : runs) {
        QVERIFY(focusEditor());
        press(keys[run.first]);
        QCOMPARE(outcome(w), run.second);
        QVERIFY2(device.idle(w), run.first);
        QTest::qWait(150); // the button's press shows until it comes up
    }
    int dialogs = 0;
    for (const char *name : {"Save Settings", "Open Settings"}) {
        QVERIFY(focusEditor());
        press(keys[name]);
        ++dialogs;
        QTRY_COMPARE(device.modals.fileDialogs, dialogs);
    }
    QVERIFY(focusEditor());
    press(QKeySequence("Ctrl+L"));
    QVERIFY(QTest::qWaitForWindowActive(w.findChild<TrafficLog *>("trafficLog")));
    w.findChild<TrafficLog *>("trafficLog")->close();

    // Renamed Disconnect, the button still answers its keys.
    QCOMPARE(child<QAbstractButton>(&w, "pbOpen")->text(), QStringLiteral("Disconnect"));
    QVERIFY(focusEditor());
    press(keys["pbOpen"]);
    QVERIFY(!w.exchange()->isOpen());
    QTest::qWait(150);
    // Without a port READ is disabled, and so is its shortcut.
    press(keys["READ"]);
    QVERIFY(outcome(w) != QStringLiteral("Reading…"));
    QCOMPARE(w.exchange()->queueLength(), 0);
    QCOMPARE(device.modals.texts, QStringList());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
