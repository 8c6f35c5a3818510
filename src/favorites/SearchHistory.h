#pragma once

#include <QString>
#include <QStringList>

class Registry;

// The search texts the user typed, kept under HKEY_CURRENT_USER in the "Search" section
// of the program's key as SearchItem01 (the newest) to SearchItem20. Callers pass
// remember = the RememberSearch setting; with it off the registry is neither read nor
// written.
namespace SearchHistory {

inline constexpr int kMaxItems = 20;
inline const QString kSection = QStringLiteral("Search");

// "SearchItem01" for position 1.
QString ValueName(int position);

// The remembered texts, newest first, empty ones left out.
QStringList LoadSearchList(Registry& registry, const QString& rootKey, bool remember);

// Puts text in front of entries (dropping an equal entry, letter case counting) and,
// when remembering, writes the first 20 of the result, blanking the positions past its
// end. Returns the new list, which the caller shows whole.
QStringList RememberSearch(Registry& registry, const QString& rootKey, bool remember,
                           const QStringList& entries, const QString& text);

} // namespace SearchHistory
