#pragma once

#include <QList>
#include <QString>

// The browser profiles on this machine that hold bookmarks.
struct BrowserProfile
{
    QString Browser; // "Firefox", "Chromium", "Google Chrome", "Brave", "Vivaldi"
    QString Name;    // the profile's own name
    QString Path;    // the profile folder
    QString Text() const { return Browser + QStringLiteral(" - ") + Name; }
};

namespace BrowserProfiles {
// home is the user's home folder, given so tests can use one of their own; the Chromium
// family is looked for below $XDG_CONFIG_HOME when that is set.
QList<BrowserProfile> Find(const QString& home);
} // namespace BrowserProfiles
