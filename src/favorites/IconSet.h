#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

// Pictures by key, drawn as SVGs compiled into the program. The panes' set holds
// "Favorites", "Closed", "Open" and "URL"; the toolbar's set one picture per command key
// (its "Open" is the browse picture, not the open folder).
class IconSet
{
public:
    static IconSet Panes() { return IconSet(QStringLiteral(":/icons/")); }
    static IconSet Toolbar() { return IconSet(QStringLiteral(":/icons/toolbar/")); }

    QIcon Icon(const QString& key) const;
    bool Has(const QString& key) const;

private:
    explicit IconSet(const QString& folder) : m_folder(folder) {}
    QString path(const QString& key) const { return m_folder + key + QStringLiteral(".svg"); }

    QString m_folder;
    mutable QHash<QString, QIcon> m_cache;
};
