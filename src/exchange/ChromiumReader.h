#pragma once

#include "exchange/BookmarkTree.h"

#include <QByteArray>

// Reads the "Bookmarks" file of Chromium, Chrome, Brave and Vivaldi profiles: JSON with
// the roots "bookmark_bar", "other" and "synced", times in microseconds since 1601.
class ChromiumReader
{
public:
    static bool Read(const QByteArray& bytes, BookmarkTree& tree, QString& error);
};
