#pragma once

#include <QString>

// A folder's entries as a page titled with the folder's name: subfolders first, then
// files, each a link to itself. The entry asked for is highlighted and marked with the
// anchor "selected", as Explorer selects it.
class FolderListing
{
public:
    static QString Html(const QString& folder, const QString& selected = {});
    // The folder's own name; the path itself for the root.
    static QString FolderName(const QString& folder);
};
