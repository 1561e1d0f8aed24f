#include "editors/w_freezprotection.h"
#include "editors/w_numofdown.h"
#include "editors/w_radio.h"
#include "editors/w_rs485.h"
#include "tests/editors/reportlog.h"

#include <QLabel>

#include <memory>

static QString shownGroups(QWidget *w)
{
    QStringList titles;
    for (QGroupBox *box : w->findChildren<QGroupBox *>())
        if (box->isVisible())
            titles << box->title();
    for (QLabel *label : w->findChildren<QLabel *>())
        if (label->text().startsWith("The device will stop") && label->isVisible())
            titles << "note";
    return titles.join(',');
}

// What each editor reports to the main window for user changes and settings by name.
class TestEditors : public QObject
{
    Q_OBJECT

private slots:
    // Steps starting with ':' call the editor's setters; ":groups" records the groups shown.
    void reports_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("reports");
        // Each change comes out once; by name a case-sensitive prefix matches, values clamp.
        QTest::newRow("rs485")
            << "rs485"
            << "Serial Data Rate#6!|Serial Data Rate#6!|Parity^End|Stop bit^Down|Delay Tx-Rx^Up|"
               "Delay Rx-Tx^PgUp|Serial Data Rate=3|Serial Data Rate=8|Serial Data Rate?|"
               "Delay=300|delay=5|Parity=2|Parity=7|Parity?"
            << "Serial Data Rate=6|Serial Data Rate=6|Parity=3|Parity:9-bit data, no parity|"
               "Stop bit=1|Stop bit:2|Delay Tx-Rx=1|Delay Rx-Tx=10|Serial Data Rate?3|"
               "Delay Tx-Rx=250|Delay Rx-Tx=250|Parity=2|Parity:8-bit data, odd parity|Parity=-1|"
               "Parity:|Parity?-1";
        // A time-out under a new rate's floor is raised; test address 1..64 if settable, else 255.
        QString floors;
        for (int rate = 0; rate < 10; ++rate)
            floors += QString(":serial %1|Serial Timeout=0|").arg(rate);
        QTest::newRow("radio")
            << "radio"
            << floors + ":serial 0|:test 1|Test address=100|Test address^Down|:test 0|"
                        "Test address=5|Test address?|Power=259|Radio Data Rate=1|Radio Data Rate?"
            << "Serial Timeout=9|Serial Timeout=5|Serial Timeout=3|Serial Timeout=2|"
               "Serial Timeout=3|Serial Timeout=17|Test address=1|Test address=64|"
               "Test address=63|Test address=255|Test address?255 off|Power=3|Radio Data Rate?1";
        // A timer switched on starts from its default; switched off it reports 0.
        QTest::newRow("reset")
            << "freeze"
            << "WDT Reset=9|WDT Reset=9|WDT Reset?|WDT Reset=0|WDT Reset=0|WDT Reset?|"
               "WDT Reset=1000|WDT Reset?|Radio Transmit Reset=300|Radio Transmit Reset=5|"
               "WDT Reset!|WDT Reset!|WDT Reset?|WDT Reset^Up|WDT Reset!|WDT Reset?|WDT Reset!|"
               "WDT Reset?|Radio Module Reset=20|Radio Module Reset!|Radio Module Reset!"
            << "WDT Reset=9|WDT Reset?90|WDT Reset=0|WDT Reset?10 off|WDT Reset=250|"
               "WDT Reset?2500|Radio Transmit Reset=250|Radio Transmit Reset=10|WDT Reset=0|"
               "WDT Reset=9|WDT Reset=9|WDT Reset?90|WDT Reset=10|WDT Reset=0|WDT Reset?100 off|"
               "WDT Reset=9|WDT Reset=9|WDT Reset?90|Radio Module Reset=20|"
               "Radio Module Reset=0|Radio Module Reset=6|Radio Module Reset=6";
        // The groups shown by output kind; "Out D" begins both discrete groups' titles.
        QTest::newRow("outputs")
            << "outputs"
            << ":type 1|:groups|:type 3|:groups|:type 4|:groups|:type 5|:groups|:type 2|:groups|"
               ":type 0|:groups|:type 3|:type 4|Out D2 Discret#1!|Out2 inversion!|"
               "Out1 inversion=2|Num of down=20|Out D=0|Out D1 Discret?|Out D2 Discret?|Out 4-20?"
            << "note|Out 4-20,Out D Discret|Out D1 Discret,Out D2 Discret||Out 4-20||"
               "Out D2 Discret=1|Out2 inversion=1|Out1 inversion=1|Num of down=15|"
               "Out D1 Discret?0|Out D2 Discret?0|Out 4-20?hidden";
    }
    void reports()
    {
        QFETCH(QString, editor);
        QFETCH(QString, steps);
        std::unique_ptr<W_QWidget> w(editor == "rs485"   ? new W_Rs485
                                     : editor == "radio" ? new W_Radio
                                     : editor == "freeze"
                                         ? new W_FreezProtection
                                         : static_cast<W_QWidget *>(new w_NumOfDown));
        w->connectControls(); // as the main window does
        QVERIFY(showAndWait(w.get()));
        ReportLog log(w.get());
        log.call = [&](const QString &step) {
            const int arg = step.section(' ', 1).toInt();
            if (step.startsWith(":serial"))
                static_cast<W_Radio *>(w.get())->setSerialRate(quint8(arg));
            else if (step.startsWith(":test"))
                static_cast<W_Radio *>(w.get())->setTestAddressEnabled(arg);
            else if (step.startsWith(":type"))
                static_cast<w_NumOfDown *>(w.get())->setType(arg);
            else
                log.entries << shownGroups(w.get());
        };
        QTEST(log.run(steps), "reports");
    }

    // The channel list follows the radio data rate set or pressed (rate 5 has none); channel 0.
    void channels()
    {
        W_Radio radio;
        radio.connectControls();
        QVERIFY(showAndWait(&radio));
        ReportLog log(&radio);
        log.call = [&](const QString &step) { radio.setSpeed(quint8(step.mid(1).toInt())); };
        auto chanel = radio.findChild<QComboBox *>("Chanel");
        const QString five = "5 868.75 MHz..869.15 MHz, Radio Data Rate=2, Chanel=0";
        const std::pair<QString, QString> runs[] = {{":0", "10 868.725 MHz..869.175 MHz, Chanel=0"},
                                                    {":1", "10 868.725 MHz..869.175 MHz, Chanel=0"},
                                                    {":2", "5 868.75 MHz..869.15 MHz, Chanel=0"},
                                                    {":3", "2 868.8 MHz..869 MHz, Chanel=0"},
                                                    {":4", "1 868.95 MHz..868.95 MHz, Chanel=0"},
                                                    {":5", "1 868.95 MHz..868.95 MHz"},
                                                    {"Radio Data Rate#2!", five},
                                                    {"Radio Data Rate#2!", five}};
        for (const auto &[steps, expected] : runs) {
            radio.setValue("Chanel", chanel->count() - 1);
            log.take();
            const QStringList reports = log.run(steps).split('|');
            const QStringList chanels = reports.filter("Chanel=");
            QStringList seen{QString("%1 %2..%3")
                                 .arg(chanel->count())
                                 .arg(chanel->itemText(0), chanel->itemText(chanel->count() - 1))};
            seen << reports.filter("Radio Data Rate=") << chanels.mid(chanels.size() - 1);
            QCOMPARE(seen.join(", "), expected);
        }
    }
};

QTEST_MAIN(TestEditors)
#include "tst_editors.moc"
