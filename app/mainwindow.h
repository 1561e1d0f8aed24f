#pragma once

#include "app/settingrouter.h"
#include "protocol/typeparser.h"
#include "session/runoutcome.h"

#include <QByteArrayList>
#include <QMainWindow>

class CalibrationSteps;
class Data;
class DeviceSession;
class Exchange;
class OutcomeLine;
class PanelArrangement;
class QProgressBar;
class QTimer;
class SettingsDisplay;
class W_ComPort;
class W_QWidget;
class WindowSizer;

// The configurator's one window. It owns the device settings record and the
// exchange engine, hosts the connection bar and the nine panels, and is the
// only place that maps parameter names to record fields and device requests
// (its routing table). Which panels show is PanelArrangement's, showing the
// record in them SettingsDisplay's, the window's size WindowSizer's.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr const char *Version = "2.5.16";

    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Pushes the whole record into the editors.
    void showSettings();
    // DEFAULT: the record is reset to the factory values and written.
    void startDefault();
    // Panels usable only with an open port; the address list always is.
    void setPanelsEnabled(bool enable);

    void saveSettings();
    void openSettings();

    Data *settingsData() const { return data; }
    Exchange *exchange() const { return engine; }
    DeviceSession *deviceSession() const { return session; }
    quint8 firmwareVariant() const;
    int isTransmitter() const;
    QString hardwareText() const;

private slots:
    void slValueChange(QString name, int val);
    void slTextChange(QString name, QString val);
    void slResize();
    void slShortTimer();

    void slSetSettings(TypeParser type, QByteArrayList param);
    void slIdentity(const QString &firmware, const QString &hardwareText);
    void slSetProgres(quint8 percent);
    void slRequest(quint8 countParsers, TypeParser type, QByteArray request);
    void slOk(quint8 countParsers, TypeParser type, QByteArray request);
    void slTimeOut(quint8 countParsers, TypeParser type, QByteArray request);
    void slError(QByteArray request);
    void slPortLost(QString reason);
    void slGaveUp(TypeParser type, QByteArray request, bool counts);

private:
    static QString baseTitle();
    void buildRoutes();
    void connectPanels();
    // Tab follows the panels as they are arranged.
    void orderTabs();

    void connectOrDisconnect();
    void showPortClosed();
    void applyVariant(quint8 newVariant);
    // The user leaves what was read for a new operation.
    void leaveReadValues();

    void beginRun(RunOutcome::Operation operation, const QString &doing);
    void finishRun();
    // WRITE and DEFAULT go only to a device that identified itself.
    bool refuseUnidentified(const QString &action);
    // WRITE sends only what a device may be given.
    bool refuseInvalid();

    quint8 justConnected = 0;
    quint8 firmwareWarning = 0;
    DeviceSession *session;
    Data *data;
    QTimer *resizeTimer;
    Exchange *engine;
    W_QWidget *central;
    W_ComPort *comPort;
    QProgressBar *progress;
    OutcomeLine *outcomeLine;

    PanelArrangement *panels;
    SettingsDisplay *display;
    CalibrationSteps *calibration;
    WindowSizer *sizer;
    SettingRouter router;
};
