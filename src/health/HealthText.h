#pragma once

#include <QDateTime>
#include <QString>

// How the health windows show paths and dates.
namespace HealthText {

// The folder with the Favorites root removed, the leading "/" kept ("/" for the root).
inline QString ShownFolder(const QString& folder, const QString& root)
{
    if (folder == root)
        return QStringLiteral("/");
    return folder.startsWith(root + u'/') ? folder.mid(root.size()) : folder;
}

inline QString ShownDate(const QDateTime& when)
{
    return when.isValid() ? when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                          : QString();
}

} // namespace HealthText
