#include "editors/w_numofdown.h"
#include "editors/w_rb.h"
#include "panels/adresarray.h"
#include "panels/adresarrayfake.h"
#include "panels/reqperiod.h"
#include "tests/editors/reportlog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>

class TestPollSettings : public QObject
{
    Q_OBJECT

private slots:
    void maskFromTicks_data()
    {
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<QString>("mask");
        QTest::newRow("1 and 3") << QList<int>({1, 3}) << "0000,0000,0000,0005";
        QTest::newRow("64 alone") << QList<int>({64}) << "8000,0000,0000,0000";
        QTest::newRow("group edges")
            << QList<int>({16, 17, 32, 33, 48, 49}) << "0001,8001,8001,8000";
        QList<int> all;
        for (int n = 1; n <= 64; ++n)
            all << n;
        QTest::newRow("all 64") << all << "ffff,ffff,ffff,ffff";
    }
    void maskFromTicks()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(QString, mask);
        AdresArray list;
        list.resize(800, 400); // every box in sight, so that it can be clicked
        QVERIFY(showAndWait(&list));
        QCOMPARE(list.getAdreses(), QString("0000,0000,0000,0000"));
        auto grid =
            qobject_cast<QGridLayout *>(list.findChild<QScrollArea *>()->widget()->layout());
        auto box = [&](int n) {
            return qobject_cast<QCheckBox *>(
                grid->itemAtPosition((n - 1) / 16, (n - 1) % 16)->widget());
        };
        for (int n : ticked) {
            QCOMPARE(box(n)->text(), QString::number(n));
            clickIndicator(box(n));
        }
        QCOMPARE(list.getAdreses(), mask);

        // The text goes back in with or without its commas, over other ticks.
        QString bare = mask;
        bare.remove(',');
        for (const QString &text : {mask, bare, bare.toUpper()}) {
            list.setAdreses("0000,0000,0000,0002");
            list.setAdreses(text);
            for (int n = 1; n <= 64; ++n)
                QCOMPARE(box(n)->isChecked(), ticked.contains(n));
        }
    }

    void maskFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mask");
        QTest::newRow("device form") << "00000001"
                                     << "0000,0000,0000,0001";
        QTest::newRow("one digit") << "1"
                                   << "0000,0000,0000,0001";
        QTest::newRow("empty") << ""
                               << "0000,0000,0000,0000";
        QTest::newRow("mixed case") << "8000,0000,0000,00Ab"
                                    << "8000,0000,0000,00ab";
        QTest::newRow("zeros beyond 16 digits") << "00000000000000000000ff"
                                                << "0000,0000,0000,00ff";
        QTest::newRow("not hexadecimal") << "00g1"
                                         << "0000,0000,0000,0000";
        QTest::newRow("negative") << "-1"
                                  << "0000,0000,0000,0000";
        QTest::newRow("beyond 64 bits") << "1,0000,0000,0000,0000"
                                        << "0000,0000,0000,0000";
        QTest::newRow("non-Latin digit")
            << QString::fromUtf8("\xef\xbc\x91") << "0000,0000,0000,0000";
    }
    void maskFromText()
    {
        QFETCH(QString, text);
        QFETCH(QString, mask);
        AdresArray list;
        list.setAdreses("ffff,ffff,ffff,ffff");
        list.setAdreses(text);
        QCOMPARE(list.getAdreses(), mask);
    }

    void pollSettings()
    {
        ReqPeriod panel;
        QVERIFY(showAndWait(&panel));
        ReportLog log(&panel);
        auto group = panel.findChild<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(group->title(), QString("Radio Poll Settings"));
        auto grid = qobject_cast<QGridLayout *>(group->layout());
        auto period = qobject_cast<QSpinBox *>(grid->itemAtPosition(0, 1)->widget());
        QCOMPARE(period->objectName(), QString("Requests period"));
        QCOMPARE(QList<int>({period->minimum(), period->maximum()}), QList<int>({1, 250}));
        auto fake = qobject_cast<AdresArrayFake *>(grid->itemAtPosition(0, 3)->widget());
        QCOMPARE(grid->itemAtPosition(1, 0)->widget(), panel.numOfDown());

        // The placeholder always reads 1.
        QCOMPARE(fake->findChild<QLabel *>()->text(), QString("Remote Device Address  "));
        auto one = fake->findChild<QSpinBox *>();
        QVERIFY(fake->isVisible() && !one->isEnabled());
        QTest::keyClick(one, Qt::Key_Up);
        one->setValue(7);
        QCOMPARE(one->value(), 1);
        panel.setAdresVisible(false);
        QVERIFY(!fake->isVisible());

        // The outputs start hidden; their reports come out of the panel.
        for (QGroupBox *box : panel.numOfDown()->findChildren<QGroupBox *>())
            QVERIFY(box->isHidden());
        auto numOfDown = panel.numOfDown()->findChild<QSpinBox *>("Num of down");
        numOfDown->setFocus();
        QTest::keyClick(numOfDown, Qt::Key_Up);
        panel.numOfDown()->setType(2);
        clickIndicator(panel.numOfDown()->findChildren<W_Rb *>().at(1));
        period->setFocus();
        QTest::keyClick(period, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(period, "30");
        QCOMPARE(log.take(), QStringList({"Num of down=2", "Out 4-20=1", "Requests period=3",
                                          "Requests period=30"}));

        panel.setPeriodEnabled(false);
        QVERIFY(!period->isEnabled());
        QCOMPARE(log.take(), QStringList({"Requests period=1"}));
        panel.setPeriodEnabled(true);
        QVERIFY(period->isEnabled());
        QCOMPARE(period->value(), 1);
        panel.setValue("Requests period", 250); // the main window sets it by name
        QCOMPARE(log.take(), QStringList({"Requests period=250"}));

        panel.setTitle("Radio Poll and Out Settings");
        QCOMPARE(group->title(), QString("Radio Poll and Out Settings"));
        AdresArray list;
        QVERIFY(showAndWait(&list));
        list.setListHidden(true);
        QVERIFY(!list.findChild<QGroupBox *>()->isVisible());
        list.setListHidden(false);
        QVERIFY(list.findChild<QGroupBox *>()->isVisible());
    }
};

QTEST_MAIN(TestPollSettings)
#include "tst_pollsettings.moc"
