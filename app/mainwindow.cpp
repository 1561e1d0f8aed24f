#include "app/mainwindow.h"

#include "app/calibrationsteps.h"
#include "app/keyboardaccess.h"
#include "app/labelroom.h"
#include "app/outcomeline.h"
#include "app/panelarrangement.h"
#include "app/portproblem.h"
#include "app/recordroutes.h"
#include "app/settingsdisplay.h"
#include "app/settingsfiledialogs.h"
#include "app/tooltips.h"
#include "app/trafficlog.h"
#include "app/windowsizer.h"
#include "editors/w_freezprotection.h"
#include "editors/w_radio.h"
#include "editors/w_rs485.h"
#include "link/virtualports.h"
#include "link/w_comport.h"
#include "panels/adresarray.h"
#include "panels/measure.h"
#include "panels/w_test.h"
#include "protocol/averagingbyte.h"
#include "protocol/data.h"
#include "protocol/exchange.h"
#include "protocol/factorydefaults.h"
#include "protocol/logging.h"
#include "protocol/pollsettingsbyte.h"
#include "protocol/replydecoder.h"
#include "protocol/serialtimeout.h"
#include "protocol/settingsfields.h"
#include "session/devicesession.h"
#include "session/identification.h"
#include "session/settingsfile.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>

QString MainWindow::baseTitle()
{
    return tr("RLX Vela Конфигуратор v.%1").arg(QLatin1String(Version));
}

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(baseTitle());
    resizeTimer = new QTimer();
    resizeTimer->setSingleShot(true);
    resizeTimer->setInterval(1);

    central = new W_QWidget(this);
    comPort = new W_ComPort(this);
    comPort->connectControls();
    progress = new QProgressBar(this);
    progress->setMaximum(100);
    panels = new PanelArrangement(this, central, comPort, progress);

    setCentralWidget(central);
    session = new DeviceSession(this);
    data = session->data();
    engine = session->engine();
    outcomeLine = new OutcomeLine(this, session->run());
    sizer = new WindowSizer(this, central, progress);

    display = new SettingsDisplay(panels, data->settings, this);
    calibration = new CalibrationSteps(engine, outcomeLine, panels->kalibr, [this] {
        return comPort->getText(QStringLiteral("PortName"));
    });
    buildRoutes();

    connect(comPort, &W_QWidget::sgValueChange, this, &MainWindow::slValueChange);
    connect(comPort, &W_QWidget::sgTextChange, this, &MainWindow::slTextChange);
    connect(session, &DeviceSession::identityTaken, this, &MainWindow::slIdentity);
    connect(session, &DeviceSession::replyTaken, this, &MainWindow::slSetSettings);
    connect(engine, &Exchange::sgSetProgres, this, &MainWindow::slSetProgres);
    connect(engine, &Exchange::sgRequest, this, &MainWindow::slRequest);
    connect(engine, &Exchange::sgOk, this, &MainWindow::slOk);
    connect(engine, &Exchange::sgTimeOut, this, &MainWindow::slTimeOut);
    connect(engine, &Exchange::sgError, this, &MainWindow::slError);
    connect(engine, &Exchange::sgPortLost, this, &MainWindow::slPortLost);
    connect(session, &DeviceSession::gaveUp, this, &MainWindow::slGaveUp);
    connect(resizeTimer, &QTimer::timeout, this, &MainWindow::slShortTimer);
    connectPanels();
    TrafficLog *log = TrafficLog::install(this, engine, [this] {
        TrafficLog::About about;
        about.program = baseTitle();
        about.port = engine->isOpen() ? comPort->connectedPort() : QString();
        about.hardware = session->hardware();
        about.firmware = session->firmware();
        about.settings = data->settings;
        about.outcome = outcomeLine->lastText();
        return about;
    });
    // The log keeps every outcome whole, between the traffic that led to it.
    connect(outcomeLine, &OutcomeLine::told, log, &TrafficLog::slOutcome);
    // The shortcuts first: the buttons' tooltips name them.
    KeyboardAccess::applyShortcuts(this);
    LabelRoom::give(this);
    ToolTips::apply(this);
    orderTabs();

    setPanelsEnabled(engine->isOpen());
    showSettings();

    QString skipped;
    if (!SettingsFile::startupCheck(QStringLiteral("test_rlx"), data->settings, &skipped))
        qCDebug(lcWindow) << "test_rlx: start-up file check skipped:" << skipped;

    resizeTimer->start(1);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    setPanelsEnabled(true);
    panels->showStartOutputs();
}

MainWindow::~MainWindow()
{
    // The engine may still hand out replies while children are destroyed.
    engine->disconnect(this);
    session->disconnect(this);
    delete resizeTimer;
}

quint8 MainWindow::firmwareVariant() const
{
    return session->variant();
}

int MainWindow::isTransmitter() const
{
    return session->isTransmitter() ? 1 : 0;
}

QString MainWindow::hardwareText() const
{
    return session->hardware();
}

void MainWindow::connectPanels()
{
    for (W_QWidget *panel : panels->editors())
        connect(panel, &W_QWidget::sgValueChange, this, &MainWindow::slValueChange);
    W_Test *test = panels->test;
    connect(test, &W_Test::sgStartTest, engine, &Exchange::startTest);
    connect(test, &W_Test::sgStopTest, engine, &Exchange::clearParsers);
    connect(test, &W_Test::sgClearTest, engine, &Exchange::resetTestPosition);
    connect(panels->measure, &Measure::sgGetValue, engine, &Exchange::getValue);
    connect(test, &W_Test::sgStartTest, this, [this] {
        outcomeLine->run().end();
        outcomeLine->tell(tr("Stability check running; STOP ends it."));
    });
    // STOP's outcome is the panel's summary per address.
    connect(test, &W_Test::sgOutcome, outcomeLine, &OutcomeLine::tell);
}

void MainWindow::orderTabs()
{
    // The panels first, as arranged, then the traffic log's button in the
    // status line.
    KeyboardAccess::orderTabs({central, statusBar()});
}

void MainWindow::setPanelsEnabled(bool enable)
{
    panels->setEnabled(enable);
    progress->setEnabled(enable);
}

// ------------------------------------------------------------------ routing

void MainWindow::slValueChange(QString name, int val)
{
    qCDebug(lcWindow) << "slValueChange" << name << val;
    router.route(name, val);
}

// Every key is tested against every name, in this order, as a prefix.
void MainWindow::buildRoutes()
{
    DeviceSettings &s = data->settings;
    auto route = [this](const char *key, SettingRouter::Handler handler) {
        router.add(QLatin1String(key), std::move(handler));
    };

    route("pbOpen", [this](int) { connectOrDisconnect(); });
    RecordRoutes::addTo(router, s, panels->radio);
    route("WRITE", [this, &s](int) {
        leaveReadValues();
        s.adreses = panels->adresArray->getAdreses();
        if (refuseUnidentified(QCoreApplication::translate("W_Key", "WRITE")) || refuseInvalid())
            return;
        beginRun(RunOutcome::Write, tr("Writing…"));
        session->write();
    });
    route("READ", [this](int) {
        leaveReadValues();
        beginRun(RunOutcome::Read, tr("Reading…"));
        session->read();
    });
    route("DEFAULT", [this](int) {
        leaveReadValues();
        startDefault();
    });
    route("Open Settings", [this](int) { openSettings(); });
    route("Save Settings", [this](int) { saveSettings(); });
    route("Freeze Protection", [this](int val) {
        panels->freez->setVisible(val == 0);
        resizeTimer->start(1);
    });
    calibration->addTo(router);
}

void MainWindow::leaveReadValues()
{
    panels->measure->stopMeasurement();
    display->forgetReadSerialTimeout();
}

void MainWindow::slTextChange(QString, QString) {}

// ------------------------------------------------------------------ replies

void MainWindow::slSetSettings(TypeParser type, QByteArrayList param)
{
    // The session has stored the reply in the record.
    display->showReply(type, param);
}

void MainWindow::showSettings()
{
    display->showSettings();
}

void MainWindow::startDefault()
{
    if (refuseUnidentified(QCoreApplication::translate("W_Key", "DEFAULT")))
        return;
    DeviceSettings &s = data->settings;
    qCDebug(lcWindow) << "startDefault";
    // Beyond the table of serial rates: the serial time-out floor becomes 3,
    // so the factory time-out of 17 is not clamped.
    panels->radio->setSerialRate(17);
    FactoryDefaults::apply(s, session->watchdogOnByDefault());
    panels->freez->showWdtReset(s.wdtReset);
    panels->adresArray->setAdreses(s.adreses);
    s.adreses = panels->adresArray->getAdreses();
    showSettings();
    beginRun(RunOutcome::Defaults, tr("Restoring the factory settings…"));
    session->restoreDefaults();
}

// --------------------------------------------------------- connect, identify

void MainWindow::connectOrDisconnect()
{
    const QString portName = comPort->getText(QStringLiteral("PortName"));
    const QString connectedPort = comPort->connectedPort();
    const bool wasOpen = engine->isOpen();
    display->forgetReadSerialTimeout();
    if (wasOpen)
        outcomeLine->run().end();
    else
        beginRun(RunOutcome::Connect, tr("Connecting to %1…").arg(portName));
    // A virtual device is listed under a name that says so; its port is the path.
    session->openPort(VirtualPorts::portOf(portName));
    const bool open = engine->isOpen();
    if (!open) {
        showPortClosed();
    } else {
        outcomeLine->run().setTotal(engine->queueLength());
        comPort->setConnected(true);
        setPanelsEnabled(true);
        justConnected = 1;
        resizeTimer->start(1);
    }
    if (wasOpen && !open)
        outcomeLine->tell(tr("Disconnected from %1.").arg(connectedPort));
    if (!wasOpen && !open) {
        outcomeLine->run().end();
        const QString problem =
            PortProblem::describe(portName, engine->openError(), engine->openErrorString());
        outcomeLine->tell(problem);
        outcomeLine->warn(tr("Connection failed"), problem);
    }
}

void MainWindow::showPortClosed()
{
    panels->showPortClosed();
    comPort->setConnected(false);
    setPanelsEnabled(false);
    setWindowTitle(baseTitle());
}

void MainWindow::slPortLost(QString reason)
{
    // The system's reason is a stale error number; the engine has written it
    // to the debug log. The user is told which port was lost and what to do.
    Q_UNUSED(reason)
    const QString portName = comPort->connectedPort();
    showPortClosed();
    // The run ended with the port: the bar does not stay where it stopped.
    progress->setValue(0);
    justConnected = 0;
    firmwareWarning = 0;
    outcomeLine->run().end();
    outcomeLine->tell(tr("The connection through %1 was lost; the port was closed.").arg(portName));
    outcomeLine->warn(tr("Connection lost"), PortProblem::lost(portName));
}

// The session has classified the device and given the engine its variant
// and transmitter flag; the window follows.
void MainWindow::slIdentity(const QString &firmware, const QString &hardwareText)
{
    setWindowTitle(tr("RLX Vela Конфигуратор v.%1  Hardware: %2  Firmware: v.%3")
                       .arg(QLatin1String(Version), hardwareText, firmware));
    panels->arrange(session->identification(), data->settings.outType);
    // Groups retitled for the model take the tooltips of their new titles.
    ToolTips::apply(this);
    panels->radio->setTestAddressEnabled(session->isTransmitter());

    // Before the variant is known the radio module reset is not offered.
    panels->forgetVariant();
    if (session->variant() == 0 && justConnected)
        firmwareWarning = 1;
    applyVariant(session->variant());
    orderTabs();

    resizeTimer->start(1);
    setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Minimum);
}

void MainWindow::applyVariant(quint8 newVariant)
{
    panels->applyVariant(newVariant);
}

void MainWindow::slSetProgres(quint8 percent)
{
    if (panels->test->isTestOn()) {
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
    if (percent == 100 && outcomeLine->run().isRunning() && !engine->queueLength())
        finishRun();
    if (justConnected && firmwareWarning) {
        // Cleared before the box opens: progress keeps arriving while it is
        // open, and the warning is shown once.
        justConnected = 0;
        firmwareWarning = 0;
        QMessageBox box(QMessageBox::Warning, QString(), tr("Убедитесь в актуальности FirmWare"),
                        QMessageBox::Ok);
        box.exec();
    }
}

// --------------------------------------------------- stability check, errors

void MainWindow::slRequest(quint8 countParsers, TypeParser type, QByteArray request)
{
    qCDebug(lcWindow) << "mainwindow"
                      << "slRequest" << countParsers;
    if (type == TestAddress)
        panels->test->addRect(request);
}

void MainWindow::slOk(quint8, TypeParser type, QByteArray request)
{
    if (type == TestAddress) {
        qCDebug(lcWindow) << "slOk";
        panels->test->okRect(request);
    }
}

void MainWindow::slTimeOut(quint8, TypeParser type, QByteArray request)
{
    qCDebug(lcWindow) << "slTimeOut";
    if (type == TestAddress)
        panels->test->errRect(request);
}

void MainWindow::slError(QByteArray request)
{
    // The title names the request as the user would type it, without its CR.
    QMessageBox box(QMessageBox::Question, RunOutcome::requestText(request),
                    tr("Ошибка выполнения команды. Продолжить?"),
                    QMessageBox::Yes | QMessageBox::No);
    if (box.exec() == QMessageBox::No) {
        // The failed request is still at the head; the rest go unsent.
        outcomeLine->run().stopped(qMax(0, engine->queueLength() - 1));
        engine->clearParsers();
    }
}

void MainWindow::slGaveUp(TypeParser type, QByteArray, bool)
{
    if (outcomeLine->endsRun(type))
        finishRun();
}

void MainWindow::finishRun()
{
    // Nothing answered: not a finished identification, nobody is there.
    if (outcomeLine->finish(session->device(), comPort->getText(QStringLiteral("PortName"))))
        progress->setValue(0);
}

bool MainWindow::refuseUnidentified(const QString &action)
{
    if (!engine->isOpen() || session->identified())
        return false;
    outcomeLine->refuseUnidentified(action, comPort->connectedPort());
    return true;
}

bool MainWindow::refuseInvalid()
{
    const QList<SettingsProblem> problems = SettingsFields::validate(data->settings);
    if (problems.isEmpty())
        return false;
    QStringList why;
    for (const SettingsProblem &p : problems)
        why << tr("%1: %2").arg(p.field->labelText(), p.why);
    outcomeLine->run().end();
    outcomeLine->tell(tr("WRITE: nothing was sent, because these settings cannot go to a "
                         "device: %1.")
                          .arg(why.join(QLatin1String("; "))));
    return true;
}

void MainWindow::beginRun(RunOutcome::Operation operation, const QString &doing)
{
    outcomeLine->begin(operation, comPort->getText(QStringLiteral("PortName")), doing);
}

// ------------------------------------------------------------ settings file

void MainWindow::saveSettings()
{
    const SettingsFileDialogs::Result r =
        SettingsFileDialogs::save(this, data->settings, session->hardware());
    outcomeLine->tell(r.outcome);
    if (!r.problem.isEmpty())
        outcomeLine->warn(tr("Save Settings"), r.problem);
}

void MainWindow::openSettings()
{
    const SettingsFileDialogs::Result r = SettingsFileDialogs::open(this, data->settings);
    QString outcome = r.outcome;
    if (r.done) {
        // The editors take what they can show; a value of the file they
        // cannot comes back from them changed, and the user is told.
        const DeviceSettings opened = data->settings;
        showSettings();
        QStringList changed;
        for (const SettingsField &f : SettingsFields::all())
            if (f.isDeviceField() &&
                !SettingsFields::same(f, f.value(opened), f.value(data->settings)))
                changed << tr("%1 %2 became %3")
                               .arg(f.labelText(), f.value(opened).toString(),
                                    f.value(data->settings).toString());
        if (!changed.isEmpty())
            outcome += tr(" Values the editors cannot show were changed: %1.")
                           .arg(changed.join(QLatin1String(", ")));
        // What no editor changes and no device may be given stays as the
        // file has it; WRITE refuses it until it is set in its editor.
        QStringList invalid;
        for (const SettingsProblem &p : SettingsFields::validate(data->settings))
            invalid << tr("%1: %2").arg(p.field->labelText(), p.why);
        if (!invalid.isEmpty())
            outcome += tr(" Set these in their editors before WRITE: %1.")
                           .arg(invalid.join(QLatin1String("; ")));
    }
    outcomeLine->tell(outcome);
    if (!r.problem.isEmpty())
        outcomeLine->warn(tr("Open Settings"), r.problem);
}

// ------------------------------------------------------------------ size

void MainWindow::slResize()
{
    resizeTimer->start(1);
}

void MainWindow::slShortTimer()
{
    sizer->shrink();
}
