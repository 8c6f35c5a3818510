#pragma once

#include <QHash>
#include <QString>

#include <functional>

class MainMenus;
class QAction;
class QToolBar;

// Runs a toolbar command by its key. Almost every key runs a menu bar entry; Copy Link
// and Explore have no entry and run commands set here. Unknown keys run nothing.
class CommandDispatch
{
public:
    explicit CommandDispatch(const MainMenus& menus);

    // The menu bar entry a key runs, or an empty text.
    static QString MenuEntryFor(const QString& key);
    void SetCommand(const QString& key, std::function<void()> command);

    bool CanRun(const QString& key) const;
    // True when the key named a command that ran.
    bool Run(const QString& key) const;
    // Toolbar buttons run their keys and follow their commands' enabled state.
    void BindToolbar(QToolBar& toolbar) const;

private:
    const MainMenus& m_menus;
    QHash<QString, std::function<void()>> m_commands;
};
