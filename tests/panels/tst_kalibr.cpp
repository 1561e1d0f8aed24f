#include "panels/kalibr.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QResource>
#include <QSpinBox>
#include <QtEndian>
#include <QtTest>

namespace {

// Where a triangle points: away from its base, the edge with most opaque pixels.
QString pointing(const QImage &image)
{
    auto opaque = [&](int x, int y, int dx, int dy, int n) {
        int count = 0;
        for (int i = 0; i < n; ++i)
            count += qAlpha(image.pixel(x + i * dx, y + i * dy)) == 255;
        return QString::number(count).rightJustified(3, '0');
    };
    const int w = image.width(), h = image.height();
    QStringList edges = {opaque(0, 0, 1, 0, w) + "down", opaque(0, h - 1, 1, 0, w) + "up",
                         opaque(0, 0, 0, 1, h) + "right", opaque(w - 1, 0, 0, 1, h) + "left"};
    edges.sort();
    return edges.last().mid(3);
}

QImage pictureOf(const QLabel *label)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap().toImage();
#else
    return label->pixmap(Qt::ReturnByValue).toImage();
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
        QResource resource(":/pic/treugol");
        QVERIFY(resource.isValid());
        QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
        QFile file("://pic/treugol");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray png = file.readAll();
        QCOMPARE(qint64(png.size()), resource.size());
        QVERIFY(png.startsWith("\x89PNG\r\n\x1a\n") && png.mid(12, 4) == "IHDR");
        QCOMPARE(qFromBigEndian<quint32>(png.constData() + 16), 101u);
        QCOMPARE(qFromBigEndian<quint32>(png.constData() + 20), 54u);
        QCOMPARE(int(png.at(24)), 8); // bits per channel
        QCOMPARE(int(png.at(25)), 6); // colour with alpha

        const QImage image("://pic/treugol");
        QCOMPARE(image.size(), QSize(101, 54));
        QCOMPARE(image.format(), QImage::Format_ARGB32);
        // Solid black on transparent, narrowing row by row to the tip.
        int previous = image.width();
        for (int y = 0; y < image.height(); ++y) {
            int width = 0;
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                QVERIFY(pixel == qRgba(0, 0, 0, 255) || qAlpha(pixel) == 0);
                width += qAlpha(pixel) != 0;
            }
            QVERIFY(width <= previous && width > 0);
            previous = width;
        }
        QCOMPARE(image.pixel(50, 53), qRgba(0, 0, 0, 255));
        QCOMPARE(pointing(image), QString("down"));
    }

    void controlsAndArrows()
    {
        Kalibr panel;
        auto group = panel.findChild<QGroupBox *>();
        QCOMPARE(group->title(), QString("Calibration"));
        auto grid = qobject_cast<QGridLayout *>(group->layout());
        auto at = [&](int row, int column) { return grid->itemAtPosition(row, column)->widget(); };
        QCOMPARE(at(0, 0)->objectName(), QString("setKalibr"));
        QCOMPARE(at(2, 0)->objectName(), QString("curCurrent"));
        QCOMPARE(at(4, 0)->objectName(), QString("setCurCurrent"));
        QCOMPARE(at(4, 3)->objectName(), QString("realCurrent"));
        QCOMPARE(at(2, 3)->objectName(), QString("setRealCurrent"));
        QStringList captions;
        for (const char *name : {"setKalibr", "resetKalibr", "setCurCurrent", "setRealCurrent"})
            captions << panel.findChild<QPushButton *>(name)->text();
        QCOMPARE(captions, QStringList({"Check current (the flowing out current must be 20mA)",
                                        "Exit calibration mode", "Set current",
                                        QString::fromUtf8("\xd0\x95nter value")}));
        QCOMPARE(captions.last().toUtf8().size(), 12); // Cyrillic IE, not a Latin E
        QVERIFY(captions.last() != "Enter value");
        QVERIFY(panel.findChild<QPushButton *>("resetKalibr")->isHidden());
        QCOMPARE(qobject_cast<QLabel *>(at(4, 2))->text(), QString("Write actual current value"));

        auto setPoint = panel.findChild<QSpinBox *>("curCurrent");
        auto measured = panel.findChild<QSpinBox *>("realCurrent");
        QCOMPARE(QList<int>({setPoint->minimum(), setPoint->maximum(), setPoint->value()}),
                 QList<int>({0, 20000, 20000}));
        QCOMPARE(QList<int>({measured->minimum(), measured->maximum(), measured->value()}),
                 QList<int>({0, 21600, 0}));

        // The procedure as a loop: down, down, right, up, up.
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
            QCOMPARE(label->alignment(), Qt::AlignCenter);
            const QImage image = pictureOf(label);
            QCOMPARE(image.size(), arrow.size);
            QCOMPARE(pointing(image), QString(arrow.direction));
        }
    }

    // The procedure as the engineer runs it, with the reports in order.
    void calibrationLoop()
    {
        Kalibr panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        auto button = [&](const char *name) { return panel.findChild<QPushButton *>(name); };
        QStringList reports;
        connect(&panel, &W_QWidget::sgValueChange, this, [&](const QString &name, int val) {
            // The mode buttons have swapped by the time a press is reported.
            const bool on = button("resetKalibr")->isVisible();
            QVERIFY(on != button("setKalibr")->isVisible());
            reports << QString("%1=%2%3").arg(name).arg(val).arg(on ? " on" : "");
        });
        auto click = [&](const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); };
        auto type = [&](const char *name, const char *text) {
            auto spin = panel.findChild<QSpinBox *>(name);
            spin->setFocus();
            QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(spin, text);
            return spin->value();
        };

        click("setKalibr");
        click("setCurCurrent"); // with the untouched 20000
        QCOMPARE(type("curCurrent", "15000"), 15000);
        click("setCurCurrent");
        QCOMPARE(type("realCurrent", "21600"), 21600);
        click("setRealCurrent");
        click("resetKalibr");
        click("setRealCurrent"); // also outside calibration mode
        QCOMPARE(reports,
                 QStringList({"setKalibr=0 on", "setCurCurrent=0 on", "curCurrent=1 on",
                              "curCurrent=15 on", "curCurrent=150 on", "curCurrent=1500 on",
                              "curCurrent=15000 on", "setCurCurrent=0 on", "realCurrent=2 on",
                              "realCurrent=21 on", "realCurrent=216 on", "realCurrent=2160 on",
                              "realCurrent=21600 on", "setRealCurrent=0 on", "resetKalibr=0",
                              "setRealCurrent=0"}));
        // No set point above 20 mA; the last digit is refused.
        QCOMPARE(type("curCurrent", "25000"), 2500);
        QCOMPARE(type("realCurrent", "21700"), 2170);
    }
};

QTEST_MAIN(TestKalibr)
#include "tst_kalibr.moc"
