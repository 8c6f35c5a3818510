#include "appearance/ThemeLocations.h"

#include "appearance/ThemeFile.h"
#include "core/DataPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kFileName = QStringLiteral("Themes.dat");

} // namespace

ThemeLocations ThemeLocations::ForProgram(const QString& programFolder)
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                           QStringLiteral("/tavoro");
    return {ShippedFile(programFolder), QDir(config).filePath(kFileName)};
}

QString ThemeLocations::ShippedFile(const QString& programFolder)
{
    return DataPaths(programFolder).ShippedThemesFile();
}

clsThemeApps ThemeLocations::Read() const
{
    return Themes::ReadThemes(QFileInfo::exists(user) ? user : shipped);
}

bool ThemeLocations::Write(const clsThemeApps& themes, QString* error) const
{
    QDir().mkpath(QFileInfo(user).absolutePath());
    return Themes::WriteThemes(user, themes, error);
}
