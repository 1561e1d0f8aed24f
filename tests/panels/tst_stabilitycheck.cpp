#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/catalogue.h"
#include "tests/editors/reportlog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

namespace {

// The history of a row as painted, newest first: one letter per square.
QString history(const W_Adres *row)
{
    QString letters;
    for (int i = 0; i < W_Adres::HistoryLength; ++i) {
        const QWidget *square = row->layout()->itemAt(2 + i)->widget();
        const QColor c = square->palette().color(QPalette::Window);
        letters += !square->autoFillBackground() ? '!'
                   : c == Qt::gray               ? '.'
                   : c == Qt::yellow             ? 'Y'
                   : c == Qt::green              ? 'G'
                   : c == Qt::red                ? 'R'
                                                 : '?';
    }
    return letters;
}

// The first poll of a run ends in CR alone, every later one in CR LF.
QByteArray firstPoll(quint8 adres)
{
    return Catalogue::testAddress(adres).request;
}
QByteArray poll(quint8 adres)
{
    return Catalogue::testRequest(adres);
}

} // namespace

class TestStabilityCheck : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        panel = new W_Test;
        panel->connectControls(); // as the main window does; nobody listens
        QVERIFY(showAndWait(panel));
        const QList<QPushButton *> buttons = panel->findChildren<QPushButton *>();
        testButton = buttons.at(0);
        cleanButton = buttons.at(1);
        QCOMPARE(cleanButton->text(), QString("CLEAN TEST"));
        rows = panel->findChildren<W_Adres *>();
        started = new QSignalSpy(panel, &W_Test::sgStartTest);
        stopped = new QSignalSpy(panel, &W_Test::sgStopTest);
        cleared = new QSignalSpy(panel, &W_Test::sgClearTest);
    }
    void cleanup()
    {
        delete started;
        delete stopped;
        delete cleared;
        delete panel;
    }

    void startWithNothingTicked()
    {
        QCOMPARE(testButton->text(), QString("TEST"));
        QVERIFY(testButton->isCheckable());
        auto grid =
            qobject_cast<QGridLayout *>(panel->findChild<QScrollArea *>()->widget()->layout());
        for (int i = 0; i < 10; ++i) {
            // Addresses 1 to 5 down the first column, 6 to 10 down the second.
            QCOMPARE(grid->itemAtPosition(i % 5, i / 5)->widget(), rows.at(i));
            QCOMPARE(rows.at(i)->adres(), i + 1);
            QVERIFY(!spin(i)->isEnabled());
            QCOMPARE(history(rows.at(i)), QString(".........."));
        }
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->count(), 0);
        QCOMPARE(stopped->count(), 1);
        QVERIFY(!panel->isTestOn());
        QCOMPARE(testButton->text(), QString("TEST"));
        // Asking for the running state without an address ends idle too.
        panel->setIdle(false);
        QCOMPARE(started->count(), 0);
        QCOMPARE(stopped->count(), 2);
        QCOMPARE(testButton->text(), QString("TEST"));
        QVERIFY(rows.at(0)->isEnabled() && rows.at(9)->isEnabled());
    }

    // Row 1 (address 1), rows 2 and 7 (both 7) and row 10 (address 0) take
    // part; row 3 (address 3) does not.
    void runWithDuplicateAddresses()
    {
        tick(0);
        tick(1);
        spin(1)->setFocus();
        QTest::keyClick(spin(1), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spin(1), "7");
        tick(6);
        tick(9);
        spin(9)->setValue(0);
        tick(9);
        QVERIFY(!spin(9)->isEnabled()); // unticking keeps the address
        tick(9);

        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->count(), 1);
        QCOMPARE(started->at(0).at(0).toByteArray(), QByteArray("\x01\x07\x07\x00", 4));
        QCOMPARE(stopped->count(), 0);
        QVERIFY(panel->isTestOn() && testButton->text() == "STOP");
        for (const W_Adres *row : rows)
            QVERIFY(!row->isEnabled());

        panel->addRect(firstPoll(1)); // the first poll of the run is shown too
        panel->okRect(firstPoll(1));
        panel->addRect(poll(7));
        panel->errRect(poll(7));
        panel->addRect(poll(0));
        panel->addRect(poll(1));
        // 17 is neither 1 nor 7; 3 is not ticked; the rest is not a poll.
        for (const QByteArray &other :
             {poll(17), firstPoll(17), poll(3), QByteArray("7$\r\n"), QByteArray()}) {
            panel->addRect(other);
            panel->okRect(other);
        }
        QCOMPARE(history(rows.at(0)), QString("YG........"));
        QCOMPARE(history(rows.at(1)), QString("R........."));
        QCOMPARE(history(rows.at(6)), QString("R........."));
        QCOMPARE(history(rows.at(9)), QString("Y........."));
        QCOMPARE(history(rows.at(2)), QString(".........."));

        // Clean greys everything and the test runs on; an answer that was on
        // its way still colours the newest square.
        QTest::mouseClick(cleanButton, Qt::LeftButton);
        QCOMPARE(cleared->count(), 1);
        QVERIFY(panel->isTestOn());
        panel->okRect(poll(1));
        QCOMPARE(history(rows.at(0)), QString("G........."));
        QCOMPARE(history(rows.at(1)), QString(".........."));

        QTest::mouseClick(testButton, Qt::LeftButton); // STOP keeps the history
        QCOMPARE(stopped->count(), 1);
        QVERIFY(!panel->isTestOn() && testButton->text() == "TEST");
        QVERIFY(rows.at(1)->isEnabled() && spin(1)->isEnabled());
        QCOMPARE(history(rows.at(0)), QString("G........."));
        QTest::mouseClick(cleanButton, Qt::LeftButton); // works when idle too
        QCOMPARE(cleared->count(), 2);
        QCOMPARE(history(rows.at(0)), QString(".........."));
    }

    void historyKeepsTheTenNewest()
    {
        tick(4);
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->at(0).at(0).toByteArray(), QByteArray("\x05"));
        // Polls 1 to 11: odd ones answered, even ones timed out.
        for (int i = 1; i <= 11; ++i) {
            const QByteArray request = i == 1 ? firstPoll(5) : poll(5);
            panel->addRect(request);
            QCOMPARE(history(rows.at(4)).at(0), QChar('Y'));
            i % 2 ? panel->okRect(request) : panel->errRect(request);
        }
        QCOMPARE(history(rows.at(4)), QString("GRGRGRGRGR")); // poll 1 pushed out
        panel->addRect(poll(5));
        QCOMPARE(history(rows.at(4)), QString("YGRGRGRGRG"));

        panel->setIdle(true); // the port closed: the test stops
        QCOMPARE(stopped->count(), 1);
        QVERIFY(!panel->isTestOn() && rows.at(4)->isEnabled());
        panel->setIdle(true);
        QCOMPARE(stopped->count(), 1);
    }

    void singleAddressDevice()
    {
        tick(0);
        tick(2); // ticked before a single-address device came
        panel->setSingleAdres(true);
        QVERIFY(rows.at(0)->isVisible());
        for (int i = 1; i < 10; ++i)
            QVERIFY(rows.at(i)->isHidden());
        // The hidden row is out of sight and reach, so it is not polled.
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->at(0).at(0).toByteArray(), QByteArray("\x01"));
        panel->addRect(poll(3));
        QCOMPARE(history(rows.at(2)), QString(".........."));
        QTest::mouseClick(testButton, Qt::LeftButton);
        tick(0); // only the hidden row ticked: nothing to poll
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->count(), 1);
        QVERIFY(!panel->isTestOn());

        panel->setSingleAdres(false);
        QVERIFY(rows.at(9)->isVisible());
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->at(1).at(0).toByteArray(), QByteArray("\x03"));
    }

private:
    void tick(int row) { clickIndicator(rows.at(row)->findChild<QCheckBox *>()); }
    QSpinBox *spin(int row) const { return rows.at(row)->findChild<QSpinBox *>(); }

    W_Test *panel = nullptr;
    QPushButton *testButton = nullptr;
    QPushButton *cleanButton = nullptr;
    QList<W_Adres *> rows;
    QSignalSpy *started = nullptr;
    QSignalSpy *stopped = nullptr;
    QSignalSpy *cleared = nullptr;
};

QTEST_MAIN(TestStabilityCheck)
#include "tst_stabilitycheck.moc"
