// What every test includes: the test library and the window's headers,
// compiled once for all the tests.
#include "cmake/pch-widgets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
