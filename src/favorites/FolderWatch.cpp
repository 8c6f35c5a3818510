#include "favorites/FolderWatch.h"

#include "platform/FileSystemService.h"

FolderWatch::FolderWatch(const FileSystemService& fileSystem, QObject* parent)
    : QObject(parent), m_fileSystem(fileSystem)
{
    m_settle.setSingleShot(true);
    SetTimes(500, 3000);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_settle,
            qOverload<>(&QTimer::start));
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::settle);
    connect(&m_poll, &QTimer::timeout, this, &FolderWatch::poll);
}

void FolderWatch::SetTimes(int settleMs, int pollMs)
{
    m_settle.setInterval(settleMs);
    m_poll.setInterval(pollMs);
}

void FolderWatch::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    if (!enabled)
        Watch({});
}

void FolderWatch::Watch(const QStringList& folders)
{
    QStringList wanted = m_enabled ? folders.mid(0, Limit) : QStringList();
    wanted.removeDuplicates();
    const QStringList watched = m_watcher.directories();
    QStringList gone;
    for (const QString& folder : watched) {
        if (!wanted.contains(folder))
            gone.append(folder);
    }
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    QStringList added;
    for (const QString& folder : wanted) {
        if (!watched.contains(folder))
            added.append(folder);
    }
    QHash<QString, std::int64_t> polled;
    for (const QString& folder : wanted) {
        if (m_polled.contains(folder))
            polled.insert(folder, m_polled.value(folder));
    }
    for (const QString& folder : added.isEmpty() ? QStringList() : addWatches(added))
        polled.insert(folder, stamp(folder));
    m_polled = polled;
    if (m_polled.isEmpty())
        m_poll.stop();
    else if (!m_poll.isActive())
        m_poll.start();
}

QStringList FolderWatch::addWatches(const QStringList& folders)
{
    return m_watcher.addPaths(folders);
}

void FolderWatch::settle()
{
    // An edit in progress is never disturbed: the update waits for it.
    if (busy && busy()) {
        m_settle.start();
        return;
    }
    Q_EMIT changed();
}

void FolderWatch::poll()
{
    for (auto it = m_polled.begin(); it != m_polled.end(); ++it) {
        const std::int64_t now = stamp(it.key());
        if (now != it.value()) {
            it.value() = now;
            m_settle.start();
        }
    }
}

std::int64_t FolderWatch::stamp(const QString& folder) const
{
    // A folder's modification time moves whenever an entry is added, renamed or removed.
    try {
        return m_fileSystem.Details(folder).Modified;
    } catch (const FileSystemError&) {
        return -1;
    }
}
