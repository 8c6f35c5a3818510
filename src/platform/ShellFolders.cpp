#include "platform/ShellFolders.h"

#include "platform/PathCodec.h"

#include <QDir>

namespace {

// XDG base folders count only when absolute; anything else means "use the default".
QString XdgFolder(const char* variable, const QString& fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + fallbackUnderHome);
}

} // namespace

QString ShellFolders::Favorites() const
{
    // Read as bytes: a folder name that is not UTF-8 must name that folder, not a new one.
    const QByteArray configured = qgetenv("TAVORO_FAVORITES");
    const QByteArray home = qgetenv("HOME");
    return QDir::cleanPath(!configured.isEmpty() ? PathCodec::Decode(configured)
                           : home.isEmpty()
                               ? QDir::homePath() + QStringLiteral("/Favorites")
                               : PathCodec::Decode(home) + QStringLiteral("/Favorites"));
}

QString ShellFolders::CommonPrograms() const
{
    return XdgFolder("XDG_DATA_HOME", QStringLiteral(".local/share")) +
           QStringLiteral("/applications");
}

QString ShellFolders::Autostart() const
{
    return XdgFolder("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/autostart");
}

QString ShellFolders::Value(const QString& name) const
{
    if (name.compare(QLatin1String("Favorites"), Qt::CaseInsensitive) == 0)
        return Favorites();
    if (name.compare(QLatin1String("Common Programs"), Qt::CaseInsensitive) == 0)
        return CommonPrograms();
    return QString();
}
