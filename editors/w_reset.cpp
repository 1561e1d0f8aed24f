#include "editors/w_reset.h"

#include "editors/w_qwidget.h"

#include "protocol/logging.h"
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace {
constexpr int MaxSteps = 250;
}

w_Reset::w_Reset(const QString &text, const QString &unit, quint8 step, quint16 defaultValue,
                 QWidget *parent)
    : QWidget(parent), step(step), defaultValue(defaultValue), checkBox(new QCheckBox(text, this)),
      spinBox(new QSpinBox(this)), unitLabel(new QLabel(unit, this))
{
    spinBox->setRange(step, MaxSteps * step);
    spinBox->setSingleStep(step);
    // Off until a value says otherwise.
    spinBox->setEnabled(false);
    // The check box's text is the timer's label; the spin box is its value.
    spinBox->setAccessibleName(W_QWidget::nameOf(text));

    auto layout = new QHBoxLayout(this);
    layout->addWidget(checkBox);
    layout->addWidget(spinBox);
    layout->addWidget(unitLabel);

    connectSwitch();
    connect(spinBox, qOverload<int>(&QSpinBox::valueChanged), this, &w_Reset::valueChange);
}

void w_Reset::setValue(int v)
{
    // Only this editor's own handler is dropped; what others connected to
    // the check box stays.
    disconnect(checkBox, nullptr, this, nullptr);
    const bool on = v >= 1;
    // The spin box is disabled first: a change it reports now belongs to a
    // timer that is off, and is reported as 0.
    spinBox->setEnabled(on);
    const qint64 shown =
        qBound(qint64(spinBox->minimum()), qint64(v) * step, qint64(spinBox->maximum()));
    spinBox->setValue(int(shown));
    checkBox->setChecked(on);
    connectSwitch();
}

void w_Reset::valueChange(int v)
{
    qCDebug(lcWindow) << "valueChange" << v;
    if (v == 0) {
        checkBox->setFocus();
        emit sgValueChange(0);
        return;
    }
    if (!spinBox->isEnabledTo(this)) {
        // setValue switched the timer off and the spin box fell to its
        // minimum: the device gets 0, not the minimum.
        emit sgValueChange(0);
        return;
    }
    emit sgValueChange(step ? v / step : v);
}

void w_Reset::switchChanged(int state)
{
    spinBox->setEnabled(state != 0);
    if (state == 0) {
        valueChange(0);
        return;
    }
    // Switching on starts again from the default, not from the last value.
    spinBox->setValue(defaultValue);
    valueChange(spinBox->value());
}

void w_Reset::connectSwitch()
{
    connect(checkBox, &QCheckBox::stateChanged, this, &w_Reset::switchChanged);
}
