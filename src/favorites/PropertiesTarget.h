#pragma once

#include <QString>

#include <optional>

// The item the Properties command shows: the list's selected item when the list was
// touched last, else the tree's selected folder.
struct PropertiesTarget
{
    QString ItemPath; // exactly as tagged
    QString ItemType; // "L" a link file, "F" a folder

    // activePane is the pane touched last ("L" the list, anything else the tree). A tag
    // is absent when that pane has nothing selected; then there is nothing to show.
    static std::optional<PropertiesTarget> For(const QString& activePane,
                                               const std::optional<QString>& listTag,
                                               const std::optional<QString>& treeTag);
};
