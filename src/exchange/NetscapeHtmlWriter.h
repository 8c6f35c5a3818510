#pragma once

#include "exchange/BookmarkTree.h"

#include <QByteArray>

// Writes the bookmark file Firefox and Chromium import: "NETSCAPE-Bookmark-file-1".
class NetscapeHtmlWriter
{
public:
    static QByteArray Write(const BookmarkTree& tree);
};
