#include "ExplorerCommandLine.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kRoot = QStringLiteral("/root,");
const QString kSelect = QStringLiteral(",/select,");

} // namespace

ExplorerCommandLine ExplorerCommandLine::Parse(const QStringList& arguments)
{
    QString text = arguments.join(u' ').trimmed();
    const qsizetype root = text.indexOf(kRoot, 0, Qt::CaseInsensitive);
    if (root >= 0) {
        text = text.mid(root + kRoot.size());
    } else {
        // Without a root the switches before the path are all there is to drop.
        while (text.startsWith(QStringLiteral("/n,"), Qt::CaseInsensitive) ||
               text.startsWith(QStringLiteral("/e,"), Qt::CaseInsensitive))
            text = text.mid(3);
        if (text.startsWith(kSelect.mid(1), Qt::CaseInsensitive))
            text.prepend(u',');
    }

    ExplorerCommandLine line;
    const qsizetype select = text.indexOf(kSelect, 0, Qt::CaseInsensitive);
    if (select >= 0) {
        line.m_select = text.mid(select + kSelect.size());
        text.truncate(select);
    }
    line.m_root =
        text.isEmpty() && !line.m_select.isEmpty() ? QFileInfo(line.m_select).absolutePath() : text;
    if (line.m_root.isEmpty())
        line.m_root = QDir::homePath();
    line.m_root = QDir::cleanPath(line.m_root);
    // Older systems named the entry relative to the root.
    if (!line.m_select.isEmpty())
        line.m_select = QDir::cleanPath(QDir(line.m_root).absoluteFilePath(line.m_select));
    // A folder window shows one folder: the one holding the entry, so it can be selected.
    if (line.m_select.startsWith(line.m_root + u'/'))
        line.m_root = QFileInfo(line.m_select).absolutePath();
    return line;
}
