// The window at larger text, as at 150 % and 200 % of a screen's standard
// resolution without the toolkit's scaling (or with a large font chosen by
// the user): every label, button and the progress bar's text still fits.
#include "app/mainwindow.h"
#include "app/outcomebar.h"
#include "protocol/exchange.h"
#include "tests/memorydevice.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"

#include <QAbstractButton>
#include <QDial>
#include <QLabel>
#include <QProgressBar>
#include <QtTest>

using namespace WindowDriver;

namespace {

// What of a shown control's text does not fit in it, or an empty string.
QString cut(QWidget *w)
{
    const QFontMetrics fm = w->fontMetrics();
    auto tooSmall = [&](const QString &text, QSize need, QSize room) {
        return QStringLiteral("%1 \"%2\": %3x%4 in %5x%6")
            .arg(w->metaObject()->className(), text)
            .arg(need.width())
            .arg(need.height())
            .arg(room.width())
            .arg(room.height());
    };
    if (auto *label = qobject_cast<QLabel *>(w)) {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        const QPixmap picture = label->pixmap(Qt::ReturnByValue);
#else
        const QPixmap picture = label->pixmap();
#endif
        // The calibration's arrows keep their size beside the text.
        const int pictureWidth = int(picture.width() / picture.devicePixelRatio());
        if (!picture.isNull() && pictureWidth < fm.height())
            return tooSmall("picture", {fm.height(), 0}, {pictureWidth, 0});
        if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText)
            return QString();
        // The text's full advance, from where it starts to the label's edge
        // (the last letter's ink may reach into the label's right margin).
        const QSize need(fm.horizontalAdvance(label->text()), fm.height());
        const QSize room(label->width() - label->contentsMargins().left(),
                         label->contentsRect().height());
        return need.boundedTo(room) == need ? QString() : tooSmall(label->text(), need, room);
    }
    if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        const QSize need = button->minimumSizeHint().expandedTo(button->sizeHint());
        return button->text().isEmpty() || need.boundedTo(button->size()) == need
                   ? QString()
                   : tooSmall(button->text(), need, button->size());
    }
    auto *bar = qobject_cast<QProgressBar *>(w);
    const QSize need(bar ? fm.horizontalAdvance(bar->format()) : 0, 0);
    return bar && bar->isTextVisible() && need.width() > bar->width()
               ? tooSmall(bar->format(), need, {bar->width(), 0})
               : QString();
}

} // namespace

class TestScaling : public QObject
{
    Q_OBJECT
private slots:
    void textFitsAtLargerScales_data();
    void textFitsAtLargerScales();
    void longOutcomeLosesItsMiddle();
};

void TestScaling::textFitsAtLargerScales_data()
{
    QTest::addColumn<QByteArray>("hardware");
    QTest::addColumn<qreal>("scale");
    for (const qreal scale : {1.0, 1.5, 2.0})
        for (const char *hardware :
             {"RLX-31868-Vela-485", "RLX-31868-4-20-D receiver", "RLX-31868-AD transmitter"})
            QTest::addRow("%s at %d %%", hardware, int(scale * 100))
                << QByteArray(hardware) << scale;
}

void TestScaling::textFitsAtLargerScales()
{
    QFETCH(QByteArray, hardware);
    QFETCH(qreal, scale);
    const QFont standard = QApplication::font();
    QFont larger = standard;
    larger.setPointSizeF(standard.pointSizeF() * scale);
    QApplication::setFont(larger);
    const auto restore = qScopeGuard([&] { QApplication::setFont(standard); });

    WindowOnDevice device(hardware);
    MainWindow &w = device.w;
    Modals &modals = device.modals;
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(device.connect());
    QTest::qWait(50); // the window's fit after the panels changed

    QStringList cuts;
    for (QWidget *child : w.findChildren<QWidget *>())
        if (child->isVisibleTo(&w))
            if (const QString c = cut(child); !c.isEmpty())
                cuts << c;
    QVERIFY2(cuts.isEmpty(), qPrintable(cuts.join("\n")));
    // The power dial grows with the text around it.
    if (auto *dial = w.findChild<QDial *>(); dial && dial->isVisibleTo(&w)) {
        const int line = dial->fontMetrics().height();
        QVERIFY2(dial->width() >= 4 * line && dial->height() >= 4 * line,
                 qPrintable(QStringLiteral("%1x%2").arg(dial->width()).arg(dial->height())));
    }
    QCOMPARE(modals.texts, QStringList());
}

// An outcome wider than the status line keeps its start and its end (which
// requests went unanswered, what to do next); the whole text is its tooltip.
void TestScaling::longOutcomeLosesItsMiddle()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *bar = qobject_cast<OutcomeBar *>(w.statusBar());
    QVERIFY(bar);
    const QString start = QStringLiteral("Read: 3 of 12 requests answered; unanswered: ");
    const QString end = QStringLiteral("8 requests not sent.");
    const QString whole = start + QStringLiteral("ATS206?, ").repeated(40) + end;
    bar->showMessage(whole);
    const QString shown = bar->shownMessage();
    QVERIFY2(shown.startsWith(start.left(20)) && shown.endsWith(end) && shown.contains(u'…'),
             qPrintable(shown));
    QVERIFY(bar->fontMetrics().horizontalAdvance(shown) < bar->width());
    QCOMPARE(bar->currentMessage(), whole);
    QVERIFY(!bar->grab().isNull());
    // A short one is shown whole.
    bar->showMessage(end);
    QCOMPARE(bar->shownMessage(), end);
}

QTEST_MAIN(TestScaling)
#include "tst_scaling.moc"
