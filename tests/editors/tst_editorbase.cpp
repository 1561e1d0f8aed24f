#include "editors/w_key.h"
#include "editors/w_rb.h"
#include "tests/editors/reportlog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

// An editor built the way the real ones are: named controls, and valued radio
// buttons created with the editor as parent and laid out in a group box.
class Sample : public W_QWidget
{
public:
    Sample()
    {
        auto layout = new QVBoxLayout(this);
        level1 = add<QSpinBox>(layout, "Level 1");
        level1->setRange(0, 100);
        level2 = add<QSpinBox>(layout, "Level 2");
        mode = add<QComboBox>(layout, "Mode");
        mode->addItems({"a", "b", "c"});
        flag = add<QCheckBox>(layout, "Flag");
        auto group = new QGroupBox("Group A", this);
        auto groupLayout = new QVBoxLayout(group);
        three = new W_Rb(this, 3, "three");
        five = new W_Rb(this, 5, "five");
        groupLayout->addWidget(three);
        groupLayout->addWidget(five);
        layout->addWidget(group);
        loose = new W_Rb(this, 7, "loose");
        layout->addWidget(loose);
    }
    template <typename T> T *add(QLayout *layout, const char *name)
    {
        auto control = new T(this);
        control->setObjectName(name);
        layout->addWidget(control);
        return control;
    }

    QSpinBox *level1, *level2;
    QComboBox *mode;
    QCheckBox *flag;
    W_Rb *three, *five, *loose;
};

class TestEditorBase : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        editor = new Sample;
        editor->connectControls();
        QVERIFY(showAndWait(editor));
        log = new ReportLog(editor);
    }
    void cleanup()
    {
        delete log;
        delete editor;
    }

    void comboChangeReportsIndexThenText()
    {
        editor->mode->setFocus();
        QTest::keyClick(editor->mode, Qt::Key_Down);
        QCOMPARE(log->take(), QStringList({"Mode=1", "Mode:b"}));
    }

    void radioButtonReportsGroupTitleEvenWhenChecked()
    {
        clickIndicator(editor->five);
        clickIndicator(editor->five);
        clickIndicator(editor->loose); // outside a group box: no name, no report
        QVERIFY(editor->five->isChecked() && editor->loose->isChecked());
        QCOMPARE(log->take(), QStringList({"Group A=5", "Group A=5"}));
    }

    void setValueOnSpinBoxes()
    {
        editor->setValue("Level", 7); // both match
        editor->setValue("level", 9); // case matters
        QCOMPARE(editor->level2->value(), 7);
        editor->setValue("Level 1", 500); // clamped, reported once
        editor->setValue("Level 1", 300);
        QCOMPARE(editor->level1->value(), 100);
        QCOMPARE(log->take(), QStringList({"Level 1=7", "Level 2=7", "Level 1=100"}));
    }

    void setValueOnRadioGroup()
    {
        editor->setValue("Group", 5);
        QVERIFY(editor->five->isChecked());
        editor->setValue("Group A", 4); // no button carries 4
        QVERIFY(editor->five->isChecked() && !editor->three->isChecked());
        editor->setValue("Group A", 3);
        QVERIFY(editor->three->isChecked() && !editor->five->isChecked());
        QCOMPARE(log->take(), QStringList()); // radio buttons report presses only
    }

    void setValueOnComboAndCheckBox()
    {
        editor->setValue("Mode", 0); // already there
        editor->setValue("Mode", 2);
        QCOMPARE(editor->getText("Mode"), QString("c"));
        editor->setValue("Mode", 7); // no such item
        QCOMPARE(editor->mode->currentIndex(), -1);
        QCOMPARE(editor->getText("Mo"), QString());
        QCOMPARE(editor->getText("Nothing"), QString());
        editor->setValue("Flag", 2);
        QVERIFY(editor->flag->isChecked());
        editor->setValue("Flag", 0);
        QCOMPARE(log->take(),
                 QStringList({"Mode=2", "Mode:c", "Mode=-1", "Mode:", "Flag=1", "Flag=0"}));
    }

    void commandBarReportsOnPress()
    {
        W_Key bar;
        bar.connectControls();
        QVERIFY(showAndWait(&bar));
        ReportLog barLog(&bar);
        auto read = bar.findChild<QPushButton *>("READ");
        auto write = bar.findChild<QPushButton *>("WRITE");
        auto freeze = bar.findChild<QPushButton *>("Freeze Protection");
        QVERIFY(read && write && freeze && bar.findChild<QPushButton *>("DEFAULT"));

        QTest::mousePress(read, Qt::LeftButton);
        QCOMPARE(barLog.entries, QStringList({"READ=0"}));               // before the release
        QTest::qWait(50);                                                // held down: still once
        QTest::mouseRelease(read, Qt::LeftButton, {}, QPoint(-20, -20)); // dragged off
        write->setFocus();
        QTest::keyClick(write, Qt::Key_Space);
        // The checkable button reports the state it is leaving.
        QTest::mouseClick(freeze, Qt::LeftButton);
        QVERIFY(freeze->isChecked());
        QTest::mouseClick(freeze, Qt::LeftButton);
        QVERIFY(!freeze->isChecked());
        bar.setText("READ", "Read");
        QCOMPARE(read->text(), QString("Read"));
        QCOMPARE(barLog.take(),
                 QStringList({"READ=0", "WRITE=0", "Freeze Protection=0", "Freeze Protection=1"}));
    }

private:
    Sample *editor = nullptr;
    ReportLog *log = nullptr;
};

QTEST_MAIN(TestEditorBase)
#include "tst_editorbase.moc"
