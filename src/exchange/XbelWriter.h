#pragma once

#include "exchange/BookmarkTree.h"

#include <QByteArray>

// Writes the XML Bookmark Exchange Language, dates as ISO 8601 in UTC.
class XbelWriter
{
public:
    static QByteArray Write(const BookmarkTree& tree);
};
