#pragma once

#include "exchange/BookmarkTree.h"

#include <QByteArray>

// Reads the XML Bookmark Exchange Language: <folder>, <bookmark>, <title>, <separator>.
// Streams the file; nesting beyond MaxDepth is flattened, never recursed into.
class XbelReader
{
public:
    static bool Read(const QByteArray& bytes, BookmarkTree& tree, QString& error);
};
