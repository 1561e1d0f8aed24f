#pragma once

#include "protocol/devicesettings.h"

#include <QObject>

// Holds the device settings record. The main window owns the one instance;
// the exchange engine reads the write arguments from it.
class Data : public QObject
{
public:
    explicit Data(QObject *parent = nullptr);

    DeviceSettings settings;
};
