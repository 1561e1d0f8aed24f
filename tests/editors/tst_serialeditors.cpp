#include "editors/w_rb.h"
#include "editors/w_rs485.h"
#include "editors/w_serialrate.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

using Reports = QList<QPair<QString, int>>;

static Reports reports(const QSignalSpy &spy)
{
    Reports out;
    for (const QList<QVariant> &args : spy)
        out.append({args.at(0).toString(), args.at(1).toInt()});
    return out;
}

class TestSerialEditors : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        editor = new W_Rs485;
        editor->connectControls();
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        for (QGroupBox *group : editor->findChildren<QGroupBox *>())
            if (group->title() == "Serial Data Rate")
                rates = group;
        QVERIFY(rates);
    }
    void cleanup() { delete editor; }

    void rateButtonsFillColumnsOfFour();
    void rateReportsEvenWhenAlreadyChecked();
    void rateSetByNameBeyondTheButtons();
    void lineFormatControls();

private:
    W_Rb *rate(int value) const
    {
        for (W_Rb *rb : rates->findChildren<W_Rb *>())
            if (rb->value() == value)
                return rb;
        return nullptr;
    }

    W_Rs485 *editor = nullptr;
    QGroupBox *rates = nullptr;
};

void TestSerialEditors::rateButtonsFillColumnsOfFour()
{
    const char *texts[] = {"1200 bps",  "2400 bps",  "4800 bps",  "9600 bps",
                           "19200 bps", "38400 bps", "57600 bps", "115200 bps"};
    auto grid = qobject_cast<QGridLayout *>(rates->layout());
    QVERIFY(grid);
    for (int value = 0; value < 8; ++value) {
        W_Rb *rb = rate(value);
        QVERIFY(rb);
        QCOMPARE(rb->text(), QString(texts[value]));
        QVERIFY(!rb->isChecked());
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(rb), &row, &column, &rowSpan, &columnSpan);
        QCOMPARE(row, value % 4);
        QCOMPARE(column, value / 4);
    }
}

void TestSerialEditors::rateReportsEvenWhenAlreadyChecked()
{
    QSignalSpy spy(editor, &W_QWidget::sgValueChange);
    W_Rb *rb = rate(6);
    QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(6, rb->height() / 2));
    QTest::mouseClick(rb, Qt::LeftButton, {}, QPoint(6, rb->height() / 2));
    QVERIFY(rb->isChecked());
    QCOMPARE(reports(spy), Reports({{"Serial Data Rate", 6}, {"Serial Data Rate", 6}}));
}

void TestSerialEditors::rateSetByNameBeyondTheButtons()
{
    editor->setValue("Serial Data Rate", 3);
    QVERIFY(rate(3)->isChecked());
    editor->setValue("Serial Data Rate", 8);
    QVERIFY(rate(3)->isChecked());
}

void TestSerialEditors::lineFormatControls()
{
    auto parity = editor->findChild<QComboBox *>("Parity");
    auto stopBit = editor->findChild<QComboBox *>("Stop bit");
    auto txRx = editor->findChild<QSpinBox *>("Delay Tx-Rx");
    auto rxTx = editor->findChild<QSpinBox *>("Delay Rx-Tx");
    QVERIFY(parity && stopBit && txRx && rxTx);
    QStringList texts;
    for (int i = 0; i < parity->count(); ++i)
        texts << parity->itemText(i);
    QCOMPARE(texts, QStringList({"8-bit data, no parity", "8-bit data, even parity",
                                 "8-bit data, odd parity", "9-bit data, no parity"}));
    QCOMPARE(stopBit->count(), 2);
    QCOMPARE(stopBit->itemText(1), QString("2"));
    QCOMPARE(txRx->maximum(), 250);
    QCOMPARE(rxTx->maximum(), 250);

    // The whole line is heard through the outer editor, once per change,
    // although the inner editor wired itself too.
    QSignalSpy spy(editor, &W_QWidget::sgValueChange);
    QSignalSpy texts2(editor, &W_QWidget::sgTextChange);
    parity->setFocus();
    QTest::keyClick(parity, Qt::Key_End);
    stopBit->setFocus();
    QTest::keyClick(stopBit, Qt::Key_Down);
    txRx->setFocus();
    QTest::keyClick(txRx, Qt::Key_Up);
    QTest::keyClick(txRx, Qt::Key_Up);
    rxTx->setFocus();
    QTest::keyClick(rxTx, Qt::Key_PageUp); // ten steps
    QCOMPARE(reports(spy), Reports({{"Parity", 3},
                                    {"Stop bit", 1},
                                    {"Delay Tx-Rx", 1},
                                    {"Delay Tx-Rx", 2},
                                    {"Delay Rx-Tx", 10}}));
    QCOMPARE(texts2.count(), 2);
    QCOMPARE(texts2.at(0).at(1).toString(), QString("9-bit data, no parity"));
}

QTEST_MAIN(TestSerialEditors)
#include "tst_serialeditors.moc"
