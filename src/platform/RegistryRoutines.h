#pragma once

#include "platform/Registry.h"

#include <QString>
#include <QVariant>

// The settings' way into the registry. A value read back is text (REG_SZ) or a number
// (REG_DWORD); a value that cannot be read, or reads empty, gives the default as text.
// Hive 0 means HKEY_CURRENT_USER for ReadRegValue and HKEY_LOCAL_MACHINE for
// ReadRegValueLM.
QVariant ReadRegValue(Registry& registry, const QString& rootKey, const QString& section,
                      const QString& valueName, const QVariant& defaultValue, HKEY hive = 0);
QVariant ReadRegValueLM(Registry& registry, const QString& rootKey, const QString& section,
                        const QString& valueName, const QVariant& defaultValue, HKEY hive = 0);
long QueryRegValue(Registry& registry, HKEY key, const QString& valueName, QVariant& value);
// Writes under HKEY_CURRENT_USER, creating the key when missing. A QString is written as
// REG_SZ, a number as REG_DWORD.
void WriteRegValue(Registry& registry, const QString& rootKey, const QString& section,
                   const QString& valueName, const QVariant& value);
long SetRegValue(Registry& registry, HKEY key, const QString& valueName, std::uint32_t type,
                 const QVariant& value);
long CreateRegKey(Registry& registry, const QString& path, HKEY hive);
bool DeleteRegKey(Registry& registry, const QString& parentPath, const QString& subKeyName);

// Where the shell keeps the user's folders.
inline const QString ExplorerKey =
    QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
inline const QString ShellFoldersSection = QStringLiteral("Shell Folders");
// The current user's Favorites folder as the shell reports it; empty when missing.
QString ReadShellFavorites(Registry& registry);
