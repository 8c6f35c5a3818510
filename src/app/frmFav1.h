#pragma once

#include "app/AppServices.h"
#include "app/PaneLayout.h"
#include "appearance/clsThemeApps.h"
#include "favorites/IconSet.h"
#include "favorites/Panes.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class BrowserCommands;
class ChangeHistory;
class FolderWatch;
class LiveUpdates;
class ProgramLauncher;
class clsOptions;
class CommandDispatch;
class DragDrop;
class EditCommands;
class HealthCommands;
class ExchangeCommands;
class FavoritesList;
class FavoritesListView;
class FavoritesTree;
class FavoritesTreeWidget;
class FavoritesViews;
class Help;
class MainMenus;
class SearchCommands;
class SearchLinks;
class QAbstractItemView;
class QComboBox;
class QFrame;
class QLineEdit;
class QModelIndex;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class StatusPanels;

// The main window: the folder tree beside the link list, the toolbar above, the status
// bar below. It holds the widgets and routes their events; the views, options and
// layout live in their own classes.
class frmFav1 final : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmFav1(AppServices services, QWidget* parent = nullptr);
    ~frmFav1() override;

    // Everything the window does before it is first shown.
    void Load();
    // One-time steps of the first activation (also run by the first WindowActivate).
    void FirstActivate();
    // The close request: by the program's own code (Exit) or from outside (close box,
    // session end). Returns true when the close goes ahead.
    bool QueryUnload(bool fromOwnCode);
    // Stores the window's state and writes every setting: on each way out that is not a
    // crash (Exit, the tray's Exit, a stop signal, the end of the session).
    void SaveSettings();
    // File > Exit.
    void ExitProgram();

    // Help topics the window asks for.
    static constexpr int HelpGettingStarted = 51002;
    // How long a hidden start waits for a tray before it shows the window.
    static constexpr int TrayWaitMs = 5000;

    clsOptions& Options() { return *m_options; }
    ChangeHistory& History() { return *m_history; }
    FolderWatch& Watch();
    clsThemeApps& AllThemes() { return m_allThemes; }
    QString ProgramFolder() const;
    MainMenus& Menus() { return *m_menus; }
    CommandDispatch& Dispatch() { return *m_dispatch; }
    SearchCommands& Search() { return *m_search; }
    DragDrop& Drag() { return *m_dragDrop; }
    BrowserCommands& Browser() { return *m_browser; }
    QToolBar* tbrToolbar() const { return m_tbrToolbar; }
    FavoritesViews& Views() { return *m_views; }
    FavoritesTree& Tree() { return *m_tree; }
    FavoritesList& List() { return *m_list; }
    StatusPanels& Status() { return *m_status; }
    // What the commands on the panes are built over.
    Panes AllPanes();
    QComboBox* cboFormat() const { return m_cboFormat; }
    QLineEdit* txtMsg() const { return m_txtMsg; }
    const PaneLayout& Layout() const { return m_layout; }

    bool WindowShown() const { return m_windowShown; }
    bool TrayIconShown() const { return m_trayIconShown; }
    QString ActivePane() const { return m_activePane; }
    QString FavoritesRoot() const;

    void RefreshView();
    void SelectView(int index);
    void NodeClick(QTreeWidgetItem* node);
    void SetTreeWidth(double width);
    void CenterWindow();
    void SetLvwMousePointer();
    void BrowseForFavorites();
    void OpenCurrentUserFavorites();

    // The notification area and bringing the window back.
    void AddTrayIcon();
    void RemoveTrayIcon();
    void ProcessCmd(const QString& command);
    // Keeps the window above others (or not) through the window manager.
    void SetTopMost(bool on);
    void AlwaysOnTopClick();
    // Edit > Rename: edits the name in place on the pane touched last.
    void RenameClick();
    void OpenFromTray();
    void ExitFromTray();

    // Mouse handling of the panes, as their widgets report it (positions in viewport
    // coordinates).
    void tvwNodeReleased(QTreeWidgetItem* node, Qt::MouseButton button,
                         Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void lvwItemReleased(const QModelIndex& item, Qt::MouseButton button,
                         Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void lvwDoubleClicked();

Q_SIGNALS:
    // The process should end now (nothing more runs after it in the program).
    void processEnded();
    // A link or folder entry of the list is to be opened.
    void openListItemRequested(const QModelIndex& item);
    void helpTopicRequested(int contextId);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWidgets();
    void applyLayout();
    void storeWindowState();
    void waitForTray();
    void setFavoritesRoot(const QString& root);
    // Tools > Options and the tray menu's Options: the dialog modal over this window.
    void showOptions();
    // File > Import Bookmarks... and Export Bookmarks..., over the Favorites shown.
    ExchangeCommands exchange();
    void connectCommands();
    // Watches the folders the user can see change in.
    void connectHealthCommands();
    void loadToolbar(const QString& layout);
    void showPopup(QWidget* control, const QPoint& pos);
    // Runs done once the view's editor has closed.
    template <typename View> void afterEdit(View* view, std::function<void()> done);
    // Ends an in-place rename; false when the old name is to come back.
    bool renamed(const QString& pane, const QString& oldText, const QString& newText);
    PaneLayout::Frame layoutFrame() const;
    // A restored placement (the frame's corner, the client's size) on the screen it lands on.
    QRect fitOnScreen(const QRect& placement) const;
    double twips(int pixels) const;

    AppServices m_services;
    IconSet m_icons = IconSet::Panes();
    IconSet m_toolbarIcons = IconSet::Toolbar();
    std::unique_ptr<clsOptions> m_options;
    clsThemeApps m_allThemes;

    QWidget* m_client = nullptr;
    FavoritesTreeWidget* m_tvwFavorites = nullptr;
    FavoritesListView* m_lvwFavorites = nullptr;
    QFrame* m_fraSplitter = nullptr;
    QToolBar* m_tbrToolbar = nullptr;
    QFrame* m_fraNonVisibleControls = nullptr;
    QComboBox* m_cboFormat = nullptr;
    QLineEdit* m_txtMsg = nullptr;

    std::unique_ptr<FavoritesTree> m_tree;
    std::unique_ptr<FavoritesList> m_list;
    std::unique_ptr<StatusPanels> m_status;
    std::unique_ptr<SearchLinks> m_searchLinks;
    std::unique_ptr<FavoritesViews> m_views;
    std::unique_ptr<MainMenus> m_menus;
    std::unique_ptr<CommandDispatch> m_dispatch;
    std::unique_ptr<SearchCommands> m_search;
    std::unique_ptr<EditCommands> m_edit;
    std::unique_ptr<ChangeHistory> m_history;
    std::unique_ptr<LiveUpdates> m_live;
    std::unique_ptr<DragDrop> m_dragDrop;
    std::unique_ptr<ProgramLauncher> m_ownPrograms;
    std::unique_ptr<Help> m_ownHelp;
    std::unique_ptr<BrowserCommands> m_browser;
    std::unique_ptr<HealthCommands> m_health;
    PaneLayout m_layout;

    bool m_firstActivation = true;
    bool m_windowShown = false;
    bool m_trayIconShown = false;
    bool m_closingFromOwnCode = false;
    bool m_splitterDragging = false;
    QString m_activePane = QStringLiteral("T");
};
