#include "panels/measure.h"
#include "tests/editors/reportlog.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <functional>

namespace {

// The controls of one input, found where the panel lays them out.
struct Channel
{
    QComboBox *type;
    QSpinBox *interval, *threshold;
    QLabel *thresholdUnit, *name, *valueUnit;
    QLineEdit *value, *state;
};

Channel channel(const Measure &panel, int number)
{
    auto outer = panel.findChild<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly);
    auto inner = qobject_cast<QGridLayout *>(outer->layout());
    auto box = inner->itemAtPosition(number, 0)->widget();
    auto grid = qobject_cast<QGridLayout *>(box->layout());
    auto at = [&](int row, int column) { return grid->itemAtPosition(row, column)->widget(); };
    auto row = qobject_cast<QHBoxLayout *>(grid->itemAtPosition(3, 0)->layout());
    auto inRow = [&](int i) { return row->itemAt(i)->widget(); };
    return {qobject_cast<QComboBox *>(at(0, 1)), qobject_cast<QSpinBox *>(at(1, 1)),
            qobject_cast<QSpinBox *>(at(2, 1)),  qobject_cast<QLabel *>(at(2, 2)),
            qobject_cast<QLabel *>(inRow(0)),    qobject_cast<QLabel *>(inRow(2)),
            qobject_cast<QLineEdit *>(inRow(1)), qobject_cast<QLineEdit *>(inRow(3))};
}

// The start button's colour, the same in every colour group.
QString colour(const QPushButton *button)
{
    const QPalette palette = button->palette();
    const QColor c = palette.brush(QPalette::Active, button->backgroundRole()).color();
    for (auto group : {QPalette::Inactive, QPalette::Disabled})
        if (palette.brush(group, button->backgroundRole()).color() != c)
            return "mixed";
    if (palette.brush(button->backgroundRole()).style() != Qt::SolidPattern)
        return "not solid";
    if (c == QColor(Qt::lightGray))
        return "grey";
    if (c == QColor(Qt::red))
        return "red";
    if (c == QColor(Qt::green))
        return "green";
    return c.name();
}

} // namespace

class TestMeasure : public QObject
{
    Q_OBJECT

private slots:
    void construction()
    {
        Measure panel;
        auto outer = panel.findChild<QGroupBox *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(outer->title(), QString("Measuremets"));
        auto start = panel.findChild<QPushButton *>();
        QCOMPARE(start->text(), QString("Measurement mode"));
        QVERIFY(start->objectName().isEmpty());
        QCOMPARE(colour(start), QString("grey"));
        for (int n : {1, 2}) {
            const Channel c = channel(panel, n);
            QCOMPARE(c.type->objectName(), QString("TypeAveraging%1").arg(n));
            QCOMPARE(c.type->count(), 3);
            QCOMPARE(c.type->itemText(0), QString("Arithmetic mean"));
            QCOMPARE(c.type->itemText(1), QString("Median"));
            QCOMPARE(c.type->itemText(2), QString("Simple moving average"));
            QCOMPARE(c.interval->objectName(), QString("Averaging%1").arg(n));
            QCOMPARE(c.threshold->objectName(), QString("Diskret%1").arg(n));
            for (QSpinBox *spin : {c.interval, c.threshold}) {
                QCOMPARE(spin->minimum(), 1);
                QCOMPARE(spin->maximum(), 20);
                QCOMPARE(spin->value(), 1);
            }
            QVERIFY(c.value->text().isEmpty() && c.state->text().isEmpty());
        }
    }

    void labelsByInputType_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("labels"); // name, threshold unit, value unit; 1 then 2
        const QStringList current1 = {"In A1", "mA", "mkA"};
        QTest::newRow("two current inputs") << 0 << current1 + QStringList({"In A2", "mA", "mkA"});
        QTest::newRow("current and voltage") << 1 << current1 + QStringList({"In D2", "V", "mV"});
        QTest::newRow("two voltage inputs")
            << 2 << QStringList({"In D1", "V", "mV", "In D2", "V", "mV"});
        // An unknown code keeps what was shown before (code 1 here).
        QTest::newRow("unknown") << 3 << current1 + QStringList({"In D2", "V", "mV"});
    }
    void labelsByInputType()
    {
        QFETCH(int, code);
        QFETCH(QStringList, labels);
        Measure panel;
        panel.setInputType(2);
        panel.setInputType(1);
        panel.setInputType(quint8(code));
        QStringList shown;
        for (int n : {1, 2}) {
            const Channel c = channel(panel, n);
            shown << c.name->text() << c.thresholdUnit->text() << c.valueUnit->text();
        }
        QCOMPARE(shown, labels);
    }

    void settingsFromTheDevice()
    {
        Measure panel;
        ReportLog log(&panel);
        const Channel one = channel(panel, 1), two = channel(panel, 2);
        // 200 = kind 3 (no such entry) and 8 seconds; 0x85 = kind 2 and 5 s.
        // A threshold of 0 shows as 1 (already shown: no report), 25 as 20.
        panel.setSettings(200, 0x85, 0, 25);
        QCOMPARE(one.type->currentIndex(), -1);
        QCOMPARE(one.type->currentText(), QString());
        QCOMPARE(one.interval->value(), 8);
        QCOMPARE(one.threshold->value(), 1);
        QCOMPARE(two.type->currentText(), QString("Simple moving average"));
        QCOMPARE(two.interval->value(), 5);
        QCOMPARE(two.threshold->value(), 20);
        QCOMPARE(
            log.take(),
            QStringList({"TypeAveraging1=-1", "TypeAveraging1:", "Averaging1=8", "TypeAveraging2=2",
                         "TypeAveraging2:Simple moving average", "Averaging2=5", "Diskret2=20"}));

        // Intervals of 0 and 63 clamp; kind 3 can be left for a real entry.
        panel.setSettings(0x40, 63, 7, 20);
        QCOMPARE(log.take(), QStringList({"TypeAveraging1=1", "TypeAveraging1:Median",
                                          "Averaging1=1", "Diskret1=7", "TypeAveraging2=0",
                                          "TypeAveraging2:Arithmetic mean", "Averaging2=20"}));

        // The engineer's own changes report the same way.
        QVERIFY(showAndWait(&panel));
        two.threshold->setFocus();
        QTest::keyClick(two.threshold, Qt::Key_Down);
        one.type->setFocus();
        QTest::keyClick(one.type, Qt::Key_Down);
        QCOMPARE(log.take(), QStringList({"Diskret2=19", "TypeAveraging1=2",
                                          "TypeAveraging1:Simple moving average"}));
    }

    void valuesOfAnAnswer_data()
    {
        QTest::addColumn<QByteArrayList>("answer");
        QTest::addColumn<QStringList>("fields"); // value 1, value 2, state 1, state 2
        QTest::newRow("plain") << QByteArrayList({"4000", "12500", "1", "0"})
                               << QStringList({" 4000", " 12500", " High", " Low"});
        QTest::newRow("leading zeros") << QByteArrayList({"00042", "0", "007", "00"})
                                       << QStringList({" 42", " 0", " High", " Low"});
        QTest::newRow("not numbers")
            << QByteArrayList({"abc", "-5", "1x", ""}) << QStringList({" 0", " 0", " Low", " Low"});
        QTest::newRow("too large") << QByteArrayList({"4294967295", "4294967296", "2", "9"})
                                   << QStringList({" 4294967295", " 0", " High", " High"});
        QTest::newRow("short answer")
            << QByteArrayList({"17"}) << QStringList({" 17", " 0", " Low", " Low"});
    }
    void valuesOfAnAnswer()
    {
        QFETCH(QByteArrayList, answer);
        QFETCH(QStringList, fields);
        Measure panel;
        // An answer that comes after the stop is still shown.
        panel.setValues(answer);
        const Channel one = channel(panel, 1), two = channel(panel, 2);
        QCOMPARE(QStringList(
                     {one.value->text(), two.value->text(), one.state->text(), two.state->text()}),
                 fields);
        QCOMPARE(colour(panel.findChild<QPushButton *>()), QString("green"));
    }

    // The real 500 ms timer: a request every second while measuring, the
    // button grey between requests, red from the third unanswered request
    // on, green after an answer until the next grey phase.
    void pollAndAnswerIndicator()
    {
        Measure panel;
        QVERIFY(showAndWait(&panel));
        auto start = panel.findChild<QPushButton *>();
        auto poll = panel.findChild<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
        QVERIFY(poll && poll->isActive());
        QCOMPARE(poll->interval(), 500);
        QSignalSpy requests(&panel, &Measure::sgGetValue);
        QSignalSpy reports(&panel, &W_QWidget::sgValueChange);

        QStringList ticks;
        QList<qint64> requestTimes;
        QElapsedTimer clock;
        clock.start();
        bool answered = false;
        int seen = 0;
        // Connected after the panel's own slot, so it sees each tick's outcome.
        connect(poll, &QTimer::timeout, this, [&] {
            const bool requested = requests.count() > seen;
            seen = requests.count();
            if (requested)
                requestTimes << clock.elapsed();
            if (!requested && ticks.isEmpty())
                return; // the phase of an earlier run decides where the first request falls
            ticks << QString(requested ? "R " : "- ") + colour(start);
            if (!answered && ticks.size() >= 2 && ticks.at(ticks.size() - 2) == "R red") {
                answered = true;
                panel.setValues({"3999", "0", "0", "1"});
                ticks << "answer " + colour(start);
            }
            if (requests.count() == 6)
                panel.stopMeasurement();
        });

        QTest::mouseClick(start, Qt::LeftButton);
        QCOMPARE(start->text(), QString("Stop measurement"));
        QCOMPARE(reports.count(), 1); // the base reports the press under no name
        QCOMPARE(reports.at(0), QVariantList({QString(), 0}));
        QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 6, 10000);
        QCOMPARE(ticks,
                 QStringList({"R grey", "- grey", "R grey", "- grey", "R red", "- grey",
                              "answer green", "R green", "- grey", "R grey", "- grey", "R red"}));
        for (int i = 1; i < requestTimes.size(); ++i)
            QVERIFY2(requestTimes.at(i) - requestTimes.at(i - 1) >= 900,
                     qPrintable(QString::number(requestTimes.at(i) - requestTimes.at(i - 1))));

        // Stopped: idle caption, fields cleared, grey, and no more requests.
        QCOMPARE(start->text(), QString("Measurement mode"));
        QCOMPARE(colour(start), QString("grey"));
        QVERIFY(channel(panel, 1).value->text().isEmpty());
        QVERIFY(channel(panel, 2).state->text().isEmpty());
        QTest::qWait(1200);
        QCOMPARE(requests.count(), 6);

        // A new run starts with a fresh countdown: two grey requests first.
        ticks.clear();
        seen = requests.count();
        answered = true;
        QTest::mouseClick(start, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 8, 5000);
        QCOMPARE(ticks.first(), QString("R grey"));
        QCOMPARE(ticks.count("R grey"), 2);
        QVERIFY(!ticks.contains("R red"));
        QTest::mouseClick(start, Qt::LeftButton); // the button stops as well
        QCOMPARE(start->text(), QString("Measurement mode"));
    }
};

QTEST_MAIN(TestMeasure)
#include "tst_measure.moc"
