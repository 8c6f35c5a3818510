#include "exchange/BrowserProfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

namespace {

void FindFirefox(const QString& base, QList<BrowserProfile>& found)
{
    QSettings ini(base + QStringLiteral("/profiles.ini"), QSettings::IniFormat);
    for (const QString& group : ini.childGroups()) {
        if (!group.startsWith(QLatin1String("Profile")))
            continue;
        ini.beginGroup(group);
        const QString path = ini.value(QStringLiteral("Path")).toString();
        const bool relative = ini.value(QStringLiteral("IsRelative"), 1).toInt() != 0;
        const QString name = ini.value(QStringLiteral("Name"), path).toString();
        ini.endGroup();
        const QString folder = QDir::cleanPath(relative ? base + u'/' + path : path);
        if (!path.isEmpty() && QFileInfo::exists(folder + QStringLiteral("/places.sqlite")))
            found.append({QStringLiteral("Firefox"), name, folder});
    }
}

void FindChromium(const QString& base, const QString& browser, QList<BrowserProfile>& found)
{
    // The names people gave their profiles are kept beside them.
    QFile state(base + QStringLiteral("/Local State"));
    QJsonObject names;
    if (state.size() < 16 * 1024 * 1024 && state.open(QIODevice::ReadOnly))
        names = QJsonDocument::fromJson(state.readAll())
                    .object()
                    .value(QLatin1String("profile"))
                    .toObject()
                    .value(QLatin1String("info_cache"))
                    .toObject();
    const QStringList folders = QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& folder : folders) {
        if (!QFileInfo::exists(base + u'/' + folder + QStringLiteral("/Bookmarks")))
            continue;
        const QString name = names.value(folder).toObject().value(QLatin1String("name")).toString();
        found.append({browser, name.isEmpty() ? folder : name, base + u'/' + folder});
    }
}

} // namespace

namespace BrowserProfiles {

QList<BrowserProfile> Find(const QString& home)
{
    QList<BrowserProfile> found;
    // The distribution's package, the snap and the flatpak.
    for (const char* base : {"/.mozilla/firefox", "/snap/firefox/common/.mozilla/firefox",
                             "/.var/app/org.mozilla.firefox/.mozilla/firefox"})
        FindFirefox(home + QLatin1String(base), found);
    static const struct
    {
        const char* folder;
        const char* browser;
    } kChromium[] = {{"/chromium", "Chromium"},
                     {"/google-chrome", "Google Chrome"},
                     {"/BraveSoftware/Brave-Browser", "Brave"},
                     {"/vivaldi", "Vivaldi"}};
    // These browsers keep their profiles below $XDG_CONFIG_HOME when it is set.
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString config =
        QDir::isAbsolutePath(xdg) ? QDir::cleanPath(xdg) : home + QStringLiteral("/.config");
    for (const auto& family : kChromium)
        FindChromium(config + QLatin1String(family.folder), QLatin1String(family.browser), found);
    return found;
}

} // namespace BrowserProfiles
