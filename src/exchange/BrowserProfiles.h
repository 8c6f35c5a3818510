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
// home is the user's home folder, given so tests can use one of their own.
QList<BrowserProfile> Find(const QString& home);
} // namespace BrowserProfiles
