#include "protocol/factorydefaults.h"

#include "protocol/addressmask.h"

void FactoryDefaults::apply(DeviceSettings &s, bool watchdog)
{
    s.subBand = 2;
    s.radioRate = 0;
    s.chanel = 0;
    s.power = 7;
    s.testAdres = 1;
    s.serialTimeout = 17;
    s.delRxTx = 0;
    s.delTxRx = 0;
    s.parity = 0;
    s.radioTransmitReset = 50;
    s.stopBit = 0;
    s.spare = 0;
    s.flowControl = 2;
    s.radioModuleReset = RadioModuleReset;
    s.wdtReset = watchdog ? WdtReset : 0;
    s.averaging1 = 5; // arithmetic mean over 5 s
    s.averaging2 = 5;
    s.delRequest = 2;
    s.numOfDown = 3;
    // The thresholds follow the inputs: 5 mA for a current input, 4 V for a
    // voltage input.
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
    s.adreses = AddressMask::format(1); // the one remote device at address 1
}
