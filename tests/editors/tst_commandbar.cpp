#include "editors/w_key.h"

#include <QGridLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using Reports = QList<QPair<QString, int>>;

static Reports reports(const QSignalSpy &spy)
{
    Reports out;
    for (const QList<QVariant> &args : spy)
        out.append({args.at(0).toString(), args.at(1).toInt()});
    return out;
}

class TestCommandBar : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        bar = new W_Key;
        bar->connectControls();
        bar->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar));
    }
    void cleanup() { delete bar; }

    void buttonsInOneRow();
    void reportsOnPressOnly();
    void freezeProtectionReportsTheStateItLeaves();

private:
    QPushButton *button(const char *name) const { return bar->findChild<QPushButton *>(name); }
    W_Key *bar = nullptr;
};

void TestCommandBar::buttonsInOneRow()
{
    auto grid = qobject_cast<QGridLayout *>(bar->layout());
    QVERIFY(grid);
    const char *names[] = {"READ", "WRITE", "DEFAULT", "Freeze Protection"};
    for (int column = 0; column < 4; ++column) {
        QPushButton *b = button(names[column]);
        QVERIFY(b);
        QCOMPARE(b->text(), QString(names[column]));
        QCOMPARE(b->isCheckable(), column == 3);
        int row, col, rows, cols;
        grid->getItemPosition(grid->indexOf(b), &row, &col, &rows, &cols);
        QCOMPARE(row, 1);
        QCOMPARE(col, column);
    }
}

void TestCommandBar::reportsOnPressOnly()
{
    QSignalSpy spy(bar, &W_QWidget::sgValueChange);
    QPushButton *read = button("READ");
    QTest::mousePress(read, Qt::LeftButton);
    QCOMPARE(reports(spy), Reports({{"READ", 0}}));                  // before the release
    QTest::qWait(50);                                                // held down: still once
    QTest::mouseRelease(read, Qt::LeftButton, {}, QPoint(-20, -20)); // dragged off
    QCOMPARE(spy.count(), 1);

    spy.clear();
    QPushButton *write = button("WRITE");
    write->setFocus();
    QTest::keyClick(write, Qt::Key_Space);
    QCOMPARE(reports(spy), Reports({{"WRITE", 0}}));
}

void TestCommandBar::freezeProtectionReportsTheStateItLeaves()
{
    QSignalSpy spy(bar, &W_QWidget::sgValueChange);
    QPushButton *freeze = button("Freeze Protection");
    QTest::mouseClick(freeze, Qt::LeftButton);
    QVERIFY(freeze->isChecked());
    QTest::mouseClick(freeze, Qt::LeftButton);
    QVERIFY(!freeze->isChecked());
    QCOMPARE(reports(spy), Reports({{"Freeze Protection", 0}, {"Freeze Protection", 1}}));
}

QTEST_MAIN(TestCommandBar)
#include "tst_commandbar.moc"
