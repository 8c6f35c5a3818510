#pragma once

#include "exchange/BookmarkTree.h"

// Reads a Firefox profile's places.sqlite. It works on a copy made together with the
// write-ahead log, so a running Firefox's lock never matters and bookmarks still only in
// the log are not missed.
class FirefoxReader
{
public:
    // places is the database file or the profile folder holding it.
    static bool Read(const QString& places, BookmarkTree& tree, QString& error);
};
