// The window's controls, as a service engineer drives them, against the virtual device in its
// own process over a pseudo-terminal in real time.

#include "app/mainwindow.h"
#include "editors/w_rb.h"
#include "panels/adresarray.h"
#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "tests/devsimprocess.h"
#include "tests/editors/reportlog.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

using namespace WindowDriver;

namespace {

// What the editors show, sorted, as "name=value" (a button group by its title);
// the reachable editors named in `change` get their next value first.
QStringList editors(MainWindow &w, const QStringList &change = {})
{
    QStringList out{"addresses=" + panel<AdresArray>(w)->getAdreses()};
    for (QWidget *c : w.findChildren<QWidget *>()) {
        const QString name = c->objectName();
        const bool next = change.contains(name) && c->isVisibleTo(&w) && c->isEnabled();
        QString value;
        if (auto spin = qobject_cast<QSpinBox *>(c)) {
            if (next)
                spin->setValue(spin->value() < spin->maximum() ? spin->value() + 1 : 0);
            value = QString::number(spin->value());
        } else if (auto combo = qobject_cast<QComboBox *>(c)) {
            if (next)
                combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
            value = QString::number(combo->currentIndex());
        } else if (auto check = qobject_cast<QCheckBox *>(c)) {
            if (next)
                check->toggle();
            value = check->isChecked() ? "on" : "off";
        } else if (auto line = qobject_cast<QLineEdit *>(c)) {
            value = line->text();
        } else if (c->inherits("w_Reset")) {
            value = QStringLiteral("%1 %2")
                        .arg(c->findChild<QSpinBox *>()->value())
                        .arg(c->findChild<QCheckBox *>()->isChecked() ? "on" : "off");
        } else if (auto rb = qobject_cast<W_Rb *>(c); rb && rb->isChecked()) {
            QWidget *group = rb->parentWidget();
            while (group && !qobject_cast<QGroupBox *>(group))
                group = group->parentWidget();
            out << "group " + static_cast<QGroupBox *>(group)->title() + '=' +
                       QString::number(rb->value());
        }
        // The port and the calibration's currents are no device settings.
        if (!value.isNull() && !name.isEmpty() && !name.startsWith("qt_") && name != "PortName" &&
            !name.endsWith("Current"))
            out << name + '=' + value;
    }
    out.sort();
    return out;
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void readStabilityDefaultsWrite();
};

// Identified and read, a stability check, DEFAULT, edits written and read afresh.
void TestEndToEnd::readStabilityDefaultsWrite()
{
    // A Vela-485 of the newest firmware away from its factory state; remote devices 1 and 3
    // answer over the radio, 2 does not; the module sits at rate 0, not the recorded rate 5.
    Devsim device(QStringLiteral("--hardware RLX-31868-Vela-485 --config "
                                 "017,5,012,034,2,070,020,1,8000000000000005,030,181,009 "
                                 "--register 206=6 --register 201=2 --register 200=4 --register "
                                 "202=5 --register 214=9 --register 216=0 --averaging 133,67,7,9 "
                                 "--module-rate 0 --reachable 1,3 --poll-delay 80")
                      .split(' '));
    Modals modals;
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.path));
    // The serial time-out shows although below the floor of the rate shown before.
    const QStringList expected =
        QStringLiteral("group Sub-band=6|group Radio Data Rate=2|Chanel=4|Serial Timeout=9|"
                       "Flow control=1|group Serial Data Rate=5|Delay Rx-Tx=12|Delay Tx-Rx=34|"
                       "Parity=2|Stop bit=1|TypeAveraging1=2|Averaging1=5|TypeAveraging2=1|"
                       "Averaging2=3|Diskret1=7|Diskret2=9|FirmWare=LE50-868 V2.3.1|Radio "
                       "Transmit Reset=70|WDT Reset=200 on|Out2 inversion=off|Test address=255|"
                       "addresses=8000,0000,0000,0005|Requests period=30|Num of down=5|Out1 "
                       "inversion=on|Radio Module Reset=90 on")
            .split('|');
    const QStringList read = editors(w);
    for (const QString &e : expected)
        QVERIFY2(read.contains(e), qPrintable(e + " not in " + read.join('|')));

    // Devices 1 and 3 answer the stability check, 2 does not.
    auto *test = panel<W_Test>(w);
    const QList<W_Adres *> rows = test->findChildren<W_Adres *>();
    for (int i = 0; i < 3; ++i)
        rows[i]->findChild<QCheckBox *>()->setChecked(true);
    QPushButton *testButton = test->findChild<QPushButton *>();
    QTest::mouseClick(testButton, Qt::LeftButton);
    QVERIFY(QTest::qWaitFor(
        [&] { return squares(rows[0]).count('G') >= 2 && squares(rows[1]).count('R') >= 2; },
        30000));
    QTest::mouseClick(testButton, Qt::LeftButton);
    QVERIFY(waitIdle(w));
    // Reachable addresses only green, the unreachable one only red, the others grey.
    const QString shown =
        squares(rows[0]) + '|' + squares(rows[1]) + '|' + squares(rows[2]) + '|' + squares(rows[3]);
    const QRegularExpression pattern("^[^R|]*\\|[^G|]*\\|[^R|]*G[^R|]*\\|\\.{10}$");
    QVERIFY2(pattern.match(shown).hasMatch(), qPrintable(shown));

    // DEFAULT finds the module's rate (skipping the rates after it); the device takes them.
    const int linkRates = device.requests().filter(QRegularExpression("^\\$3")).size();
    QVERIFY(press(w, "DEFAULT", 60000));
    const QStringList tried = device.requests().filter(QRegularExpression("^\\$3")).mid(linkRates);
    QCOMPARE(tried.join(' '), QStringLiteral("$35 $30"));
    const QRegularExpression taken("^\\$0.* -> OK\\\\r$");
    QCOMPARE(device.exchanges().filter(taken).size(), 1);
    // The factory state (of the addresses, 1 only), which the window's read-back found kept.
    QCOMPARE(panel<AdresArray>(w)->getAdreses(), QStringLiteral("0000,0000,0000,0001"));
    QVERIFY2(outcome(w).startsWith("Factory settings written and verified"),
             qPrintable(outcome(w)));
    const QStringList defaults = editors(w);

    // WRITE: the device keeps what the edited editors show, as another window reads afresh.
    editors(w, QStringLiteral("Serial Timeout|Chanel|Flow control|Test address|Delay Tx-Rx|"
                              "Delay Rx-Tx|Parity|Requests period|Num of down|Out1 inversion|"
                              "TypeAveraging1|Averaging2")
                   .split('|'));
    const QStringList edits = editors(w);
    QVERIFY(edits != defaults);
    QVERIFY(press(w, "WRITE", 60000));
    QCOMPARE(device.exchanges().filter(taken).size(), 2);
    QCOMPARE(modals.texts, QStringList());
    click(&w, "pbOpen");
    MainWindow other;
    other.show();
    QVERIFY(connectTo(other, device.path));
    QCOMPARE(editors(other), edits);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
