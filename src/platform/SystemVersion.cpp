#include "platform/SystemVersion.h"

namespace SystemVersion {

OsVersionInfo Current()
{
    return OsVersionInfo{};
}

QString GetOSVersionName(const OsVersionInfo& info)
{
    if (info.PlatformId == 2) {
        switch (info.MajorVersion) {
        case 3:
            return QStringLiteral("Windows NT 3.51");
        case 4:
            return QStringLiteral("Windows NT 4.0");
        case 5:
            return info.MinorVersion == 0 ? QStringLiteral("Windows 2000")
                                          : QStringLiteral("Windows XP");
        default:
            return QString();
        }
    }
    if (info.PlatformId == 1) {
        if (info.MinorVersion != 10)
            return QStringLiteral("Windows ME");
        if (info.BuildNumber == 1998)
            return QStringLiteral("Windows 98");
        if (info.BuildNumber >= 1999 && info.BuildNumber <= 2182)
            return QStringLiteral("Windows 98 SP1");
        if (info.BuildNumber >= 2183)
            return QStringLiteral("Windows 98 SE");
        return QString();
    }
    return QString();
}

QString GetOSShortName(const OsVersionInfo& info)
{
    const QString name = GetOSVersionName(info);
    const auto has = [&name](const char* part) {
        return name.contains(QLatin1String(part), Qt::CaseInsensitive);
    };
    if (has("2000"))
        return QStringLiteral("2000");
    if (has("XP"))
        return QStringLiteral("XP");
    if (has("98"))
        return QStringLiteral("98");
    if (has("4.0"))
        return QStringLiteral("NT4");
    if (has("3.51"))
        return QStringLiteral("NT351");
    if (has("Windows ME"))
        return QStringLiteral("ME");
    return QString();
}

bool IsWinNT(const OsVersionInfo& info)
{
    return info.PlatformId == 2;
}

} // namespace SystemVersion
