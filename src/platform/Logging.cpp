#include "platform/Logging.h"

// Only critical messages pass by default; the rest wait for a logging rule.
Q_LOGGING_CATEGORY(lcSettings, "tavoro.settings", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcFiles, "tavoro.files", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcX11, "tavoro.x11", QtCriticalMsg)
