#pragma once

#include "appearance/clsThemeApps.h"

#include <QString>

// Themes.dat: one theme per line, 13 TAB-separated fields, the tree's six values before
// the list's.
namespace Themes {

// Position 1 always holds "(Custom)": the file's first theme when it has that name,
// otherwise the built-in default, also for a missing, empty or unreadable file. A line
// cut short takes the values it lacks from "(Custom)". Only a plain file of a sane size
// is read.
clsThemeApps ReadThemes(const QString& path);

// Replaces the file atomically, UTF-8 with CR LF line ends; false when it could not be
// written, and then the old file stays as it was and error (when given) says why. A file
// too large to have been read, or not a plain file, is never replaced.
bool WriteThemes(const QString& path, const clsThemeApps& themes, QString* error = nullptr);

} // namespace Themes
