#include "favorites/IconSet.h"

#include <QFile>

namespace {
QString resourcePath(const QString& key)
{
    return QStringLiteral(":/icons/") + key + QStringLiteral(".svg");
}
} // namespace

QIcon IconSet::Icon(const QString& key) const
{
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd())
        return *it;
    const QIcon icon = Has(key) ? QIcon(resourcePath(key)) : QIcon();
    m_cache.insert(key, icon);
    return icon;
}

bool IconSet::Has(const QString& key)
{
    return !key.isEmpty() && QFile::exists(resourcePath(key));
}
