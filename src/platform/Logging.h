#pragma once

#include <QLoggingCategory>

// What the program drops without troubling the user (a save that failed, a file it would
// not read, a message from another program it refused) is logged here. Silent unless
// asked for, e.g. QT_LOGGING_RULES="tavoro.*.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcSettings) // tavoro.settings: registry and themes files
Q_DECLARE_LOGGING_CATEGORY(lcFiles)    // tavoro.files: unreadable Favorites folders, own data
Q_DECLARE_LOGGING_CATEGORY(lcX11)      // tavoro.x11: messages from other programs
