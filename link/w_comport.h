#pragma once

#include "editors/w_qwidget.h"

class PortList;
class QComboBox;
class QPushButton;
class QTimer;

// The strip from which the user picks the serial port and connects, and opens
// and saves settings files. The port list follows the ports present on the
// machine; the port last connected through is remembered and chosen again
// when it appears.
class W_ComPort : public W_QWidget
{
    Q_OBJECT
public:
    // `ports` tells which ports are present (the bar takes it over); without
    // one the bar watches the system's serial ports.
    explicit W_ComPort(QWidget *parent = nullptr, PortList *ports = nullptr);

    // The main window tells whether the port is open after each connect or
    // disconnect. Entering the connected state remembers the port.
    void setConnected(bool connected);
    // The entry of the port list the open connection goes through, as the
    // list shows it; empty while disconnected.
    QString connectedPort() const { return connectedName; }

public slots:
    // Brings the port list in step with the present ports: new ports are
    // added at the end, gone ones removed, but none while connected.
    void slUpdatePortName();

private:
    QComboBox *portName;
    QPushButton *open;
    QPushButton *openSettings;
    QPushButton *saveSettings;
    QPushButton *configureRemote;
    PortList *ports;
    QTimer *timer;
    bool connected = false;
    QString connectedName;
};
