#include "protocol/data.h"

Data::Data(QObject *parent) : QObject(parent) {}
