#include "panels/kalibr.h"
#include "tests/editors/reportlog.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QResource>
#include <QSpinBox>
#include <QtEndian>

namespace {

// Where a triangle points: away from its base, the edge with the most
// opaque pixels.
QString pointing(const QImage &image)
{
    auto opaque = [&](int x0, int y0, int dx, int dy, int n) {
        int count = 0;
        for (int i = 0; i < n; ++i)
            count += qAlpha(image.pixel(x0 + i * dx, y0 + i * dy)) == 255;
        return count;
    };
    const int w = image.width(), h = image.height();
    const QList<QPair<int, QString>> edges = {{opaque(0, 0, 1, 0, w), "down"},
                                              {opaque(0, h - 1, 1, 0, w), "up"},
                                              {opaque(0, 0, 0, 1, h), "right"},
                                              {opaque(w - 1, 0, 0, 1, h), "left"}};
    QPair<int, QString> base = edges.first();
    for (const auto &edge : edges)
        if (edge.first > base.first)
            base = edge;
    return base.second;
}

QPixmap pixmapOf(const QLabel *label)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap();
#else
    return label->pixmap(Qt::ReturnByValue);
#endif
}

} // namespace

class TestKalibr : public QObject
{
    Q_OBJECT

private slots:
    // Runs before any panel exists: the picture is registered at start.
    void pictureIsEmbeddedUncompressed()
    {
        QResource resource(QStringLiteral(":/pic/treugol"));
        QVERIFY(resource.isValid());
        QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);

        QFile file(QStringLiteral("://pic/treugol"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray png = file.readAll();
        QCOMPARE(qint64(png.size()), resource.size());
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(png.mid(12, 4), QByteArray("IHDR"));
        QCOMPARE(qFromBigEndian<quint32>(png.constData() + 16), 101u);
        QCOMPARE(qFromBigEndian<quint32>(png.constData() + 20), 54u);
        QCOMPARE(int(png.at(24)), 8); // bits per channel
        QCOMPARE(int(png.at(25)), 6); // colour with alpha

        const QImage image(QStringLiteral("://pic/treugol"));
        QCOMPARE(image.size(), QSize(101, 54));
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        // A solid black triangle pointing down on a transparent background.
        int previousWidth = image.width() + 1;
        for (int y = 0; y < image.height(); ++y) {
            int width = 0;
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                QVERIFY(pixel == qRgba(0, 0, 0, 255) || qAlpha(pixel) == 0);
                width += qAlpha(pixel) != 0;
            }
            QVERIFY2(width <= previousWidth, qPrintable(QString("row %1").arg(y)));
            previousWidth = width;
        }
        QCOMPARE(image.pixel(50, 0), qRgba(0, 0, 0, 255));
        QCOMPARE(image.pixel(50, 52), qRgba(0, 0, 0, 255));
        QCOMPARE(qAlpha(image.pixel(0, 53)), 0);
        QCOMPARE(qAlpha(image.pixel(100, 53)), 0);
        QCOMPARE(pointing(image), QString("down"));
    }

    void controlsAndLayout()
    {
        Kalibr panel;
        auto group = panel.findChild<QGroupBox *>();
        QVERIFY(group && group->title() == "Calibration");
        auto grid = qobject_cast<QGridLayout *>(group->layout());
        QVERIFY(grid);
        auto at = [&](int row, int column) {
            QLayoutItem *item = grid->itemAtPosition(row, column);
            return item ? item->widget() : nullptr;
        };
        struct Expected
        {
            int row, column;
            const char *name, *text;
        };
        const Expected buttons[] = {
            {0, 0, "setKalibr", "Check current (the flowing out current must be 20mA)"},
            {4, 0, "setCurCurrent", "Set current"},
            {2, 3, "setRealCurrent", "\u0415nter value"}};
        for (const Expected &e : buttons) {
            auto button = panel.findChild<QPushButton *>(e.name);
            QVERIFY2(button, e.name);
            QCOMPARE(button->text(), QString::fromUtf8(e.text));
            QCOMPARE(at(e.row, e.column), button);
        }
        const QString enter = panel.findChild<QPushButton *>("setRealCurrent")->text();
        QCOMPARE(enter.toUtf8().size(), 12);
        QVERIFY(enter != QLatin1String("Enter value"));
        QVERIFY(panel.findChild<QPushButton *>("resetKalibr")->isHidden());
        QCOMPARE(panel.findChild<QPushButton *>("resetKalibr")->text(),
                 QString("Exit calibration mode"));

        auto setPoint = panel.findChild<QSpinBox *>("curCurrent");
        auto measured = panel.findChild<QSpinBox *>("realCurrent");
        QCOMPARE(at(2, 0), setPoint);
        QCOMPARE(at(4, 3), measured);
        QCOMPARE(setPoint->minimum(), 0);
        QCOMPARE(setPoint->maximum(), 20000);
        QCOMPARE(setPoint->value(), 20000);
        QCOMPARE(measured->minimum(), 0);
        QCOMPARE(measured->maximum(), 21600);
        QCOMPARE(measured->value(), 0);
        QCOMPARE(qobject_cast<QLabel *>(at(2, 1))->text(), QString("mkA"));
        QCOMPARE(qobject_cast<QLabel *>(at(4, 4))->text(), QString("mkA"));
        QCOMPARE(qobject_cast<QLabel *>(at(4, 2))->text(), QString("Write actual current value"));

        // The loop of arrows: down, down, right, up, up.
        const struct
        {
            int row, column;
            QSize size;
            const char *direction;
        } arrows[] = {{1, 0, {30, 15}, "down"},
                      {3, 0, {30, 15}, "down"},
                      {4, 1, {15, 30}, "right"},
                      {3, 3, {30, 15}, "up"},
                      {1, 3, {30, 15}, "up"}};
        for (const auto &arrow : arrows) {
            auto label = qobject_cast<QLabel *>(at(arrow.row, arrow.column));
            QVERIFY(label && !pixmapOf(label).isNull());
            QCOMPARE(label->alignment(), Qt::AlignCenter);
            const QImage image = pixmapOf(label).toImage();
            QCOMPARE(image.size(), arrow.size);
            QCOMPARE(pointing(image), QString(arrow.direction));
        }
    }

    // The procedure as the engineer runs it, with the reports in order.
    void calibrationLoop()
    {
        Kalibr panel;
        QVERIFY(showAndWait(&panel));
        auto modeOn = panel.findChild<QPushButton *>("setKalibr");
        auto modeOff = panel.findChild<QPushButton *>("resetKalibr");
        auto setPoint = panel.findChild<QSpinBox *>("curCurrent");
        auto measured = panel.findChild<QSpinBox *>("realCurrent");
        QStringList reports;
        connect(&panel, &W_QWidget::sgValueChange, this, [&](const QString &name, int val) {
            // The mode buttons have swapped by the time a press is reported.
            const QString mode = modeOff->isVisible() && !modeOn->isVisible()   ? " on"
                                 : modeOn->isVisible() && !modeOff->isVisible() ? " off"
                                                                                : " ?";
            reports << QString("%1=%2").arg(name).arg(val) + mode;
        });
        auto click = [](QWidget *button) { QTest::mouseClick(button, Qt::LeftButton); };
        auto type = [](QSpinBox *spin, const char *text) {
            spin->setFocus();
            QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(spin, text);
        };

        click(modeOn);
        click(panel.findChild<QPushButton *>("setCurCurrent")); // the kept 20000
        type(setPoint, "15000");
        click(panel.findChild<QPushButton *>("setCurCurrent"));
        type(measured, "21600");
        click(panel.findChild<QPushButton *>("setRealCurrent"));
        click(modeOff);
        QCOMPARE(reports,
                 QStringList({"setKalibr=0 on", "setCurCurrent=0 on", "curCurrent=1 on",
                              "curCurrent=15 on", "curCurrent=150 on", "curCurrent=1500 on",
                              "curCurrent=15000 on", "setCurCurrent=0 on", "realCurrent=2 on",
                              "realCurrent=21 on", "realCurrent=216 on", "realCurrent=2160 on",
                              "realCurrent=21600 on", "setRealCurrent=0 on", "resetKalibr=0 off"}));
        QCOMPARE(setPoint->value(), 15000);
        QCOMPARE(measured->value(), 21600);

        // No set point above 20 mA; the meter may read up to 21.6 mA.
        reports.clear();
        type(setPoint, "25000");
        QCOMPARE(setPoint->value(), 2500);
        type(measured, "21700");
        QCOMPARE(measured->value(), 2170);
        QCOMPARE(reports.last(), QString("realCurrent=2170 off"));

        // The buttons work outside calibration mode too, and the next round
        // starts from the mode-on button again.
        reports.clear();
        click(panel.findChild<QPushButton *>("setRealCurrent"));
        click(modeOn);
        QCOMPARE(reports, QStringList({"setRealCurrent=0 off", "setKalibr=0 on"}));
    }

    // A real press through the window: the release lands on the button that
    // took the place of the pressed one, which must neither click it nor
    // leave the hidden one drawn pressed.
    void swapUnderTheMouse()
    {
        Kalibr panel;
        QVERIFY(showAndWait(&panel));
        auto modeOn = panel.findChild<QPushButton *>("setKalibr");
        auto modeOff = panel.findChild<QPushButton *>("resetKalibr");
        ReportLog log(&panel);
        QWindow *window = panel.windowHandle();
        const QPoint spot = modeOn->mapTo(&panel, modeOn->rect().center());
        QTest::mousePress(window, Qt::LeftButton, {}, spot);
        QTest::mouseRelease(window, Qt::LeftButton, {}, spot);
        QCOMPARE(log.take(), QStringList({"setKalibr=0"}));
        QVERIFY(modeOff->isVisible() && !modeOff->isDown());
        QTest::mousePress(window, Qt::LeftButton, {}, spot);
        QTest::mouseRelease(window, Qt::LeftButton, {}, spot);
        QCOMPARE(log.take(), QStringList({"resetKalibr=0"}));
        QVERIFY(modeOn->isVisible());
        QVERIFY(!modeOn->isDown());
    }
};

QTEST_MAIN(TestKalibr)
#include "tst_kalibr.moc"
