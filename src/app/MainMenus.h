#pragma once

#include <QHash>
#include <QString>

class QAction;
class QMainWindow;
class QMenu;

// The main window's menu bar, and the three menus that only open as popups: the shared
// popup of the tree and the list, the toolbar's menu and the tray menu. Every entry is
// an action named as the menu's entry ("mnuViewRefresh"); a popup entry runs the menu
// bar entry that does the same thing, so each command has one implementation.
class MainMenus
{
public:
    explicit MainMenus(QMainWindow& window);

    QAction* Action(const QString& name) const;
    QMenu* mnuPopup() const { return m_popup; }
    QMenu* mnuToolbar() const { return m_toolbar; }
    QMenu* mnuSysTray() const { return m_sysTray; }

    // The eight view entries, by view index.
    QAction* ViewAction(int index) const;
    void CheckView(int index);

    // Which entries the shared popup shows, for its four places.
    void PopupLvwItem();
    void PopupLvwNoItem();
    void PopupTvwItem(bool normalView);
    void PopupTvwNoItem();
    // The popup's entries that are visible, in order (separators as "-").
    QStringList VisiblePopupEntries() const;

private:
    enum Place
    {
        LvwItem,
        LvwNoItem,
        TvwItem,
        TvwNoItem
    };
    QAction* add(QMenu* menu, const char* name, const char* caption);
    void preparePopup(Place place, bool normalView = true);

    QHash<QString, QAction*> m_actions;
    QMenu* m_popup = nullptr;
    QMenu* m_toolbar = nullptr;
    QMenu* m_sysTray = nullptr;
};
