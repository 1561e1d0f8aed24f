#include "editors/w_numofdown.h"

#include "editors/w_rb.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace {

const char *const Discrete2Title = QT_TRANSLATE_NOOP("W_QWidget", "Out D2 Discret");
const char *const SingleDiscreteTitle = QT_TRANSLATE_NOOP("W_QWidget", "Out D Discret");

} // namespace

w_NumOfDown::w_NumOfDown(QWidget *parent)
    : W_QWidget(parent), numOfDown(new QSpinBox(this)),
      inversion1(new QCheckBox(tr("Output inversion"), this)),
      inversion2(new QCheckBox(tr("Output inversion"), this)),
      note(new QLabel(tr("The device will stop responding to the RS-485"), this)),
      groupCurrent(W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Out 4-20"), this)),
      groupDiscrete1(
          W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Out D1 Discret"), this)),
      groupDiscrete2(W_QWidget::titledGroup(Discrete2Title, this))
{
    numOfDown->setObjectName(QStringLiteral("Num of down"));
    numOfDown->setRange(1, 15);
    inversion1->setObjectName(QStringLiteral("Out1 inversion"));
    inversion2->setObjectName(QStringLiteral("Out2 inversion"));

    // Each group: value 0 in row 0, value 1 in row 1, the inversion in row 2.
    auto fillGroup = [this](QGroupBox *group, QList<W_Rb *> &buttons, const QString &low,
                            const QString &high, QCheckBox *inversion) {
        auto groupLayout = new QGridLayout(group);
        buttons.append(new W_Rb(this, 0, low));
        buttons.append(new W_Rb(this, 1, high));
        groupLayout->addWidget(buttons.at(0), 0, 0);
        groupLayout->addWidget(buttons.at(1), 1, 0);
        if (inversion)
            groupLayout->addWidget(inversion, 2, 0);
    };
    fillGroup(groupCurrent, current, tr("Freeze the output current if there is no radiolink"),
              tr("The output current is zero if there is no radiolink"), nullptr);
    const QString low = tr("Low level if there is no radiolink");
    const QString high = tr("High level if there is no radiolink");
    fillGroup(groupDiscrete1, discrete1, low, high, inversion1);
    fillGroup(groupDiscrete2, discrete2, low, high, inversion2);

    auto layout = new QGridLayout(this);
    layout->setVerticalSpacing(0);
    // The current group and the first discrete group never show together.
    layout->addWidget(groupCurrent, 0, 0, 1, 2);
    layout->addWidget(groupDiscrete1, 0, 0, 1, 2);
    layout->addWidget(groupDiscrete2, 1, 0, 1, 2);
    layout->addWidget(numOfDown, 2, 0);
    // The spin box stands before its label, which goes on in the next row.
    layout->addWidget(
        labelFor(numOfDown, tr("The number of radio non-responses in a row after"), this), 2, 1);
    layout->addWidget(
        new QLabel(tr("which the device detects the absence of radio communication."), this), 3, 0,
        1, 2);
    layout->addWidget(note, 4, 0, 1, 2);
}

void w_NumOfDown::setType(int kind)
{
    type = kind;
    note->hide();
    groupCurrent->hide();
    groupDiscrete1->hide();
    groupDiscrete2->hide();
    switch (kind) {
    case 1:
        note->show();
        break;
    case 2:
        groupCurrent->show();
        break;
    case 3:
        groupCurrent->show();
        setGroupTitle(groupDiscrete2, SingleDiscreteTitle);
        groupDiscrete2->show();
        break;
    case 4:
        groupDiscrete1->show();
        setGroupTitle(groupDiscrete2, Discrete2Title);
        groupDiscrete2->show();
        break;
    default:
        break;
    }
}
