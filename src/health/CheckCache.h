#pragma once

#include "health/CheckResult.h"

#include <QHash>
#include <QString>

#include <optional>

// The last result of every address checked, with its time, kept between runs so a new
// check can pass over addresses checked a short while ago.
class CheckCache
{
public:
    // link-status.json in the user's cache folder ($XDG_CACHE_HOME/tavoro).
    static QString DefaultPath();

    explicit CheckCache(QString path = DefaultPath());

    // A missing or damaged file reads as an empty cache.
    void Load();
    bool Save() const;

    std::optional<CheckResult> Find(const QString& address) const;
    // The result when it was found less than days days before now; never for days <= 0.
    std::optional<CheckResult> Fresh(const QString& address, const QDateTime& now, int days) const;
    void Put(const QString& address, const CheckResult& result);
    // "Dead: 404 Not Found, checked 2026-05-01 10:30"; empty for an address never checked.
    QString LastStatusText(const QString& address) const;

private:
    QString m_path;
    QHash<QString, CheckResult> m_results;
};
