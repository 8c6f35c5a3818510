#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <cstdint>
#include <functional>

class Clock;
class FileSystemService;

// Tells when folders the user sees change on disk, by this program or any other: a sync
// engine, a browser, a script. Changes are gathered until the folders have been quiet for a
// moment by the program's clock, so a sync that writes thousands of files brings one
// update, and an update waits while busy says so (an edit, a dialog, a drag). Folders the
// system will not watch (past Limit, or on some network file systems) are looked at now
// and then instead.
class FolderWatch : public QObject
{
    Q_OBJECT

public:
    FolderWatch(const FileSystemService& fileSystem, const Clock& clock, QObject* parent = nullptr);

    // From now on, exactly these folders.
    void Watch(const QStringList& folders);
    void SetEnabled(bool enabled);
    bool Enabled() const { return m_enabled; }
    // Some folder is looked at now and then because it cannot be watched.
    bool Polling() const { return !m_polled.isEmpty(); }
    void SetTimes(int settleMs, int pollMs);

    std::function<bool()> busy;
    static constexpr int Limit = 1000;

Q_SIGNALS:
    // The folders that changed since the last signal, or went away.
    void changed(const QStringList& folders);

protected:
    // The folders the system refused to watch.
    virtual QStringList addWatches(const QStringList& folders);

private:
    void noteChange(const QString& folder);
    void settle();
    void poll();
    std::int64_t stamp(const QString& folder) const;

    const FileSystemService& m_fileSystem;
    const Clock& m_clock;
    QFileSystemWatcher m_watcher;
    QTimer m_settle; // runs while changes wait to be told
    QTimer m_poll;
    int m_settleMs = 500;
    QDateTime m_lastChange;
    QStringList m_pending;
    QHash<QString, std::int64_t> m_polled;
    bool m_enabled = true;
};
