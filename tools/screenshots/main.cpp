// rlx-screenshots DEVSIM OUTDIR: shows the main window connected to a
// virtual device of each model and saves a picture of it, plus one of the
// radio stability check and one of a measurement running. Meant for a
// virtual display (scripts/screenshots runs it under Xvfb).

#include "app/mainwindow.h"
#include "panels/measure.h"
#include "panels/w_adres.h"
#include "panels/w_test.h"
#include "protocol/exchange.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <cstdio>
#include <functional>

namespace {

QString devsimPath;
QDir outDir;

struct Shot
{
    const char *file;
    const char *hardware;
    QStringList extra;
};

bool settle(MainWindow &w, int ms)
{
    return QTest::qWaitFor(
        [&] {
            return w.exchange()->queueLength() == 0 &&
                   w.findChild<QProgressBar *>()->value() == 100;
        },
        ms);
}

QPushButton *buttonWithText(QWidget *in, const QString &text)
{
    for (QPushButton *b : in->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

bool take(const Shot &shot, const std::function<void(MainWindow &)> &action)
{
    QProcess devsim;
    // Announced, so that the port list shows it as a user sees it.
    devsim.start(devsimPath, QStringList{"--hardware", shot.hardware} + shot.extra);
    if (!devsim.waitForStarted(5000) || !QTest::qWaitFor([&] { return devsim.canReadLine(); }))
        return false;
    const QString port = QString::fromLocal8Bit(devsim.readLine()).trimmed();

    MainWindow w;
    w.show();
    auto ports = w.findChild<QComboBox *>(QStringLiteral("PortName"));
    int listed = -1;
    if (!QTest::qWaitFor([&] { return (listed = ports->findText(port, Qt::MatchStartsWith)) >= 0; },
                         3000))
        return false;
    ports->setCurrentIndex(listed);
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("pbOpen")), Qt::LeftButton);
    const bool ok = settle(w, 15000);
    if (ok && action)
        action(w);
    QTest::qWait(300); // the window shrinks to fit, then paints
    const QString file = outDir.filePath(QLatin1String(shot.file));
    const bool saved = ok && w.grab().save(file);
    printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(file));
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("pbOpen")), Qt::LeftButton);
    devsim.terminate();
    devsim.waitForFinished(3000);
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setOrganizationName(QStringLiteral("Orbelinex"));
    QApplication::setApplicationName(QStringLiteral("Rlx"));
    if (argc != 3) {
        fprintf(stderr, "usage: rlx-screenshots DEVSIM OUTDIR\n");
        return 2;
    }
    devsimPath = QString::fromLocal8Bit(argv[1]);
    outDir = QDir(QString::fromLocal8Bit(argv[2]));
    // Settings files and the start-up file stay out of the way.
    QDir::setCurrent(QDir::tempPath());

    bool ok = true;
    ok &= take({"window-4-20-receiver.png", "RLX-31868-4-20 receiver", {}}, {});
    ok &= take({"window-4-20-d-receiver.png", "RLX-31868-4-20-D receiver", {}}, {});
    ok &= take({"window-dd-receiver.png", "RLX-31868-DD receiver", {}}, {});
    ok &= take({"window-rs485.png", "RLX-31868-Vela-485", {}}, {});
    ok &= take({"window-transmitter.png", "RLX-31868-AD transmitter", {}}, [](MainWindow &w) {
        auto measure = w.findChildren<Measure *>().value(0);
        QTest::mouseClick(buttonWithText(measure, QStringLiteral("Measurement mode")),
                          Qt::LeftButton);
        QTest::qWait(2600);
    });
    ok &= take({"stability-check.png",
                "RLX-31868-Vela-485",
                {"--reachable", "1,2,4", "--poll-loss", "10"}},
               [](MainWindow &w) {
                   auto test = w.findChildren<W_Test *>().value(0);
                   const QList<W_Adres *> rows = test->findChildren<W_Adres *>();
                   for (int i = 0; i < 4; ++i)
                       rows.at(i)->findChild<QCheckBox *>()->setChecked(true);
                   QTest::mouseClick(buttonWithText(test, QStringLiteral("TEST")), Qt::LeftButton);
                   QTest::qWait(9000);
                   // Taller than its minimum, so that all four rows show.
                   w.resize(w.width(), w.height() + 110);
               });
    return ok ? 0 : 1;
}
