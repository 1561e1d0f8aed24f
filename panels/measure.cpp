#include "panels/measure.h"

#include "protocol/averagingbyte.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

bool Measure::phase = false;

namespace {

const int PollInterval = 500; // ms; a request leaves on every second tick
const quint8 UnansweredBeforeRed = 2;

quint32 decimal(const QByteArray &text)
{
    bool ok = false;
    const quint32 v = text.toUInt(&ok, 10);
    return ok ? v : 0;
}

} // namespace

Measure::Measure(QWidget *parent)
    : W_QWidget(parent), start(new QPushButton(tr("Measurement mode"), this)),
      timer(new QTimer(this))
{
    auto group = W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Measuremets"), this);
    auto outer = new QGridLayout(this);
    outer->setSpacing(3);
    outer->setContentsMargins(9, 3, 9, 3);
    outer->addWidget(group, 0, 0);

    auto inner = new QGridLayout(group);
    inner->setSpacing(0);
    inner->setContentsMargins(9, 3, 9, 3);
    inner->addWidget(start, 0, 0, 1, 2);
    inner->addWidget(buildChannel(channel1, 1), 1, 0);
    inner->addWidget(buildChannel(channel2, 2), 2, 0);
    setInputType(0);
    paintButton(Qt::lightGray);
    start->setToolTip(tr("Asks the device for its input values once a second until "
                         "pressed again; red when answers stop."));

    timer->setInterval(PollInterval);
    timer->start();
    connect(timer, &QTimer::timeout, this, &Measure::slTimer);
    connect(start, &QPushButton::pressed, this, &Measure::slStart);
    connectControls();
}

QWidget *Measure::buildChannel(Channel &channel, int number)
{
    auto box = new QGroupBox(this);
    channel.typeAveraging = new QComboBox(this);
    channel.typeAveraging->setObjectName(QStringLiteral("TypeAveraging%1").arg(number));
    channel.typeAveraging->addItems(
        {tr("Arithmetic mean"), tr("Median"), tr("Simple moving average")});
    channel.averaging = new QSpinBox(this);
    channel.averaging->setObjectName(QStringLiteral("Averaging%1").arg(number));
    channel.averaging->setRange(1, 20);
    channel.diskret = new QSpinBox(this);
    channel.diskret->setObjectName(QStringLiteral("Diskret%1").arg(number));
    channel.diskret->setRange(1, 20);
    channel.thresholdUnit = new QLabel(this);
    channel.name = new QLabel(this);
    channel.value = new QLineEdit(this);
    channel.valueUnit = new QLabel(this);
    channel.state = new QLineEdit(this);
    channel.value->setToolTip(
        tr("Latest value of input %1; greyed while the device does not answer.").arg(number));
    channel.state->setToolTip(
        tr("Discrete state of input %1: High once its value reaches the threshold.").arg(number));

    auto grid = new QGridLayout(box);
    grid->setSpacing(3);
    grid->setContentsMargins(9, 0, 9, 0);
    grid->addWidget(labelFor(channel.typeAveraging, tr("Averaging type"), this), 0, 0);
    grid->addWidget(channel.typeAveraging, 0, 1, 1, 2);
    grid->addWidget(labelFor(channel.averaging, tr("Averaging interval"), this), 1, 0);
    grid->addWidget(channel.averaging, 1, 1);
    grid->addWidget(new QLabel(tr("sec"), this), 1, 2);
    grid->addWidget(labelFor(channel.diskret, tr("Transition from low to high"), this), 2, 0);
    grid->addWidget(channel.diskret, 2, 1);
    grid->addWidget(channel.thresholdUnit, 2, 2);

    auto row = new QHBoxLayout;
    row->setSpacing(3);
    row->setContentsMargins(5, 0, 5, 0);
    row->addWidget(channel.name);
    row->addWidget(channel.value);
    row->addWidget(channel.valueUnit);
    row->addWidget(channel.state);
    grid->addLayout(row, 3, 0, 1, 3);
    return box;
}

void Measure::stopMeasurement()
{
    running = false;
    start->setText(tr("Measurement mode"));
    clearFields();
    paintButton(Qt::lightGray);
}

void Measure::setInputType(quint8 code)
{
    // A current input shows microamperes and takes its threshold in
    // milliamperes; a voltage input shows millivolts and takes volts.
    auto current = [](Channel &c, int number) {
        c.name->setText(tr("In A%1").arg(number));
        c.thresholdUnit->setText(tr("mA"));
        c.valueUnit->setText(tr("mkA"));
    };
    auto voltage = [](Channel &c, int number) {
        c.name->setText(tr("In D%1").arg(number));
        c.thresholdUnit->setText(tr("V"));
        c.valueUnit->setText(tr("mV"));
    };
    switch (code) {
    case 0:
        current(channel1, 1);
        current(channel2, 2);
        break;
    case 1:
        current(channel1, 1);
        voltage(channel2, 2);
        break;
    case 2:
        voltage(channel1, 1);
        voltage(channel2, 2);
        break;
    default:
        break;
    }
    // The fields are named after the input, which its kind renames.
    for (Channel *c : {&channel1, &channel2}) {
        pairLabel(c->name, c->value);
        c->state->setAccessibleName(tr("%1 state").arg(nameOf(c->name->text())));
    }
}

void Measure::setSettings(quint8 averaging1, quint8 averaging2, quint8 diskret1, quint8 diskret2)
{
    // Kind 3 has no entry; the combo box then shows none, and reports -1,
    // rather than pretend the device averages some other way.
    channel1.typeAveraging->setCurrentIndex(AveragingByte::kind(averaging1));
    channel1.averaging->setValue(AveragingByte::interval(averaging1));
    channel1.diskret->setValue(diskret1);
    channel2.typeAveraging->setCurrentIndex(AveragingByte::kind(averaging2));
    channel2.averaging->setValue(AveragingByte::interval(averaging2));
    channel2.diskret->setValue(diskret2);
}

void Measure::setValues(const QByteArrayList &values)
{
    channel1.value->setText(QStringLiteral(" %1").arg(decimal(values.value(0))));
    channel2.value->setText(QStringLiteral(" %1").arg(decimal(values.value(1))));
    auto level = [](const QByteArray &text) {
        return decimal(text) != 0 ? tr(" High") : tr(" Low");
    };
    channel1.state->setText(level(values.value(2)));
    channel2.state->setText(level(values.value(3)));
    paintButton(Qt::green);
    answerCountdown = UnansweredBeforeRed;
    setStale(false);
}

void Measure::slTimer()
{
    if (!running)
        return;
    phase = !phase;
    if (!phase) {
        paintButton(Qt::lightGray);
        return;
    }
    emit sgGetValue();
    if (answerCountdown > 0) {
        --answerCountdown;
    } else {
        paintButton(Qt::red);
        setStale(true);
    }
}

void Measure::slStart()
{
    running = !running;
    start->setText(running ? tr("Stop measurement") : tr("Measurement mode"));
    clearFields();
    answerCountdown = UnansweredBeforeRed;
    paintButton(Qt::lightGray);
}

void Measure::clearFields()
{
    for (Channel *c : {&channel1, &channel2}) {
        c->value->clear();
        c->state->clear();
    }
    setStale(false);
}

void Measure::setStale(bool on)
{
    if (on == stale)
        return;
    stale = on;
    for (Channel *c : {&channel1, &channel2}) {
        for (QLineEdit *field : {c->value, c->state}) {
            // Greyed as a disabled field's text; an empty palette returns
            // the field to the window's own.
            QPalette palette;
            if (on) {
                palette = field->palette();
                palette.setColor(QPalette::Text, palette.color(QPalette::Disabled, QPalette::Text));
            }
            field->setPalette(palette);
        }
    }
}

void Measure::paintButton(Qt::GlobalColor color)
{
    QPalette palette = start->palette();
    palette.setBrush(start->backgroundRole(), QBrush(color, Qt::SolidPattern));
    start->setPalette(palette);
}
