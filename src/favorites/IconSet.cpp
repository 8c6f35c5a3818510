#include "favorites/IconSet.h"

#include <QFile>

QIcon IconSet::Icon(const QString& key) const
{
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd())
        return *it;
    const QIcon icon = Has(key) ? QIcon(path(key)) : QIcon();
    m_cache.insert(key, icon);
    return icon;
}

bool IconSet::Has(const QString& key) const
{
    return !key.isEmpty() && !key.contains(u'/') && QFile::exists(path(key));
}
