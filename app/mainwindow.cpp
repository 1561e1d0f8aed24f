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
#include "protocol/replydecoder.h"

#include <QDebug>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>

namespace {

// The smallest serial time-out the radio module needs at each serial rate.
quint8 minSerialTimeout(int serialRate)
{
    static const quint8 floor[] = {17, 9, 5, 3, 2, 2, 2, 2};
    return serialRate >= 0 && serialRate < 8 ? floor[serialRate] : 3;
}

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
    connect(resizeTimer, &QTimer::timeout, this, &MainWindow::slShortTimer);
    connectPanels();
    TrafficLog::install(this, engine);
    ToolTips::apply(this);
    connect(test, &W_Test::sgOutcome, this,
            [this](const QString &text) { statusBar()->showMessage(text); });

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
        engine->writeSettings();
    }
    if (is("READ")) {
        measure->stopMeasurement();
        forgetReadSerialTimeout();
        engine->readSettings();
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
    if (is("setCurCurrent"))
        engine->sendCurrent(curCurrent);
    if (is("realCurrent"))
        realCurrent = quint16(val);
    if (is("setRealCurrent"))
        engine->sendRealCurrent(curCurrent, realCurrent);
    if (is("resetKalibr"))
        engine->exitCalibration();
    if (is("setKalibr"))
        engine->enterCalibration();
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
    DeviceSettings &s = data->settings;
    s.subBand = 2;
    s.radioRate = 0;
    s.chanel = 0;
    s.power = 7;
    s.testAdres = 1;
    qDebug() << "!!!!!!!!!!!!!";
    qDebug() << "startDefault";
    radio->setSerialRate(17);
    s.serialTimeout = 17;
    s.delRxTx = 0;
    s.delTxRx = 0;
    s.parity = 0;
    s.radioTransmitReset = 50;
    s.stopBit = 0;
    s.spare = 0;
    s.flowControl = 2;
    s.radioModuleReset = 6;
    s.wdtReset = (transmitter || rs485->isVisible()) ? 9 : 0;
    freez->wdtReset()->setValue(s.wdtReset);
    s.averaging1 = 5;
    s.averaging2 = 5;
    s.delRequest = 2;
    s.numOfDown = 3;
    switch (s.outType) {
    case 0:
        s.diskret1 = 5;
        s.diskret2 = 5;
        break;
    case 1:
        s.diskret1 = 5;
        s.diskret2 = 4;
        break;
    case 2:
        s.diskret1 = 4;
        s.diskret2 = 4;
        break;
    default:
        break;
    }
    adresArray->setAdreses(QStringLiteral("00000001"));
    s.adreses = adresArray->getAdreses();
    showSettings();
    engine->writeDefaults();
}

// --------------------------------------------------------- connect, identify

void MainWindow::connectOrDisconnect()
{
    const QString portName = comPort->getText(QStringLiteral("PortName"));
    const bool wasOpen = engine->isOpen();
    forgetReadSerialTimeout();
    // A virtual device is listed under a name that says so; its port is the path.
    engine->openPort(VirtualPorts::portOf(portName));
    const bool open = engine->isOpen();
    if (!open) {
        showPortClosed();
    } else {
        comPort->setConnected(true);
        setPanelsEnabled(true);
        justConnected = 1;
        resizeTimer->start(1);
    }
    if (!wasOpen && !open)
        tell(tr("Connection failed"),
             PortProblem::describe(portName, engine->openError(), engine->openErrorString()));
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
    tell(tr("Connection lost"), PortProblem::lost(portName));
}

void MainWindow::identify(const QString &firmware, const QString &hardwareText)
{
    hardware = hardwareText;
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
    QMessageBox box(QMessageBox::Question, QString::fromLocal8Bit(request),
                    QStringLiteral("Ошибка выполнения команды. Продолжить?"),
                    QMessageBox::Yes | QMessageBox::No);
    if (box.exec() == QMessageBox::No)
        engine->clearParsers();
}

void MainWindow::tell(const QString &title, const QString &message)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::Ok, this);
    box.exec();
}

// ------------------------------------------------------------ settings file

void MainWindow::saveSettings()
{
    const QString name =
        QFileDialog::getSaveFileName(this, tr("Save Settings"), QString(), tr("Rlx Files (*.rlx)"));
    if (name.isEmpty())
        return;
    QString error;
    if (!SettingsFile::save(name, data->settings, &error))
        tell(tr("Save Settings"),
             tr("The settings could not be saved to\n%1\n\n%2").arg(name, error));
}

void MainWindow::openSettings()
{
    const QString name =
        QFileDialog::getOpenFileName(this, tr("Open Settings"), QString(), tr("Rlx Files (*.rlx)"));
    if (name.isEmpty())
        return;
    QString error;
    if (!SettingsFile::load(name, data->settings, &error)) {
        tell(tr("Open Settings"),
             tr("The settings could not be read from\n%1\n\n%2\nNothing was changed.")
                 .arg(name, error));
        return;
    }
    showSettings();
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
    if (scroller)
        wanted += central->minimumSizeHint() - scroller->minimumSizeHint();
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
    if (on) {
        scroller = new QScrollArea(this);
        scroller->setFrameShape(QFrame::NoFrame);
        scroller->setWidgetResizable(true);
        scroller->setWidget(takeCentralWidget());
        setCentralWidget(scroller);
        central->show();
        return;
    }
    setCentralWidget(scroller->takeWidget()); // the scroll area goes with it
    scroller = nullptr;
    central->show();
}
