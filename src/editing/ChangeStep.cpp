#include "editing/ChangeStep.h"

#include "platform/FileSystemService.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

namespace {

// The item the user thinks of for a change: what was moved or deleted, what was made.
QString ItemOf(const FsChange& change)
{
    return change.What == FsChange::Kind::Moved || change.What == FsChange::Kind::Trashed
               ? change.From
               : change.To;
}

QString MarkLine(const QFileInfo& info, const QString& relative)
{
    const bool folder = info.isDir() && !info.isSymLink();
    return relative + u'|' + (folder ? QStringLiteral("d") : QString::number(info.size())) + u'|' +
           (folder ? QString() : QString::number(info.lastModified().toMSecsSinceEpoch()));
}

// Names, sizes and times of everything at and below path: whether a made item is still
// as it was made.
QByteArray Mark(const QString& path)
{
    const QFileInfo top(path);
    if (!top.exists() && !top.isSymLink())
        return {};
    QStringList lines{MarkLine(top, {})};
    if (top.isDir() && !top.isSymLink()) {
        QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            lines.append(MarkLine(it.fileInfo(), it.filePath().mid(path.size())));
        }
    }
    lines.sort();
    return lines.join(u'\n').toUtf8();
}

void Move(const FileSystemService& fileSystem, const QString& from, const QString& to)
{
    if (fileSystem.FolderExists(from))
        fileSystem.MoveFolder(from, to);
    else
        fileSystem.MoveFile(from, to);
}

void EnsureFree(const FileSystemService& fileSystem, const QString& path)
{
    if (fileSystem.FileExists(path, AttributeHidden | AttributeDirectory))
        throw FileSystemError(QStringLiteral("File already exists"), path);
}

} // namespace

ChangeStep::ChangeStep(const QString& name, const QList<FsChange>& changes)
    : QUndoCommand(Text(name, changes)), m_changes(changes), m_marks(changes.size())
{
    for (qsizetype i = 0; i < m_changes.size(); ++i) {
        if (m_changes.at(i).What == FsChange::Kind::Copied ||
            m_changes.at(i).What == FsChange::Kind::CreatedFile)
            m_marks[i] = Mark(m_changes.at(i).To);
    }
}

QString ChangeStep::Text(const QString& name, const QList<FsChange>& changes)
{
    // Items inside another item of the step went along with it. An import records one
    // change per link, so each item looks up its parent folders, not every other item.
    QSet<QString> items;
    for (const FsChange& change : changes)
        items.insert(ItemOf(change));
    QStringList tops;
    for (const QString& item : std::as_const(items)) {
        bool inside = false;
        for (QString up = FileSystemService::ParentFolder(item); !inside && up.size() > 1;
             up = FileSystemService::ParentFolder(up))
            inside = items.contains(up);
        if (!inside)
            tops.append(item);
    }
    if (tops.size() != 1)
        return name + QStringLiteral(" of ") + QString::number(tops.size()) +
               QStringLiteral(" items");
    QString shown = FileSystemService::GetFileName(tops.first());
    if (shown.endsWith(QLatin1String(".url"), Qt::CaseInsensitive))
        shown.chop(4);
    return name + QStringLiteral(" of '") + shown + u'\'';
}

void ChangeStep::Apply(bool back, const FileSystemService& fileSystem)
{
    const qsizetype count = m_changes.size();
    QList<qsizetype> done;
    try {
        for (qsizetype k = 0; k < count; ++k) {
            const qsizetype index = back ? count - 1 - k : k;
            applyOne(index, back, fileSystem);
            done.append(index);
        }
    } catch (const FileSystemError&) {
        for (auto it = done.crbegin(); it != done.crend(); ++it) {
            try {
                applyOne(*it, !back, fileSystem);
            } catch (const FileSystemError&) {
                // The first failure is the one worth telling; go on putting back the rest.
            }
        }
        throw;
    }
}

void ChangeStep::applyOne(qsizetype index, bool back, const FileSystemService& fileSystem)
{
    FsChange& change = m_changes[index];
    switch (change.What) {
    case FsChange::Kind::Moved:
        back ? Move(fileSystem, change.To, change.From) : Move(fileSystem, change.From, change.To);
        return;
    case FsChange::Kind::Rewritten: {
        // Only a file still as this step left it is written back.
        const QByteArray expected = back ? change.Bytes : change.Before;
        if (fileSystem.ReadHead(change.To, expected.size()) != expected)
            throw FileSystemError(QStringLiteral("It has been changed since"), change.To);
        fileSystem.RewriteFile(change.To, back ? change.Before : change.Bytes);
        return;
    }
    case FsChange::Kind::Trashed:
        if (back) {
            fileSystem.RestoreFromTrash(change.To, change.From);
        } else {
            const QList<FsChange> pieces = fileSystem.MoveToTrash(change.From);
            if (!pieces.isEmpty())
                change.To = pieces.first().To;
        }
        return;
    default:
        break;
    }
    if (back) {
        removeMade(index, fileSystem);
        return;
    }
    EnsureFree(fileSystem, change.To);
    if (change.What == FsChange::Kind::CreatedFolder)
        fileSystem.CreateFolder(change.To);
    else if (change.What == FsChange::Kind::CreatedFile)
        fileSystem.CreateNewFile(change.To, change.Bytes);
    else if (fileSystem.FolderExists(change.From))
        fileSystem.CopyFolder(change.From, change.To);
    else
        fileSystem.CopyFile(change.From, change.To);
    m_marks[index] = Mark(change.To);
}

void ChangeStep::removeMade(qsizetype index, const FileSystemService& fileSystem)
{
    const QString& path = m_changes.at(index).To;
    if (!fileSystem.FileExists(path, AttributeHidden | AttributeDirectory))
        throw FileSystemError(QStringLiteral("File not found"), path);
    // What the user changed since is theirs: taking the step back must not lose it. A new
    // folder goes only when empty again, once the rest of the step has been taken back.
    const bool changed = m_changes.at(index).What == FsChange::Kind::CreatedFolder
                             ? !QDir(path).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                   QDir::NoDotAndDotDot)
                             : Mark(path) != m_marks.at(index);
    if (changed)
        throw FileSystemError(QStringLiteral("It has been changed since"), path);
    if (fileSystem.FolderExists(path) && !QFileInfo(path).isSymLink())
        fileSystem.DeleteFolder(path);
    else
        fileSystem.DeleteFile(path);
}
