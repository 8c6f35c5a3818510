#include "favorites/SearchHistory.h"

#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"

namespace SearchHistory {

QString ValueName(int position)
{
    return QStringLiteral("SearchItem%1").arg(position, 2, 10, QLatin1Char('0'));
}

QStringList LoadSearchList(Registry& registry, const QString& rootKey, bool remember)
{
    QStringList texts;
    if (!remember)
        return texts;
    for (int position = 1; position <= kMaxItems; ++position) {
        const QString text =
            ReadRegValue(registry, rootKey, kSection, ValueName(position), QString()).toString();
        if (!text.isEmpty())
            texts.append(text);
    }
    return texts;
}

QStringList RememberSearch(Registry& registry, const QString& rootKey, bool remember,
                           const QStringList& entries, const QString& text)
{
    QStringList texts{text};
    for (const QString& entry : entries) {
        if (entry != text)
            texts.append(entry);
    }
    if (remember) {
        registry.BeginBatch();
        for (int position = 1; position <= kMaxItems; ++position) {
            const QString value = position <= texts.size() ? texts.at(position - 1) : QString();
            WriteRegValue(registry, rootKey, kSection, ValueName(position), QVariant(value));
        }
        registry.EndBatch();
    }
    return texts;
}

} // namespace SearchHistory
