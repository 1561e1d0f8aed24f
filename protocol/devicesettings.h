#pragma once

#include <QString>
#include <QtGlobal>

// The one copy of a device's settings the configurator keeps. Editors report
// into it, device replies are stored in it, the write sequences and the
// settings file take their values from it. Every byte field is unsigned and
// travels to and from the device as decimal text.
struct DeviceSettings
{
    quint8 subBand = 0;                        // radio sub-band code (S206)
    quint8 radioRate = 0;                      // radio data rate index (S201)
    quint8 chanel = 0;                         // radio channel index (S200)
    quint8 power = 0;                          // transmit power index (S202)
    quint8 testAdres = 0;                      // own radio address
    quint8 serialRate = 0;                     // serial data rate index 0 to 7
    quint8 serialTimeout = 0;                  // serial time-out of the radio module (S214)
    quint8 delRxTx = 0;                        // receive-to-transmit delay
    quint8 delTxRx = 0;                        // transmit-to-receive delay
    quint8 parity = 0;                         // serial frame format index
    quint8 radioTransmitReset = 0;             // radio transmit reset time
    quint8 stopBit = 0;                        // stop bits index
    quint8 averaging1 = 1;                     // input 1: see AveragingByte
    quint8 averaging2 = 1;                     // input 2: the same
    quint8 diskret1 = 1;                       // input 1 low-to-high threshold
    quint8 diskret2 = 1;                       // input 2 low-to-high threshold
    quint8 spare = 0;                          // carried only by the settings file
    quint8 flowControl = 0;                    // as the device stores it: 0 or 2 (S216)
    quint8 wdtReset = 0;                       // watchdog reset time, 0 = off
    quint8 radioModuleReset = 0;               // radio module reset time
    QString portName = QStringLiteral("COM1"); // carried only by the settings file
    quint8 outType = 0;    // input/output kind 0, 1 or 2 from the identity reply
    QString adreses;       // remote addresses in the address panel's notation
    quint8 delRequest = 2; // requests period
    quint8 numOfDown = 3;  // see PollSettingsByte
};
