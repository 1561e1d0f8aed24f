#include "editors/w_numofdown.h"
#include "panels/adresarray.h"
#include "panels/kalibr.h"
#include "panels/measure.h"
#include "panels/reqperiod.h"
#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/catalogue.h"
#include "tests/editors/reportlog.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

// The value and state fields of a measurement panel's two inputs.
QString fields(const Measure &panel)
{
    QStringList texts;
    for (QLineEdit *e : panel.findChildren<QLineEdit *>())
        if (!e->parent()->inherits("QAbstractSpinBox"))
            texts << e->text();
    return texts.join('|');
}

} // namespace

class TestPanels : public QObject
{
    Q_OBJECT

private slots:
    void calibration()
    {
        Kalibr panel;
        QVERIFY(showAndWait(&panel));

        // The mode buttons have swapped by the time a press is reported.
        ReportLog log(&panel);
        connect(&panel, &W_QWidget::sgValueChange, &log, [&] {
            if (log.find("resetKalibr")->isVisible())
                log.entries.last() += " on";
        });
        QCOMPARE(log.run("curCurrent?|setKalibr!|setCurCurrent!|curCurrent=15|setCurCurrent!|"
                         "realCurrent=12|setRealCurrent!|resetKalibr!|setRealCurrent!|"
                         "curCurrent=25000|realCurrent=30000"),
                 QString("curCurrent?20000|setKalibr=0 on|setCurCurrent=0 on|curCurrent=15 on|"
                         "setCurCurrent=0 on|realCurrent=12 on|setRealCurrent=0 on|resetKalibr=0|"
                         "setRealCurrent=0|curCurrent=20000|realCurrent=21600"));
    }

    void measure()
    {
        Measure panel;
        ReportLog log(&panel);
        panel.setInputType(1);
        panel.setInputType(3); // unknown: the names and units stay
        QStringList labels;
        for (QLabel *label : panel.findChildren<QLabel *>())
            if (QRegularExpression("^(In [AD]\\d|m?V|mk?A)$").match(label->text()).hasMatch())
                labels << label->text();
        QCOMPARE(labels.join(' '), QString("mA In A1 mkA V In D2 mV"));

        // Kind in bits 7-6, interval in 5-0 (200: kind 3, none, 8 s); values clamp to 1..20.
        panel.setSettings(200, 0x85, 0, 25);
        panel.setSettings(0x40, 63, 7, 20);
        QCOMPARE(log.take().join('|'),
                 QString("TypeAveraging1=-1|TypeAveraging1:|Averaging1=8|TypeAveraging2=2|"
                         "TypeAveraging2:Simple moving average|Averaging2=5|Diskret2=20|"
                         "TypeAveraging1=1|TypeAveraging1:Median|Averaging1=1|Diskret1=7|"
                         "TypeAveraging2=0|TypeAveraging2:Arithmetic mean|Averaging2=20"));

        // Answers show also while idle (a late answer).
        panel.setValues({"4000", "012500", "1", "0"});
        QCOMPARE(fields(panel), QString(" 4000| High| 12500| Low"));
        panel.setValues({"17"});
        QCOMPARE(fields(panel), QString(" 17| Low| 0| Low"));
        auto start = panel.findChild<QPushButton *>();

        // A request every other tick of the panel's timer (fired here) while measuring: grey
        // between, red from the third unanswered request on, green after an answer.
        auto poll = panel.findChild<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(poll->isActive() && poll->interval() == 500);
        poll->stop();
        QSignalSpy requests(&panel, &Measure::sgGetValue);
        QTest::mouseClick(start, Qt::LeftButton);
        QStringList ticks;
        for (int tick = 0; tick < 100 && requests.count() < 6; ++tick) {
            const int before = requests.count();
            QMetaObject::invokeMethod(poll, "timeout");
            if (requests.count() == before && ticks.isEmpty())
                continue; // an earlier run's phase decides where the first request falls
            ticks << QString(requests.count() > before ? "R " : "- ") + colour(start);
            if (ticks.size() == 6) { // two ticks after the first red
                panel.setValues({"3999", "0", "0", "1"});
                ticks << "answer " + colour(start);
            }
        }
        panel.stopMeasurement();
        QCOMPARE(ticks.join('|'), QString("R grey|- grey|R grey|- grey|R red|- grey|answer green|"
                                          "R green|- grey|R grey|- grey|R red"));
        QCOMPARE(start->text() + ' ' + colour(start) + ' ' + fields(panel),
                 QString("Measurement mode grey |||"));
    }

    void stabilityCheck()
    {
        W_Test panel;
        panel.connectControls(); // as the main window does; nobody listens
        QVERIFY(showAndWait(&panel));
        QPushButton *test = panel.findChildren<QPushButton *>().at(0);
        QPushButton *clean = panel.findChildren<QPushButton *>().at(1);
        const QList<W_Adres *> rows = panel.findChildren<W_Adres *>();
        QSignalSpy started(&panel, &W_Test::sgStartTest);
        QSignalSpy stopped(&panel, &W_Test::sgStopTest);
        QSignalSpy cleared(&panel, &W_Test::sgClearTest);
        auto adreses = [&] { return started.last().at(0).toByteArray().toHex(); };
        auto history = [&](int n) {
            QStringList out;
            for (const W_Adres *row : rows)
                out << squares(row, n);
            return out.join(' ');
        };
        // The first poll of a run ends in CR alone, every later one in CR LF.
        auto first = [](quint8 adres) { return Catalogue::testAddress(adres).request; };
        auto poll = [](quint8 adres) { return Catalogue::testRequest(adres); };

        // Nothing ticked: a press, and the main window asking it to run, both fall back.
        QTest::mouseClick(test, Qt::LeftButton);
        panel.setIdle(false);
        QVERIFY(started.isEmpty() && stopped.count() == 2 && test->text() == "TEST");
        panel.setIdle(true);

        // Rows 1, 2 and 7 (both address 7) and 10 (address 0) take part, not row 3.
        for (int row : {0, 1, 6, 9, 2, 2})
            clickIndicator(rows.at(row)->findChild<QCheckBox *>());
        rows.at(1)->findChild<QSpinBox *>()->setValue(7);
        rows.at(9)->findChild<QSpinBox *>()->setValue(0);
        QTest::mouseClick(test, Qt::LeftButton);
        QCOMPARE(adreses(), QByteArray("01070700"));
        QVERIFY(panel.isTestOn() && test->text() == "STOP" && !rows.at(2)->isEnabled());
        panel.addRect(first(1));
        panel.okRect(first(1));
        panel.addRect(poll(7));
        panel.errRect(poll(7));
        panel.addRect(poll(0));
        panel.addRect(poll(1));
        // Rows are found by address: unticked row 3 shows its poll, of two 7s the first.
        for (const QByteArray &other : {poll(17), first(17), poll(3), QByteArray("7$\r\n"), {}}) {
            panel.addRect(other);
            panel.okRect(other);
        }
        QCOMPARE(history(2), QString("YG R. G. .. .. .. .. .. .. Y."));
        // CLEAN greys all; an answer on its way colours the newest square; STOP keeps them.
        QTest::mouseClick(clean, Qt::LeftButton);
        panel.okRect(poll(1));
        QTest::mouseClick(test, Qt::LeftButton);
        QVERIFY(!panel.isTestOn() && cleared.count() == 1 && stopped.count() == 3);
        QCOMPARE(history(2), QString("G. .. .. .. .. .. .. .. .. .."));

        // The ten newest polls: odd ones answered, even ones timed out.
        QTest::mouseClick(test, Qt::LeftButton);
        for (int i = 1; i <= 12; ++i) {
            const QByteArray request = i == 1 ? first(1) : poll(1);
            panel.addRect(request);
            if (i < 12)
                i % 2 ? panel.okRect(request) : panel.errRect(request);
        }
        QCOMPARE(history(10).left(10), QString("YGRGRGRGRG"));
        panel.setIdle(true); // the port closed: the test stops, once
        panel.setIdle(true);
        QVERIFY(!panel.isTestOn() && rows.at(0)->isEnabled() && stopped.count() == 4);

        // On a single-address device the ticked rows, hidden, still take part.
        panel.setSingleAdres(true);
        QTest::mouseClick(test, Qt::LeftButton);
        QCOMPARE(adreses(), QByteArray("01070700"));
    }

    void addressesAndPolls()
    {
        AdresArray list;
        list.resize(800, 400); // every box in sight, so that it can be clicked
        QVERIFY(showAndWait(&list));
        const QList<QCheckBox *> boxes = list.findChildren<QCheckBox *>();
        for (int n : {1, 3, 16, 17, 33, 49, 64}) // box n is bit n-1
            clickIndicator(boxes.at(n - 1));
        QCOMPARE(list.getAdreses(), QString("8001,0001,0001,8005"));
        // Text that is no 64-bit hexadecimal number unticks all.
        for (const QString &c : QStringList{"00000001>1", "8000,0000,0000,00Ab>80000000000000ab",
                                            "00000000000000000000ff>ff", ">0", "00g1>0", "-1>0",
                                            "1,0000,0000,0000,0000>0", "\uff11>0"}) {
            list.setAdreses("ffff,ffff,ffff,ffff");
            list.setAdreses(c.section('>', 0, 0));
            QCOMPARE(list.getAdreses().remove(','), c.section('>', 1).rightJustified(16, '0'));
        }

        ReqPeriod panel;
        QVERIFY(showAndWait(&panel));
        ReportLog log(&panel);
        // The outputs' reports come out of the panel.
        panel.showOutputsFor(2);
        QCOMPARE(log.run("Num of down^Up|Out 4-20#1!|Requests period^Up"),
                 QString("Num of down=2|Out 4-20=1|Requests period=2"));
        // Without a settable period the device polls once a second.
        panel.setPeriodEnabled(false);
        QCOMPARE(log.run("Requests period?|Requests period=250"),
                 QString("Requests period=1|Requests period?1 off|Requests period=250"));
    }
};

QTEST_MAIN(TestPanels)
#include "tst_panels.moc"
