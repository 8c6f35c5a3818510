#include "favorites/FolderWatch.h"

#include "platform/Clock.h"
#include "platform/FileSystemService.h"

#include <QSet>

#include <algorithm>

FolderWatch::FolderWatch(const FileSystemService& fileSystem, const Clock& clock, QObject* parent)
    : QObject(parent), m_fileSystem(fileSystem), m_clock(clock)
{
    SetTimes(500, 3000);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FolderWatch::noteChange);
    connect(&m_settle, &QTimer::timeout, this, &FolderWatch::settle);
    connect(&m_poll, &QTimer::timeout, this, &FolderWatch::poll);
}

void FolderWatch::SetTimes(int settleMs, int pollMs)
{
    m_settleMs = settleMs;
    m_settle.setInterval(std::max(10, settleMs / 5));
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
    QStringList wanted = m_enabled ? folders : QStringList();
    wanted.removeDuplicates();
    const QStringList watched = m_watcher.directories();
    const QSet<QString> toWatch(wanted.begin(),
                                wanted.begin() + std::min<qsizetype>(wanted.size(), Limit));
    QStringList gone;
    for (const QString& folder : watched) {
        if (!toWatch.contains(folder))
            gone.append(folder);
    }
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    const QSet<QString> stillWatched(watched.begin(), watched.end());
    QStringList added;
    for (const QString& folder : toWatch) {
        if (!stillWatched.contains(folder))
            added.append(folder);
    }
    QStringList unwatched = wanted.mid(Limit);
    if (!added.isEmpty())
        unwatched += addWatches(added);
    QHash<QString, std::int64_t> polled;
    for (const QString& folder : unwatched)
        polled.insert(folder, m_polled.contains(folder) ? m_polled.value(folder) : stamp(folder));
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

void FolderWatch::noteChange(const QString& folder)
{
    if (!m_pending.contains(folder))
        m_pending.append(folder);
    m_lastChange = m_clock.Now();
    if (!m_settle.isActive())
        m_settle.start();
}

void FolderWatch::settle()
{
    // Quiet long enough, and no edit in progress: an edit is never disturbed.
    if (m_lastChange.msecsTo(m_clock.Now()) < m_settleMs || (busy && busy()))
        return;
    m_settle.stop();
    Q_EMIT changed(std::exchange(m_pending, {}));
}

void FolderWatch::poll()
{
    for (auto it = m_polled.begin(); it != m_polled.end(); ++it) {
        const std::int64_t now = stamp(it.key());
        if (now != it.value()) {
            it.value() = now;
            noteChange(it.key());
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
