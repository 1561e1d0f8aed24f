#include "editors/w_freezprotection.h"
#include "editors/w_numofdown.h"
#include "editors/w_rb.h"
#include "editors/w_reset.h"
#include "tests/editors/reportlog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

class TestResetEditors : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        freeze = new W_FreezProtection;
        freeze->connectControls(); // as the main window does
        QVERIFY(showAndWait(freeze));
        log = new ReportLog(freeze);
        QVERIFY(freeze->wdtReset() && freeze->wdtReset()->objectName() == "WDT Reset");
        wdtCheck = freeze->wdtReset()->findChild<QCheckBox *>();
        wdtSpin = freeze->wdtReset()->findChild<QSpinBox *>();
    }
    void cleanup()
    {
        delete log;
        delete freeze;
    }

    void switchingOnRestoresTheDefault()
    {
        clickIndicator(wdtCheck);
        QVERIFY(wdtSpin->isEnabled());
        QCOMPARE(wdtSpin->value(), 90);
        wdtSpin->setFocus();
        QTest::keyClick(wdtSpin, Qt::Key_Up); // steps of 10 seconds
        QCOMPARE(wdtSpin->value(), 100);
        // Setting the default fires the spin box too: 9 may come twice.
        QStringList on = log->take();
        QCOMPARE(on.takeLast(), QString("WDT Reset=10"));
        on.removeDuplicates();
        QCOMPARE(on, QStringList({"WDT Reset=9"}));

        clickIndicator(wdtCheck);
        QVERIFY(!wdtSpin->isEnabled());
        QCOMPARE(log->take(), QStringList({"WDT Reset=0"}));
        clickIndicator(wdtCheck); // the default again, not the last 100
        QCOMPARE(wdtSpin->value(), 90);
        on = log->take();
        on.removeDuplicates();
        QCOMPARE(on, QStringList({"WDT Reset=9"}));

        w_Reset *module = freeze->radioModuleReset();
        freeze->setValue("Radio Module Reset", 20);
        clickIndicator(module->findChild<QCheckBox *>());
        log->take();
        clickIndicator(module->findChild<QCheckBox *>());
        QCOMPARE(log->take().last(), QString("Radio Module Reset=6"));
    }

    void setValueShowsDeviceValues()
    {
        freeze->setValue("WDT Reset", 9);
        QVERIFY(wdtCheck->isChecked() && wdtSpin->isEnabled());
        QCOMPARE(wdtSpin->value(), 90);
        freeze->setValue("WDT Reset", 9); // already shown: silent
        QCOMPARE(log->take(), QStringList({"WDT Reset=9"}));

        freeze->setValue("WDT Reset", 0); // from 90 down to the minimum
        QVERIFY(!wdtCheck->isChecked() && !wdtSpin->isEnabled());
        QCOMPARE(wdtSpin->value(), 10);
        freeze->setValue("WDT Reset", 0); // already at the minimum: silent
        QCOMPARE(log->take(), QStringList({"WDT Reset=0"}));

        freeze->setValue("WDT Reset", 1000);
        QCOMPARE(wdtSpin->value(), 2500);
        freeze->setValue("Radio Transmit Reset", 300);
        freeze->setValue("Radio Transmit Reset", 5);
        QCOMPARE(log->take(), QStringList({"WDT Reset=250", "Radio Transmit Reset=250",
                                           "Radio Transmit Reset=10"}));
        // The switch handler was only held off, not lost.
        clickIndicator(wdtCheck);
        QCOMPARE(log->take(), QStringList({"WDT Reset=0"}));
    }

    void outputGroupsByKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("shown"); // group titles, "note" for the note
        QTest::newRow("none") << 0 << QStringList();
        QTest::newRow("RS-485") << 1 << QStringList({"note"});
        QTest::newRow("4-20") << 2 << QStringList({"Out 4-20"});
        QTest::newRow("4-20-D") << 3 << QStringList({"Out 4-20", "Out D Discret"});
        QTest::newRow("DD") << 4 << QStringList({"Out D1 Discret", "Out D2 Discret"});
        QTest::newRow("unknown") << 5 << QStringList();
    }
    void outputGroupsByKind()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, shown);
        w_NumOfDown outputs;
        QVERIFY(showAndWait(&outputs));
        outputs.setType(1);
        outputs.setType(4);
        outputs.setType(kind);
        QStringList visible;
        for (QGroupBox *box : outputs.findChildren<QGroupBox *>())
            if (box->isVisible())
                visible << box->title();
        for (QLabel *label : outputs.findChildren<QLabel *>())
            if (label->text().startsWith("The device will stop") && label->isVisible())
                visible << "note";
        QCOMPARE(visible, shown);
        QVERIFY(outputs.findChild<QSpinBox *>("Num of down")->isVisible());
    }

    void outputGroupsReportAndSetByTitle()
    {
        w_NumOfDown outputs;
        outputs.connectControls();
        QVERIFY(showAndWait(&outputs));
        ReportLog outputsLog(&outputs);
        outputs.setType(3);
        QGroupBox *second = group(outputs, "Out D Discret");
        QVERIFY(second);
        outputs.setType(4);
        QCOMPARE(second->title(), QString("Out D2 Discret"));
        clickIndicator(second->findChildren<W_Rb *>().at(1));
        clickIndicator(second->findChild<QCheckBox *>("Out2 inversion"));
        outputs.setValue("Num of down", 20);
        QCOMPARE(outputsLog.take(),
                 QStringList({"Out D2 Discret=1", "Out2 inversion=1", "Num of down=15"}));

        // "Out D" is the beginning of both discrete groups' titles.
        outputs.setValue("Out D", 0);
        for (const char *title : {"Out D1 Discret", "Out D2 Discret"}) {
            const QList<W_Rb *> buttons = group(outputs, title)->findChildren<W_Rb *>();
            QVERIFY(buttons.at(0)->isChecked() && !buttons.at(1)->isChecked());
        }
        for (W_Rb *rb : group(outputs, "Out 4-20")->findChildren<W_Rb *>())
            QVERIFY(!rb->isChecked());
    }

private:
    static QGroupBox *group(const QWidget &outputs, const QString &title)
    {
        for (QGroupBox *box : outputs.findChildren<QGroupBox *>())
            if (box->title() == title)
                return box;
        return nullptr;
    }

    W_FreezProtection *freeze = nullptr;
    ReportLog *log = nullptr;
    QCheckBox *wdtCheck = nullptr;
    QSpinBox *wdtSpin = nullptr;
};

QTEST_MAIN(TestResetEditors)
#include "tst_reseteditors.moc"
