#include "editing/PathUtils.h"

#include <QStringView>

namespace {

const QChar kSeparator = QLatin1Char('/');

} // namespace

QString AddBackslash(const QString& path)
{
    return path.endsWith(kSeparator) ? path : path + kSeparator;
}

QString SplitPath(const QString& path, bool wantFolder, bool withBackslash)
{
    if (path.isEmpty())
        return {};
    const qsizetype slash = path.lastIndexOf(kSeparator);
    const QString last = path.mid(slash + 1);
    if (!wantFolder)
        return last;
    if (slash < 0)
        return path;
    const QString folder = path.left(slash);
    return withBackslash ? folder + kSeparator : folder;
}

QString CleanFileName(const QString& text)
{
    static const QStringView kForbidden = u"/\\<>?*|:\"";
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        // Non-ASCII goes too: such names could not be typed back on every system.
        if (c.unicode() < 32 || c.unicode() > 126 || kForbidden.contains(c))
            continue;
        clean.append(c);
    }
    return clean;
}

QString WithoutTrailingSlash(const QString& path)
{
    QString trimmed = path;
    while (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    return trimmed;
}

QString BadNameMessage()
{
    return QStringLiteral("Cannot contain any of the following characters:\n\t/\\<>?*|:\"");
}
