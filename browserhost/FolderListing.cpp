#include "FolderListing.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QUrl>

QString FolderListing::FolderName(const QString& folder)
{
    const QString name = QDir(folder).dirName();
    return name.isEmpty() ? QDir::cleanPath(folder) : name;
}

QString FolderListing::Html(const QString& folder, const QString& selected)
{
    const QDir dir(folder);
    const QString wanted = selected.isEmpty() ? QString() : QDir::cleanPath(selected);
    QString rows;
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                          QDir::DirsFirst | QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        // Names come from outside; nothing of them may read as markup.
        const QString link = QUrl::fromLocalFile(entry.absoluteFilePath())
                                 .toString(QUrl::FullyEncoded)
                                 .toHtmlEscaped();
        QString name =
            (entry.fileName() + (entry.isDir() ? QStringLiteral("/") : QString())).toHtmlEscaped();
        const bool isSelected = entry.absoluteFilePath() == wanted;
        if (isSelected)
            name = QStringLiteral("<a name=\"selected\"></a><b>%1</b>").arg(name);
        rows +=
            QStringLiteral("<tr><td%1><a href=\"%2\">%3</a></td><td align=\"right\">%4</td>"
                           "<td>%5</td></tr>\n")
                .arg(isSelected ? QStringLiteral(" bgcolor=\"#cce4ff\"") : QString(), link, name,
                     entry.isDir() ? QString() : QLocale().formattedDataSize(entry.size()),
                     QLocale().toString(entry.lastModified(), QLocale::ShortFormat));
    }
    if (entries.isEmpty()) {
        rows = QStringLiteral("<tr><td><i>%1</i></td></tr>")
                   .arg(dir.isReadable() ? QStringLiteral("This folder is empty.")
                                         : QStringLiteral("This folder cannot be read."));
    }
    return QStringLiteral("<html><head><title>%1</title></head><body><p><b>%2</b></p>\n"
                          "<table cellspacing=\"0\" cellpadding=\"3\">\n%3</table></body></html>")
        .arg(FolderName(folder).toHtmlEscaped(), QDir::cleanPath(folder).toHtmlEscaped(), rows);
}
