#pragma once

#include "favorites/SearchLinks.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class FileSystemService;
class Prompts;
class QWidget;

// Every change the edit commands make to the Favorites on disk. A failed step says why in
// one message over owner and returns false; the caller just stops, and whatever was done
// before stays done. Nothing is ever overwritten: a copy, move or rename onto an existing
// name fails before anything is written. The search results, when given, follow every
// rename, move and delete.
class FileOperations
{
public:
    // One selected entry of the list: its tag (a link's path, or "*" and a folder's path)
    // and the text it shows.
    struct ListEntry
    {
        QString Tag;
        QString Text;
    };

    FileOperations(const FileSystemService& fileSystem, Prompts& prompts, QWidget* owner,
                   SearchLinks* searchLinks = nullptr);

    // Deletes go to the Trash unless forGood (Shift+Delete, or the option to do without it).
    void SetDeleteForGood(bool forGood) { m_forGood = forGood; }
    bool DeleteForGood() const { return m_forGood; }

    // Single steps, each reporting its own failure.
    bool CopyFileTo(const QString& source, const QString& destination);
    bool MoveFileTo(const QString& source, const QString& destination);
    bool CopyFolderTo(const QString& source, const QString& destination);
    bool MoveFolderTo(const QString& source, const QString& destination);
    bool CreateFolderPath(const QString& path);
    bool DeleteFolderPath(const QString& path);

    // Copies or moves the link source into destFolder, keeping its file name. Refuses a
    // link that already lies there.
    bool CopyMoveFile(bool isMove, const QString& source, const QString& destFolder);
    // Copies or moves the folder source into destFolder under name. Refuses the folder's
    // own place and anything inside the folder itself.
    bool CopyMoveFolder(bool isMove, const QString& source, const QString& name,
                        const QString& destFolder);

    // Gives the link at path the base name newName, keeping its extension. Returns the new
    // path (path itself when the name is unchanged); nothing on failure or an empty name.
    std::optional<QString> RenameLink(const QString& path, const QString& newName);
    // Gives the folder at path the name newName, in the same parent folder.
    std::optional<QString> RenameFolder(const QString& path, const QString& newName);

    // Deletes the entries from the last to the first: links as files, folder entries with
    // everything in them. An entry the Trash cannot take is deleted for good only when the
    // user says so; No leaves it. After a failure with entries still to go, asks whether
    // to go on.
    // Returns the tags of the entries deleted, in that order, for the list to drop.
    QStringList DeleteSelectedListItems(const QList<ListEntry>& selected);
    // The Edit menu's delete for entries known by path: the same question (No the
    // default), then DeleteSelectedListItems. Empty when the user says No.
    QStringList ConfirmAndDelete(const QList<ListEntry>& selected);
    static QString DeleteQuestion(const QList<ListEntry>& selected, bool forGood);
    // The question before a folder goes with all its contents.
    static QString DeleteFolderQuestion(const QString& name, bool forGood);

    // True when name may be used as is; otherwise lists the characters not allowed.
    bool CheckFileName(const QString& name);

private:
    // Runs step; a FileSystemError it throws is shown after sentence, and gives false.
    bool Attempt(const QString& sentence, const std::function<void()>& step);
    // Throws "File already exists" when anything, even a hidden file, is at path.
    void EnsureFree(const QString& path) const;
    void Warn(const QString& text);
    // Moves path to the Trash, or deletes it for good when so set or when the user agrees
    // after the Trash refused it. False when the user keeps it; failures throw.
    bool Remove(const QString& path, const QString& name, bool isFolder);
    void UpdateLinkCache(const QString& oldPath, const QString& newPath, const QString& newTitle,
                         bool isLink, SearchLinks::Change change);

    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    QWidget* m_owner;
    SearchLinks* m_searchLinks;
    bool m_forGood = false;
};
