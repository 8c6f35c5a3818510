#pragma once

#include "platform/FsChange.h"

#include <QDateTime>
#include <QHashFunctions>
#include <QList>
#include <QString>

#include <compare>
#include <cstdint>
#include <stdexcept>

struct statx;

// A failed file-system call. Description() reads like the platform's own message
// ("Permission denied", "File already exists", "Path not found"...).
class FileSystemError : public std::runtime_error
{
public:
    FileSystemError(const QString& description, const QString& path);
    QString Description() const { return m_description; }
    QString Path() const { return m_path; }

private:
    QString m_description;
    QString m_path;
};

// The Trash could not take an item (no trash folder on its file system, no permission);
// deleting it for good may still work.
class TrashError : public FileSystemError
{
public:
    using FileSystemError::FileSystemError;
};

// Attribute bits as the Favorites tools have always reported them.
enum FileAttribute : int
{
    AttributeReadOnly = 1, // the owner may not write
    AttributeHidden = 2,   // the name begins with "."
    AttributeSystem = 4,   // never set here
    AttributeDirectory = 16,
};

// Identity of a folder on disk, so a walk can tell a folder it has seen before.
struct FolderId
{
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FolderId&, const FolderId&) = default;
};

inline size_t qHash(const FolderId& id, size_t seed = 0)
{
    return qHashMulti(seed, id.device, id.inode);
}

struct FsItem
{
    QString Name; // as the file system reports it
    QString Path; // full path, no trailing "/"
    FolderId Id;  // folders only: the identity of the folder it leads to
};

struct FsDetails
{
    // Milliseconds since the epoch: listings of many files make no date objects.
    std::int64_t Created = 0; // birth time where the file system keeps one, else modified
    std::int64_t Modified = 0;
    std::int64_t Accessed = 0;
    QDateTime DateCreated() const { return LocalTime(Created); }
    QDateTime DateLastModified() const { return LocalTime(Modified); }
    QDateTime DateLastAccessed() const { return LocalTime(Accessed); }
    static QDateTime LocalTime(std::int64_t time);
    int Attributes = 0;
    std::int64_t Size = 0;
};

struct FsEntry
{
    QString Name;
    QString Path;
    FsDetails Details;
    FolderId Id; // folders only, as in FsItem
};

// A folder's entries by name only: what a walk that lists links needs.
struct FolderListing
{
    QList<FsItem> SubFolders;
    QList<FsItem> Files;
};

struct FolderContents
{
    QList<FsEntry> SubFolders;
    QList<FsEntry> Files;
};

// Every read of the Favorites folder and every change to it goes through here. Folders
// are enumerated sorted by name (LessByName), so each walk of one folder takes the same
// order. Symbolic links to folders count as folders; everything else that is not a
// folder counts as a file. Failures throw FileSystemError. Methods are virtual so tests
// can make single operations fail.
class FileSystemService
{
public:
    virtual ~FileSystemService() = default;

    // Keeps listing, moving away and deleting inside root: a path outside it, or one that
    // is not absolute or climbs with ".." ("2010-12-31", "Root/../etc"), throws instead of acting
    // on whatever it names. Copies and moves may still land anywhere the user picks.
    void ConfineTo(const QString& root);
    static bool IsInside(const QString& path, const QString& root);

    virtual bool FolderExists(const QString& path) const;
    // An entry exists at path: with attributes 0 ordinary files only (not hidden, not a
    // folder); with 16 folders as well. Never throws.
    virtual bool FileExists(const QString& path, int attributes) const;

    virtual QList<FsItem> SubFolders(const QString& folderPath) const;
    virtual QList<FsItem> Files(const QString& folderPath) const;
    // Both of the above from one read of the folder.
    virtual FolderListing Listing(const QString& folderPath) const;
    // Both lists with each entry's dates and attributes, in one pass.
    virtual FolderContents Contents(const QString& folderPath) const;
    virtual FsDetails Details(const QString& path) const;
    virtual FolderId Identity(const QString& folderPath) const;

    virtual void CopyFile(const QString& source, const QString& destination) const; // overwrites
    virtual void MoveFile(const QString& source,
                          const QString& destination) const; // never overwrites
    virtual void CopyFolder(const QString& source,
                            const QString& destination) const; // recursive, overwrites files
    virtual void MoveFolder(const QString& source,
                            const QString& destination) const; // never overwrites
    virtual void CreateFolder(const QString& path) const;
    // Up to limit + 1 bytes of a plain file (the extra byte tells that it went on). Pipes,
    // devices and kernel files are refused without blocking.
    virtual QByteArray ReadHead(const QString& path, qint64 limit) const;
    // A new file holding bytes. Never replaces anything, even a dangling link; a failed
    // write leaves no file behind.
    virtual void CreateNewFile(const QString& path, const QByteArray& bytes) const;
    // Writes bytes over a file of at most RewriteLimit bytes in place: it keeps its inode,
    // owner and times.
    virtual void RewriteFile(const QString& path, const QByteArray& bytes) const;
    static constexpr qint64 RewriteLimit = 1024 * 1024;
    virtual void DeleteFolder(const QString& path) const; // with all its contents
    virtual void DeleteFile(const QString& path) const;
    // Moves a file or folder (a link to a folder by itself) to the desktop's Trash, where
    // the file manager can put it back. As DeleteFolder, read-only files stay, with the
    // folders holding them; the rest of such a folder goes item by item, and the kept
    // items are reported as DeleteFolder reports them. TrashError when the Trash cannot
    // take an item. Returns where each item went, as Trashed changes.
    virtual QList<FsChange> MoveToTrash(const QString& path) const;
    // Puts back an item that MoveToTrash took, where it was; never replaces anything.
    virtual void RestoreFromTrash(const QString& inTrash, const QString& original) const;

    // Where the changes made inside each step go (see FsStep); without a sink, or outside
    // a step, nothing is recorded.
    void SetChangeSink(FsChangeSink* sink) { m_sink = sink; }
    void BeginStep(const QString& name) const;
    void EndStep() const;

    // The last component without its last dot and what follows it.
    static QString GetBaseName(const QString& pathOrName);
    static QString GetFileName(const QString& path);
    static QString ParentFolder(const QString& path);
    // A system error number as the user reads it ("Path not found", "Permission denied").
    static QString ErrorDescription(int error, bool folder);
    // The details of an entry from what statx told of it.
    static FsDetails DetailsOf(const struct statx& st, bool hidden);
    // The one order of names: without regard to case, ties broken by case.
    static bool LessByName(const QString& a, const QString& b);

private:
    void checkInside(const QString& path) const;
    FolderListing listFolder(const QString& folderPath, bool folders, bool files) const;
    void record(FsChange::Kind what, const QString& from, const QString& to,
                const QByteArray& bytes = {}, const QByteArray& before = {}) const;

    QString m_root;
    FsChangeSink* m_sink = nullptr;
    // The open step. Every command holds the service as const, so the step is mutable.
    mutable int m_stepDepth = 0;
    mutable QString m_stepName;
    mutable QList<FsChange> m_stepChanges;
};
