// What nearly every test includes besides the test library, compiled once for
// all the tests. The test library's own headers stay out: Qt 6 gives each test
// its own QT_TESTCASE_BUILDDIR, which those headers read, so a shared
// precompiled copy would not match any test but the first.
#include "cmake/pch-widgets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
