#include "exchange/UrlTreeWriter.h"

#include "exchange/BookmarkTree.h"
#include "exchange/SafeName.h"
#include "platform/FileSystemService.h"
#include "platform/PathCodec.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace {

constexpr int kProblemsKept = 10;
const QString kExtension = QStringLiteral(".url");

} // namespace

UrlTreeWriter::UrlTreeWriter(const FileSystemService& fileSystem, ExchangeProgress* progress)
    : m_fileSystem(fileSystem), m_progress(progress)
{
}

QByteArray UrlTreeWriter::ShortcutBytes(const QString& address)
{
    QString oneLine = address;
    oneLine.remove(QLatin1Char('\r'));
    oneLine.remove(QLatin1Char('\n'));
    const QByteArray value = oneLine.toUtf8();
    return "[DEFAULT]\r\nBASEURL=" + value + "\r\n[InternetShortcut]\r\nURL=" + value + "\r\n";
}

bool UrlTreeWriter::SetTimes(const QString& path, std::int64_t modified, std::int64_t accessed)
{
    if (modified <= 0 && accessed <= 0)
        return true;
    timespec times[2];
    times[0].tv_sec = accessed > 0 ? accessed : modified;
    times[0].tv_nsec = 0;
    times[1].tv_sec = modified;
    times[1].tv_nsec = modified > 0 ? 0 : UTIME_OMIT;
    return ::utimensat(AT_FDCWD, PathCodec::Encode(path).constData(), times, AT_SYMLINK_NOFOLLOW) ==
           0;
}

ImportSummary UrlTreeWriter::Write(const BookmarkTree& tree, const QString& target)
{
    m_summary = {};
    m_summary.Target = target;
    m_summary.Separators = tree.Separators;
    m_summary.Queries = tree.Queries;
    m_summary.Flattened = tree.Flattened;
    bool fresh = false;
    if (!m_fileSystem.FolderExists(target)) {
        try {
            m_fileSystem.CreateFolder(target);
            fresh = true;
        } catch (const FileSystemError& error) {
            m_summary.Error = error.Description() + QStringLiteral(": ") + target;
            return m_summary;
        }
    }
    writeFolder(tree.Root, target, fresh);
    return m_summary;
}

void UrlTreeWriter::writeFolder(const BookmarkNode& folder, const QString& path, bool fresh)
{
    // Names in this folder taken during this import; in a folder that was there before,
    // the disk is asked too.
    QSet<QString> used;
    for (const BookmarkNode& node : folder.Children) {
        if (cancelled()) {
            m_summary.Cancelled = true;
            return;
        }
        const QString fallback = node.IsFolder ? QStringLiteral("New Folder") : node.Address;
        const QString extension = node.IsFolder ? QString() : kExtension;
        const QString name = SafeName::Make(node.Name, fallback, extension);
        const QString full = path + u'/' + freeName(path, name, extension, fresh, used);
        try {
            if (node.IsFolder) {
                m_fileSystem.CreateFolder(full);
                ++m_summary.Folders;
                writeFolder(node, full, true);
            } else {
                m_fileSystem.CreateNewFile(full, ShortcutBytes(node.Address));
                ++m_summary.Links;
            }
        } catch (const FileSystemError& error) {
            refused(error.Description() + QStringLiteral(": ") + full);
            continue;
        }
        SetTimes(full, node.Modified > 0 ? node.Modified : node.Added, node.Visited);
        if (m_progress)
            m_progress->Done.fetch_add(1, std::memory_order_relaxed);
    }
}

QString UrlTreeWriter::freeName(const QString& folder, const QString& name,
                                const QString& extension, bool fresh, QSet<QString>& used) const
{
    for (int number = 1;; ++number) {
        const QString candidate = SafeName::Numbered(name, number, extension);
        if (used.contains(candidate))
            continue;
        if (!fresh && m_fileSystem.FileExists(folder + u'/' + candidate,
                                              AttributeHidden | AttributeDirectory))
            continue;
        used.insert(candidate);
        return candidate;
    }
}

void UrlTreeWriter::refused(const QString& description)
{
    ++m_summary.Failed;
    if (m_summary.Problems.size() < kProblemsKept)
        m_summary.Problems << description;
}

bool UrlTreeWriter::cancelled() const
{
    return m_progress && m_progress->Cancel.load(std::memory_order_relaxed);
}
