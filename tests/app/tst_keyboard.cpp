// The main window from the keyboard and for screen readers, against a device
// served in memory: every control Tab stops at has a name, Tab reaches all
// of them panel by panel in the order they are shown, and each main button's
// shortcut presses it, even while an editor has the focus.
#include "app/keyboardaccess.h"
#include "app/mainwindow.h"
#include "app/trafficlog.h"
#include "protocol/exchange.h"
#include "tests/memorydevice.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QAccessible>
#include <QLabel>
#include <QRadioButton>
#include <QShortcut>
#include <QtTest>

using namespace WindowDriver;

namespace {

// A control Tab stops at now.
bool isStop(const QWidget *c, const QWidget *window)
{
    return c->window() == window && c->isVisible() && c->isEnabled() && !c->focusProxy() &&
           (c->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

QList<QWidget *> stops(MainWindow &w)
{
    QList<QWidget *> found;
    for (QWidget *c : w.findChildren<QWidget *>())
        if (isStop(c, &w))
            found << c;
    return found;
}

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

// Editors that have no label beside them and are named where they are made:
// the channel list, the calibration set point, the value of a reset timer
// (labelled by its check box), the rows of the stability check.
bool unlabelled(const QWidget *c)
{
    const QWidget *p = c->parentWidget();
    return c->objectName() == QLatin1String("Chanel") ||
           c->objectName() == QLatin1String("curCurrent") || (p && p->inherits("w_Reset")) ||
           (p && p->inherits("W_Adres"));
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void everyControlNamedAndReached_data();
    void everyControlNamedAndReached();
    void shortcutsPressTheirButtons();
};

void TestKeyboard::everyControlNamedAndReached_data()
{
    QTest::addColumn<QByteArray>("hardware");
    QTest::newRow("RS-485") << QByteArray("RLX-31868-Vela-485");
    QTest::newRow("4-20-D receiver") << QByteArray("RLX-31868-4-20-D receiver");
    QTest::newRow("AD transmitter") << QByteArray("RLX-31868-AD transmitter");
}

void TestKeyboard::everyControlNamedAndReached()
{
    QFETCH(QByteArray, hardware);
    WindowOnDevice device(hardware);
    MainWindow &w = device.w;
    Modals &modals = device.modals;
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    pressConnect(w, MemoryDevice::Port);
    QVERIFY(w.exchange()->isOpen());
    QVERIFY(device.idle(w));
    QCOMPARE(w.hardwareText(), QString::fromLatin1(hardware));

    const QList<QWidget *> controls = stops(w);
    QVERIFY2(controls.size() > 20, qPrintable(QString::number(controls.size())));

    // Named: what a screen reader says on reaching the control. An editor
    // beside a label is its label's buddy and carries the label's text.
    QStringList faults;
    int labelled = 0;
    QList<QWidget *> stateFields;
    for (QWidget *m : w.findChildren<QWidget *>())
        if (m->inherits("Measure")) {
            const QList<QLineEdit *> f = measuredFields(m);
            stateFields << f.value(1) << f.value(3);
        }
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
        if (label) {
            ++labelled;
            if (c->accessibleName() != label->text().remove('&').remove(QRegularExpression(":$")))
                faults << QStringLiteral("not named by its label \"%1\": ").arg(label->text()) +
                              describe(c);
        } else if (c->accessibleName().isEmpty() || !(unlabelled(c) || stateFields.contains(c))) {
            faults << QStringLiteral("no label: ") + describe(c);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QVERIFY2(labelled >= 5, qPrintable(QString::number(labelled)));

    // Tab from the port list goes round every control once and comes back.
    QWidget *first = child<QComboBox>(&w, "PortName");
    QVERIFY(controls.contains(first));
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
    // Of a group of radio buttons Tab stops at one; the arrow keys go on
    // from there.
    auto reached = [&](QWidget *c) {
        if (visited.contains(c))
            return true;
        auto rb = qobject_cast<QRadioButton *>(c);
        return rb && rb->autoExclusive() &&
               std::any_of(visited.cbegin(), visited.cend(), [&](QWidget *v) {
                   return qobject_cast<QRadioButton *>(v) && v->parent() == c->parent();
               });
    };
    for (QWidget *c : controls)
        if (!reached(c))
            faults << QStringLiteral("not reached by Tab: ") + describe(c);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    QCOMPARE(QSet<QWidget *>(visited.begin(), visited.end()).size(), visited.size());

    // Panel after panel, each once, top to bottom and left to right.
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
                 qPrintable(QStringLiteral("%1 before %2")
                                .arg(panels.at(i - 1)->metaObject()->className(),
                                     panels.at(i)->metaObject()->className())));
    }
    // Within a panel as laid out, not as made: the flow control row stands
    // above the serial time-out row, which was made first.
    QVERIFY(visited.indexOf(child<QWidget>(&w, "Flow control")) <
            visited.indexOf(child<QWidget>(&w, "Serial Timeout")));
    QCOMPARE(modals.texts, QStringList());
}

// Every main button has a shortcut of its own, its tooltip names it, and
// pressing it with an editor's focus does what the button does.
void TestKeyboard::shortcutsPressTheirButtons()
{
    WindowOnDevice device("RLX-31868-Vela-485");
    MainWindow &w = device.w;
    Modals &modals = device.modals;
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));

    QHash<QString, QKeySequence> keys;
    QStringList taken;
    for (const char *name :
         {"pbOpen", "READ", "WRITE", "DEFAULT", "Open Settings", "Save Settings"}) {
        QAbstractButton *b = child<QAbstractButton>(&w, name);
        const QKeySequence k = KeyboardAccess::keysOf(b);
        QVERIFY2(!k.isEmpty(), name);
        const QString shown = k.toString(QKeySequence::NativeText);
        QVERIFY2(b->toolTip().contains(QStringLiteral("(%1)").arg(shown)),
                 qPrintable(b->toolTip()));
        // The visible texts stay the commands' names.
        QVERIFY2(!b->text().contains('&'), qPrintable(b->text()));
        keys.insert(name, k);
    }
    for (QShortcut *s : w.findChildren<QShortcut *>())
        if (auto *on = qobject_cast<QWidget *>(s->parent()); on && on->window() == &w)
            taken << s->key().toString();
    QVERIFY(taken.contains("Ctrl+L"));
    for (const QKeySequence &k : qAsConst(keys))
        QVERIFY2(taken.contains(k.toString()), qPrintable(k.toString()));
    QCOMPARE(QSet<QString>(taken.begin(), taken.end()).size(), taken.size());

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
    QVERIFY(w.exchange()->isOpen());
    QVERIFY(device.idle(w));

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

    QVERIFY(focusEditor());
    press(keys["Save Settings"]);
    QTRY_COMPARE(modals.fileDialogs, 1);
    QVERIFY(focusEditor());
    press(keys["Open Settings"]);
    QTRY_COMPARE(modals.fileDialogs, 2);

    auto *log = w.findChild<TrafficLog *>("trafficLog");
    QVERIFY(focusEditor());
    QTest::keySequence(QApplication::focusWidget(), QKeySequence("Ctrl+L"));
    QVERIFY(QTest::qWaitForWindowActive(log));
    log->close();

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
    QCOMPARE(modals.texts, QStringList());
}

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
