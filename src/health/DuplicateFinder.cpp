#include "health/DuplicateFinder.h"

#include "platform/FileSystemService.h"

#include <QCryptographicHash>
#include <QHash>

#include <algorithm>

namespace {

// Shortcuts are small; anything larger is compared on this much.
constexpr qint64 kCompareLimit = 1024 * 1024;

QByteArray Fingerprint(const FileSystemService& fileSystem, const QString& path)
{
    try {
        return QCryptographicHash::hash(fileSystem.ReadHead(path, kCompareLimit),
                                        QCryptographicHash::Sha1);
    } catch (const FileSystemError&) {
        return {};
    }
}

// Reads only files whose size another file shares, and hashes what it reads.
QHash<QString, QByteArray> Fingerprints(const FileSystemService& fileSystem,
                                        const QList<const LinkFile*>& links)
{
    QHash<qint64, int> sizes;
    for (const LinkFile* link : links)
        ++sizes[link->Size];
    QHash<QString, QByteArray> prints;
    for (const LinkFile* link : links) {
        if (sizes.value(link->Size) > 1)
            prints.insert(link->Path, Fingerprint(fileSystem, link->Path));
    }
    return prints;
}

} // namespace

QList<DuplicateGroup> DuplicateFinder::Find(const FileSystemService& fileSystem,
                                            const QList<LinkFile>& links,
                                            AddressNormalizer::Options options,
                                            const std::atomic<bool>* cancel)
{
    QHash<QString, QList<const LinkFile*>> byKey;
    QStringList order;
    for (const LinkFile& link : links) {
        // Files without an address can only match by their bytes.
        const QString key = link.Address.trimmed().isEmpty()
                                ? QString()
                                : AddressNormalizer::Normalize(link.Address, options);
        auto& copies = byKey[key];
        if (copies.isEmpty())
            order.append(key);
        copies.append(&link);
    }
    QList<DuplicateGroup> groups;
    for (const QString& key : std::as_const(order)) {
        if (cancel && *cancel)
            return {};
        const QList<const LinkFile*>& copies = byKey.value(key);
        if (copies.size() < 2)
            continue;
        const QHash<QString, QByteArray> prints = Fingerprints(fileSystem, copies);
        if (key.isEmpty()) {
            QHash<QByteArray, DuplicateGroup> same;
            for (const LinkFile* link : copies) {
                const QByteArray print = prints.value(link->Path);
                if (!print.isEmpty())
                    same[print].Copies.append(*link);
            }
            for (DuplicateGroup& group : same) {
                if (group.Copies.size() > 1) {
                    group.Key = group.Copies.first().Name;
                    group.Identical = true;
                    groups.append(group);
                }
            }
            continue;
        }
        DuplicateGroup group{key, true, {}};
        const QByteArray first = prints.value(copies.first()->Path);
        for (const LinkFile* link : copies) {
            group.Copies.append(*link);
            group.Identical =
                group.Identical && !first.isEmpty() && prints.value(link->Path) == first;
        }
        groups.append(group);
    }
    std::sort(groups.begin(), groups.end(),
              [](const DuplicateGroup& a, const DuplicateGroup& b) { return a.Key < b.Key; });
    return groups;
}
