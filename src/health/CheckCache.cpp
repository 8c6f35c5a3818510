#include "health/CheckCache.h"

#include "health/HealthText.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

QString CheckCache::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/tavoro/link-status.json");
}

CheckCache::CheckCache(QString path) : m_path(std::move(path)) {}

void CheckCache::Load()
{
    m_results.clear();
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject all = QJsonDocument::fromJson(file.readAll()).object();
    for (auto it = all.begin(); it != all.end(); ++it) {
        const QJsonObject entry = it.value().toObject();
        const int state = entry.value(QLatin1String("state")).toInt(-1);
        const QDateTime checked =
            QDateTime::fromString(entry.value(QLatin1String("checked")).toString(), Qt::ISODate);
        if (state < 0 || state > int(CheckResult::State::Skipped) || !checked.isValid())
            continue;
        m_results.insert(it.key(),
                         {CheckResult::State(state), entry.value(QLatin1String("code")).toInt(),
                          entry.value(QLatin1String("reason")).toString(),
                          entry.value(QLatin1String("moved")).toString(), checked});
    }
}

bool CheckCache::Save() const
{
    QJsonObject all;
    for (auto it = m_results.cbegin(); it != m_results.cend(); ++it) {
        const CheckResult& r = it.value();
        all.insert(it.key(), QJsonObject{{QStringLiteral("state"), int(r.Status)},
                                         {QStringLiteral("code"), r.Code},
                                         {QStringLiteral("reason"), r.Reason},
                                         {QStringLiteral("moved"), r.NewAddress},
                                         {QStringLiteral("checked"),
                                          r.Checked.toUTC().toString(Qt::ISODate)}});
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(all).toJson(QJsonDocument::Compact));
    return file.commit();
}

std::optional<CheckResult> CheckCache::Find(const QString& address) const
{
    const auto it = m_results.constFind(address);
    return it == m_results.cend() ? std::nullopt : std::optional<CheckResult>(*it);
}

std::optional<CheckResult> CheckCache::Fresh(const QString& address, const QDateTime& now,
                                             int days) const
{
    const std::optional<CheckResult> result = Find(address);
    if (days <= 0 || !result || result->Checked.secsTo(now) >= qint64(days) * 86400)
        return std::nullopt;
    return result;
}

void CheckCache::Put(const QString& address, const CheckResult& result)
{
    m_results.insert(address, result);
}

QString CheckCache::LastStatusText(const QString& address) const
{
    const std::optional<CheckResult> result = Find(address);
    if (!result)
        return {};
    return CheckResult::StateName(result->Status) + QStringLiteral(": ") + result->Reason +
           QStringLiteral(", checked ") + HealthText::ShownDate(result->Checked);
}
