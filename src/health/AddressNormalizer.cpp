#include "health/AddressNormalizer.h"

#include <QUrl>
#include <QUrlQuery>

namespace {

bool IsTrackingParameter(const QString& key)
{
    return key.startsWith(QLatin1String("utm_"), Qt::CaseInsensitive) ||
           key.compare(QLatin1String("fbclid"), Qt::CaseInsensitive) == 0 ||
           key.compare(QLatin1String("gclid"), Qt::CaseInsensitive) == 0;
}

int DefaultPort(const QString& scheme)
{
    if (scheme == QLatin1String("http"))
        return 80;
    if (scheme == QLatin1String("https"))
        return 443;
    if (scheme == QLatin1String("ftp"))
        return 21;
    return -1;
}

} // namespace

QString AddressNormalizer::Normalize(const QString& address, Options options)
{
    const QString trimmed = address.trimmed();
    QUrl url(trimmed, QUrl::TolerantMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return trimmed;
    // QUrl already lower-cases scheme and host.
    QString scheme = url.scheme();
    if (options.mergeSchemes && scheme == QLatin1String("https"))
        scheme = QStringLiteral("http");
    if (url.port() != -1 && url.port() == DefaultPort(url.scheme()))
        url.setPort(-1);
    url.setScheme(scheme);
    if (options.ignoreWww && url.host().startsWith(QLatin1String("www.")))
        url.setHost(url.host().mid(4));
    if (!url.host().isEmpty() && url.path().isEmpty())
        url.setPath(QStringLiteral("/"));
    url.setFragment(QString());
    if (url.hasQuery()) {
        QUrlQuery query(url);
        QUrlQuery kept;
        for (const auto& [key, value] : query.queryItems(QUrl::FullyEncoded)) {
            if (!IsTrackingParameter(key))
                kept.addQueryItem(key, value);
        }
        if (kept.isEmpty())
            url.setQuery(QString());
        else
            url.setQuery(kept.query(QUrl::FullyEncoded), QUrl::StrictMode);
    }
    return url.toString(QUrl::FullyEncoded | QUrl::NormalizePathSegments);
}
