#pragma once

#include <QString>

// The copies sync engines leave beside a file that changed on two machines at once:
// Syncthing's "name.sync-conflict-DATE-TIME-ID.url", Nextcloud's "name (conflicted copy
// DATE TIME).url" and Dropbox's "name (Someone's conflicted copy DATE).url".
namespace SyncConflict {

// The name of the file a conflict copy stands beside ("News.url"); empty for any other name.
QString OriginalName(const QString& fileName);

} // namespace SyncConflict
