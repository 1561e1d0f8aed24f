#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QGroupBox;
class QPushButton;
class QSpinBox;
class W_Power;
class W_Rb;
class w_Reset;

// Base of every parameter editor. An editor is a plain widget tree whose
// controls carry the names of the device parameters they edit (a group of
// valued radio buttons carries it in the title of its group box). The base
// turns every change of a control into one report, a parameter name with an
// integer value, and sets controls by name. Names match by prefix, so one call
// may act on several controls.
class W_QWidget : public QWidget
{
    Q_OBJECT
public:
    explicit W_QWidget(QWidget *parent = nullptr);

    // Walks the whole widget tree (nested editors included) and connects every
    // reporting control to this editor. Call once, after the tree is built.
    void connectControls();

    // Sets every control whose name begins with `name`. Changes made here are
    // reported like user changes.
    void setValue(const QString &name, int value);
    // Current text of the first combo box whose name begins with `name`.
    QString getText(const QString &name) const;
    // Text of every push button and line edit whose name begins with `name`.
    void setText(const QString &name, const QString &text);

    // The label shown beside an editor. Every editor family makes its
    // labels here, so that each one names its editor the same way: the
    // label's text becomes the editor's accessible name (what a screen
    // reader says on reaching it) and the editor becomes the label's buddy.
    static QLabel *labelFor(QWidget *editor, const QString &text, QWidget *parent);
    // Makes an existing label the label of `editor`; called again when the
    // label's text changes.
    static void pairLabel(QLabel *label, QWidget *editor);
    // A label's text as a name: without mnemonic "&" and a trailing ":".
    static QString nameOf(const QString &labelText);
    // A group box titled `title` (marked with QT_TRANSLATE_NOOP("W_QWidget",
    // ...)) in the language of the texts. The untranslated title stays the
    // group's name: the parameter its valued radio buttons report and what
    // its tooltip is found by.
    static QGroupBox *titledGroup(const char *title, QWidget *parent);
    static void setGroupTitle(QGroupBox *box, const char *title);
    static QString groupName(const QGroupBox *box);

signals:
    void sgValueChange(QString name, int val);
    void sgTextChange(QString name, QString val);

private slots:
    virtual void slValueChange(int val);
    virtual void slTextChange(QString val);
    void slPressed();
    void slStateChanged(int);

private:
    QList<QSpinBox *> spinBoxes;
    QList<QComboBox *> comboBoxes;
    QList<W_Rb *> radioButtons;
    QList<QPushButton *> pushButtons;
    QList<W_Power *> powerDials;
    QList<QCheckBox *> checkBoxes;
    QList<w_Reset *> resetEditors;
};
