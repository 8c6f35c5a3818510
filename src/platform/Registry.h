#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <memory>

// Win32 registry shapes: handles, value types and the status codes callers test.
using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

inline constexpr std::uint32_t KEY_ALL_ACCESS_0x3F = 0x3F;

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_WRITE_FAULT = 29;

class RegistryHive;
class ShellFolders;

// The registry store: one text file per hive ("REGEDIT4" export format), user.reg and
// machine.reg in one folder. Keys and value names compare without regard to case, as
// on Windows. Every change is written to disk at once, atomically; a damaged file is
// read as far as it parses. Reads of the shell's "Shell Folders" keys are answered from
// the desktop's own folders.
class Registry
{
public:
    explicit Registry(const QString& directory, std::shared_ptr<const ShellFolders> shellFolders);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // $TAVORO_REGISTRY_DIR, else $XDG_CONFIG_HOME/tavoro (~/.config/tavoro).
    static QString DefaultDirectory();

    QString Directory() const { return m_directory; }

    long RegOpenKeyEx(HKEY key, const QString& subKey, std::uint32_t options, std::uint32_t access,
                      HKEY* result);
    long RegCreateKeyEx(HKEY key, const QString& subKey, std::uint32_t options,
                        std::uint32_t access, HKEY* result);
    // With data null only the type is asked for. REG_SZ comes back as QString, REG_DWORD
    // as qint32, anything else as the raw text the file holds.
    long RegQueryValueEx(HKEY key, const QString& valueName, std::uint32_t* type, QVariant* data);
    long RegSetValueEx(HKEY key, const QString& valueName, std::uint32_t type,
                       const QVariant& data);
    // Deletes a subkey that has no subkeys of its own (ERROR_ACCESS_DENIED otherwise).
    long RegDeleteKey(HKEY key, const QString& subKey);
    long RegCloseKey(HKEY key);
    // The direct subkeys' names of an open key (one call for RegEnumKeyEx's loop).
    long RegEnumKeys(HKEY key, QStringList* names);

    // Changes made between these two calls reach the disk in one write at the end
    // (saving every setting at exit would otherwise write the file once per value).
    void BeginBatch();
    // False when a file could not be written.
    bool EndBatch();

    // Where problems the user must hear of go: a settings file that could not be read
    // (and was kept aside), or a save that failed. Each message is given once; those from
    // before a reporter was set arrive when it is set.
    void SetProblemReporter(std::function<void(const QString&)> reporter);

private:
    void reload(RegistryHive* store);
    bool save(RegistryHive* store);
    bool writeNow(RegistryHive* store);
    void report(const QString& message);

    struct OpenKey
    {
        HKEY hive;
        QString path;
    };
    RegistryHive* hiveFor(HKEY predefined);
    bool resolve(HKEY key, const QString& subKey, HKEY* hive, QString* path) const;
    HKEY newHandle(HKEY hive, const QString& path);

    QString m_directory;
    std::shared_ptr<const ShellFolders> m_shellFolders;
    std::unique_ptr<RegistryHive> m_user;
    std::unique_ptr<RegistryHive> m_machine;
    QHash<HKEY, OpenKey> m_open;
    HKEY m_nextHandle = 1;
    int m_batchDepth = 0;
    QSet<RegistryHive*> m_pending;
    std::function<void(const QString&)> m_reporter;
    QStringList m_unreported;
    QSet<QString> m_reported;
};
