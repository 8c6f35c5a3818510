#pragma once

#include "favorites/Panes.h"

#include <QList>
#include <QString>

class QMimeData;
class QTreeWidgetItem;

// Links dragged from a browser (or pasted) become shortcut files in a folder: one per
// link, named after its title, never over an existing file.
class LinkDrop
{
public:
    struct Link
    {
        QString address;
        QString title;
    };

    explicit LinkDrop(const Panes& panes);

    // Links over a tree node's folder, or (node null) the folder the list shows, in the
    // Normal view: whether they can be dropped there, and with drop, makes them and lists
    // the folder again.
    bool Take(const QMimeData& data, QTreeWidgetItem* node, bool drop);

    // Mozilla's "address, line break, title" pairs, a URI list, Netscape's URL, or plain
    // text holding a single address. Empty when the data carries no link.
    static QList<Link> Links(const QMimeData& data);
    // The text, trimmed, when it is one address with a scheme and nothing else.
    static QString AddressInText(const QString& text);
    // A file name from a title (or, without one, the address's host): no "www.", no
    // "http://", nothing a file name cannot hold.
    static QString NameFor(const Link& link);

    // Makes the shortcuts, as one step to undo; a name already taken asks for another
    // (cancel skips the link). The number written.
    int Create(const QList<Link>& links, const QString& folder);

private:
    Panes m_panes;
};
