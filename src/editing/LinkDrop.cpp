#include "editing/LinkDrop.h"

#include "core/AppInfo.h"
#include "editing/PathUtils.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/ShortcutFile.h"
#include "platform/FileSystemService.h"
#include "platform/FsStep.h"
#include "platform/Prompts.h"

#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>

namespace {

// Mozilla writes its formats in UTF-16; some programs in UTF-8.
QString decodeText(const QByteArray& bytes)
{
    if (bytes.size() >= 2 && bytes.size() % 2 == 0 && bytes.contains('\0'))
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                                  bytes.size() / 2)
            .remove(QChar(0xFEFF))
            .remove(QChar(0));
    return QString::fromUtf8(bytes);
}

// "address\ntitle\naddress\ntitle...": pairs of lines.
QList<LinkDrop::Link> linkPairs(const QString& text)
{
    QList<LinkDrop::Link> links;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); i += 2) {
        const QString address = lines[i].trimmed();
        if (!address.isEmpty())
            links.append({address, lines.value(i + 1).trimmed()});
    }
    return links;
}

} // namespace

LinkDrop::LinkDrop(const Panes& panes) : m_panes(panes) {}

bool LinkDrop::Take(const QMimeData& data, QTreeWidgetItem* node, bool drop)
{
    if (m_panes.views.CurrentView() != FavoritesViews::Normal)
        return false;
    if (!node)
        node = m_panes.tree.SelectedItem();
    const QList<Link> links = node ? Links(data) : QList<Link>();
    if (links.isEmpty())
        return false;
    if (drop && Create(links, FavoritesTree::Tag(node)) > 0)
        m_panes.views.RefreshView();
    return true;
}

QList<LinkDrop::Link> LinkDrop::Links(const QMimeData& data)
{
    if (data.hasFormat(QStringLiteral("text/x-moz-url")))
        return linkPairs(decodeText(data.data(QStringLiteral("text/x-moz-url"))));
    if (data.hasUrls()) {
        QList<Link> links;
        const QList<QUrl> urls = data.urls();
        for (const QUrl& url : urls) {
            if (url.isValid() && !url.scheme().isEmpty())
                links.append({url.toString(), {}});
        }
        return links;
    }
    if (data.hasFormat(QStringLiteral("_NETSCAPE_URL")))
        return linkPairs(decodeText(data.data(QStringLiteral("_NETSCAPE_URL")))).mid(0, 1);
    if (const QString address = AddressInText(data.text()); !address.isEmpty())
        return {{address, {}}};
    return {};
}

QString LinkDrop::AddressInText(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.contains(QRegularExpression(QStringLiteral("\\s"))))
        return {};
    const QUrl url(trimmed, QUrl::StrictMode);
    static const QStringList schemes{"http", "https", "ftp", "file", "about", "mailto"};
    return url.isValid() && schemes.contains(url.scheme().toLower()) ? trimmed : QString();
}

QString LinkDrop::NameFor(const Link& link)
{
    QString name = link.title;
    if (name.trimmed().isEmpty()) {
        const QUrl url(link.address);
        name = url.host().isEmpty() ? link.address
                                    : QString(url.host() + url.path()).replace(u'/', u' ');
    }
    name.remove(QStringLiteral("www.")).remove(QStringLiteral("http://"));
    return CleanFileName(name).trimmed();
}

int LinkDrop::Create(const QList<Link>& links, const QString& folder)
{
    const FsStep step(m_panes.fileSystem, QStringLiteral("Add Link"));
    int written = 0;
    for (const Link& link : links) {
        QString name = NameFor(link);
        while (!name.isEmpty()) {
            const QString path = AddBackslash(folder) + name + QStringLiteral(".url");
            if (!m_panes.fileSystem.FileExists(path, AttributeHidden | AttributeDirectory)) {
                written += ShortcutFile::WriteShortcut(m_panes.fileSystem, m_panes.prompts,
                                                       m_panes.owner, link.address, path)
                               ? 1
                               : 0;
                break;
            }
            // Never over someone's file: another name, or none to skip this link.
            name = CleanFileName(m_panes.prompts.InputBox(
                m_panes.owner,
                QStringLiteral("A link named \"%1\" already exists. Name for the link to %2:")
                    .arg(name, link.address),
                AppInfo::AppTitle, name + QStringLiteral(" (2)")));
        }
    }
    return written;
}
