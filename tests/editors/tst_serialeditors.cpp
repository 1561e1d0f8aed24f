#include "editors/w_rb.h"
#include "editors/w_rs485.h"
#include "tests/editors/reportlog.h"

#include <QComboBox>
#include <QGroupBox>
#include <QSpinBox>

class TestSerialEditors : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        editor = new W_Rs485;
        editor->connectControls(); // as the main window does
        QVERIFY(showAndWait(editor));
        log = new ReportLog(editor);
    }
    void cleanup()
    {
        delete log;
        delete editor;
    }

    void serialDataRate()
    {
        W_Rb *rate6 = rate(6);
        QVERIFY(rate6 && rate6->text() == "57600 bps");
        clickIndicator(rate6);
        clickIndicator(rate6); // already checked: reported again
        QCOMPARE(log->take(), QStringList({"Serial Data Rate=6", "Serial Data Rate=6"}));
        editor->setValue("Serial Data Rate", 3);
        QVERIFY(rate(3)->isChecked());
        editor->setValue("Serial Data Rate", 8); // no such button
        QVERIFY(rate(3)->isChecked());
        QCOMPARE(log->take(), QStringList());
    }

    // The inner editor wired itself as well; the outer one still reports
    // each change once.
    void lineFormat()
    {
        auto parity = editor->findChild<QComboBox *>("Parity");
        auto stopBit = editor->findChild<QComboBox *>("Stop bit");
        auto txRx = editor->findChild<QSpinBox *>("Delay Tx-Rx");
        auto rxTx = editor->findChild<QSpinBox *>("Delay Rx-Tx");
        QVERIFY(parity && stopBit && txRx && rxTx);
        parity->setFocus();
        QTest::keyClick(parity, Qt::Key_End);
        stopBit->setFocus();
        QTest::keyClick(stopBit, Qt::Key_Down);
        txRx->setFocus();
        QTest::keyClick(txRx, Qt::Key_Up);
        rxTx->setFocus();
        QTest::keyClick(rxTx, Qt::Key_PageUp); // ten steps of 100 µs
        editor->setValue("Delay", 300);
        QCOMPARE(log->take(), QStringList({"Parity=3", "Parity:9-bit data, no parity", "Stop bit=1",
                                           "Stop bit:2", "Delay Tx-Rx=1", "Delay Rx-Tx=10",
                                           "Delay Tx-Rx=250", "Delay Rx-Tx=250"}));
    }

private:
    W_Rb *rate(int value) const
    {
        for (QGroupBox *group : editor->findChildren<QGroupBox *>())
            if (group->title() == "Serial Data Rate")
                for (W_Rb *rb : group->findChildren<W_Rb *>())
                    if (rb->value() == value)
                        return rb;
        return nullptr;
    }

    W_Rs485 *editor = nullptr;
    ReportLog *log = nullptr;
};

QTEST_MAIN(TestSerialEditors)
#include "tst_serialeditors.moc"
