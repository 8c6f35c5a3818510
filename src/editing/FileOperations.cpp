#include "editing/FileOperations.h"

#include "core/AppInfo.h"
#include "editing/PathUtils.h"
#include "platform/FileSystemService.h"
#include "platform/Prompts.h"

#include <QLocale>

namespace {

const QString kCopyFailed = QStringLiteral("Unable to complete the Copy operation.");
const QString kMoveFailed = QStringLiteral("Unable to complete the Move operation.");
const QString kCreateFailed = QStringLiteral("Unable to complete the Create Folder operation.");
const QString kDeleteFailed = QStringLiteral("Unable to complete the Delete operation.");
const QString kRenameFailed = QStringLiteral("Unable to complete the Rename operation.");
const QString kAlreadyExists = QStringLiteral("File already exists");
const QString kSameFolder = QStringLiteral("Source and destination folders cannot be the same.");
const QString kSameParent = QStringLiteral("Source and Destination folders cannot be the same.");
const QString kIntoSubfolder = QStringLiteral("Cannot copy or move a folder to its subfolder.");
const QString kBreak = QStringLiteral("\n\n");

} // namespace

FileOperations::FileOperations(const FileSystemService& fileSystem, Prompts& prompts,
                               QWidget* owner, SearchLinks* searchLinks)
    : m_fileSystem(fileSystem), m_prompts(prompts), m_owner(owner), m_searchLinks(searchLinks)
{
}

bool FileOperations::Attempt(const QString& sentence, const std::function<void()>& step)
{
    try {
        step();
        return true;
    } catch (const FileSystemError& error) {
        m_prompts.Warn(m_owner, sentence + kBreak + error.Description(), AppInfo::ProductName);
        return false;
    }
}

void FileOperations::EnsureFree(const QString& path) const
{
    // The service's copies merge and replace; checking first keeps the user's files intact.
    if (m_fileSystem.FileExists(path, AttributeHidden | AttributeDirectory))
        throw FileSystemError(kAlreadyExists, path);
}

void FileOperations::Warn(const QString& text)
{
    m_prompts.Warn(m_owner, text, AppInfo::ProductName);
}

void FileOperations::UpdateLinkCache(const QString& oldPath, const QString& newPath,
                                     const QString& newTitle, bool isLink,
                                     SearchLinks::Change change)
{
    if (m_searchLinks)
        m_searchLinks->UpdateLinkCache(oldPath, newPath, newTitle, isLink, change);
}

bool FileOperations::CopyFileTo(const QString& source, const QString& destination)
{
    return Attempt(kCopyFailed, [&] {
        EnsureFree(destination);
        m_fileSystem.CopyFile(source, destination);
    });
}

bool FileOperations::MoveFileTo(const QString& source, const QString& destination)
{
    return Attempt(kMoveFailed, [&] {
        EnsureFree(destination);
        m_fileSystem.MoveFile(source, destination);
    });
}

bool FileOperations::CopyFolderTo(const QString& source, const QString& destination)
{
    return Attempt(kCopyFailed, [&] {
        EnsureFree(destination);
        m_fileSystem.CopyFolder(source, destination);
    });
}

bool FileOperations::MoveFolderTo(const QString& source, const QString& destination)
{
    return Attempt(kMoveFailed, [&] {
        EnsureFree(destination);
        m_fileSystem.MoveFolder(source, destination);
    });
}

bool FileOperations::CreateFolderPath(const QString& path)
{
    return Attempt(kCreateFailed, [&] { m_fileSystem.CreateFolder(path); });
}

bool FileOperations::Remove(const QString& path, const QString& name, bool isFolder)
{
    if (!m_forGood) {
        try {
            m_fileSystem.MoveToTrash(path);
            return true;
        } catch (const TrashError& error) {
            const QString text = u'\'' + name + QStringLiteral("' cannot be moved to the Trash.") +
                                 kBreak + error.Description() + kBreak +
                                 QStringLiteral("Do you want to delete it for good?");
            if (m_prompts.MsgBox(m_owner, text, Prompts::Buttons::YesNo, Prompts::Icon::Exclamation,
                                 AppInfo::ProductName, Prompts::Answer::No) != Prompts::Answer::Yes)
                return false;
        }
    }
    if (isFolder)
        m_fileSystem.DeleteFolder(path);
    else
        m_fileSystem.DeleteFile(
            path); // a read-only link goes too: only its folder need be writable
    return true;
}

bool FileOperations::DeleteFolderPath(const QString& path)
{
    bool removed = false;
    const bool done = Attempt(
        kDeleteFailed, [&] { removed = Remove(path, FileSystemService::GetFileName(path), true); });
    if (!done || !removed)
        return false;
    UpdateLinkCache(path, {}, {}, false, SearchLinks::Change::Delete);
    return true;
}

bool FileOperations::CopyMoveFile(bool isMove, const QString& source, const QString& destFolder)
{
    const QString folder = WithoutTrailingSlash(destFolder);
    const QString destination = AddBackslash(folder) + SplitPath(source, false, false);
    if (destination == source) {
        Warn(kSameFolder);
        return false;
    }
    if (!isMove)
        return CopyFileTo(source, destination);
    if (!MoveFileTo(source, destination))
        return false;
    UpdateLinkCache(source, folder, {}, true, SearchLinks::Change::Move);
    return true;
}

bool FileOperations::CopyMoveFolder(bool isMove, const QString& source, const QString& name,
                                    const QString& destFolder)
{
    const QString from = WithoutTrailingSlash(source);
    const QString folder = WithoutTrailingSlash(destFolder);
    const QString destination = AddBackslash(folder) + name;
    if (folder.startsWith(AddBackslash(from))) {
        Warn(kIntoSubfolder);
        return false;
    }
    if (folder == from) {
        Warn(kSameFolder);
        return false;
    }
    if (destination == from) {
        Warn(kSameParent);
        return false;
    }
    if (!isMove)
        return CopyFolderTo(from, destination);
    if (!MoveFolderTo(from, destination))
        return false;
    UpdateLinkCache(from, destination, name, false, SearchLinks::Change::Move);
    return true;
}

std::optional<QString> FileOperations::RenameLink(const QString& path, const QString& newName)
{
    // An empty name is what an abandoned edit hands over; blanks alone name nothing.
    if (newName.trimmed().isEmpty() || !CheckFileName(newName))
        return std::nullopt;
    const QString file = SplitPath(path, false, false);
    // Only the base name changes, so "url.url" renamed to "x" is "x.url".
    const QString extension = file.mid(FileSystemService::GetBaseName(file).size());
    const QString renamed = SplitPath(path, true, true) + newName + extension;
    if (renamed == path)
        return path;
    const bool done = Attempt(kRenameFailed, [&] {
        EnsureFree(renamed);
        m_fileSystem.MoveFile(path, renamed);
    });
    if (!done)
        return std::nullopt;
    UpdateLinkCache(path, renamed, newName, true, SearchLinks::Change::Rename);
    return renamed;
}

std::optional<QString> FileOperations::RenameFolder(const QString& path, const QString& newName)
{
    if (newName.trimmed().isEmpty() || !CheckFileName(newName))
        return std::nullopt;
    const QString from = WithoutTrailingSlash(path);
    const QString renamed = SplitPath(from, true, true) + newName;
    if (renamed == from)
        return from;
    const bool done = Attempt(kRenameFailed, [&] {
        EnsureFree(renamed);
        m_fileSystem.MoveFolder(from, renamed);
    });
    if (!done)
        return std::nullopt;
    UpdateLinkCache(from, renamed, newName, false, SearchLinks::Change::Rename);
    return renamed;
}

QStringList FileOperations::DeleteSelectedListItems(const QList<ListEntry>& selected)
{
    QStringList deleted;
    // From the last entry to the first, as the list drops them.
    for (qsizetype i = selected.size() - 1; i >= 0; --i) {
        const ListEntry& entry = selected.at(i);
        try {
            const bool isFolder = entry.Tag.startsWith(QLatin1Char('*'));
            const QString path = isFolder ? entry.Tag.mid(1) : entry.Tag;
            if (!Remove(path, entry.Text, isFolder))
                continue;
            UpdateLinkCache(path, {}, {}, !isFolder, SearchLinks::Change::Delete);
            deleted.append(entry.Tag);
        } catch (const FileSystemError& error) {
            QString text = QStringLiteral("An error occurred while Deleting '") + entry.Text +
                           QStringLiteral("'.") + kBreak + error.Description();
            if (i == 0) {
                Warn(text);
                break;
            }
            text += kBreak + QStringLiteral("Do you want to continue?");
            if (m_prompts.MsgBox(m_owner, text, Prompts::Buttons::YesNo, Prompts::Icon::Exclamation,
                                 AppInfo::ProductName) != Prompts::Answer::Yes)
                break;
        }
    }
    return deleted;
}

bool FileOperations::CheckFileName(const QString& name)
{
    if (CleanFileName(name) == name)
        return true;
    m_prompts.MsgBox(m_owner, BadNameMessage(), Prompts::Buttons::Ok, Prompts::Icon::None,
                     AppInfo::ProductName);
    return false;
}

QString FileOperations::DeleteQuestion(const QList<ListEntry>& selected, bool forGood)
{
    const QString count = QLocale(QLocale::English).toString(selected.size());
    // A folder entry goes with everything in it, and the question says so.
    if (selected.size() == 1 && selected.first().Tag.startsWith(u'*'))
        return DeleteFolderQuestion(selected.first().Text, forGood);
    if (!forGood)
        return selected.size() == 1 ? QStringLiteral("Are you sure you want to move '") +
                                          selected.first().Text + QStringLiteral("' to the Trash?")
                                    : QStringLiteral("Are you sure you want to move these ") +
                                          count + QStringLiteral(" items to the Trash?");
    return selected.size() == 1
               ? QStringLiteral("Are you sure you want to delete ") + selected.first().Text + u'?'
               : QStringLiteral("Are you sure you want to delete these ") + count +
                     QStringLiteral(" items?");
}

QString FileOperations::DeleteFolderQuestion(const QString& name, bool forGood)
{
    return forGood ? QStringLiteral("Are you sure you want to delete '") + name +
                         QStringLiteral("' and all its contents?")
                   : QStringLiteral("Are you sure you want to move '") + name +
                         QStringLiteral("' and all its contents to the Trash?");
}

QStringList FileOperations::ConfirmAndDelete(const QList<ListEntry>& selected)
{
    if (selected.isEmpty() ||
        m_prompts.MsgBox(m_owner, DeleteQuestion(selected, m_forGood), Prompts::Buttons::YesNo,
                         Prompts::Icon::Exclamation, AppInfo::ProductName,
                         Prompts::Answer::No) != Prompts::Answer::Yes)
        return {};
    return DeleteSelectedListItems(selected);
}
