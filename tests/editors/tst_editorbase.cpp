#include "editors/w_qwidget.h"
#include "editors/w_rb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QtTest>

// An editor as the derived editors build them: named controls, a radio group
// whose buttons are created with the editor as parent and then laid out in
// the group box, and a nested editor that wired itself first.
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
        toggle = add<QPushButton>(layout, "Toggle");
        toggle->setCheckable(true);
        text = add<QLineEdit>(layout, "Text");

        group = new QGroupBox("Group A", this);
        auto groupLayout = new QVBoxLayout(group);
        three = new W_Rb(this, 3, "three");
        five = new W_Rb(this, 5, "five");
        groupLayout->addWidget(three);
        groupLayout->addWidget(five);
        layout->addWidget(group);
        loose = new W_Rb(this, 7, "loose");
        layout->addWidget(loose);

        inner = new W_QWidget(this);
        auto innerLayout = new QVBoxLayout(inner);
        innerSpin = add<QSpinBox>(innerLayout, "Inner");
        layout->addWidget(inner);
        inner->connectControls();
    }

    template <typename T> T *add(QLayout *layout, const char *name)
    {
        auto control = new T(this);
        control->setObjectName(name);
        layout->addWidget(control);
        return control;
    }

    QSpinBox *level1, *level2, *innerSpin;
    QComboBox *mode;
    QCheckBox *flag;
    QPushButton *toggle;
    QLineEdit *text;
    QGroupBox *group;
    W_Rb *three, *five, *loose;
    W_QWidget *inner;
};

using Reports = QList<QPair<QString, int>>;

static Reports reports(const QSignalSpy &spy)
{
    Reports out;
    for (const QList<QVariant> &args : spy)
        out.append({args.at(0).toString(), args.at(1).toInt()});
    return out;
}

// Clicks a radio button on its indicator, where a user aims (the middle of a
// widened button is outside its text).
static void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

class TestEditorBase : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        editor = new Sample;
        editor->connectControls();
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor));
    }
    void cleanup() { delete editor; }

    void comboChangeReportsIndexThenText();
    void checkableButtonReportsStateBeforePress();
    void radioButtonReportsGroupTitleEvenWhenChecked();
    void setValueActsOnEveryPrefixMatch();
    void setValueClampsSpinAndReportsOnce();
    void setValueOnRadioGroup();
    void setValueOnComboAndCheckBox();
    void nestedEditorReportsThroughBoth();
    void textsByName();

private:
    Sample *editor = nullptr;
};

void TestEditorBase::comboChangeReportsIndexThenText()
{
    QStringList log;
    connect(editor, &W_QWidget::sgValueChange, this,
            [&](const QString &n, int v) { log << QString("%1=%2").arg(n).arg(v); });
    connect(editor, &W_QWidget::sgTextChange, this,
            [&](const QString &n, const QString &v) { log << QString("%1:%2").arg(n, v); });
    editor->mode->setFocus();
    QTest::keyClick(editor->mode, Qt::Key_Down);
    QCOMPARE(log, QStringList({"Mode=1", "Mode:b"}));
}

void TestEditorBase::checkableButtonReportsStateBeforePress()
{
    QSignalSpy spy(editor, &W_QWidget::sgValueChange);
    QTest::mouseClick(editor->toggle, Qt::LeftButton);
    QVERIFY(editor->toggle->isChecked());
    QTest::mouseClick(editor->toggle, Qt::LeftButton);
    QVERIFY(!editor->toggle->isChecked());
    QCOMPARE(reports(spy), Reports({{"Toggle", 0}, {"Toggle", 1}}));
}

void TestEditorBase::radioButtonReportsGroupTitleEvenWhenChecked()
{
    QSignalSpy spy(editor, &W_QWidget::sgValueChange);
    click(editor->five);
    click(editor->five);
    click(editor->loose); // not in a group: no name
    QVERIFY(editor->five->isChecked());
    QVERIFY(editor->loose->isChecked());
    QCOMPARE(reports(spy), Reports({{"Group A", 5}, {"Group A", 5}}));
}

void TestEditorBase::setValueActsOnEveryPrefixMatch()
{
    QSignalSpy spy(editor, &W_QWidget::sgValueChange);
    editor->setValue("Level", 7);
    QCOMPARE(editor->level1->value(), 7);
    QCOMPARE(editor->level2->value(), 7);
    QCOMPARE(reports(spy), Reports({{"Level 1", 7}, {"Level 2", 7}}));

    spy.clear();
    editor->setValue("level", 9); // case matters
    editor->setValue("Level 3", 9);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(editor->level1->value(), 7);
}

void TestEditorBase::setValueClampsSpinAndReportsOnce()
{
    QSignalSpy spy(editor, &W_QWidget::sgValueChange);
    editor->setValue("Level 1", 500);
    QCOMPARE(editor->level1->value(), 100);
    editor->setValue("Level 1", 300); // still 100: no change, no report
    QCOMPARE(reports(spy), Reports({{"Level 1", 100}}));
}

void TestEditorBase::setValueOnRadioGroup()
{
    QSignalSpy spy(editor, &W_QWidget::sgValueChange);
    editor->setValue("Group", 5);
    QVERIFY(editor->five->isChecked());
    editor->setValue("Group A", 4); // no button carries 4
    QVERIFY(editor->five->isChecked());
    QVERIFY(!editor->three->isChecked());
    editor->setValue("Group A", 3);
    QVERIFY(editor->three->isChecked() && !editor->five->isChecked());
    QCOMPARE(spy.count(), 0); // radio buttons report presses only
}

void TestEditorBase::setValueOnComboAndCheckBox()
{
    QSignalSpy values(editor, &W_QWidget::sgValueChange);
    QSignalSpy texts(editor, &W_QWidget::sgTextChange);
    editor->setValue("Mode", 0); // already there
    QCOMPARE(values.count(), 0);
    editor->setValue("Mode", 2);
    QCOMPARE(editor->getText("Mode"), QString("c"));
    editor->setValue("Mode", 7); // no such item
    QCOMPARE(editor->mode->currentIndex(), -1);
    QCOMPARE(editor->getText("Mode"), QString());
    editor->setValue("Flag", 2);
    QVERIFY(editor->flag->isChecked());
    editor->setValue("Flag", 0);
    QCOMPARE(reports(values), Reports({{"Mode", 2}, {"Mode", -1}, {"Flag", 1}, {"Flag", 0}}));
    QCOMPARE(texts.count(), 2);
    QCOMPARE(texts.at(1).at(1).toString(), QString());
}

void TestEditorBase::nestedEditorReportsThroughBoth()
{
    QSignalSpy outer(editor, &W_QWidget::sgValueChange);
    QSignalSpy inner(editor->inner, &W_QWidget::sgValueChange);
    editor->innerSpin->setFocus();
    QTest::keyClick(editor->innerSpin, Qt::Key_Up);
    QCOMPARE(reports(inner), Reports({{"Inner", 1}}));
    QCOMPARE(reports(outer), Reports({{"Inner", 1}}));
}

void TestEditorBase::textsByName()
{
    editor->setText("Text", "LE50-868");
    editor->setText("Tog", "Flip");
    editor->setText("Nothing", "x");
    QCOMPARE(editor->text->text(), QString("LE50-868"));
    QCOMPARE(editor->toggle->text(), QString("Flip"));
    QCOMPARE(editor->getText("Mo"), QString("a"));
    QCOMPARE(editor->getText("Nothing"), QString());
}

QTEST_MAIN(TestEditorBase)
#include "tst_editorbase.moc"
