#include "core/DataPaths.h"

#include "platform/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

// The build passes these, relative to the bin folder, as the install lays the files out.
#ifndef TAVORO_DATA_FROM_BIN
#define TAVORO_DATA_FROM_BIN "../share/tavoro"
#endif
#ifndef TAVORO_HELPERS_FROM_BIN
#define TAVORO_HELPERS_FROM_BIN "../libexec/tavoro"
#endif

DataPaths::DataPaths(QString programFolder) : m_programFolder(std::move(programFolder)) {}

DataPaths DataPaths::ForProgram()
{
    DataPaths paths(QCoreApplication::applicationDirPath());
    const QString help = paths.HelpFolder();
    if (QFileInfo(help).isDir())
        qCInfo(lcFiles).noquote() << "help pages in" << help;
    else
        qCWarning(lcFiles).noquote() << "help pages missing:" << help;
    return paths;
}

QString DataPaths::installedOrBeside(const char* fromBin) const
{
    if (m_programFolder.isEmpty())
        return QString();
    const QDir bin(m_programFolder);
    const QString installed = QDir::cleanPath(bin.absoluteFilePath(QString::fromUtf8(fromBin)));
    return QFileInfo(installed).isDir() ? installed : m_programFolder;
}

QString DataPaths::DataFolder() const
{
    return installedOrBeside(TAVORO_DATA_FROM_BIN);
}

QString DataPaths::HelperFolder() const
{
    return installedOrBeside(TAVORO_HELPERS_FROM_BIN);
}

QString DataPaths::HelpFolder() const
{
    return QDir(DataFolder()).filePath(QStringLiteral("help"));
}

QString DataPaths::ShippedThemesFile() const
{
    return QDir(DataFolder()).filePath(QStringLiteral("Themes.dat"));
}
