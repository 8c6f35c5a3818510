#pragma once

#include "exchange/BookmarkTree.h"

#include <QByteArray>
#include <QString>

// Reads the bookmark file every browser exports ("NETSCAPE-Bookmark-file-1"), as loosely
// as the browsers write it: tags in any case, closing tags missing, <DD> descriptions,
// entities, <DL><p> nesting. One pass, no recursion, whatever the input holds.
class NetscapeHtmlReader
{
public:
    // False with error set when the bytes hold no bookmarks structure at all.
    static bool Read(const QByteArray& bytes, BookmarkTree& tree, QString& error);
    static QString DecodeEntities(QStringView text);
};
