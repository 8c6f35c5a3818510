#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

// The program's pictures by key ("Favorites", "Closed", "Open", "URL", the toolbar's
// command keys), drawn as SVGs compiled into the program.
class IconSet
{
public:
    QIcon Icon(const QString& key) const;
    static bool Has(const QString& key);

private:
    mutable QHash<QString, QIcon> m_cache;
};
