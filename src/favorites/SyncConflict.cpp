#include "favorites/SyncConflict.h"

#include <QRegularExpression>

namespace SyncConflict {

QString OriginalName(const QString& fileName)
{
    static const QRegularExpression syncthing(
        QStringLiteral(R"(^(.+)\.sync-conflict-\d{8}-\d{6}-[A-Z0-9]{7}(\.[^.]+)?$)"));
    static const QRegularExpression conflictedCopy(
        QStringLiteral(R"(^(.+) \((?:[^()]* )?conflicted copy [^()]*\)(\.[^.]+)?$)"));
    for (const QRegularExpression* pattern : {&syncthing, &conflictedCopy}) {
        const QRegularExpressionMatch match = pattern->match(fileName);
        if (match.hasMatch())
            return match.captured(1) + match.captured(2);
    }
    return {};
}

} // namespace SyncConflict
