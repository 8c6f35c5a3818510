#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

#include <sys/stat.h>

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

    // Writes the whole hive atomically; false when the file could not be written, and
    // LastError() says why.
    bool Save();
    QString FilePath() const { return m_filePath; }
    QString LastError() const { return m_lastError; }
    // Why the file found at start could not be read; empty when it could.
    QString Problem() const { return m_problem; }

private:
    struct Key
    {
        QString path;
        QList<Value> values;
        QHash<QString, qsizetype> index; // position in values by case-folded name
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

    static Stamp stampOf(const struct stat& info);
    static Stamp stampOf(const QString& filePath);
    void load();
    // False when the text is not a registry file at all.
    bool parse(const QString& text);
    bool parseSection(const QString& line, QString* path) const;
    void setValueIn(Key& key, const Value& value);
    QByteArray serialize() const;

    QString m_filePath;
    QString m_rootName;
    QHash<QString, Key> m_keys; // by case-folded path; "" is the hive's root
    Stamp m_stamp;
    QString m_keepAsideAs; // where an unreadable file goes before the first write
    QString m_problem;
    QString m_lastError;
};
