#pragma once

#include "platform/SystemVersion.h"

#include <QString>

#include <cstdint>

class Registry;
class ShellFolders;

// The program's settings: every setting is one property, loaded from and saved to the
// registry key HKEY_CURRENT_USER\Software\Tavoro\Settings. The values in memory are the
// truth while the program runs; only Save writes them.
class clsOptions
{
public:
    // defaultFavoritesPath is the Favorites root the shell reported at start-up; programPath
    // is the running executable, which the start-up entry launches.
    clsOptions(Registry& registry, const ShellFolders& shellFolders,
               const QString& defaultFavoritesPath, const QString& programPath,
               const OsVersionInfo& os = SystemVersion::Current());

    static const QString DefaultToolbarButtons;

    void Load();
    void Save();

    QString RootKey() const { return m_rootKey; }
    QString GroupDir() const { return m_groupDir; }

    // The start-up entry in the desktop's autostart folder; reading and writing act on it.
    bool StartupGroup() const;
    // A new entry starts the program hidden only with the tray setting on and a tray to
    // come back by.
    void SetStartupGroup(bool on, bool trayAvailable);
    QString StartupEntryPath() const;

    QString lvwFont() const { return m_lvwFont; }
    void SetlvwFont(const QString& v) { m_lvwFont = v; }
    QString tvwFont() const { return m_tvwFont; }
    void SettvwFont(const QString& v) { m_tvwFont = v; }
    float MainWidth() const { return m_mainWidth; }
    void SetMainWidth(float v) { m_mainWidth = v; }
    float MainHeight() const { return m_mainHeight; }
    void SetMainHeight(float v) { m_mainHeight = v; }
    float MainLeft() const { return m_mainLeft; }
    void SetMainLeft(float v) { m_mainLeft = v; }
    float MainTop() const { return m_mainTop; }
    void SetMainTop(float v) { m_mainTop = v; }
    std::int16_t MainView() const { return m_mainView; }
    void SetMainView(std::int16_t v) { m_mainView = v; }
    float TreeWidth() const { return m_treeWidth; }
    void SetTreeWidth(float v) { m_treeWidth = v; }
    QString SelectedPath() const { return m_selectedPath; }
    void SetSelectedPath(const QString& v) { m_selectedPath = v; }

    // Colours outside 0..16777215 (a system colour, say) are stored as 0, black.
    std::int32_t lvwForeColor() const { return m_lvwForeColor; }
    void SetlvwForeColor(std::int64_t v) { m_lvwForeColor = checkedColor(v); }
    std::int32_t lvwBackColor() const { return m_lvwBackColor; }
    void SetlvwBackColor(std::int64_t v) { m_lvwBackColor = checkedColor(v); }
    std::int32_t tvwForeColor() const { return m_tvwForeColor; }
    void SettvwForeColor(std::int64_t v) { m_tvwForeColor = checkedColor(v); }
    std::int32_t tvwBackColor() const { return m_tvwBackColor; }
    void SettvwBackColor(std::int64_t v) { m_tvwBackColor = checkedColor(v); }

    bool AlwaysOnTop() const { return m_alwaysOnTop; }
    void SetAlwaysOnTop(bool v) { m_alwaysOnTop = v; }
    QString ToolbarButtons() const { return m_toolbarButtons; }
    void SetToolbarButtons(const QString& v) { m_toolbarButtons = v; }
    bool RememberSearch() const { return m_rememberSearch; }
    void SetRememberSearch(bool v) { m_rememberSearch = v; }
    bool AutoHide() const { return m_autoHide; }
    void SetAutoHide(bool v) { m_autoHide = v; }
    bool AutoCenter() const { return m_autoCenter; }
    void SetAutoCenter(bool v) { m_autoCenter = v; }
    bool RememberFolder() const { return m_rememberFolder; }
    void SetRememberFolder(bool v) { m_rememberFolder = v; }
    bool RememberPosition() const { return m_rememberPosition; }
    void SetRememberPosition(bool v) { m_rememberPosition = v; }
    QString ThemeName() const { return m_themeName; }
    void SetThemeName(const QString& v) { m_themeName = v; }
    bool ConfirmExit() const { return m_confirmExit; }
    void SetConfirmExit(bool v) { m_confirmExit = v; }
    bool SystemTray() const { return m_systemTray; }
    void SetSystemTray(bool v) { m_systemTray = v; }
    QString FavoritesPath() const { return m_favoritesPath; }
    void SetFavoritesPath(const QString& v) { m_favoritesPath = v; }
    bool SysTrayPrompt() const { return m_sysTrayPrompt; }
    void SetSysTrayPrompt(bool v) { m_sysTrayPrompt = v; }
    bool FirstTime() const { return m_firstTime; }
    void SetFirstTime(bool v) { m_firstTime = v; }
    bool DblClick() const { return m_dblClick; }
    void SetDblClick(bool v) { m_dblClick = v; }
    // Check Links passes over links checked fewer days ago than this; 0 checks them all.
    std::int16_t CheckSkipDays() const { return m_checkSkipDays; }
    void SetCheckSkipDays(std::int16_t v) { m_checkSkipDays = v; }
    // Delete removes for good instead of moving to the Trash.
    bool DeleteWithoutTrash() const { return m_deleteWithoutTrash; }
    void SetDeleteWithoutTrash(bool v) { m_deleteWithoutTrash = v; }
    // The views follow changes other programs make to the Favorites on disk.
    bool LiveUpdates() const { return m_liveUpdates; }
    void SetLiveUpdates(bool v) { m_liveUpdates = v; }
    // Which program opens links; empty: the desktop's default browser, else the host.
    QString Browser() const { return m_browser; }
    void SetBrowser(const QString& v) { m_browser = v; }

private:
    struct Setting;
    static const Setting kSettings[];
    static std::int32_t checkedColor(std::int64_t v)
    {
        return v >= 0 && v <= 16777215 ? static_cast<std::int32_t>(v) : 0;
    }
    QString defaultText(const Setting& setting) const;
    void read(const Setting& setting);
    QString text(const Setting& setting) const;
    void findGroupDir();

    Registry& m_registry;
    const ShellFolders& m_shellFolders;
    QString m_defaultFavoritesPath;
    QString m_programPath;
    OsVersionInfo m_os;
    QString m_rootKey;
    QString m_groupDir;

    QString m_lvwFont;
    QString m_tvwFont;
    float m_mainWidth = 11220;
    float m_mainHeight = 6165;
    float m_mainLeft = -1;
    float m_mainTop = -1;
    std::int16_t m_mainView = 0;
    float m_treeWidth = 3075;
    QString m_selectedPath;
    std::int32_t m_lvwForeColor = 0;
    std::int32_t m_lvwBackColor = 16777215;
    std::int32_t m_tvwForeColor = 0;
    std::int32_t m_tvwBackColor = 16777215;
    bool m_alwaysOnTop = false;
    QString m_toolbarButtons;
    bool m_rememberSearch = true;
    bool m_autoHide = false;
    bool m_autoCenter = true;
    bool m_rememberFolder = true;
    bool m_rememberPosition = true;
    QString m_themeName = QStringLiteral("Pumpkin");
    bool m_confirmExit = true;
    bool m_systemTray = true;
    QString m_favoritesPath;
    bool m_sysTrayPrompt = true;
    bool m_firstTime = true;
    std::int16_t m_checkSkipDays = 7;
    bool m_dblClick = true;
    bool m_deleteWithoutTrash = false;
    bool m_liveUpdates = true;
    QString m_browser;
};
