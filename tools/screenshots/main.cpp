// rlx-screenshots DEVSIM OUTDIR: shows the main window connected to a
// virtual device of each model and saves a picture of it, plus one of the
// radio stability check and one of a measurement running. Meant for a
// virtual display (scripts/screenshots runs it under Xvfb).
// rlx-screenshots --screen DEVSIM OUTDIR: starts the window as the program
// does (centred), connects to each model and saves a picture of the whole
// screen, window frame and desktop included, printing where the window lies
// against the screen's available area (scripts/screen-fit).

#include "app/core.h"
#include "app/languages.h"
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
#include <QScreen>
#include <QScrollArea>
#include <QtTest>

#include <cstdio>
#include <functional>

namespace {

QString devsimPath;
QDir outDir;
QString suffix;     // put before ".png" of every file name ("-200")
QStringList wanted; // the pictures to take; empty: all

// Where a picture goes: null when it is not wanted this time.
QString pictureFile(const char *file)
{
    const QString name = QLatin1String(file);
    if (!wanted.isEmpty() && !wanted.contains(name))
        return QString();
    return outDir.filePath(QString(name).replace(QLatin1String(".png"), suffix + ".png"));
}

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

// Connects a window to a virtual device of the model, runs `action` and saves
// a picture of what `target` gives (the window itself when there is none).
bool take(const Shot &shot, const std::function<void(MainWindow &)> &action,
          const std::function<QWidget *(MainWindow &)> &target = {})
{
    const QString file = pictureFile(shot.file);
    if (file.isEmpty())
        return true;
    QProcess devsim;
    // Announced, so that the port list shows it as a user sees it.
    devsim.start(devsimPath, QStringList{"--hardware", shot.hardware} + shot.extra);
    if (!devsim.waitForStarted(5000) || !QTest::qWaitFor([&] { return devsim.canReadLine(); })) {
        printf("FAILED %s: the virtual device did not start\n", qPrintable(file));
        return false;
    }
    const QString port = QString::fromLocal8Bit(devsim.readLine()).trimmed();

    MainWindow w;
    w.show();
    auto ports = w.findChild<QComboBox *>(QStringLiteral("PortName"));
    int listed = -1;
    if (!QTest::qWaitFor([&] { return (listed = ports->findText(port, Qt::MatchStartsWith)) >= 0; },
                         3000)) {
        printf("FAILED %s: %s is not in the port list\n", qPrintable(file), qPrintable(port));
        return false;
    }
    ports->setCurrentIndex(listed);
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("pbOpen")), Qt::LeftButton);
    const bool ok = settle(w, 15000);
    if (ok && action)
        action(w);
    QTest::qWait(300); // the window shrinks to fit, then paints
    QWidget *shown = target ? target(w) : &w;
    const bool saved = ok && shown && shown->grab().save(file);
    printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(file));
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("pbOpen")), Qt::LeftButton);
    devsim.terminate();
    devsim.waitForFinished(3000);
    return saved;
}

// The whole screen after the window of the model has arranged itself.
bool screenShot(const char *file, const char *hardware)
{
    const QString file_ = pictureFile(file);
    if (file_.isEmpty())
        return true;
    QProcess devsim;
    devsim.start(devsimPath, QStringList{"--hardware", hardware, "--no-announce"});
    if (!devsim.waitForStarted(5000) || !QTest::qWaitFor([&] { return devsim.canReadLine(); }))
        return false;
    const QString port = QString::fromLocal8Bit(devsim.readLine()).trimmed();
    Core core;
    MainWindow &w = *core.window();
    QTest::qWait(500);
    const QRect atStart = w.frameGeometry();
    auto ports = w.findChild<QComboBox *>(QStringLiteral("PortName"));
    ports->addItem(port);
    ports->setCurrentIndex(ports->count() - 1);
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("pbOpen")), Qt::LeftButton);
    const bool ok = settle(w, 15000);
    QTest::qWait(800); // the window grows for the model, moves and is painted
    QScreen *screen = w.screen();
    const QRect area = screen->availableGeometry();
    const QRect frame = w.frameGeometry();
    auto rect = [](const QRect &r) {
        return QStringLiteral("%1,%2 %3x%4 (bottom %5)")
            .arg(r.x())
            .arg(r.y())
            .arg(r.width())
            .arg(r.height())
            .arg(r.bottom());
    };
    const bool inside = area.contains(frame) && area.contains(atStart);
    const bool saved = ok && screen->grabWindow(0).save(file_);
    printf("%s %s: %s; available %s; window at start %s, connected %s, content %s\n",
           inside ? "inside" : "OUTSIDE", hardware, qPrintable(file_), qPrintable(rect(area)),
           qPrintable(rect(atStart)), qPrintable(rect(frame)),
           w.centralWidget()->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly)
               ? "scrolls"
               : "whole");
    fflush(stdout);
    devsim.terminate();
    devsim.waitForFinished(3000);
    return saved && inside;
}

} // namespace

int main(int argc, char *argv[])
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // As the configurator: scaled to the screen's resolution.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setOrganizationName(QStringLiteral("Orbelinex"));
    QApplication::setApplicationName(QStringLiteral("Rlx"));
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool screen = args.removeAll(QStringLiteral("--screen")) > 0;
    auto option = [&args](const QString &name) {
        const int at = args.indexOf(name);
        if (at < 0 || at + 1 >= args.size())
            return QString();
        const QString value = args.at(at + 1);
        args.erase(args.begin() + at, args.begin() + at + 2);
        return value;
    };
    suffix = option(QStringLiteral("--suffix"));
    // The texts in a language of the program ("en", "ru"); the window's own
    // texts without.
    const QString language = option(QStringLiteral("--lang"));
    Languages languages;
    if (!language.isEmpty() && !languages.install(language)) {
        fprintf(stderr, "rlx-screenshots: no translation for %s\n", qPrintable(language));
        return 2;
    }
    const QString only = option(QStringLiteral("--only"));
    wanted = only.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (args.size() != 2) {
        fprintf(stderr, "usage: rlx-screenshots [--screen] [--suffix TEXT] [--only FILE,...] "
                        "[--lang en|ru] DEVSIM OUTDIR\n");
        return 2;
    }
    devsimPath = args.at(0);
    outDir = QDir(args.at(1));
    // Settings files and the start-up file stay out of the way.
    QDir::setCurrent(QDir::tempPath());
    if (screen) {
        bool ok = true;
        ok &= screenShot("screen-4-20-receiver.png", "RLX-31868-4-20 receiver");
        ok &= screenShot("screen-4-20-d-receiver.png", "RLX-31868-4-20-D receiver");
        ok &= screenShot("screen-dd-receiver.png", "RLX-31868-DD receiver");
        ok &= screenShot("screen-rs485.png", "RLX-31868-Vela-485");
        ok &= screenShot("screen-transmitter.png", "RLX-31868-AD transmitter");
        return ok ? 0 : 1;
    }

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
    // The traffic log of a connection, opened from the status line.
    ok &= take(
        {"traffic-log.png", "RLX-31868-DD receiver", {"--silent", "ATS202?:1"}},
        [](MainWindow &w) {
            // By its name: its text is in the language of the window.
            QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("trafficLogButton")),
                              Qt::LeftButton);
            QTest::qWait(600);
        },
        [](MainWindow &w) { return w.findChild<QWidget *>(QStringLiteral("trafficLog")); });
    return ok ? 0 : 1;
}
