#include "panels/w_test.h"

#include "panels/w_adres.h"

#include "protocol/logging.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>

W_Test::W_Test(QWidget *parent)
    : W_QWidget(parent), testButton(new QPushButton(tr("TEST"), this)),
      cleanButton(new QPushButton(tr("CLEAN TEST"), this)), scroll(new QScrollArea(this))
{
    testButton->setCheckable(true);
    testButton->setToolTip(
        tr("Polls the ticked remote addresses in turn until pressed again (STOP)."));
    cleanButton->setToolTip(tr("Clears the poll history and the counts of every address."));

    auto group =
        W_QWidget::titledGroup(QT_TRANSLATE_NOOP("W_QWidget", "Radio Stability Check"), this);
    auto outer = new QGridLayout(this);
    outer->setContentsMargins(9, 5, 9, 0);
    outer->addWidget(group, 0, 0);
    auto inner = new QGridLayout(group);
    inner->setSpacing(5);
    inner->setContentsMargins(9, 5, 9, 5);
    inner->addWidget(testButton, 0, 0);
    inner->addWidget(cleanButton, 0, 1);

    // Addresses 1 to 5 down the first column, 6 to 10 down the second.
    auto content = new QWidget;
    content->setContentsMargins(0, 0, 0, 0);
    auto grid = new QGridLayout(content);
    grid->setSpacing(0);
    grid->setContentsMargins(2, 0, 2, 0);
    const int perColumn = RowCount / 2;
    for (int i = 0; i < RowCount; ++i) {
        auto row = new W_Adres(quint8(i + 1), content);
        rows.append(row);
        grid->addWidget(row, i % perColumn, i / perColumn);
    }
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setMinimumHeight(35);
    // The keyboard stops at the rows inside, which scroll themselves into
    // view; the frame around them is no stop of its own.
    scroll->setFocusPolicy(Qt::NoFocus);
    inner->addWidget(scroll, 10, 0, 1, 2);
    for (W_Adres *row : qAsConst(rows))
        connect(row->adresEditor(), qOverload<int>(&QSpinBox::valueChanged), this,
                &W_Test::showCounts);
    showCounts();

    connect(testButton, &QPushButton::toggled, this, &W_Test::slTestEn);
    connect(cleanButton, &QPushButton::pressed, this, &W_Test::slClean);
    setIdle(true);
}

void W_Test::addRect(const QByteArray &request)
{
    if (W_Adres *row = rowOf(request))
        row->addRect(false);
    counts.sent(request);
    pending = request;
    showCounts();
}

void W_Test::okRect(const QByteArray &request)
{
    qCDebug(lcWindow) << "w_test"
                      << "okRect";
    if (W_Adres *row = rowOf(request))
        row->setRectOk();
    // Only a poll counted as sent since the last CLEAN TEST has an outcome to count.
    if (pending == request) {
        counts.answered(request);
        pending.clear();
        showCounts();
    }
}

void W_Test::errRect(const QByteArray &request)
{
    qCDebug(lcWindow) << "w_test"
                      << "errRect";
    if (W_Adres *row = rowOf(request))
        row->setRectErr();
    // Only a poll counted as sent since the last CLEAN TEST has an outcome to count.
    if (pending == request) {
        counts.missed(request);
        pending.clear();
        showCounts();
    }
}

void W_Test::setIdle(bool idle)
{
    testButton->setText(idle ? tr("TEST") : tr("STOP"));
    // Unchecking a running test stops it through slTestEn; checking it with
    // no address ticked falls back to idle there, which settles the panel.
    testButton->setChecked(!idle);
    for (W_Adres *row : qAsConst(rows))
        row->setEnabled(idle);
}

void W_Test::setSingleAdres(bool single)
{
    for (int i = 1; i < rows.size(); ++i)
        rows.at(i)->setVisible(!single);
}

bool W_Test::isTestOn() const
{
    return testButton->isChecked();
}

void W_Test::slTestEn(bool on)
{
    if (!on) {
        emit sgStopTest();
        setIdle(true);
        if (running) {
            running = false;
            // The poll on its way when the check stopped has no outcome.
            counts.withdrawn(pending);
            pending.clear();
            showCounts();
            emit sgOutcome(summary());
        }
        return;
    }
    QByteArray adreses;
    for (int i = 0; i < rows.size(); ++i) {
        if (rows.at(i)->isChecked())
            adreses.append(char(rows.at(i)->adres()));
    }
    if (adreses.isEmpty())
        testButton->setChecked(false); // nothing to poll: back to idle, through !on above
    else {
        running = true;
        emit sgStartTest(adreses);
    }
    setIdle(!isTestOn());
}

void W_Test::slClean()
{
    for (W_Adres *row : qAsConst(rows))
        row->clearRects();
    counts.clear();
    pending.clear();
    showCounts();
    emit sgClearTest();
}

W_Adres *W_Test::rowOf(const QByteArray &request) const
{
    // The address ends at "=", so "17=$..." is never taken for address 1 or
    // 7. CR ends the match: the first poll of a run has no LF after it. Rows
    // are told apart by address alone, ticked or not; of two rows with the
    // same address the first one shows the outcome.
    for (W_Adres *row : rows)
        if (request.startsWith(QByteArray::number(row->adres()) + "=$\r"))
            return row;
    return nullptr;
}

namespace {

QString percent(const StabilityTally::Row &r)
{
    return QStringLiteral("%1 %").arg(qRound(r.share() * 100));
}

} // namespace

void W_Test::showCounts()
{
    for (W_Adres *row : qAsConst(rows)) {
        const StabilityTally::Row r = counts.row(quint8(row->adres()));
        if (r.sent == 0) {
            row->setToolTip(
                tr("Address %1: no polls since the last CLEAN TEST.").arg(row->adres()));
            continue;
        }
        row->setToolTip(tr("Address %1 since the last CLEAN TEST: %2 polls sent, %3 "
                           "answered (%4); at most %5 in a row unanswered.")
                            .arg(r.address)
                            .arg(r.sent)
                            .arg(r.answered)
                            .arg(percent(r))
                            .arg(r.longestMissRun));
    }
}

QString W_Test::summary() const
{
    const QList<StabilityTally::Row> polled = counts.rows();
    if (polled.isEmpty())
        return tr("Stability check stopped: no polls since the last CLEAN TEST.");
    QStringList parts;
    for (const StabilityTally::Row &r : polled)
        parts << tr("address %1 answered %2 of %3 (%4)")
                     .arg(r.address)
                     .arg(r.answered)
                     .arg(r.sent)
                     .arg(percent(r));
    return tr("Stability check stopped: ") + parts.join(QStringLiteral("; ")) + QLatin1Char('.');
}
