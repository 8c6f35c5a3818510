#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// One hive file held in memory: its keys by path and each key's values in the order they
// were first set. Paths come in already split on "\" with no empty parts; lookups ignore
// case, stored names keep the case they were created with.
class RegistryHive
{
public:
    struct Value
    {
        QString name;
        std::uint32_t type = 0;
        QString text;             // REG_SZ text, or the file's own text for other types
        std::uint32_t number = 0; // REG_DWORD
    };

    RegistryHive(const QString& filePath, const QString& rootName);

    // Reads the file again when it is not the one last read or written.
    void ReloadIfChanged();

    bool HasKey(const QString& path) const;
    bool HasSubKeys(const QString& path) const;
    // The names of the key's direct subkeys, as stored, sorted without regard to case.
    QStringList SubKeyNames(const QString& path) const;
    // Adds the key and any missing parents; true when anything was added.
    bool CreateKey(const QString& path);
    void RemoveKey(const QString& path);
    const Value* FindValue(const QString& path, const QString& name) const;
    // Creates the key when missing. A value already there keeps its name and place.
    void SetValue(const QString& path, const Value& value);

    // Text in the file's form for values that are neither text nor dwords ("hex:01,02",
    // "hex(2):...").
    static bool IsBinaryText(const QString& text);

    // Writes the whole hive atomically; false when the file could not be written.
    bool Save();

private:
    struct Key
    {
        QString path;
        QList<Value> values;
    };
    // What identifies one version of the file on disk.
    struct Stamp
    {
        bool exists = false;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t size = 0;
        std::int64_t mtimeSec = 0;
        std::int64_t mtimeNsec = 0;
        bool operator==(const Stamp&) const = default;
    };

    static Stamp stampOf(int fd);
    static Stamp stampOf(const QString& filePath);
    void load();
    void parse(const QString& text);
    bool parseSection(const QString& line, QString* path) const;
    QByteArray serialize() const;

    QString m_filePath;
    QString m_rootName;
    QHash<QString, Key> m_keys; // by case-folded path; "" is the hive's root
    Stamp m_stamp;
};
