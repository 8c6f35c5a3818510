#pragma once

#include <QString>

#include <cstdint>

// The operating-system version record the version names are derived from.
struct OsVersionInfo
{
    std::uint32_t PlatformId = 2; // 1 the Windows 95 family, 2 NT
    std::uint32_t MajorVersion = 10;
    std::uint32_t MinorVersion = 0;
    std::uint32_t BuildNumber = 0;
};

namespace SystemVersion {

// What this system reports: the NT platform with a major version no name is known for,
// so the version names come out empty.
OsVersionInfo Current();

QString GetOSVersionName(const OsVersionInfo& info = Current());
QString GetOSShortName(const OsVersionInfo& info = Current());
bool IsWinNT(const OsVersionInfo& info = Current());

} // namespace SystemVersion
