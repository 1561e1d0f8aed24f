#include "panels/kalibr.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QTransform>

namespace {

const int MaxSetPoint = 20000; // 20 mA, in microamperes
const int MaxMeasured = 21600; // a meter may read above the highest set point

} // namespace

Kalibr::Kalibr(QWidget *parent)
    : W_QWidget(parent),
      setKalibr(new QPushButton(tr("Check current (the flowing out current must be 20mA)"), this)),
      resetKalibr(new QPushButton(tr("Exit calibration mode"), this)),
      curCurrent(new QSpinBox(this)), setCurCurrent(new QPushButton(tr("Set current"), this)),
      realCurrent(new QSpinBox(this)),
      // The first letter is the Cyrillic capital IE (U+0415), not a Latin E.
      setRealCurrent(new QPushButton(tr("\u0415nter value"), this)),
      group(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Calibration"), this))
{
    // The pictures live in the static core library; referring to them keeps
    // them linked in.
    Q_INIT_RESOURCE(pictures);

    setKalibr->setObjectName(QStringLiteral("setKalibr"));
    resetKalibr->setObjectName(QStringLiteral("resetKalibr"));
    curCurrent->setObjectName(QStringLiteral("curCurrent"));
    setCurCurrent->setObjectName(QStringLiteral("setCurCurrent"));
    realCurrent->setObjectName(QStringLiteral("realCurrent"));
    setRealCurrent->setObjectName(QStringLiteral("setRealCurrent"));

    auto grid = new QGridLayout(group);
    grid->setVerticalSpacing(1);
    group->setContentsMargins(-1, 15, -1, -1);
    auto layout = new QHBoxLayout(this);
    layout->setContentsMargins(-1, 0, -1, 2); // left and right from the style
    layout->addWidget(group);

    auto writeLabel = labelFor(realCurrent, tr("Write actual current value"), this);
    auto setPointUnit = new QLabel(tr("mkA"), this);
    auto measuredUnit = new QLabel(tr("mkA"), this);
    curCurrent->setMaximum(MaxSetPoint);
    // The set point has only its unit beside it.
    curCurrent->setAccessibleName(tr("Current set point, mkA"));
    realCurrent->setMaximum(MaxMeasured);
    resetKalibr->hide();

    // The arrows draw the procedure as a loop. One transform is turned step
    // by step, so the angles add up: down, down, right, up, up.
    // Two lines of text wide and one high, at any font size, drawn at the
    // screen's own pixels.
    const int line = fontMetrics().height();
    const qreal pixels = devicePixelRatioF();
    QPixmap triangle = QPixmap(QStringLiteral("://pic/treugol"))
                           .scaled(QSize(2 * line, line) * pixels, Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);
    triangle.setDevicePixelRatio(pixels);
    QTransform turn;
    auto arrow = [&](qreal step) {
        turn.rotate(step);
        auto label = new QLabel(this);
        label->setAlignment(Qt::AlignCenter);
        label->setPixmap(triangle.transformed(turn));
        return label;
    };
    QLabel *downToSetPoint = arrow(0);
    QLabel *downToSet = arrow(0);
    QLabel *rightToMeasured = arrow(270);
    QLabel *upToEnter = arrow(270);
    QLabel *upToMode = arrow(0);

    grid->addWidget(setKalibr, 0, 0, 1, 5);
    grid->addWidget(resetKalibr, 0, 0, 1, 5); // only one of the two is ever shown
    grid->addWidget(downToSetPoint, 1, 0);
    grid->addWidget(upToMode, 1, 3);
    grid->addWidget(curCurrent, 2, 0);
    grid->addWidget(setPointUnit, 2, 1);
    grid->addWidget(setRealCurrent, 2, 3);
    grid->addWidget(downToSet, 3, 0);
    grid->addWidget(upToEnter, 3, 3);
    grid->addWidget(setCurCurrent, 4, 0);
    grid->addWidget(rightToMeasured, 4, 1);
    grid->addWidget(writeLabel, 4, 2);
    grid->addWidget(realCurrent, 4, 3);
    grid->addWidget(measuredUnit, 4, 4);

    // Connected before the base wires the buttons, so the mode buttons have
    // swapped by the time the press is reported.
    connect(setKalibr, &QPushButton::pressed, this, &Kalibr::enterMode);
    connect(resetKalibr, &QPushButton::pressed, this, &Kalibr::exitMode);
    connectControls();
    curCurrent->setValue(MaxSetPoint);
}

void Kalibr::enterMode()
{
    setModeOn(true);
}

void Kalibr::exitMode()
{
    setModeOn(false);
}

void Kalibr::setModeOn(bool on)
{
    // Hide first, so that the two never stand side by side.
    (on ? setKalibr : resetKalibr)->hide();
    (on ? resetKalibr : setKalibr)->show();
}
