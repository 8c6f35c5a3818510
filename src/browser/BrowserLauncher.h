#pragma once

#include "browser/BrowserChoice.h"
#include "platform/SystemVersion.h"
#include "platform/WindowSystem.h"

#include <QString>
#include <QStringList>

#include <functional>

class ProgramLauncher;
class Prompts;
class QWidget;

// Starts new browser windows (through the browser host's automation contract, or the
// user's own browser when the Browser setting names one) and the folder window on the
// Favorites.
class BrowserLauncher
{
public:
    static constexpr int LaunchTimeoutMs = 10000;

    BrowserLauncher(ProgramLauncher& launcher, WindowSystem* windows, Prompts& prompts,
                    QString programFolder, QWidget* owner);

    // A new browser window on the address, or on the home page when it is empty; one
    // silent retry, then "Unable to launch browser.". The new host window's handle, or 0
    // (always 0 for the user's own browser, whose windows are its own business).
    WindowSystem::Handle LaunchBrowser(const QString& address);

    // Reads the Browser setting whenever a link opens; unset, the host is always used.
    void SetBrowserSetting(std::function<QString()> setting) { m_setting = std::move(setting); }
    BrowserChoice::Target ChosenBrowser() const;
    // Hands the address to the user's browser (its running instance, or a new window);
    // false after a message said why nothing was started.
    bool OpenInBrowser(const BrowserChoice::Target& browser, const QString& address,
                       bool newWindow);
    void ExploreFolder(const QString& root, const QString& item);

    // The folder of the browser host and the folder-window stand-in, ending in "/".
    QString GetWindowsDir() const;
    QString BrowserProgram() const;

    // The folder window's argument: "/n,/e,/root,ROOT" and ",/select,ITEM" when an item
    // other than the root is given.
    static QString ExploreArgument(const QString& root, const QString& item,
                                   const OsVersionInfo& version = SystemVersion::Current());

private:
    WindowSystem::Handle launchOnce(const QString& address);

    ProgramLauncher& m_launcher;
    WindowSystem* m_windows;
    Prompts& m_prompts;
    QString m_programFolder;
    QWidget* m_owner;
    std::function<QString()> m_setting;
};
