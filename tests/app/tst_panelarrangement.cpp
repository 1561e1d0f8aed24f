// Which panels and which link-loss output groups the window shows once a
// device has identified itself, model by model, with the device served
// in-process over a pseudo terminal.
#include "app/mainwindow.h"
#include "editors/w_numofdown.h"
#include "editors/w_rb.h"
#include "protocol/data.h"
#include "tests/modals.h"
#include "tests/windowdriver.h"
#include "tools/devsim/devicemodel.h"
#include "tools/devsim/ptydevice.h"

#include <QGroupBox>
#include <QtTest>

using namespace WindowDriver;

class TestPanelArrangement : public QObject
{
    Q_OBJECT

private slots:
    void panelsAfterIdentification_data();
    void panelsAfterIdentification();
};

namespace {

// The titles of the link-loss output groups the window shows, in their order.
QString shownOutputGroups(MainWindow &w)
{
    QStringList shown;
    for (QGroupBox *group : panel<w_NumOfDown>(w)->findChildren<QGroupBox *>())
        if (group->isVisibleTo(&w))
            shown << group->title();
    return shown.join(QLatin1Char('|'));
}

// The panels shown, by class, of those whose presence depends on the model.
QString shownPanels(MainWindow &w)
{
    QStringList shown;
    for (const char *name : {"Kalibr", "Measure", "W_Rs485", "AdresArray", "W_Test", "ReqPeriod"})
        if (visible(w, name))
            shown << QLatin1String(name);
    return shown.join(QLatin1Char(' '));
}

} // namespace

// Rows are named by the hardware text of the identity reply. The firmware
// is of the newest variant, which has the link-loss settings.
void TestPanelArrangement::panelsAfterIdentification_data()
{
    QTest::addColumn<QString>("groups");
    QTest::addColumn<QString>("panels");
    QTest::newRow("RLX-31868-4-20 receiver") << "Out 4-20"
                                             << "Kalibr AdresArray W_Test ReqPeriod";
    // A current output and one discrete output.
    QTest::newRow("RLX-31868-4-20-D receiver") << "Out 4-20|Out D Discret"
                                               << "Kalibr AdresArray W_Test ReqPeriod";
    QTest::newRow("RLX-31868-DD receiver") << "Out D1 Discret|Out D2 Discret"
                                           << "AdresArray W_Test ReqPeriod";
    // Not receivers: no output groups at all.
    QTest::newRow("RLX-31868-Vela-485") << ""
                                        << "W_Rs485 AdresArray W_Test ReqPeriod";
    QTest::newRow("RLX-31868-AD transmitter") << ""
                                              << "Measure";
}

void TestPanelArrangement::panelsAfterIdentification()
{
    Modals modals;
    DeviceModel model;
    model.setHardware(QTest::currentDataTag());
    model.setFirmware("Aug  4 2022");
    PtyDevice device(&model);
    QVERIFY2(device.open(), qPrintable(device.errorString()));
    MainWindow w;
    w.show();
    QVERIFY(connectTo(w, device.slavePath()));
    QCOMPARE(w.hardwareText(), QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(int(w.firmwareVariant()), 2);
    QTEST(shownOutputGroups(w), "groups");
    QTEST(shownPanels(w), "panels");

    // Each group shown sets its own output's link-loss bit of the poll
    // settings byte, and only that bit.
    quint8 &bits = w.settingsData()->settings.numOfDown;
    for (QGroupBox *group : panel<w_NumOfDown>(w)->findChildren<QGroupBox *>()) {
        if (!group->isVisibleTo(&w))
            continue;
        const quint8 bit = group->title().contains(QLatin1String("D2")) ||
                                   group->title() == QLatin1String("Out D Discret")
                               ? 0x10
                               : 0x20;
        const QList<W_Rb *> levels = group->findChildren<W_Rb *>();
        QCOMPARE(levels.size(), 2);
        bits = 0x03;
        levels.at(1)->click();
        QVERIFY2(bits == (0x03 | bit), qPrintable(group->title()));
        bits = 0xF3;
        levels.at(0)->click();
        QVERIFY2(bits == (0xF3 & ~bit), qPrintable(group->title()));
    }
    QVERIFY2(modals.texts.isEmpty(), qPrintable(modals.texts.join('\n')));
}

QTEST_MAIN(TestPanelArrangement)
#include "tst_panelarrangement.moc"
