#include "platform/RegistryRoutines.h"

namespace {

QVariant readValue(Registry& registry, HKEY hive, const QString& rootKey, const QString& section,
                   const QString& valueName, const QVariant& defaultValue)
{
    // A failed open leaves the handle 0, so the query below fails and the default is used.
    HKEY key = 0;
    registry.RegOpenKeyEx(hive, rootKey + QLatin1Char('\\') + section, 0, KEY_ALL_ACCESS_0x3F,
                          &key);
    QVariant value;
    QueryRegValue(registry, key, valueName, value);
    const bool empty = !value.isValid() ||
                       (value.metaType().id() == QMetaType::QString && value.toString().isEmpty());
    registry.RegCloseKey(key);
    return empty ? QVariant(defaultValue.toString()) : value;
}

} // namespace

QVariant ReadRegValue(Registry& registry, const QString& rootKey, const QString& section,
                      const QString& valueName, const QVariant& defaultValue, HKEY hive)
{
    return readValue(registry, hive == 0 ? HKEY_CURRENT_USER : hive, rootKey, section, valueName,
                     defaultValue);
}

QVariant ReadRegValueLM(Registry& registry, const QString& rootKey, const QString& section,
                        const QString& valueName, const QVariant& defaultValue, HKEY hive)
{
    return readValue(registry, hive == 0 ? HKEY_LOCAL_MACHINE : hive, rootKey, section, valueName,
                     defaultValue);
}

long QueryRegValue(Registry& registry, HKEY key, const QString& valueName, QVariant& value)
{
    value = QVariant();
    std::uint32_t type = 0;
    long status = registry.RegQueryValueEx(key, valueName, &type, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    QVariant data;
    switch (type) {
    case REG_SZ:
        status = registry.RegQueryValueEx(key, valueName, nullptr, &data);
        if (status == ERROR_SUCCESS)
            value = data.toString();
        break;
    case REG_DWORD:
        status = registry.RegQueryValueEx(key, valueName, nullptr, &data);
        if (status == ERROR_SUCCESS)
            value = static_cast<qint32>(data.toInt());
        break;
    default:
        // Only text and numbers are settings; anything else reads as nothing.
        status = -1;
        break;
    }
    return status;
}

void WriteRegValue(Registry& registry, const QString& rootKey, const QString& section,
                   const QString& valueName, const QVariant& value)
{
    const std::uint32_t type = value.metaType().id() == QMetaType::QString ? REG_SZ : REG_DWORD;
    const QString path = rootKey + QLatin1Char('\\') + section;
    HKEY key = 0;
    if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS_0x3F, &key) ==
        ERROR_FILE_NOT_FOUND) {
        CreateRegKey(registry, path, HKEY_CURRENT_USER);
        registry.RegOpenKeyEx(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS_0x3F, &key);
    }
    SetRegValue(registry, key, valueName, type, value);
    registry.RegCloseKey(key);
}

long SetRegValue(Registry& registry, HKEY key, const QString& valueName, std::uint32_t type,
                 const QVariant& value)
{
    return registry.RegSetValueEx(key, valueName, type, value);
}

long CreateRegKey(Registry& registry, const QString& path, HKEY hive)
{
    HKEY key = 0;
    const long status = registry.RegCreateKeyEx(hive, path, 0, KEY_ALL_ACCESS_0x3F, &key);
    registry.RegCloseKey(key);
    return status;
}

bool DeleteRegKey(Registry& registry, const QString& parentPath, const QString& subKeyName)
{
    HKEY key = 0;
    long status =
        registry.RegOpenKeyEx(HKEY_CURRENT_USER, parentPath, 0, KEY_ALL_ACCESS_0x3F, &key);
    if (status != ERROR_FILE_NOT_FOUND)
        status = registry.RegDeleteKey(key, subKeyName);
    registry.RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

QString ReadShellFavorites(Registry& registry)
{
    return ReadRegValue(registry, ExplorerKey, ShellFoldersSection, QStringLiteral("Favorites"),
                        QString())
        .toString();
}
