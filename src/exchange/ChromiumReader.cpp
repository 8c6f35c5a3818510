#include "exchange/ChromiumReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

std::int64_t Time(const QJsonObject& node, const char* key)
{
    return BookmarkTimes::FromWebKit(node.value(QLatin1String(key)).toString().toLongLong());
}

// The JSON parser refuses nesting past its own limit, so this recursion is bounded.
void ReadChildren(const QJsonArray& children, BookmarkNode& folder, int depth, BookmarkTree& tree)
{
    for (const QJsonValue& value : children) {
        const QJsonObject node = value.toObject();
        const QString type = node.value(QLatin1String("type")).toString();
        const QString name = node.value(QLatin1String("name")).toString();
        if (type == u"url") {
            const QString address = node.value(QLatin1String("url")).toString().trimmed();
            BookmarkNode& link = folder.AddLink(name, address);
            link.Added = Time(node, "date_added");
            link.Modified = Time(node, "date_modified");
            link.Visited = Time(node, "date_last_used");
        } else if (type == u"folder") {
            BookmarkNode* target = &folder;
            if (depth < BookmarkTree::MaxDepth) {
                target = &folder.AddFolder(name);
                target->Added = Time(node, "date_added");
                target->Modified = Time(node, "date_modified");
            } else {
                ++tree.Flattened;
            }
            ReadChildren(node.value(QLatin1String("children")).toArray(), *target, depth + 1, tree);
        }
    }
}

} // namespace

bool ChromiumReader::Read(const QByteArray& bytes, BookmarkTree& tree, QString& error)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parse);
    const QJsonObject roots = document.object().value(QLatin1String("roots")).toObject();
    if (parse.error != QJsonParseError::NoError || roots.isEmpty()) {
        error = parse.error != QJsonParseError::NoError
                    ? QStringLiteral("The bookmarks file is damaged: %1 (at byte %2).")
                          .arg(parse.errorString())
                          .arg(parse.offset)
                    : QStringLiteral("The file is not a Chromium bookmarks file.");
        return false;
    }
    // The bar, the other bookmarks and the phone's, in the order the browser shows them.
    for (const char* key : {"bookmark_bar", "other", "synced"}) {
        const QJsonObject root = roots.value(QLatin1String(key)).toObject();
        const QJsonArray children = root.value(QLatin1String("children")).toArray();
        if (children.isEmpty())
            continue;
        BookmarkNode& folder = tree.Root.AddFolder(root.value(QLatin1String("name")).toString());
        folder.Added = Time(root, "date_added");
        folder.Modified = Time(root, "date_modified");
        ReadChildren(children, folder, 1, tree);
    }
    return true;
}
