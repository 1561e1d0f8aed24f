#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/catalogue.h"
#include "tests/editors/reportlog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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
        if (!square->autoFillBackground())
            return "unfilled";
        const QColor c = square->palette().color(QPalette::Window);
        letters += c == QColor(Qt::gray)     ? 'g'
                   : c == QColor(Qt::yellow) ? 'Y'
                   : c == QColor(Qt::green)  ? 'G'
                   : c == QColor(Qt::red)    ? 'R'
                                             : '?';
    }
    return letters;
}

QCheckBox *tick(const W_Adres *row)
{
    return qobject_cast<QCheckBox *>(row->layout()->itemAt(0)->widget());
}

QSpinBox *adresBox(const W_Adres *row)
{
    return qobject_cast<QSpinBox *>(row->layout()->itemAt(1)->widget());
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
        for (QPushButton *button : panel->findChildren<QPushButton *>()) {
            if (button->text() == "TEST")
                testButton = button;
            else if (button->text() == "CLEAN TEST")
                cleanButton = button;
        }
        QVERIFY(testButton && cleanButton && testButton != cleanButton);
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

    void construction()
    {
        QCOMPARE(panel->findChild<QGroupBox *>()->title(), QString("Radio Stability Check"));
        QVERIFY(testButton->isCheckable() && !testButton->isChecked());
        QVERIFY(!panel->isTestOn());
        QCOMPARE(rows.size(), 10);
        auto scroll = panel->findChild<QScrollArea *>();
        auto grid = qobject_cast<QGridLayout *>(scroll->widget()->layout());
        for (int i = 0; i < 10; ++i) {
            const W_Adres *row = rows.at(i);
            // Addresses 1 to 5 down the first column, 6 to 10 down the second.
            QCOMPARE(grid->itemAtPosition(i % 5, i / 5)->widget(), row);
            QCOMPARE(row->adres(), i + 1);
            QCOMPARE(adresBox(row)->minimum(), 0);
            QCOMPARE(adresBox(row)->maximum(), 64);
            QVERIFY(!tick(row)->isChecked() && !adresBox(row)->isEnabled());
            QVERIFY(row->isEnabled());
            QCOMPARE(history(row), QString("gggggggggg"));
        }
        QCOMPARE(scroll->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(scroll->widgetResizable());
    }

    void startWithNothingTicked()
    {
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->count(), 0);
        QCOMPARE(stopped->count(), 1);
        QVERIFY(!panel->isTestOn());
        QCOMPARE(testButton->text(), QString("TEST"));
        QVERIFY(rows.at(0)->isEnabled());
        // Asking for the running state without an address ends idle too.
        panel->setIdle(false);
        QCOMPARE(started->count(), 0);
        QCOMPARE(stopped->count(), 2);
        QCOMPARE(testButton->text(), QString("TEST"));
        QVERIFY(rows.at(0)->isEnabled() && rows.at(9)->isEnabled());
    }

    // Rows 1 (address 1), 2 and 7 (both set to 7) and 10 (address 0) take
    // part; row 3 (address 3) is not ticked.
    void runWithDuplicateAddresses()
    {
        clickIndicator(tick(rows.at(0)));
        clickIndicator(tick(rows.at(1)));
        QVERIFY(adresBox(rows.at(1))->isEnabled());
        adresBox(rows.at(1))->setFocus();
        QTest::keyClick(adresBox(rows.at(1)), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(adresBox(rows.at(1)), "7");
        clickIndicator(tick(rows.at(6)));
        clickIndicator(tick(rows.at(9)));
        adresBox(rows.at(9))->setValue(0);
        clickIndicator(tick(rows.at(9)));
        QVERIFY(!adresBox(rows.at(9))->isEnabled()); // unticking keeps the address
        QCOMPARE(rows.at(9)->adres(), 0);
        clickIndicator(tick(rows.at(9)));

        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->count(), 1);
        QCOMPARE(started->at(0).at(0).toByteArray(), QByteArray("\x01\x07\x07\x00", 4));
        QCOMPARE(stopped->count(), 0);
        QVERIFY(panel->isTestOn());
        QCOMPARE(testButton->text(), QString("STOP"));
        for (const W_Adres *row : rows)
            QVERIFY(!row->isEnabled());

        // The first poll of the run is shown like every later one.
        panel->addRect(firstPoll(1));
        panel->okRect(firstPoll(1));
        panel->addRect(poll(7));
        panel->errRect(poll(7));
        panel->addRect(poll(0));
        panel->addRect(poll(1));
        // Address 17 is neither 1 nor 7; 3 is not ticked; junk matches nothing.
        for (const QByteArray &other :
             {poll(17), firstPoll(17), poll(3), QByteArray("7$\r\n"), QByteArray()}) {
            panel->addRect(other);
            panel->okRect(other);
        }
        QCOMPARE(history(rows.at(0)), QString("YGgggggggg"));
        QCOMPARE(history(rows.at(1)), QString("Rggggggggg"));
        QCOMPARE(history(rows.at(6)), QString("Rggggggggg"));
        QCOMPARE(history(rows.at(9)), QString("Yggggggggg"));
        QCOMPARE(history(rows.at(2)), QString("gggggggggg"));

        // Clean greys everything but keeps the test running; an answer that
        // was on its way still colours the newest square.
        QTest::mouseClick(cleanButton, Qt::LeftButton);
        QCOMPARE(cleared->count(), 1);
        QVERIFY(panel->isTestOn());
        QCOMPARE(history(rows.at(0)), QString("gggggggggg"));
        panel->okRect(poll(1));
        QCOMPARE(history(rows.at(0)), QString("Gggggggggg"));

        // STOP: idle again, history kept.
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(stopped->count(), 1);
        QCOMPARE(testButton->text(), QString("TEST"));
        QVERIFY(rows.at(1)->isEnabled() && adresBox(rows.at(1))->isEnabled());
        QCOMPARE(history(rows.at(0)), QString("Gggggggggg"));
        QTest::mouseClick(cleanButton, Qt::LeftButton); // works when idle too
        QCOMPARE(cleared->count(), 2);
        QCOMPARE(history(rows.at(0)), QString("gggggggggg"));
    }

    void historyKeepsTheTenNewest()
    {
        clickIndicator(tick(rows.at(4)));
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->at(0).at(0).toByteArray(), QByteArray("\x05"));
        // Polls 1 to 11: odd ones answered, even ones timed out.
        for (int i = 1; i <= 11; ++i) {
            const QByteArray request = i == 1 ? firstPoll(5) : poll(5);
            panel->addRect(request);
            QCOMPARE(history(rows.at(4)).at(0), QChar('Y'));
            if (i % 2)
                panel->okRect(request);
            else
                panel->errRect(request);
        }
        // Newest (11, answered) on the left; poll 1 has been pushed out.
        QCOMPARE(history(rows.at(4)), QString("GRGRGRGRGR"));
        panel->addRect(poll(5));
        QCOMPARE(history(rows.at(4)), QString("YGRGRGRGRG"));

        // The main window going idle (port closed) stops the test.
        panel->setIdle(true);
        QCOMPARE(stopped->count(), 1);
        QVERIFY(!panel->isTestOn());
        QCOMPARE(testButton->text(), QString("TEST"));
        QVERIFY(rows.at(4)->isEnabled());
        panel->setIdle(true); // already idle: nothing more to stop
        QCOMPARE(stopped->count(), 1);
    }

    void singleAddressDevice()
    {
        clickIndicator(tick(rows.at(0)));
        clickIndicator(tick(rows.at(2))); // ticked before the device changed
        panel->setSingleAdres(true);
        QVERIFY(rows.at(0)->isVisible());
        for (int i = 1; i < 10; ++i)
            QVERIFY(rows.at(i)->isHidden());

        // The hidden row is out of sight and reach: it is not polled.
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->at(0).at(0).toByteArray(), QByteArray("\x01"));
        panel->addRect(poll(3));
        QCOMPARE(history(rows.at(2)), QString("gggggggggg"));
        QTest::mouseClick(testButton, Qt::LeftButton);

        // With only the hidden row ticked there is nothing to poll.
        clickIndicator(tick(rows.at(0)));
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->count(), 1);
        QVERIFY(!panel->isTestOn());

        panel->setSingleAdres(false);
        for (const W_Adres *row : rows)
            QVERIFY(row->isVisible());
        QTest::mouseClick(testButton, Qt::LeftButton);
        QCOMPARE(started->count(), 2);
        QCOMPARE(started->at(1).at(0).toByteArray(), QByteArray("\x03"));
    }

private:
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
