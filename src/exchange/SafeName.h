#pragma once

#include <QString>

// Bookmark titles made into names the file system takes and the Favorites views show.
namespace SafeName {

constexpr int MaxBytes = 255;

// "/" and NUL (and other control characters) become blanks or "-", a leading dot that
// would hide the entry becomes "_", lone surrogates become U+FFFD; empty, "." and ".."
// become fallback. The result plus suffix fits in MaxBytes without cutting a character.
QString Make(const QString& title, const QString& fallback, const QString& suffix = {});

// "Name", "Name (2)", "Name (3)"... each with extension, within MaxBytes.
QString Numbered(const QString& safeName, int number, const QString& extension);

} // namespace SafeName
