#include "exchange/FirefoxReader.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

namespace {

struct Row
{
    qint64 Id = 0;
    int Type = 0; // 1 bookmark, 2 folder, 3 separator
    QString Title;
    QString Guid;
    std::int64_t Added = 0;
    std::int64_t Modified = 0;
    QString Address;
    std::int64_t Visited = 0;
};

constexpr int kBookmark = 1;
constexpr int kFolder = 2;
constexpr int kSeparatorType = 3;

std::int64_t FromMicroseconds(const QVariant& value)
{
    return qMax<std::int64_t>(0, value.toLongLong() / 1'000'000);
}

QString RootName(const Row& row)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("menu________"), QStringLiteral("Bookmarks Menu")},
        {QStringLiteral("toolbar_____"), QStringLiteral("Bookmarks Toolbar")},
        {QStringLiteral("unfiled_____"), QStringLiteral("Other Bookmarks")},
        {QStringLiteral("mobile______"), QStringLiteral("Mobile Bookmarks")}};
    return names.value(row.Guid, row.Title);
}

class Builder
{
public:
    QHash<qint64, QList<Row>> Children;
    QSet<qint64> Seen;

    void Add(qint64 parentId, BookmarkNode& folder, int depth, BookmarkTree& tree)
    {
        for (const Row& row : Children.value(parentId)) {
            if (Seen.contains(row.Id))
                continue; // a damaged database may loop
            Seen.insert(row.Id);
            if (row.Type == kSeparatorType) {
                ++tree.Separators;
            } else if (row.Type == kBookmark && row.Address.startsWith(QLatin1String("place:"))) {
                ++tree.Queries;
            } else if (row.Type == kBookmark) {
                BookmarkNode& link = folder.AddLink(row.Title, row.Address);
                link.Added = row.Added;
                link.Modified = row.Modified;
                link.Visited = row.Visited;
            } else if (row.Type == kFolder && row.Guid != u"tags________") {
                BookmarkNode* target = &folder;
                if (depth < BookmarkTree::MaxDepth) {
                    target = &folder.AddFolder(depth == 0 ? RootName(row) : row.Title);
                    target->Added = row.Added;
                    target->Modified = row.Modified;
                } else {
                    ++tree.Flattened;
                }
                Add(row.Id, *target, depth + 1, tree);
                if (depth == 0 && target->Children.empty())
                    folder.Children.pop_back(); // an unused root such as the mobile one
            }
        }
    }
};

bool Query(const QString& database, const QString& connection, Builder& builder, QString& error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(database);
    if (!db.open()) {
        error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    const bool ran = query.exec(QStringLiteral(
        "SELECT b.id, b.parent, b.type, b.title, b.guid, b.dateAdded, b.lastModified, p.url, "
        "p.last_visit_date FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
        "ORDER BY b.parent, b.position, b.id"));
    while (ran && query.next()) {
        const Row row{query.value(0).toLongLong(),         query.value(2).toInt(),
                      query.value(3).toString(),           query.value(4).toString(),
                      FromMicroseconds(query.value(5)),    FromMicroseconds(query.value(6)),
                      query.value(7).toString().trimmed(), FromMicroseconds(query.value(8))};
        builder.Children[query.value(1).toLongLong()].append(row);
    }
    if (!ran)
        error = query.lastError().text();
    return ran;
}

// A scratch copy: unlike QFile::copy it does not wait for the disk to sync, which on a
// busy disk can take minutes for a large database.
bool CopyForReading(const QString& source, const QString& destination)
{
    QFile from(source);
    QFile to(destination);
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::WriteOnly))
        return false;
    QByteArray block;
    do {
        block = from.read(1 << 20);
        if (to.write(block) != block.size())
            return false;
    } while (!block.isEmpty());
    return from.error() == QFileDevice::NoError;
}

} // namespace

bool FirefoxReader::Read(const QString& places, BookmarkTree& tree, QString& error)
{
    const QString source =
        QFileInfo(places).isDir() ? places + QStringLiteral("/places.sqlite") : places;
    QTemporaryDir copy;
    const QString database = copy.path() + QStringLiteral("/places.sqlite");
    if (!copy.isValid() || !CopyForReading(source, database)) {
        error = QStringLiteral("Unable to read the Firefox bookmarks: ") + source;
        return false;
    }
    // Bookmarks still only in the log are part of the database as Firefox sees it.
    if (QFile::exists(source + QStringLiteral("-wal")) &&
        !CopyForReading(source + QStringLiteral("-wal"), database + QStringLiteral("-wal"))) {
        error = QStringLiteral("Unable to read the Firefox bookmarks: ") + source + "-wal";
        return false;
    }
    Builder builder;
    // Each read has a connection of its own, so imports on other threads never share one.
    const QString connection = QUuid::createUuid().toString();
    const bool ok = Query(database, connection, builder, error);
    QSqlDatabase::removeDatabase(connection);
    if (!ok) {
        error = QStringLiteral("The Firefox bookmarks database cannot be read: ") + error;
        return false;
    }
    // The places root is the one folder without a parent.
    const QList<Row> top = builder.Children.value(0);
    if (top.isEmpty()) {
        error = QStringLiteral("The Firefox bookmarks database holds no bookmarks.");
        return false;
    }
    builder.Seen.insert(top.first().Id);
    builder.Add(top.first().Id, tree.Root, 0, tree);
    return true;
}
