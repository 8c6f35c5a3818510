#include "exchange/ExchangeCommandLine.h"

#include "exchange/BookmarkExport.h"
#include "exchange/BookmarkImport.h"
#include "platform/FileSystemService.h"

#include <QDir>
#include <QHash>
#include <QTextStream>

namespace {

const QString kUsage =
    QStringLiteral("Usage: tavoro --import SOURCE [--into FOLDER]\n"
                   "       tavoro --export FILE [--from FOLDER] [--format html|xbel]\n");

QString Absolute(const QString& path)
{
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

} // namespace

bool ExchangeCommandLine::Wants(const QStringList& arguments)
{
    return arguments.contains(QStringLiteral("--import")) ||
           arguments.contains(QStringLiteral("--export"));
}

int ExchangeCommandLine::Run(const QStringList& arguments, const FileSystemService& fileSystem,
                             const QString& favorites, const QDate& today, QTextStream& out,
                             QTextStream& err)
{
    static const QStringList kOptions = {QStringLiteral("--import"), QStringLiteral("--export"),
                                         QStringLiteral("--into"), QStringLiteral("--from"),
                                         QStringLiteral("--format")};
    QHash<QString, QString> values;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (!kOptions.contains(arguments[i]))
            continue; // other switches ("/HIDE") belong to the window
        if (i + 1 >= arguments.size() || values.contains(arguments[i])) {
            err << kUsage;
            return 2;
        }
        values.insert(arguments[i], arguments[i + 1]);
        ++i;
    }
    const QString format = values.value(QStringLiteral("--format"));
    const bool importing = values.contains(QStringLiteral("--import"));
    if (importing == values.contains(QStringLiteral("--export")) ||
        (!format.isEmpty() && format != u"html" && format != u"xbel")) {
        err << kUsage;
        return 2;
    }
    if (importing) {
        const QString source = Absolute(values.value(QStringLiteral("--import")));
        QString target = values.value(QStringLiteral("--into"));
        target = target.isEmpty()
                     ? BookmarkImport::NewTarget(
                           fileSystem, favorites,
                           BookmarkImport::Label(BookmarkImport::Detect(fileSystem, source)), today)
                     : Absolute(target);
        const ImportSummary summary = BookmarkImport::Import(fileSystem, source, target);
        (summary.Error.isEmpty() ? out : err) << summary.Text() << '\n';
        return summary.Ok() ? 0 : 1;
    }
    const QString file = Absolute(values.value(QStringLiteral("--export")));
    const QString from = values.value(QStringLiteral("--from"));
    const BookmarkExport::Result result =
        BookmarkExport::Export(fileSystem, from.isEmpty() ? favorites : Absolute(from), file,
                               BookmarkExport::FormatFor(format, file));
    (result.Error.isEmpty() ? out : err) << result.Text(file) << '\n';
    return result.Error.isEmpty() ? 0 : 1;
}
