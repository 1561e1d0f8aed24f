#pragma once

#include <QMetaType>

// Request and reply kinds. The numeric values are fixed: the exchange engine
// selects behaviour by value ranges and sets of values. 12, 20 and 30 are unused.
enum TypeParser : int
{
    EnterCommand = 0,
    SetS220 = 1,
    TestAddress = 2,
    ModuleDefaults = 3,
    WriteConfig = 4,
    WriteS206 = 5,
    WriteS201 = 6,
    WriteS200 = 7,
    WriteS202 = 8,
    WriteS214 = 9,
    WriteS210 = 10,
    SetLinkRate = 11,
    WriteS216 = 13,
    ReadConfig = 14,
    ReadS206 = 15,
    ReadS201 = 16,
    ReadS200 = 17,
    ReadS202 = 18,
    ReadS214 = 19,
    ReadS216 = 21,
    ReadInputs = 22,
    ReadIdentity = 23,
    ReadModuleVersion = 24,
    ExitCommand = 25,
    WriteS252 = 26,
    WriteAveraging = 27,
    ReadAveraging = 28,
    SetCurrent = 29,
    CalibrationMode = 31,
};

// Stands for no request or reply at all.
constexpr TypeParser NoRequest = TypeParser(-1);

Q_DECLARE_METATYPE(TypeParser)
