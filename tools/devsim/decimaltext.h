#pragma once

#include <QByteArray>

// The decimal fields of the device's command texts: register numbers and the
// byte values of settings, written without sign or spaces.
namespace DecimalText {

// True for a non-empty text of the digits 0-9 only.
bool allDigits(const QByteArray &text);

// A decimal byte of at most three digits, or -1.
int byteValue(const QByteArray &text);

} // namespace DecimalText
