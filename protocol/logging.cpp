#include "protocol/logging.h"

Q_LOGGING_CATEGORY(lcProtocol, "rlx.protocol")
Q_LOGGING_CATEGORY(lcWindow, "rlx.window")
Q_LOGGING_CATEGORY(lcTrace, "rlx.trace", QtInfoMsg)
