#include "browser/DesktopEntry.h"

#include <QDir>
#include <QFile>

namespace {

// A desktop file value's own escapes, undone before the Exec quoting is read.
QString unescapeValue(const QString& value)
{
    QString result;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            result += value[i];
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's':
            result += u' ';
            break;
        case 'n':
            result += u'\n';
            break;
        case 't':
            result += u'\t';
            break;
        case 'r':
            result += u'\r';
            break;
        default:
            result += u'\\';
            result += next;
        }
    }
    return result;
}

} // namespace

QStringList DesktopEntry::ApplicationDirs()
{
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList dirs{dataHome};
    dirs += dataDirs.split(u':', Qt::SkipEmptyParts);
    for (QString& dir : dirs)
        dir += QStringLiteral("/applications");
    return dirs;
}

std::optional<DesktopEntry> DesktopEntry::Find(const QString& id)
{
    if (id.isEmpty() || id.contains(u'/'))
        return std::nullopt;
    const QStringList dirs = ApplicationDirs();
    for (const QString& dir : dirs) {
        QFile file(dir + u'/' + id);
        if (file.open(QIODevice::ReadOnly))
            return Parse(id, file.read(256 * 1024));
    }
    return std::nullopt;
}

std::optional<DesktopEntry> DesktopEntry::Parse(const QString& id, const QByteArray& contents)
{
    DesktopEntry entry;
    entry.id = id;
    bool inMainGroup = false;
    const QStringList lines = QString::fromUtf8(contents).split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || equals < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = unescapeValue(line.mid(equals + 1).trimmed());
        if (key == QLatin1String("Name"))
            entry.name = value;
        else if (key == QLatin1String("Exec"))
            entry.command = SplitCommand(value);
        else if (key == QLatin1String("Hidden") && value == QLatin1String("true"))
            return std::nullopt;
    }
    if (entry.command.isEmpty())
        return std::nullopt;
    return entry;
}

QStringList DesktopEntry::SplitCommand(const QString& command)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    QChar quote;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else if (quote == u'"' && c == u'\\' && i + 1 < command.size())
                current += command[++i];
            else
                current += c;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            inArgument = true;
        } else if (c.isSpace()) {
            if (inArgument)
                arguments << current;
            current.clear();
            inArgument = false;
        } else {
            current += c;
            inArgument = true;
        }
    }
    if (inArgument)
        arguments << current;
    return arguments;
}
