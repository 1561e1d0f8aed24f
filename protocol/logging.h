#pragma once

#include <QLoggingCategory>

// The debug lines of the configurator, by subject. Each can be switched with
// QT_LOGGING_RULES, for example
//   QT_LOGGING_RULES="rlx.protocol.debug=false;rlx.trace.debug=true"
// rlx.protocol  requests written, bytes received, repeats, time-outs, give-ups
// rlx.window    which editor a reply goes to, panel events
// rlx.trace     every request and every received chunk byte by byte, in
//               hexadecimal (off unless switched on)
Q_DECLARE_LOGGING_CATEGORY(lcProtocol)
Q_DECLARE_LOGGING_CATEGORY(lcWindow)
Q_DECLARE_LOGGING_CATEGORY(lcTrace)
