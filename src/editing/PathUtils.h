#pragma once

#include <QString>

// Name and path helpers shared by every command that builds a path or takes a name typed
// by the user. Paths are joined with "/".

// path with a trailing "/" appended unless it already ends with one.
QString AddBackslash(const QString& path);

// The last component of path; with wantFolder, what lies before it instead (a trailing "/"
// added with withBackslash). A path without "/" is its own folder.
QString SplitPath(const QString& path, bool wantFolder, bool withBackslash);

// text without the characters a Favorites name may not hold: / \ < > ? * | : " and
// everything outside printable ASCII. A name is acceptable when this leaves it unchanged.
QString CleanFileName(const QString& text);

// A folder picked as "/x/y/" is the folder "/x/y"; only the root keeps its slash.
QString WithoutTrailingSlash(const QString& path);

// What a name with a character CleanFileName removes is told.
QString BadNameMessage();
