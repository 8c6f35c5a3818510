#pragma once

#include <QString>

namespace AppInfo {
inline const QString ProductName = QStringLiteral("Tavoro");
inline const QString Version = QStringLiteral("1.1.3");
// The main window's caption, and the title a second start looks for.
inline const QString AppTitle = ProductName + u' ' + Version;
// The maker's site, opened by Help > Tavoro Web Site.
inline const QString WebSite = QStringLiteral("https://tavoro.example.org/");
} // namespace AppInfo
