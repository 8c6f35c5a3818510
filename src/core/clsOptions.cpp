#include "core/clsOptions.h"

#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "platform/VbConvert.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <limits>
#include <variant>

namespace {

const QString kSettingsSection = QStringLiteral("Settings");
const QString kStartupEntryName = QStringLiteral("tavoro.desktop");

// An argument of a desktop entry's Exec key: quoted, with the characters that are
// special inside quotes escaped, then escaped once more as a string value.
QString execArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    quoted.replace(u'%', QStringLiteral("%%"));
    return u'"' + quoted + u'"';
}

constexpr char kDefaultToolbarButtons[] =
    "S,OpenLink,OpenNewLink,PasteLink,S,Refresh,Search,S,CopyTo,MoveTo,Delete,Rename,NewFolder,"
    "Properties,S,ViewNormal,AtoZ,ABtoYZ,List,Accessed,Modified,Created,SearchResults,S,Help";

// True when the value is there and is an empty text: reading gives such a value the
// default, as if it were missing.
bool storedAsEmptyText(Registry& registry, const QString& rootKey, const QString& name)
{
    HKEY key = 0;
    if (registry.RegOpenKeyEx(HKEY_CURRENT_USER, rootKey + u'\\' + kSettingsSection, 0,
                              KEY_ALL_ACCESS_0x3F, &key) != ERROR_SUCCESS)
        return false;
    QVariant value;
    const bool empty = QueryRegValue(registry, key, name, value) == ERROR_SUCCESS &&
                       value.metaType().id() == QMetaType::QString && value.toString().isEmpty();
    registry.RegCloseKey(key);
    return empty;
}

} // namespace

const QString clsOptions::DefaultToolbarButtons = QString::fromLatin1(kDefaultToolbarButtons);

struct clsOptions::Setting
{
    const char* name;
    const char* defaultText; // null: the Favorites root the shell reported at start-up
    std::variant<QString clsOptions::*, float clsOptions::*, std::int16_t clsOptions::*,
                 std::int32_t clsOptions::*, bool clsOptions::*>
        field;
};

// In the order Load reads them.
const clsOptions::Setting clsOptions::kSettings[] = {
    {"lvwFont", "", &clsOptions::m_lvwFont},
    {"tvwFont", "", &clsOptions::m_tvwFont},
    {"MainWidth", "11220", &clsOptions::m_mainWidth},
    {"MainHeight", "6165", &clsOptions::m_mainHeight},
    {"MainLeft", "-1", &clsOptions::m_mainLeft},
    {"MainTop", "-1", &clsOptions::m_mainTop},
    {"MainView", "0", &clsOptions::m_mainView},
    {"TreeWidth", "3075", &clsOptions::m_treeWidth},
    {"SelectedPath", "", &clsOptions::m_selectedPath},
    {"lvwForeColor", "0", &clsOptions::m_lvwForeColor},
    {"lvwBackColor", "16777215", &clsOptions::m_lvwBackColor},
    {"tvwForeColor", "0", &clsOptions::m_tvwForeColor},
    {"tvwBackColor", "16777215", &clsOptions::m_tvwBackColor},
    {"AlwaysOnTop", "0", &clsOptions::m_alwaysOnTop},
    {"ToolbarButtons", kDefaultToolbarButtons, &clsOptions::m_toolbarButtons},
    {"RememberSearch", "-1", &clsOptions::m_rememberSearch},
    {"AutoHide", "0", &clsOptions::m_autoHide},
    {"AutoCenter", "-1", &clsOptions::m_autoCenter},
    {"RememberFolder", "-1", &clsOptions::m_rememberFolder},
    {"RememberPosition", "-1", &clsOptions::m_rememberPosition},
    {"ThemeName", "Pumpkin", &clsOptions::m_themeName},
    {"ConfirmExit", "-1", &clsOptions::m_confirmExit},
    {"SystemTray", "-1", &clsOptions::m_systemTray},
    {"FavoritesPath", nullptr, &clsOptions::m_favoritesPath},
    {"SysTrayPrompt", "-1", &clsOptions::m_sysTrayPrompt},
    {"FirstTime", "-1", &clsOptions::m_firstTime},
    {"DblClick", "-1", &clsOptions::m_dblClick},
    {"CheckSkipDays", "7", &clsOptions::m_checkSkipDays},
    {"DeleteWithoutTrash", "0", &clsOptions::m_deleteWithoutTrash},
    {"LiveUpdates", "1", &clsOptions::m_liveUpdates},
    {"Browser", "", &clsOptions::m_browser},
};

clsOptions::clsOptions(Registry& registry, const ShellFolders& shellFolders,
                       const QString& defaultFavoritesPath, const QString& programPath,
                       const OsVersionInfo& os)
    : m_registry(registry), m_shellFolders(shellFolders),
      m_defaultFavoritesPath(defaultFavoritesPath), m_programPath(programPath), m_os(os),
      m_rootKey(QStringLiteral("Software\\Tavoro")), m_toolbarButtons(DefaultToolbarButtons),
      m_favoritesPath(defaultFavoritesPath)
{
}

QString clsOptions::defaultText(const Setting& setting) const
{
    return setting.defaultText ? QString::fromLatin1(setting.defaultText) : m_defaultFavoritesPath;
}

void clsOptions::read(const Setting& setting)
{
    const QString fallback = defaultText(setting);
    const QString value = ReadRegValue(m_registry, m_rootKey, kSettingsSection,
                                       QString::fromLatin1(setting.name), fallback)
                              .toString();
    const double number = VbConvert::Val(value);
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(this->*member)>;
            if constexpr (std::is_same_v<T, QString>) {
                this->*member = value;
            } else if constexpr (std::is_same_v<T, float>) {
                // Out of a float's range it would be infinite, and written back so.
                const bool fits =
                    std::isfinite(number) && std::abs(number) <= std::numeric_limits<float>::max();
                this->*member = static_cast<float>(fits ? number : VbConvert::Val(fallback));
            } else if constexpr (std::is_same_v<T, std::int16_t>) {
                this->*member = VbConvert::ToInt16(number).value_or(
                    *VbConvert::ToInt16(VbConvert::Val(fallback)));
            } else if constexpr (std::is_same_v<T, std::int32_t>) {
                this->*member = VbConvert::ToInt32(number).value_or(
                    *VbConvert::ToInt32(VbConvert::Val(fallback)));
            } else {
                this->*member = number != 0.0;
            }
        },
        setting.field);
}

QString clsOptions::text(const Setting& setting) const
{
    return std::visit(
        [&](auto member) -> QString {
            using T = std::remove_cvref_t<decltype(this->*member)>;
            if constexpr (std::is_same_v<T, QString>)
                return this->*member;
            else if constexpr (std::is_same_v<T, bool>)
                return VbConvert::FromBool(this->*member);
            else
                return VbConvert::FromNumber(this->*member);
        },
        setting.field);
}

void clsOptions::Load()
{
    for (const Setting& setting : kSettings)
        read(setting);
    // No theme name means the six appearance settings stand as they are (a colour change
    // empties it); read back as "Pumpkin" it would undo that change at every start.
    if (storedAsEmptyText(m_registry, m_rootKey, QStringLiteral("ThemeName")))
        m_themeName.clear();
    findGroupDir();
}

void clsOptions::Save()
{
    static const char* const kSaveOrder[] = {
        "lvwFont",      "tvwFont",      "MainWidth",      "MainHeight",         "MainLeft",
        "MainTop",      "MainView",     "TreeWidth",      "SelectedPath",       "lvwForeColor",
        "lvwBackColor", "tvwForeColor", "tvwBackColor",   "AlwaysOnTop",        "RememberSearch",
        "AutoHide",     "AutoCenter",   "RememberFolder", "RememberPosition",   "ToolbarButtons",
        "ThemeName",    "ConfirmExit",  "SystemTray",     "FavoritesPath",      "SysTrayPrompt",
        "FirstTime",    "DblClick",     "CheckSkipDays",  "DeleteWithoutTrash", "Browser",
        "LiveUpdates"};
    m_registry.BeginBatch();
    for (const char* name : kSaveOrder) {
        const auto setting =
            std::find_if(std::begin(kSettings), std::end(kSettings),
                         [name](const Setting& s) { return qstrcmp(s.name, name) == 0; });
        QString value = text(*setting);
        if (qstrcmp(name, "SelectedPath") == 0 && !m_rememberFolder)
            value.clear();
        WriteRegValue(m_registry, m_rootKey, kSettingsSection, QString::fromLatin1(name), value);
    }
    m_registry.EndBatch();
}

void clsOptions::findGroupDir()
{
    const QString version = SystemVersion::GetOSVersionName(m_os);
    const QString windowsDir = QFileInfo(m_programPath).absolutePath();
    const QString& section = ShellFoldersSection;
    const QString value = QStringLiteral("Common Programs");
    QString fallback;
    if (version.contains(QLatin1String(" 98"), Qt::CaseInsensitive)) {
        m_groupDir =
            ReadRegValueLM(m_registry, ExplorerKey, section, value, QString(), HKEY_CURRENT_USER)
                .toString();
        fallback = QStringLiteral("/Start Menu/Programs");
    } else if (version.contains(QLatin1String(" NT"), Qt::CaseInsensitive)) {
        m_groupDir =
            ReadRegValueLM(m_registry, ExplorerKey, section, value, QString(), HKEY_LOCAL_MACHINE)
                .toString();
        fallback = QStringLiteral("/Profiles/All Users/Start Menu/Programs");
    } else {
        m_groupDir =
            ReadRegValueLM(m_registry, ExplorerKey, section, value, QString(), HKEY_LOCAL_MACHINE)
                .toString();
        return;
    }
    if (!m_groupDir.isEmpty())
        return;
    m_groupDir = windowsDir + fallback;
    if (!QFileInfo(m_groupDir).isDir())
        m_groupDir.clear();
}

QString clsOptions::StartupEntryPath() const
{
    return m_shellFolders.Autostart() + u'/' + kStartupEntryName;
}

bool clsOptions::StartupGroup() const
{
    const QFileInfo entry(StartupEntryPath());
    return entry.exists() && !entry.isDir();
}

void clsOptions::SetStartupGroup(bool on, bool trayAvailable)
{
    const QString path = StartupEntryPath();
    if (!on) {
        if (StartupGroup())
            QFile::remove(path);
        return;
    }
    // An existing entry is left as it is, even if the tray setting changed since.
    if (StartupGroup())
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QFileInfo program(m_programPath);
    QString exec = execArgument(program.absoluteFilePath());
    if (m_systemTray && trayAvailable)
        exec += QStringLiteral(" /Hide");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Tavoro\n"
                                         "Comment=Tavoro\n"
                                         "Icon=tavoro\n"
                                         "Exec=%1\n"
                                         "Path=%2\n")
                              .arg(exec, program.absolutePath());
    file.write(entry.toUtf8());
    file.commit();
}
