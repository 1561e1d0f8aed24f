#include "editors/w_qwidget.h"

#include "editors/w_power.h"
#include "editors/w_rb.h"
#include "editors/w_reset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

namespace {

// The untranslated title of a group box.
const char *const GroupNameProperty = "rlxGroupName";

// Visits every descendant of `node` depth first, children in their stored
// order; `node` itself is not visited.
template <typename Visit> void walk(const QObject *node, Visit &&visit)
{
    for (QObject *child : node->children()) {
        visit(child);
        walk(child, visit);
    }
}

// The parameter name of a control: a group box is named by its title.
QString parameterName(const QObject *object)
{
    if (auto box = qobject_cast<const QGroupBox *>(object))
        return W_QWidget::groupName(box);
    return object->objectName();
}

} // namespace

W_QWidget::W_QWidget(QWidget *parent) : QWidget(parent) {}

QLabel *W_QWidget::labelFor(QWidget *editor, const QString &text, QWidget *parent)
{
    auto label = new QLabel(text, parent);
    pairLabel(label, editor);
    return label;
}

void W_QWidget::pairLabel(QLabel *label, QWidget *editor)
{
    label->setBuddy(editor);
    editor->setAccessibleName(nameOf(label->text()));
}

QString W_QWidget::nameOf(const QString &labelText)
{
    QString name;
    // "&&" stands for one "&"; a single "&" marks the mnemonic and is dropped.
    for (int i = 0; i < labelText.size(); ++i) {
        if (labelText.at(i) == QLatin1Char('&') && ++i == labelText.size())
            break;
        name.append(labelText.at(i));
    }
    name = name.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

QGroupBox *W_QWidget::titledGroup(const char *title, QWidget *parent)
{
    auto box = new QGroupBox(parent);
    setGroupTitle(box, title);
    return box;
}

void W_QWidget::setGroupTitle(QGroupBox *box, const char *title)
{
    box->setProperty(GroupNameProperty, QString::fromUtf8(title));
    box->setTitle(tr(title));
}

QString W_QWidget::groupName(const QGroupBox *box)
{
    const QVariant name = box->property(GroupNameProperty);
    return name.isValid() ? name.toString() : box->title();
}

void W_QWidget::connectControls()
{
    walk(this, [this](QObject *child) {
        if (auto spin = qobject_cast<QSpinBox *>(child)) {
            spinBoxes.append(spin);
            connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, &W_QWidget::slValueChange);
        } else if (auto combo = qobject_cast<QComboBox *>(child)) {
            comboBoxes.append(combo);
            connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this,
                    &W_QWidget::slValueChange);
            connect(combo, &QComboBox::currentTextChanged, this, &W_QWidget::slTextChange);
        } else if (auto rb = qobject_cast<W_Rb *>(child)) {
            radioButtons.append(rb);
            connect(rb, &W_Rb::pressed, this, &W_QWidget::slPressed);
        } else if (auto check = qobject_cast<QCheckBox *>(child)) {
            checkBoxes.append(check);
            connect(check, &QCheckBox::stateChanged, this, &W_QWidget::slStateChanged);
        } else if (auto button = qobject_cast<QPushButton *>(child)) {
            pushButtons.append(button);
            connect(button, &QPushButton::pressed, this, &W_QWidget::slPressed);
        } else if (auto power = qobject_cast<W_Power *>(child)) {
            powerDials.append(power);
            connect(power, &W_Power::sgSetPower, this, &W_QWidget::slValueChange);
        } else if (auto reset = qobject_cast<w_Reset *>(child)) {
            resetEditors.append(reset);
            connect(reset, &w_Reset::sgValueChange, this, &W_QWidget::slValueChange);
        }
    });
}

void W_QWidget::setValue(const QString &name, int value)
{
    // Setting a control reports the change synchronously, and whoever hears it
    // may change the tree; so the matching controls are collected first and
    // each is acted on only while it still exists.
    QList<QPointer<QObject>> targets;
    walk(this, [&](QObject *child) {
        if (qobject_cast<QSpinBox *>(child) || qobject_cast<QCheckBox *>(child) ||
            qobject_cast<QComboBox *>(child) || qobject_cast<QGroupBox *>(child) ||
            qobject_cast<w_Reset *>(child) || qobject_cast<W_Power *>(child)) {
            if (parameterName(child).startsWith(name))
                targets.append(child);
        }
    });

    for (const QPointer<QObject> &target : qAsConst(targets)) {
        QObject *object = target.data();
        if (!object)
            continue;
        if (auto spin = qobject_cast<QSpinBox *>(object)) {
            spin->setValue(value);
        } else if (auto check = qobject_cast<QCheckBox *>(object)) {
            check->setChecked(value != 0);
        } else if (auto combo = qobject_cast<QComboBox *>(object)) {
            combo->setCurrentIndex(value);
        } else if (auto box = qobject_cast<QGroupBox *>(object)) {
            const QObjectList children = box->children();
            for (QObject *child : children) {
                auto rb = qobject_cast<W_Rb *>(child);
                if (rb && rb->value() == value)
                    rb->setChecked(true);
            }
        } else if (auto reset = qobject_cast<w_Reset *>(object)) {
            reset->setValue(value);
        } else if (auto power = qobject_cast<W_Power *>(object)) {
            power->setPower(quint8(value));
        }
    }
}

QString W_QWidget::getText(const QString &name) const
{
    QComboBox *found = nullptr;
    walk(this, [&](QObject *child) {
        auto combo = qobject_cast<QComboBox *>(child);
        if (!found && combo && combo->objectName().startsWith(name))
            found = combo;
    });
    return found ? found->currentText() : QString();
}

void W_QWidget::setText(const QString &name, const QString &text)
{
    QList<QPointer<QWidget>> targets;
    walk(this, [&](QObject *child) {
        if ((qobject_cast<QPushButton *>(child) || qobject_cast<QLineEdit *>(child)) &&
            child->objectName().startsWith(name))
            targets.append(static_cast<QWidget *>(child));
    });
    for (const QPointer<QWidget> &target : qAsConst(targets)) {
        if (auto button = qobject_cast<QPushButton *>(target.data()))
            button->setText(text);
        else if (auto edit = qobject_cast<QLineEdit *>(target.data()))
            edit->setText(text);
    }
}

void W_QWidget::slValueChange(int val)
{
    emit sgValueChange(sender() ? sender()->objectName() : QString(), val);
}

void W_QWidget::slTextChange(QString val)
{
    emit sgTextChange(sender() ? sender()->objectName() : QString(), val);
}

void W_QWidget::slPressed()
{
    QObject *source = sender();
    if (auto rb = qobject_cast<W_Rb *>(source)) {
        // A valued radio button speaks for its group; alone it has no name.
        if (auto box = qobject_cast<QGroupBox *>(rb->parent()))
            emit sgValueChange(groupName(box), rb->value());
        return;
    }
    // Pressed comes before a checkable button toggles: this is the old state.
    if (auto button = qobject_cast<QPushButton *>(source))
        emit sgValueChange(button->objectName(), button->isChecked() ? 1 : 0);
}

void W_QWidget::slStateChanged(int)
{
    if (auto check = qobject_cast<QCheckBox *>(sender()))
        emit sgValueChange(check->objectName(), check->isChecked() ? 1 : 0);
}
