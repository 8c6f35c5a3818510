#include "favorites/PropertiesTarget.h"

std::optional<PropertiesTarget> PropertiesTarget::For(const QString& activePane,
                                                      const std::optional<QString>& listTag,
                                                      const std::optional<QString>& treeTag)
{
    if (activePane != QLatin1String("L")) {
        if (!treeTag)
            return std::nullopt;
        return PropertiesTarget{*treeTag, QStringLiteral("F")};
    }
    if (!listTag)
        return std::nullopt;
    // A list tag starting with "*" names a folder. Tags are exact paths: a name may end in
    // a blank, and trimming it would name its neighbour.
    if (listTag->startsWith(u'*'))
        return PropertiesTarget{listTag->mid(1), QStringLiteral("F")};
    return PropertiesTarget{*listTag, QStringLiteral("L")};
}
