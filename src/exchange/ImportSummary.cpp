#include "exchange/ImportSummary.h"

namespace {

QString Count(int n, const char* one, const char* many)
{
    return QStringLiteral("%L1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

QString ImportSummary::Text() const
{
    if (!Error.isEmpty())
        return Error;
    QString text = Cancelled ? QStringLiteral("Import cancelled. ") : QString();
    text += QStringLiteral("Imported %1 and %2 into %3.")
                .arg(Count(Links, "link", "links"), Count(Folders, "folder", "folders"), Target);
    QStringList skipped;
    if (Separators > 0)
        skipped << Count(Separators, "separator", "separators");
    if (Queries > 0)
        skipped << Count(Queries, "query (place:)", "queries (place:)");
    if (Flattened > 0)
        skipped << Count(Flattened, "folder nested too deep (contents kept one level up)",
                         "folders nested too deep (contents kept one level up)");
    if (Failed > 0)
        skipped << Count(Failed, "entry the file system refused",
                         "entries the file system refused");
    if (!skipped.isEmpty())
        text += QStringLiteral("\nSkipped: ") + skipped.join(QStringLiteral(", ")) + u'.';
    for (const QString& problem : Problems)
        text += u'\n' + problem;
    return text;
}
