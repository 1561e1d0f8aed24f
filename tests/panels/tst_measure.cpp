#include "panels/measure.h"
#include "tests/editors/reportlog.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

namespace {

// The widget at (row, column) of an input's box; row 3 is the value line,
// where `column` counts its items: name, value, unit, state.
template <typename T> T *control(const Measure &panel, int input, int row, int column)
{
    auto outer = panel.findChild<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly);
    QWidget *box = qobject_cast<QGridLayout *>(outer->layout())->itemAtPosition(input, 0)->widget();
    QLayoutItem *item = qobject_cast<QGridLayout *>(box->layout())->itemAtPosition(row, 0);
    item = row == 3 ? item->layout()->itemAt(column)
                    : qobject_cast<QGridLayout *>(box->layout())->itemAtPosition(row, column);
    return qobject_cast<T *>(item->widget());
}

// Value 1, value 2, state 1, state 2.
QStringList fields(const Measure &panel)
{
    return {control<QLineEdit>(panel, 1, 3, 1)->text(), control<QLineEdit>(panel, 2, 3, 1)->text(),
            control<QLineEdit>(panel, 1, 3, 3)->text(), control<QLineEdit>(panel, 2, 3, 3)->text()};
}

// The start button's colour, solid and the same in every colour group.
QString colour(const QPushButton *button)
{
    const QPalette palette = button->palette();
    const QBrush brush = palette.brush(button->backgroundRole());
    for (auto group : {QPalette::Inactive, QPalette::Disabled})
        if (palette.brush(group, button->backgroundRole()) != brush)
            return "mixed";
    return brush.color() == Qt::lightGray ? "grey"
           : brush.color() == Qt::red     ? "red"
           : brush.color() == Qt::green   ? "green"
                                          : brush.color().name();
}

} // namespace

class TestMeasure : public QObject
{
    Q_OBJECT

private slots:
    void labelsByInputType_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("labels"); // name, threshold unit, value unit; input 1, 2
        QTest::newRow("two current") << 0 << "In A1 mA mkA In A2 mA mkA";
        QTest::newRow("current, voltage") << 1 << "In A1 mA mkA In D2 V mV";
        QTest::newRow("two voltage") << 2 << "In D1 V mV In D2 V mV";
        QTest::newRow("unknown keeps") << 3 << "In A1 mA mkA In D2 V mV";
    }
    void labelsByInputType()
    {
        QFETCH(int, code);
        QFETCH(QString, labels);
        Measure panel;
        QCOMPARE(panel.findChild<QGroupBox *>()->title(), QString("Measuremets"));
        panel.setInputType(2);
        panel.setInputType(1);
        panel.setInputType(quint8(code));
        QStringList shown;
        for (int input : {1, 2})
            shown << control<QLabel>(panel, input, 3, 0)->text()
                  << control<QLabel>(panel, input, 2, 2)->text()
                  << control<QLabel>(panel, input, 3, 2)->text();
        QCOMPARE(shown.join(' '), labels);
    }

    void settingsFromTheDevice()
    {
        Measure panel;
        ReportLog log(&panel);
        auto type1 = control<QComboBox>(panel, 1, 0, 1);
        QCOMPARE(type1->objectName(), QString("TypeAveraging1"));
        QCOMPARE(type1->count(), 3);
        QCOMPARE(control<QSpinBox>(panel, 2, 1, 1)->objectName(), QString("Averaging2"));
        QCOMPARE(control<QSpinBox>(panel, 2, 2, 1)->objectName(), QString("Diskret2"));
        // 200 is kind 3, which has no entry, and 8 s; 0x85 is kind 2 and 5 s.
        // Thresholds clamp to 1..20: 0 shows 1 (already shown, so silent).
        panel.setSettings(200, 0x85, 0, 25);
        QCOMPARE(type1->currentIndex(), -1);
        QCOMPARE(
            log.take(),
            QStringList({"TypeAveraging1=-1", "TypeAveraging1:", "Averaging1=8", "TypeAveraging2=2",
                         "TypeAveraging2:Simple moving average", "Averaging2=5", "Diskret2=20"}));
        panel.setSettings(0x40, 63, 7, 20); // intervals 0 and 63 clamp too
        QCOMPARE(log.take(), QStringList({"TypeAveraging1=1", "TypeAveraging1:Median",
                                          "Averaging1=1", "Diskret1=7", "TypeAveraging2=0",
                                          "TypeAveraging2:Arithmetic mean", "Averaging2=20"}));
        // The engineer's own changes report the same way.
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        type1->setFocus();
        QTest::keyClick(type1, Qt::Key_Down);
        QCOMPARE(log.take(),
                 QStringList({"TypeAveraging1=2", "TypeAveraging1:Simple moving average"}));
    }

    void valuesOfAnAnswer_data()
    {
        QTest::addColumn<QByteArrayList>("answer");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QByteArrayList({"4000", "012500", "1", "0"})
                               << " 4000| 12500| High| Low";
        QTest::newRow("not numbers")
            << QByteArrayList({"abc", "-5", "1x", "7"}) << " 0| 0| Low| High";
        QTest::newRow("short answer") << QByteArrayList({"17"}) << " 17| 0| Low| Low";
    }
    void valuesOfAnAnswer()
    {
        QFETCH(QByteArrayList, answer);
        QFETCH(QString, shown);
        Measure panel;
        panel.setValues(answer); // also while idle: a late answer is shown
        QCOMPARE(fields(panel).join('|'), shown);
        QCOMPARE(colour(panel.findChild<QPushButton *>()), QString("green"));
    }

    // The real 500 ms timer: a request every second while measuring, grey
    // between requests, red from the third unanswered request on, green
    // after an answer until the next grey phase.
    void pollAndAnswerIndicator()
    {
        Measure panel;
        auto start = panel.findChild<QPushButton *>();
        auto poll = panel.findChild<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(poll->isActive());
        QCOMPARE(poll->interval(), 500);
        QSignalSpy requests(&panel, &Measure::sgGetValue);
        QSignalSpy reports(&panel, &W_QWidget::sgValueChange);
        QStringList ticks;
        QElapsedTimer clock;
        qint64 lastRequest = 0;
        bool answer = true;
        int seen = 0;
        // Connected after the panel's own slot: sees the outcome of each tick.
        connect(poll, &QTimer::timeout, this, [&] {
            const bool requested = requests.count() > seen;
            seen = requests.count();
            if (requested) {
                if (lastRequest)
                    QVERIFY(clock.elapsed() - lastRequest >= 900);
                lastRequest = clock.elapsed();
            } else if (ticks.isEmpty()) {
                return; // an earlier run's phase decides where the first request falls
            }
            ticks << QString(requested ? "R " : "- ") + colour(start);
            if (answer && ticks.size() >= 2 && ticks.at(ticks.size() - 2) == "R red") {
                answer = false;
                panel.setValues({"3999", "0", "0", "1"});
                ticks << "answer " + colour(start) + fields(panel).join('|');
            }
            if (requests.count() == 6)
                panel.stopMeasurement();
        });

        clock.start();
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(start->text(), QString("Stop measurement"));
        QCOMPARE(reports.count(), 1); // the press, under no name
        QCOMPARE(reports.at(0), QVariantList({QString(), 0}));
        QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 6, 10000);
        QCOMPARE(ticks, QStringList({"R grey", "- grey", "R grey", "- grey", "R red", "- grey",
                                     "answer green 3999| 0| Low| High", "R green", "- grey",
                                     "R grey", "- grey", "R red"}));
        QCOMPARE(start->text(), QString("Measurement mode"));
        QCOMPARE(colour(start), QString("grey"));
        QCOMPARE(fields(panel).join(""), QString());
        QTest::qWait(1100);
        QCOMPARE(requests.count(), 6); // idle ticks ask for nothing

        // The next run starts with a fresh countdown; the button stops it.
        ticks.clear();
        seen = requests.count();
        lastRequest = 0;
        QTest::mouseClick(start, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 8, 5000);
        QCOMPARE(ticks.filter("R "), QStringList({"R grey", "R grey"}));
        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(start->text(), QString("Measurement mode"));
    }
};

QTEST_MAIN(TestMeasure)
#include "tst_measure.moc"
