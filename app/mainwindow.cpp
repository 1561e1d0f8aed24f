#include "app/mainwindow.h"

#include "app/identification.h"
#include "app/portproblem.h"
#include "app/settingsfile.h"
#include "app/tooltips.h"
#include "app/trafficlog.h"
#include "app/windowfit.h"
#include "editors/w_freezprotection.h"
#include "editors/w_key.h"
#include "editors/w_numofdown.h"
#include "editors/w_radio.h"
#include "editors/w_reset.h"
#include "editors/w_rs485.h"
#include "link/virtualports.h"
#include "link/w_comport.h"
#include "panels/adresarray.h"
#include "panels/kalibr.h"
#include "panels/measure.h"
#include "panels/reqperiod.h"
#include "panels/w_test.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/factorydefaults.h"
#include "protocol/replydecoder.h"

#include <QDate>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The smallest serial time-out the radio module needs at each serial rate.
quint8 minSerialTimeout(int serialRate)
{
    static const quint8 floor[] = {17, 9, 5, 3, 2, 2, 2, 2};
    return serialRate >= 0 && serialRate < 8 ? floor[serialRate] : 3;
}

// Beside "PortName": the folder the last settings file was saved to or opened from.
const char SettingsFolderKey[] = "SettingsFolder";
const char SettingsSuffix[] = "rlx";

} // namespace

QString MainWindow::baseTitle()
{
    return QStringLiteral("RLX Vela Конфигуратор v.%1").arg(QLatin1String(Version));
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(baseTitle());
    resizeTimer = new QTimer();
    resizeTimer->setSingleShot(true);
    resizeTimer->setInterval(1);

    central = new W_QWidget(this);
    // The layout knows the style's margins only once it is installed.
    auto *grid = new QGridLayout(central);
    grid->setSpacing(0);
    int left, top, right, bottom;
    grid->getContentsMargins(&left, &top, &right, &bottom);
    grid->setContentsMargins(left, 0, right, bottom);

    comPort = new W_ComPort(this);
    comPort->connectControls();
    grid->addWidget(comPort, 0, 0, 1, 4);
    buildPanels(grid);

    auto *spacer = new QLabel(this);
    QFont font = spacer->font();
    font.setPixelSize(4);
    spacer->setFont(font);
    progress = new QProgressBar(this);
    progress->setMaximum(100);
    grid->addWidget(spacer, 8, 0, 1, 4);
    grid->addWidget(progress, 10, 0, 1, 4);

    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("statusBar"));

    data = new Data();
    engine = new Exchange(this, data);

    connect(comPort, &W_QWidget::sgValueChange, this, &MainWindow::slValueChange);
    connect(comPort, &W_QWidget::sgTextChange, this, &MainWindow::slTextChange);
    connect(engine, &Exchange::sgGetSetting, this, &MainWindow::slSetSettings);
    connect(engine, &Exchange::sgSetProgres, this, &MainWindow::slSetProgres);
    connect(engine, &Exchange::sgRequest, this, &MainWindow::slRequest);
    connect(engine, &Exchange::sgOk, this, &MainWindow::slOk);
    connect(engine, &Exchange::sgTimeOut, this, &MainWindow::slTimeOut);
    connect(engine, &Exchange::sgError, this, &MainWindow::slError);
    connect(engine, &Exchange::sgPortLost, this, &MainWindow::slPortLost);
    connect(engine, &Exchange::sgGaveUp, this, &MainWindow::slGaveUp);
    connect(engine, &Exchange::sgTraffic, this, [this](Exchange::Traffic what, QByteArray bytes) {
        if (what == Exchange::Traffic::Sent)
            outcome.sent(bytes);
    });
    connect(resizeTimer, &QTimer::timeout, this, &MainWindow::slShortTimer);
    connectPanels();
    TrafficLog::install(this, engine);
    ToolTips::apply(this);
    // STOP's outcome is the panel's summary per address.
    connect(test, &W_Test::sgOutcome, this, &MainWindow::tellOutcome);

    setPanelsEnabled(engine->isOpen());
    showSettings();

    QString skipped;
    if (!SettingsFile::startupCheck(QStringLiteral("test_rlx"), data->settings, &skipped))
        qDebug() << "test_rlx: start-up file check skipped:" << skipped;

    resizeTimer->start(1);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    finishPanels();
}

MainWindow::~MainWindow()
{
    // The engine may still hand out replies while children are destroyed.
    engine->disconnect(this);
    delete resizeTimer;
    delete data;
}

// ------------------------------------------------------------------ panels

void MainWindow::buildPanels(QGridLayout *grid)
{
    key = new W_Key(this);
    key->connectControls();
    radio = new W_Radio(this);
    radio->connectControls();
    rs485 = new W_Rs485(this);
    rs485->connectControls();
    freez = new W_FreezProtection(this);
    freez->connectControls();
    test = new W_Test(this);
    test->connectControls();
    adresArray = new AdresArray(this);
    adresArray->connectControls();
    measure = new Measure(this);
    kalibr = new Kalibr(this);
    reqPeriod = new ReqPeriod(this);

    grid->addWidget(key, 1, 0, 1, 4);
    grid->addWidget(radio, 2, 0, 3, 2);
    grid->addWidget(rs485, 2, 2, 1, 2);
    grid->addWidget(kalibr, 2, 2, 1, 2);
    grid->addWidget(measure, 2, 2, 1, 2);
    grid->addWidget(reqPeriod, 3, 2, 1, 2);
    grid->addWidget(freez, 5, 0, 1, 4);
    grid->addWidget(adresArray, 6, 0, 1, 4);
    grid->addWidget(test, 7, 0, 1, 4);

    kalibr->hide();
    measure->hide();
    freez->hide();
    test->hide();
    reqPeriod->show();
    adresArray->setEnabled(false);
}

void MainWindow::connectPanels()
{
    for (W_QWidget *panel :
         std::initializer_list<W_QWidget *>{key, radio, rs485, freez, measure, kalibr, reqPeriod})
        connect(panel, &W_QWidget::sgValueChange, this, &MainWindow::slValueChange);
    connect(test, &W_Test::sgStartTest, engine, &Exchange::startTest);
    connect(test, &W_Test::sgStopTest, engine, &Exchange::clearParsers);
    connect(test, &W_Test::sgClearTest, engine, &Exchange::resetTestPosition);
    connect(measure, &Measure::sgGetValue, engine, &Exchange::getValue);
    connect(test, &W_Test::sgStartTest, this, [this] {
        outcome.end();
        stabilityRunning = true;
        tellOutcome(tr("Stability check running; STOP ends it."));
    });
    connect(test, &W_Test::sgStopTest, this, [this] {
        // Also raised when TEST found no address ticked: nothing ran then.
        if (!stabilityRunning)
            return;
        stabilityRunning = false;
    });
}

void MainWindow::finishPanels()
{
    setPanelsEnabled(true);
    reqPeriod->setValue(QStringLiteral("Out 4-20"), 0);
    reqPeriod->setValue(QStringLiteral("Out D1 Discret"), 0);
    reqPeriod->setValue(QStringLiteral("Out D2 Discret"), 0);
    reqPeriod->setValue(QStringLiteral("Out D Discret"), 0);
    reqPeriod->setValue(QStringLiteral("Num of down"), 10);
}

void MainWindow::setPanelsEnabled(bool enable)
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{key, radio, rs485, freez, test, progress, measure})
        w->setEnabled(enable);
    adresArray->setEnabled(true);
}

// ------------------------------------------------------------------ routing

void MainWindow::slValueChange(QString name, int val)
{
    qDebug() << "slValueChange" << name << val;
    DeviceSettings &s = data->settings;
    auto is = [&name](const char *key) { return name.startsWith(QLatin1String(key)); };

    if (is("pbOpen"))
        connectOrDisconnect();
    if (is("Sub-band"))
        s.subBand = quint8(val);
    if (is("Radio Data Rate"))
        s.radioRate = quint8(val);
    if (is("Chanel"))
        s.chanel = quint8(val);
    if (is("Serial Timeout"))
        s.serialTimeout = quint8(val);
    if (is("Power"))
        s.power = quint8(val);
    if (is("Test address"))
        s.testAdres = quint8(val);
    if (is("Serial Data Rate")) {
        s.serialRate = quint8(val);
        radio->setSerialRate(quint8(val));
        s.serialTimeout = minSerialTimeout(val);
        radio->setValue(QStringLiteral("Serial Timeout"), s.serialTimeout);
    }
    if (is("Delay Tx-Rx"))
        s.delTxRx = quint8(val);
    if (is("Delay Rx-Tx"))
        s.delRxTx = quint8(val);
    if (is("Parity"))
        s.parity = quint8(val);
    if (is("Radio Transmit Reset"))
        s.radioTransmitReset = quint8(val);
    if (is("WDT Reset"))
        s.wdtReset = quint8(val);
    if (is("Radio Module Reset"))
        s.radioModuleReset = quint8(val);
    if (is("Stop bit"))
        s.stopBit = quint8(val);
    if (is("Requests period")) {
        s.delRequest = quint8(val);
        qDebug() << "data->delRequest" << s.delRequest;
    }
    if (is("Num of down")) {
        s.numOfDown = quint8((s.numOfDown & 0xF0) | quint8(val));
        qDebug() << name << s.numOfDown;
    }
    if (is("Out 4-20") || is("Out D1 Discret"))
        setOutputBit(DeviceSettings::Out1OnLinkLoss, val);
    if (is("Out D2 Discret") || is("Out D Discret"))
        setOutputBit(DeviceSettings::Out2OnLinkLoss, val);
    if (is("Out1 inversion"))
        setOutputBit(DeviceSettings::Out1Inverted, val);
    if (is("Out2 inversion"))
        setOutputBit(DeviceSettings::Out2Inverted, val);
    if (is("Averaging1"))
        s.averaging1 = quint8((s.averaging1 & 0xC0) | quint8(val));
    if (is("TypeAveraging1"))
        s.averaging1 = quint8((s.averaging1 & 0x3F) | quint8(quint8(val) << 6));
    if (is("Averaging2"))
        s.averaging2 = quint8((s.averaging2 & 0xC0) | quint8(val));
    if (is("TypeAveraging2"))
        s.averaging2 = quint8((s.averaging2 & 0x3F) | quint8(quint8(val) << 6));
    if (is("Diskret1"))
        s.diskret1 = quint8(val);
    if (is("Diskret2"))
        s.diskret2 = quint8(val);
    if (is("Flow control"))
        s.flowControl = val == 0 ? 2 : 0;
    if (is("WRITE")) {
        measure->stopMeasurement();
        forgetReadSerialTimeout();
        s.adreses = adresArray->getAdreses();
        if (!refuseUnidentified(QStringLiteral("WRITE"))) {
            beginRun(RunOutcome::Write, tr("Writing…"));
            engine->writeSettings();
            // As queued: receivers are written with the test address 255.
            outcome.setWritten(s);
            outcome.setTotal(engine->queueLength());
        }
    }
    if (is("READ")) {
        measure->stopMeasurement();
        forgetReadSerialTimeout();
        beginRun(RunOutcome::Read, tr("Reading…"));
        engine->readSettings();
        outcome.setTotal(engine->queueLength());
    }
    if (is("DEFAULT")) {
        measure->stopMeasurement();
        forgetReadSerialTimeout();
        startDefault();
    }
    if (is("Open Settings"))
        openSettings();
    if (is("Save Settings"))
        saveSettings();
    if (is("Freeze Protection")) {
        freez->setVisible(val == 0);
        resizeTimer->start(1);
    }
    if (is("curCurrent"))
        curCurrent = quint16(val);
    if (is("setCurCurrent") &&
        beginCalibrationStep(
            tr("Set point %1 mkA taken by the device.").arg(curCurrent),
            tr("The device did not accept the set point %1 mkA ($a).").arg(curCurrent)))
        engine->sendCurrent(curCurrent);
    if (is("realCurrent"))
        realCurrent = quint16(val);
    if (is("setRealCurrent") &&
        beginCalibrationStep(tr("Measured %2 mkA for the set point %1 mkA stored in the device.")
                                 .arg(curCurrent)
                                 .arg(realCurrent),
                             tr("The device did not accept the measured %2 mkA for the set "
                                "point %1 mkA ($b).")
                                 .arg(curCurrent)
                                 .arg(realCurrent)))
        engine->sendRealCurrent(curCurrent, realCurrent);
    if (is("resetKalibr") &&
        beginCalibrationStep(tr("Calibration mode off."),
                             tr("The device did not confirm leaving calibration mode: no "
                                "answer to $c.")))
        engine->exitCalibration();
    if (is("setKalibr")) {
        if (beginCalibrationStep(tr("Calibration mode on: the output drives its 20 mA check "
                                    "current."),
                                 tr("The device did not enter calibration mode: no answer to "
                                    "$d.")))
            engine->enterCalibration();
        else
            kalibr->setModeOn(false); // nothing reached the device
    }
}

bool MainWindow::beginCalibrationStep(const QString &done, const QString &failed)
{
    if (!engine->isOpen()) {
        outcome.end();
        tellOutcome(tr("Calibration: nothing was sent, because the port is closed; connect the "
                       "device first."));
        return false;
    }
    beginRun(RunOutcome::Calibration, tr("Calibrating…"));
    outcome.setCalibrationStep(done, failed);
    // The step is appended to the queue; its give-up ends the run.
    outcome.setTotal(1);
    return true;
}

void MainWindow::setOutputBit(quint8 mask, int val)
{
    quint8 &bits = data->settings.numOfDown;
    bits = val >= 1 ? quint8(bits | mask) : quint8(bits & ~mask);
    qDebug() << "name" << bits;
}

void MainWindow::slTextChange(QString, QString) {}

// ------------------------------------------------------------------ replies

void MainWindow::slSetSettings(TypeParser type, QByteArrayList param)
{
    DeviceSettings &s = data->settings;
    outcome.answered(type);
    ReplyDecoder::apply(type, param, variant, hardware, s);
    switch (type) {
    case ReadConfig:
        showConfiguration();
        break;
    case ReadS206:
        radio->setValue(QStringLiteral("Sub-band"), s.subBand);
        break;
    case ReadS201:
        radio->setValue(QStringLiteral("Radio Data Rate"), s.radioRate);
        radio->setSpeed(s.radioRate);
        break;
    case ReadS200:
        radio->setValue(QStringLiteral("Chanel"), s.chanel);
        break;
    case ReadS202:
        radio->setValue(QStringLiteral("Power"), s.power);
        break;
    case ReadS214:
        // The editor's floor still belongs to the serial rate shown before
        // this read; the device's rate comes with its configuration, and the
        // time-out is shown again then.
        readSerialTimeout = s.serialTimeout;
        hasReadSerialTimeout = true;
        radio->setValue(QStringLiteral("Serial Timeout"), s.serialTimeout);
        break;
    case ReadS216:
        radio->setValue(QStringLiteral("Flow control"), s.flowControl == 0 ? 1 : 0);
        break;
    case ReadInputs:
        measure->setValues(param);
        break;
    case ReadIdentity:
        identify(ReplyDecoder::text(param.value(0)), ReplyDecoder::text(param.value(1)));
        break;
    case ReadModuleVersion:
        radio->setText(QStringLiteral("FirmWare"), ReplyDecoder::text(param.value(0)));
        break;
    case ReadAveraging:
        measure->setSettings(s.averaging1, s.averaging2, s.diskret1, s.diskret2);
        break;
    default:
        break;
    }
}

void MainWindow::showConfiguration()
{
    DeviceSettings &s = data->settings;
    // The editors echo what they are given back into the record, so show the
    // values from a copy that the echoes cannot change.
    const DeviceSettings shown = s;
    radio->setValue(QStringLiteral("Test address"), shown.testAdres);
    rs485->setValue(QStringLiteral("Serial Data Rate"), shown.serialRate);
    rs485->setValue(QStringLiteral("Delay Tx-Rx"), shown.delTxRx);
    rs485->setValue(QStringLiteral("Delay Rx-Tx"), shown.delRxTx);
    rs485->setValue(QStringLiteral("Parity"), shown.parity);
    freez->setValue(QStringLiteral("Radio Transmit Reset"), shown.radioTransmitReset);
    freez->setValue(QStringLiteral("WDT Reset"), shown.wdtReset);
    freez->setValue(QStringLiteral("Radio Module Reset"), shown.radioModuleReset);
    rs485->setValue(QStringLiteral("Stop bit"), shown.stopBit);
    radio->setSerialRate(shown.serialRate);
    if (hasReadSerialTimeout) {
        hasReadSerialTimeout = false;
        s.serialTimeout = readSerialTimeout;
        radio->setValue(QStringLiteral("Serial Timeout"), readSerialTimeout);
    }
    adresArray->setAdreses(shown.adreses);
    showPollSettings();
}

void MainWindow::forgetReadSerialTimeout()
{
    // A time-out read before belongs to an earlier read, perhaps of another
    // device; it must not land over what the user has set since.
    hasReadSerialTimeout = false;
}

void MainWindow::showPollSettings()
{
    const quint8 bits = data->settings.numOfDown;
    reqPeriod->setValue(QStringLiteral("Requests period"), data->settings.delRequest);
    reqPeriod->setValue(QStringLiteral("Num of down"), bits & DeviceSettings::DownCountMask);
    reqPeriod->setValue(QStringLiteral("Out1 inversion"), (bits >> 7) & 1);
    reqPeriod->setValue(QStringLiteral("Out2 inversion"), (bits >> 6) & 1);
    reqPeriod->setValue(QStringLiteral("Out D1 Discret"), (bits >> 5) & 1);
    reqPeriod->setValue(QStringLiteral("Out 4-20"), (bits >> 5) & 1);
    reqPeriod->setValue(QStringLiteral("Out D2 Discret"), (bits >> 4) & 1);
    reqPeriod->setValue(QStringLiteral("Out D Discret"), (bits >> 4) & 1);
}

void MainWindow::showSettings()
{
    DeviceSettings &s = data->settings;
    const DeviceSettings shown = s;
    // The serial time-out floor follows the serial rate: set it first, so
    // that the time-out of the record is not clamped to the old rate's floor.
    radio->setSerialRate(shown.serialRate);
    radio->setValue(QStringLiteral("Sub-band"), shown.subBand);
    radio->setValue(QStringLiteral("Radio Data Rate"), shown.radioRate);
    radio->setValue(QStringLiteral("Serial Timeout"), shown.serialTimeout);
    radio->setValue(QStringLiteral("Power"), shown.power);
    radio->setValue(QStringLiteral("Test address"), shown.testAdres);
    rs485->setValue(QStringLiteral("Serial Data Rate"), shown.serialRate);
    rs485->setValue(QStringLiteral("Delay Tx-Rx"), shown.delTxRx);
    rs485->setValue(QStringLiteral("Delay Rx-Tx"), shown.delRxTx);
    rs485->setValue(QStringLiteral("Parity"), shown.parity);
    rs485->setValue(QStringLiteral("Stop bit"), shown.stopBit);
    radio->setValue(QStringLiteral("Flow control"), shown.flowControl == 0 ? 1 : 0);
    const quint8 chanel = shown.chanel;
    radio->setSpeed(shown.radioRate);
    freez->setValue(QStringLiteral("Radio Transmit Reset"), shown.radioTransmitReset);
    freez->setValue(QStringLiteral("WDT Reset"), shown.wdtReset);
    freez->setValue(QStringLiteral("Radio Module Reset"), shown.radioModuleReset);
    measure->setSettings(shown.averaging1, shown.averaging2, shown.diskret1, shown.diskret2);
    // The rebuilt channel list may have reported another channel meanwhile.
    s.chanel = chanel;
    radio->setValue(QStringLiteral("Chanel"), s.chanel);
    showPollSettings();
    adresArray->setAdreses(s.adreses);
}

void MainWindow::startDefault()
{
    if (refuseUnidentified(QStringLiteral("DEFAULT")))
        return;
    DeviceSettings &s = data->settings;
    qDebug() << "!!!!!!!!!!!!!";
    qDebug() << "startDefault";
    // Beyond the table of serial rates: the serial time-out floor becomes 3,
    // so the factory time-out of 17 is not clamped.
    radio->setSerialRate(17);
    FactoryDefaults::apply(s, transmitter || rs485->isVisible());
    freez->wdtReset()->setValue(s.wdtReset);
    adresArray->setAdreses(s.adreses);
    s.adreses = adresArray->getAdreses();
    showSettings();
    beginRun(RunOutcome::Defaults, tr("Restoring the factory settings…"));
    engine->writeDefaults();
    // The configuration goes out with the serial rate digit of the factory
    // setting, whatever rate the record holds.
    DeviceSettings written = s;
    written.serialRate = 4;
    outcome.setWritten(written);
    outcome.setTotal(engine->queueLength());
}

// --------------------------------------------------------- connect, identify

void MainWindow::connectOrDisconnect()
{
    const QString portName = comPort->getText(QStringLiteral("PortName"));
    const QString connectedPort = comPort->connectedPort();
    const bool wasOpen = engine->isOpen();
    forgetReadSerialTimeout();
    if (wasOpen)
        outcome.end();
    else
        beginRun(RunOutcome::Connect, tr("Connecting to %1…").arg(portName));
    identified = false;
    // A virtual device is listed under a name that says so; its port is the path.
    engine->openPort(VirtualPorts::portOf(portName));
    const bool open = engine->isOpen();
    if (!open) {
        showPortClosed();
    } else {
        outcome.setTotal(engine->queueLength());
        comPort->setConnected(true);
        setPanelsEnabled(true);
        justConnected = 1;
        resizeTimer->start(1);
    }
    if (wasOpen && !open)
        tellOutcome(tr("Disconnected from %1.").arg(connectedPort));
    if (!wasOpen && !open) {
        outcome.end();
        const QString problem =
            PortProblem::describe(portName, engine->openError(), engine->openErrorString());
        tellOutcome(problem);
        tell(tr("Connection failed"), problem);
    }
}

void MainWindow::showPortClosed()
{
    measure->stopMeasurement();
    test->setIdle(true);
    comPort->setConnected(false);
    setPanelsEnabled(false);
    setWindowTitle(baseTitle());
    radio->setText(QStringLiteral("FirmWare"), QStringLiteral("x/x"));
    radio->setText(QStringLiteral("Radio module"), QString());
}

void MainWindow::slPortLost(QString reason)
{
    // The system's reason is a stale error number; the engine has written it
    // to the debug log. The user is told which port was lost and what to do.
    Q_UNUSED(reason)
    const QString portName = comPort->connectedPort();
    showPortClosed();
    justConnected = 0;
    firmwareWarning = 0;
    outcome.end();
    tellOutcome(tr("The connection through %1 was lost; the port was closed.").arg(portName));
    tell(tr("Connection lost"), PortProblem::lost(portName));
}

void MainWindow::identify(const QString &firmware, const QString &hardwareText)
{
    hardware = hardwareText;
    firmwareText = firmware;
    identified = true;
    setWindowTitle(QStringLiteral("RLX Vela Конфигуратор v.%1  Hardware: %2  Firmware: v.%3")
                       .arg(QLatin1String(Version), hardware, firmware));
    const Identification id(hardware);
    data->settings.outType = id.outType(data->settings.outType);
    qDebug() << "slSetSettings" << __LINE__ << "type:" << data->settings.outType;

    arrange(id);
    transmitter = id.isTransmitter() ? 1 : 0;
    engine->setTransmitter(transmitter);
    radio->setTestAddressEnabled(transmitter != 0);

    // Before the variant is known the radio module reset is not offered.
    freez->radioModuleReset()->setEnabled(false);
    const quint8 newVariant = Identification::firmwareVariant(firmware);
    qDebug() << "versionFirmWare" << firmware << "digitalDate"
             << Identification::digitalDate(firmware) << "variant" << newVariant;
    if (newVariant == 0 && justConnected)
        firmwareWarning = 1;
    applyVariant(newVariant);

    resizeTimer->start(1);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
}

void MainWindow::arrange(const Identification &id)
{
    measure->setInputType(data->settings.outType);
    radio->setText(QStringLiteral("Radio module"), QStringLiteral("LE50-868"));
    for (QWidget *w :
         std::initializer_list<QWidget *>{adresArray, kalibr, measure, reqPeriod, rs485, test})
        w->hide();
    reqPeriod->setAdresVisible(false);
    reqPeriod->numOfDown()->setType(0);

    if (id.isReceiver()) {
        reqPeriod->numOfDown()->setType(id.model());
        kalibr->setVisible(id.hasCurrentOutput());
        adresArray->show();
        measure->hide();
        rs485->hide();
        test->show();
        adresArray->setAdreses(QStringLiteral("00000001"));
        adresArray->setListHidden(true);
        reqPeriod->setAdresVisible(true);
        test->setSingleAdres(true);
        reqPeriod->show();
        reqPeriod->setTitle(QStringLiteral("Radio Poll and Out Settings"));
        return;
    }
    adresArray->setListHidden(false);
    reqPeriod->setAdresVisible(false);
    test->setSingleAdres(false);
    adresArray->setEnabled(true);
    if (id.model() == Identification::Rs485) {
        adresArray->show();
        measure->hide();
        rs485->show();
        test->show();
        kalibr->hide();
        reqPeriod->show();
        reqPeriod->setTitle(QStringLiteral("Radio Poll Settings"));
    } else {
        adresArray->hide();
        measure->show();
        rs485->hide();
        test->hide();
        kalibr->hide();
        reqPeriod->hide();
    }
}

void MainWindow::applyVariant(quint8 newVariant)
{
    variant = newVariant;
    if (variant == 2) {
        reqPeriod->numOfDown()->show();
        freez->radioModuleReset()->setEnabled(true);
    } else {
        reqPeriod->numOfDown()->hide();
    }
    engine->setVariant(variant);
    reqPeriod->setPeriodEnabled(variant != 0);
}

void MainWindow::slSetProgres(quint8 percent)
{
    if (test->isTestOn()) {
        progress->setValue(0);
        return;
    }
    // The bar repaints itself at once when its text changes, and that paints
    // every part of the window still waiting for it: after the panels were
    // rearranged, the whole window, while the next request waits. It is
    // painted with the rest of the window on the next pass instead.
    progress->setUpdatesEnabled(false);
    progress->setValue(percent);
    progress->setUpdatesEnabled(true);
    if (percent == 100 && outcome.isRunning() && !engine->queueLength())
        finishRun();
    if (justConnected && firmwareWarning) {
        // Cleared before the box opens: progress keeps arriving while it is
        // open, and the warning is shown once.
        justConnected = 0;
        firmwareWarning = 0;
        QMessageBox box(QMessageBox::Warning, QString(),
                        QStringLiteral("Убедитесь в актуальности FirmWare"), QMessageBox::Ok);
        box.exec();
    }
}

// --------------------------------------------------- stability check, errors

void MainWindow::slRequest(quint8 countParsers, TypeParser type, QByteArray request)
{
    qDebug() << "mainwindow"
             << "slRequest" << __LINE__ << countParsers;
    if (type == TestAddress) {
        qDebug() << "mainwindow"
                 << "slRequest" << __LINE__ << countParsers;
        test->addRect(request);
    }
}

void MainWindow::slOk(quint8, TypeParser type, QByteArray request)
{
    if (type == TestAddress) {
        qDebug() << "slOk";
        test->okRect(request);
    }
}

void MainWindow::slTimeOut(quint8, TypeParser type, QByteArray request)
{
    qDebug() << "slTimeOut";
    if (type == TestAddress)
        test->errRect(request);
}

void MainWindow::slError(QByteArray request)
{
    // The title names the request as the user would type it, without its CR.
    QMessageBox box(QMessageBox::Question, RunOutcome::requestText(request),
                    QStringLiteral("Ошибка выполнения команды. Продолжить?"),
                    QMessageBox::Yes | QMessageBox::No);
    if (box.exec() == QMessageBox::No) {
        // The failed request is still at the head; the rest go unsent.
        outcome.stopped(qMax(0, engine->queueLength() - 1));
        engine->clearParsers();
    }
}

void MainWindow::slGaveUp(TypeParser type, QByteArray request)
{
    outcome.gaveUp(type, request);
    // A calibration step that gives up clears the queue: its run ends here,
    // without a last progress report.
    if (outcome.operation() == RunOutcome::Calibration &&
        (type == SetCurrent || type == CalibrationMode))
        finishRun();
}

void MainWindow::tellOutcome(const QString &text)
{
    qDebug() << "outcome:" << text;
    statusBar()->showMessage(text);
    // A long outcome is cut at the window's edge; the tip shows all of it.
    statusBar()->setToolTip(text);
}

void MainWindow::beginRun(RunOutcome::Operation operation, const QString &doing)
{
    outcome.begin(operation, comPort->getText(QStringLiteral("PortName")));
    tellOutcome(doing);
}

void MainWindow::finishRun()
{
    const bool nothing = outcome.nothingAnswered();
    const bool anonymous = outcome.identityLost();
    RunOutcome::Device device;
    device.held = &data->settings;
    device.variant = variant;
    device.hardware = hardware;
    device.firmware = firmwareText;
    tellOutcome(outcome.finish(device));
    if (nothing) {
        // Not a finished identification: nobody is there.
        progress->setValue(0);
    } else if (anonymous) {
        tell(tr("Device not identified"),
             tr("The device on %1 did not answer the identity request ($2).\n\n"
                "Its model and firmware are unknown, so its settings were read in a layout "
                "that may not be its own and may be shown wrongly. WRITE and DEFAULT send nothing "
                "to it until a "
                "connection identifies the device: check the device and connect again.")
                 .arg(comPort->getText(QStringLiteral("PortName"))));
    }
}

bool MainWindow::refuseUnidentified(const QString &action)
{
    if (!engine->isOpen() || identified)
        return false;
    outcome.end();
    tellOutcome(tr("%1: nothing was sent, because the device on %2 has not identified itself; "
                   "connect again once it answers the identity request ($2).")
                    .arg(action, comPort->connectedPort()));
    return true;
}

void MainWindow::tell(const QString &title, const QString &message)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
    box.exec();
}

// ------------------------------------------------------------ settings file

void MainWindow::saveSettings()
{
    // A name from the hardware and the date, in the folder used last.
    QString proposed =
        QStringLiteral("%1 %2.%3")
            .arg(hardware.isEmpty() ? QStringLiteral("RLX settings") : hardware,
                 QDate::currentDate().toString(Qt::ISODate), QLatin1String(SettingsSuffix));
    proposed.replace(QRegularExpression(QStringLiteral("[/\\\\:*?\"<>|]")), QStringLiteral("-"));
    QFileDialog dialog(this, tr("Save Settings"), settingsFolder(), tr("Rlx Files (*.rlx)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QLatin1String(SettingsSuffix));
    dialog.selectFile(proposed);
    QString name;
    if (dialog.exec() == QDialog::Accepted)
        name = dialog.selectedFiles().value(0);
    if (name.isEmpty()) {
        tellOutcome(tr("Save Settings cancelled; nothing was saved."));
        return;
    }
    // A dialog of the desktop may leave the suffix to the program.
    if (QFileInfo(name).suffix().compare(QLatin1String(SettingsSuffix), Qt::CaseInsensitive))
        name += QLatin1Char('.') + QLatin1String(SettingsSuffix);
    QString error;
    if (!SettingsFile::save(name, data->settings, &error)) {
        tellOutcome(
            tr("The settings could not be saved to %1.").arg(QDir::toNativeSeparators(name)));
        tell(tr("Save Settings"),
             tr("The settings could not be saved to\n%1\n\n%2").arg(name, error));
        return;
    }
    rememberSettingsFolder(name);
    tellOutcome(tr("Settings saved to %1.").arg(QDir::toNativeSeparators(name)));
}

void MainWindow::openSettings()
{
    QFileDialog dialog(this, tr("Open Settings"), settingsFolder(), tr("Rlx Files (*.rlx)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    QString name;
    if (dialog.exec() == QDialog::Accepted)
        name = dialog.selectedFiles().value(0);
    if (name.isEmpty()) {
        tellOutcome(tr("Open Settings cancelled; nothing was changed."));
        return;
    }
    QString error;
    if (!SettingsFile::load(name, data->settings, &error)) {
        tellOutcome(tr("The settings could not be read from %1; nothing was changed.")
                        .arg(QDir::toNativeSeparators(name)));
        tell(tr("Open Settings"),
             tr("The settings could not be read from\n%1\n\n%2\nNothing was changed.")
                 .arg(name, error));
        return;
    }
    rememberSettingsFolder(name);
    showSettings();
    tellOutcome(tr("Settings opened from %1; WRITE gives them to the device.")
                    .arg(QDir::toNativeSeparators(name)));
}

QString MainWindow::settingsFolder() const
{
    const QString folder = QSettings().value(QLatin1String(SettingsFolderKey)).toString();
    return QFileInfo(folder).isDir() ? folder : QString();
}

void MainWindow::rememberSettingsFolder(const QString &fileName)
{
    QSettings().setValue(QLatin1String(SettingsFolderKey), QFileInfo(fileName).absolutePath());
}

// ------------------------------------------------------------------ shrink

void MainWindow::slResize()
{
    resizeTimer->start(1);
}

void MainWindow::slShortTimer()
{
    shrink();
}

void MainWindow::shrink()
{
    resize(width(), minimumSize().height());
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    resize(width(), minimumSize().height());
    fitScreen();
}

void MainWindow::fitScreen()
{
    QScreen *where = screen();
    if (!where || !isVisible())
        return;
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const QMargins margins(inner.left() - frame.left(), inner.top() - frame.top(),
                           frame.right() - inner.right(), frame.bottom() - inner.bottom());
    // The height the content needs, from the layout (the window's own size
    // follows a resize only once the window system has done it). While the
    // content scrolls, that is what the window would need without scrolling.
    layout()->activate();
    QSize wanted = minimumSize();
    if (scroller) {
        // The panels and, below the scroll area, the progress bar.
        const QSize content =
            central->minimumSizeHint() + QSize(0, progress->minimumSizeHint().height());
        wanted += content - centralWidget()->minimumSizeHint();
    }
    const WindowFit::Placement p =
        WindowFit::place(where->availableGeometry(), frame, margins, wanted,
                         style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
    if (p.scroll != (scroller != nullptr)) {
        setScrolling(p.scroll);
        layout()->activate(); // the window's minimum follows its new content now
    }
    resize(p.size);
    if (p.frameTopLeft != frame.topLeft())
        move(p.frameTopLeft);
}

void MainWindow::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    refitIfOffScreen();
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    refitIfOffScreen();
}

void MainWindow::refitIfOffScreen()
{
    // The window system frames, moves and resizes the window after it was
    // asked to, title bar included; what it ends with is checked again.
    QScreen *where = screen();
    if (refitPending || !isVisible() || !where ||
        where->availableGeometry().contains(frameGeometry()))
        return;
    refitPending = true;
    QTimer::singleShot(0, this, [this] {
        refitPending = false;
        fitScreen();
    });
}

void MainWindow::setScrolling(bool on)
{
    auto *grid = static_cast<QGridLayout *>(central->layout());
    if (on) {
        // The panels scroll; the progress bar stays in sight below them.
        auto *frame = new QWidget(this);
        auto *column = new QVBoxLayout(frame);
        int left, top, right, bottom;
        grid->getContentsMargins(&left, &top, &right, &bottom);
        column->setContentsMargins(left, 0, right, bottom);
        column->setSpacing(0);
        scroller = new QScrollArea(frame);
        scroller->setFrameShape(QFrame::NoFrame);
        scroller->setWidgetResizable(true);
        scroller->setWidget(takeCentralWidget());
        grid->removeWidget(progress);
        column->addWidget(scroller, 1);
        column->addWidget(progress);
        setCentralWidget(frame);
        central->show();
        return;
    }
    QWidget *frame = takeCentralWidget();
    setCentralWidget(scroller->takeWidget());
    grid->addWidget(progress, 10, 0, 1, 4);
    delete frame; // the scroll area goes with it
    scroller = nullptr;
    central->show();
}
