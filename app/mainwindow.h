#pragma once

#include "app/runoutcome.h"
#include "protocol/typeparser.h"

#include <QByteArrayList>
#include <QMainWindow>

class AdresArray;
class Data;
class Exchange;
class Identification;
class Kalibr;
class Measure;
class QProgressBar;
class QScrollArea;
class QTimer;
class ReqPeriod;
class W_ComPort;
class W_FreezProtection;
class W_Key;
class W_QWidget;
class W_Radio;
class W_Rs485;
class W_Test;

// The configurator's one window. It owns the device settings record and the
// exchange engine, hosts the connection bar and the nine panels, and is the
// only place that maps parameter names to record fields and device requests.
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
    quint8 firmwareVariant() const { return variant; }
    int isTransmitter() const { return transmitter; }
    QString hardwareText() const { return hardware; }

private slots:
    void slValueChange(QString name, int val);
    void slTextChange(QString name, QString val);
    void slResize();
    void slShortTimer();

    void slSetSettings(TypeParser type, QByteArrayList param);
    void slSetProgres(quint8 percent);
    void slRequest(quint8 countParsers, TypeParser type, QByteArray request);
    void slOk(quint8 countParsers, TypeParser type, QByteArray request);
    void slTimeOut(quint8 countParsers, TypeParser type, QByteArray request);
    void slError(QByteArray request);
    void slPortLost(QString reason);
    void slGaveUp(TypeParser type, QByteArray request);

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    static QString baseTitle();
    void buildPanels(class QGridLayout *grid);
    void connectPanels();
    void finishPanels();

    void connectOrDisconnect();
    void showPortClosed();
    void identify(const QString &firmware, const QString &hardwareText);
    void arrange(const Identification &id);
    void applyVariant(quint8 newVariant);
    void showConfiguration();
    void forgetReadSerialTimeout();
    void showPollSettings();
    void setOutputBit(quint8 mask, int val);
    void shrink();
    void fitScreen();
    void setScrolling(bool on);
    void refitIfOffScreen();
    void tell(const QString &title, const QString &text);

    // The status line: the outcome of the last operation, kept until the next.
    void tellOutcome(const QString &text);
    void beginRun(RunOutcome::Operation operation, const QString &doing);
    void finishRun();
    // WRITE and DEFAULT go only to a device that identified itself.
    bool refuseUnidentified(const QString &action);
    // A calibration step goes out only over an open port.
    bool beginCalibrationStep(const QString &done, const QString &failed);
    QString settingsFolder() const;
    void rememberSettingsFolder(const QString &fileName);

    quint8 justConnected = 0;
    quint8 firmwareWarning = 0;
    Data *data;
    quint8 variant = 0;
    QTimer *resizeTimer;
    Exchange *engine;
    W_QWidget *central;
    W_ComPort *comPort;
    QProgressBar *progress;
    int transmitter = 1;
    quint16 curCurrent = 20000;
    quint16 realCurrent = 0;
    QString hardware;
    QString firmwareText;
    // The current connection's device answered the identity request.
    bool identified = false;
    RunOutcome outcome;
    bool stabilityRunning = false;

    W_Key *key;
    W_Radio *radio;
    W_Rs485 *rs485;
    W_FreezProtection *freez;
    W_Test *test;
    AdresArray *adresArray;
    Measure *measure;
    Kalibr *kalibr;
    ReqPeriod *reqPeriod;

    // Holds the content while the window is taller than the screen allows.
    QScrollArea *scroller = nullptr;
    bool refitPending = false;

    // The module's serial time-out from the current read, shown again once
    // the device's serial rate (and with it the time-out floor) is known.
    quint8 readSerialTimeout = 0;
    bool hasReadSerialTimeout = false;
};
