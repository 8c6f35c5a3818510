#include "app/frmFav1.h"

#include "app/CommandDispatch.h"
#include "app/HealthCommands.h"
#include "app/HelpViewer.h"
#include "app/MainMenus.h"
#include "app/SearchCommands.h"
#include "app/ToolbarLayout.h"
#include "app/WindowPlacement.h"
#include "app/frmAbout.h"
#include "app/frmOptions.h"
#include "app/frmSystemTray.h"
#include "app/frmToolbar.h"
#include "appearance/ThemeLocations.h"
#include "appearance/Themes.h"
#include "appearance/ViewAppearanceCommands.h"
#include "browser/BrowserCommands.h"
#include "core/AppInfo.h"
#include "core/HelpTopics.h"
#include "core/clsOptions.h"
#include "editing/ChangeHistory.h"
#include "editing/DragDrop.h"
#include "editing/EditCommands.h"
#include "exchange/ExchangeCommands.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesListView.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesTreeWidget.h"
#include "favorites/FavoritesViews.h"
#include "favorites/LiveUpdates.h"
#include "favorites/SearchLinks.h"
#include "favorites/StatusPanels.h"
#include "favorites/frmSearch.h"
#include "platform/Clock.h"
#include "platform/ColorRef.h"
#include "platform/FileSystemService.h"
#include "platform/PathCodec.h"
#include "platform/Prompts.h"
#include "platform/QtProgramLauncher.h"
#include "platform/RegistryRoutines.h"
#include "platform/TrayIcon.h"
#include "platform/Twips.h"
#include "platform/WindowSystem.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <filesystem>
#include <memory>

frmFav1::frmFav1(AppServices services, QWidget* parent)
    : QMainWindow(parent), m_services(services),
      m_options(std::make_unique<clsOptions>(services.registry, services.shellFolders,
                                             services.shellFavorites, services.programPath))
{
    buildWidgets();
}

frmFav1::~frmFav1()
{
    m_services.registry.SetProblemReporter({});
}

void frmFav1::buildWidgets()
{
    setObjectName(QStringLiteral("frmFav1"));
    m_tbrToolbar = addToolBar(QStringLiteral("Toolbar"));
    m_tbrToolbar->setObjectName(QStringLiteral("tbrToolbar"));
    m_tbrToolbar->setMovable(false);
    m_tbrToolbar->setFloatable(false);
    m_tbrToolbar->setIconSize(QSize(16, 16));
    m_tbrToolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    m_tbrToolbar->installEventFilter(this);

    m_client = new QWidget(this);
    setCentralWidget(m_client);

    m_tvwFavorites = new FavoritesTreeWidget(m_client);
    m_tvwFavorites->setObjectName(QStringLiteral("tvwFavorites"));

    m_lvwFavorites = new FavoritesListView(m_client);
    m_lvwFavorites->setObjectName(QStringLiteral("lvwFavorites"));

    m_fraSplitter = new QFrame(m_client);
    m_fraSplitter->setObjectName(QStringLiteral("fraSplitter"));
    m_fraSplitter->setCursor(Qt::SizeHorCursor);
    m_fraSplitter->installEventFilter(this);

    // Controls that work behind the scenes: the view selector and the one-second timer.
    m_fraNonVisibleControls = new QFrame(m_client);
    m_fraNonVisibleControls->setObjectName(QStringLiteral("fraNonVisibleControls"));
    m_fraNonVisibleControls->hide();
    m_cboFormat = new QComboBox(m_fraNonVisibleControls);
    m_cboFormat->setObjectName(QStringLiteral("cboFormat"));

    // The target of the hand-over from a second start; kept out of sight.
    m_txtMsg = new QLineEdit(this); // a direct child, where a second start looks for it
    m_txtMsg->setObjectName(QStringLiteral("txtMsg"));
    // Out of sight, so out of the Tab order: focus there would swallow Delete and the rest.
    m_txtMsg->setFocusPolicy(Qt::NoFocus);

    m_status = std::make_unique<StatusPanels>(statusBar());
    statusBar()->setSizeGripEnabled(true);

    m_tree = std::make_unique<FavoritesTree>(m_tvwFavorites, m_icons);
    m_list = std::make_unique<FavoritesList>(m_lvwFavorites, m_icons);
    m_views = std::make_unique<FavoritesViews>(*m_tree, *m_list, *m_status, *m_cboFormat,
                                               m_services.fileSystem, m_services.prompts, this);

    m_searchLinks = std::make_unique<SearchLinks>();
    m_search = std::make_unique<SearchCommands>(AllPanes(), statusBar(), m_services.registry);
    m_views->SetSearchResultsBuilder([this] { m_search->BuildSearchResultsView(); });
    m_edit = std::make_unique<EditCommands>(AllPanes());
    m_history = std::make_unique<ChangeHistory>(m_services.fileSystem, m_services.prompts, this);
    m_live = std::make_unique<LiveUpdates>(AllPanes(), m_services.clock);
    // An update never disturbs an edit, an open dialog or menu, or a drag: it waits.
    m_live->Watch().busy = [this] {
        return QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
               m_lvwFavorites->IsEditing() || m_tvwFavorites->IsEditing() ||
               !m_dragDrop->DragSource().isEmpty();
    };
    m_dragDrop = std::make_unique<DragDrop>(AllPanes(), m_services.clock);
    m_lvwFavorites->startDragHook = [this] { return m_dragDrop->StartListDrag(); };
    m_lvwFavorites->dragEndHook = [this] { m_dragDrop->End(); };
    m_tvwFavorites->startDragHook = [this] { return m_dragDrop->StartTreeDrag(); };
    m_tvwFavorites->dragEndHook = [this] { m_dragDrop->End(); };
    m_tvwFavorites->dragOverHook = [this](QTreeWidgetItem* node, Qt::KeyboardModifiers keys) {
        return m_dragDrop->OverTree(node, keys);
    };
    m_tvwFavorites->dropHook = [this](Qt::KeyboardModifiers keys) { m_dragDrop->DropOnTree(keys); };
    m_tvwFavorites->linksHook = [this](QTreeWidgetItem* node, const QMimeData& data, bool drop) {
        return m_dragDrop->Links().Take(data, node, drop);
    };
    m_lvwFavorites->linksHook = [this](const QMimeData& data, bool drop) {
        return m_dragDrop->Links().Take(data, nullptr, drop);
    };
    if (!m_services.programs) {
        m_ownPrograms = std::make_unique<QtProgramLauncher>();
        m_services.programs = m_ownPrograms.get();
    }
    if (!m_services.help) {
        m_ownHelp = std::make_unique<HelpViewer>();
        m_services.help = m_ownHelp.get();
    }
    m_browser = std::make_unique<BrowserCommands>(
        m_services.windows, *m_services.programs, *m_services.help, m_services.clock,
        m_services.registry, m_services.programPath, AllPanes(), *m_edit, *m_options,
        LinkOpener::WindowHooks{[this](int view) { SelectView(view); },
                                [this] {
                                    m_windowShown = false;
                                    hide();
                                },
                                [this] { showMinimized(); }});
    m_menus = std::make_unique<MainMenus>(*this);
    m_dispatch = std::make_unique<CommandDispatch>(*m_menus);
    connectCommands();

    connect(m_tvwFavorites, &FavoritesTreeWidget::touched, this,
            [this] { m_activePane = QStringLiteral("T"); });
    connect(m_tvwFavorites, &FavoritesTreeWidget::nodeReleased, this, &frmFav1::tvwNodeReleased);
    connect(m_lvwFavorites, &FavoritesListView::touched, this,
            [this] { m_activePane = QStringLiteral("L"); });
    connect(m_lvwFavorites, &FavoritesListView::itemReleased, this, &frmFav1::lvwItemReleased);
    connect(m_lvwFavorites, &FavoritesListView::doubleClicked, this, &frmFav1::lvwDoubleClicked);
    const auto deleteCommand = [this](bool forGood) {
        QAction* action = m_menus->Action(QStringLiteral("mnuEditDelete"));
        if (!forGood)
            action->trigger();
        else if (action->isEnabled())
            m_edit->Delete(m_activePane, true);
    };
    connect(m_tvwFavorites, &FavoritesTreeWidget::deletePressed, this, deleteCommand);
    connect(m_lvwFavorites, &FavoritesListView::deletePressed, this, deleteCommand);
    connect(m_lvwFavorites->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { m_list->ColumnClicked(column); });

    applyLayout();
}

double frmFav1::twips(int pixels) const
{
    return Twips::ForScreen().FromPixels(pixels);
}

QString frmFav1::FavoritesRoot() const
{
    return m_views->FavoritesRoot();
}

void frmFav1::Load()
{
    m_firstActivation = true;
    setWindowTitle(AppInfo::AppTitle);
    setWindowIcon(m_icons.Icon(QStringLiteral("Favorites")));

    // Settings that cannot be read or saved are told once, in the registry's own words.
    m_services.registry.SetProblemReporter([this](const QString& message) {
        m_services.prompts.Warn(isVisible() ? this : nullptr, message, AppInfo::AppTitle);
    });
    m_options->Load();
    m_browser->IEList().Refresh();
    setFavoritesRoot(m_options->FavoritesPath());
    m_allThemes = ThemeLocations::ForProgram(ProgramFolder()).Read();
    Themes::ChooseStartupTheme(m_allThemes, *m_options, *m_tree, *m_list);
    loadToolbar(m_options->ToolbarButtons());

    m_txtMsg->setGeometry(Twips::ForScreen().ToPixels(-1000, 0, 600, 285));

    m_cboFormat->clear();
    for (int i = 0; i < FavoritesViews::ViewCount; ++i)
        m_cboFormat->addItem(FavoritesViews::ViewText(i));
    m_cboFormat->setCurrentIndex(0);
    RefreshView();

    const Twips units = Twips::ForScreen();
    const bool remembered = m_options->RememberPosition() &&
                            (m_options->MainTop() != -1 || m_options->MainLeft() != -1);
    const QPoint corner = remembered ? QPoint(units.ToPixels(m_options->MainLeft()),
                                              units.ToPixels(m_options->MainTop()))
                                     : QPoint();
    const QRect placement =
        fitOnScreen(QRect(corner, QSize(units.ToPixels(m_options->MainWidth()),
                                        units.ToPixels(m_options->MainHeight()))));
    resize(placement.size());
    SetTreeWidth(m_options->TreeWidth());
    // The saved corner is the frame's, as pos() reports it and as move() takes it.
    if (remembered)
        move(placement.topLeft());
    else
        CenterWindow();

    m_windowShown = true;

    // A stored view the program does not have (a damaged setting) opens as Normal.
    const int view = m_options->MainView();
    SelectView(view >= 0 && view < FavoritesViews::ViewCount ? view : FavoritesViews::Normal);

    if (m_options->RememberFolder() && !m_options->SelectedPath().isEmpty()) {
        if (QTreeWidgetItem* node = m_tree->FindNodeByPath(m_options->SelectedPath())) {
            node->setExpanded(true);
            m_tree->Select(node);
            NodeClick(node);
        }
    }
}

QString frmFav1::ProgramFolder() const
{
    return QFileInfo(m_services.programPath).absolutePath();
}

bool frmFav1::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && m_firstActivation)
        FirstActivate();
    return QMainWindow::event(event);
}

void frmFav1::FirstActivate()
{
    if (!m_firstActivation)
        return;
    m_firstActivation = false;
    if (m_options->AlwaysOnTop()) {
        SetTopMost(true);
        m_menus->Action(QStringLiteral("mnuViewAlwaysOnTop"))->setChecked(true);
    }
    SetLvwMousePointer();
    if (m_options->SystemTray())
        AddTrayIcon();
    if (m_services.commandLine.contains(QLatin1String("/HIDE"), Qt::CaseInsensitive)) {
        m_windowShown = false;
        hide();
        if (!m_trayIconShown)
            waitForTray();
    }
    if (m_options->FirstTime() && isVisible() && m_windowShown) {
        m_options->SetFirstTime(false);
        Q_EMIT helpTopicRequested(HelpGettingStarted);
    }
}

void frmFav1::ExitProgram()
{
    m_closingFromOwnCode = true;
    close();
    m_closingFromOwnCode = false;
}

void frmFav1::closeEvent(QCloseEvent* event)
{
    if (QueryUnload(m_closingFromOwnCode))
        event->accept();
    else
        event->ignore();
}

bool frmFav1::QueryUnload(bool fromOwnCode)
{
    if (!isVisible()) {
        // Hidden in the notification area: the session's changes are kept all the same.
        SaveSettings();
        RemoveTrayIcon();
        Q_EMIT processEnded();
        return true;
    }
    // Hiding needs an icon to come back by; without one the close box closes.
    if (m_options->SystemTray() && m_trayIconShown && !fromOwnCode && !isMinimized()) {
        m_windowShown = false;
        hide();
        if (m_options->SysTrayPrompt()) {
            frmSystemTray prompt(this);
            m_services.prompts.ShowModal(prompt);
            if (prompt.DontShowAgain()) {
                m_options->SetSysTrayPrompt(false);
                m_options->Save();
            }
        }
        return false;
    }
    if (m_options->ConfirmExit() &&
        m_services.prompts.MsgBox(this, QStringLiteral("Are you sure you want to exit?"),
                                  Prompts::Buttons::YesNo, Prompts::Icon::Information,
                                  AppInfo::ProductName) != Prompts::Answer::Yes)
        return false;
    SaveSettings();
    RemoveTrayIcon();
    Q_EMIT processEnded();
    return true;
}

void frmFav1::SaveSettings()
{
    storeWindowState();
    m_options->Save();
}

void frmFav1::AddTrayIcon()
{
    m_trayIconShown =
        m_services.tray.Show(m_icons.Icon(QStringLiteral("Favorites")), AppInfo::AppTitle);
}

void frmFav1::waitForTray()
{
    // Started hidden before the panel's tray exists: the icon comes once it does, and with no
    // tray after a while the window shows, as nothing else could bring it back.
    const QDateTime deadline = m_services.clock.Now().addMSecs(TrayWaitMs);
    auto* retry = new QTimer(this);
    connect(retry, &QTimer::timeout, this, [this, retry, deadline] {
        if (!m_windowShown && !m_trayIconShown && m_options->SystemTray() &&
            m_services.tray.Available())
            AddTrayIcon();
        if (m_windowShown || m_trayIconShown) {
            retry->deleteLater();
        } else if (m_services.clock.Now() >= deadline) {
            retry->deleteLater();
            ProcessCmd(QStringLiteral("A"));
        }
    });
    retry->start(250);
}

void frmFav1::RemoveTrayIcon()
{
    if (!m_trayIconShown)
        return;
    m_services.tray.Hide();
    m_trayIconShown = false;
}

void frmFav1::ProcessCmd(const QString& command)
{
    if (command != QLatin1String("A"))
        return;
    m_browser->IEList().Refresh();
    if (m_options->AutoCenter())
        CenterWindow();
    show();
    if (isMinimized())
        showNormal();
    QApplication::processEvents();
    SetTopMost(true);
    setFocus();
    if (!m_options->AlwaysOnTop())
        SetTopMost(false);
    raise();
    activateWindow();
    setFocus();
    m_windowShown = true;
}

template <typename View> void frmFav1::afterEdit(View* view, std::function<void()> done)
{
    // One edit, one answer: the connection goes when the editor closes.
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection =
        connect(view, &View::editorClosed, this, [this, connection, done = std::move(done)] {
            disconnect(*connection);
            // Renaming rebuilds the view, so not inside the editor's close.
            QTimer::singleShot(0, this, done);
        });
}

void frmFav1::RenameClick()
{
    const QString pane = m_activePane;
    if (pane == QLatin1String("L")) {
        const QPersistentModelIndex item = m_list->SelectedItem();
        if (!item.isValid())
            return;
        const QString oldText = FavoritesList::Text(item);
        m_lvwFavorites->edit(item);
        afterEdit(m_lvwFavorites, [this, pane, oldText, item] {
            // Anything may have rebuilt the list meanwhile.
            if (!item.isValid())
                return;
            // An edit ended by a click elsewhere counts as one ended by Enter.
            if (item != m_list->SelectedItem())
                m_list->SelectOnly(item);
            if (!renamed(pane, oldText, FavoritesList::Text(item)))
                m_list->SetText(item, oldText);
        });
        return;
    }
    QTreeWidgetItem* node = EditCommands::FolderNode(*m_tree);
    if (!node)
        return;
    const QString oldText = node->text(0);
    const QString tag = FavoritesTree::Tag(node);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    m_tvwFavorites->editItem(node, 0);
    afterEdit(m_tvwFavorites, [this, pane, oldText, tag] {
        // Found again by its folder: anything may have rebuilt the tree meanwhile.
        QTreeWidgetItem* node = m_tree->FindNodeByTag(tag);
        if (!node)
            return;
        if (node != m_tree->SelectedItem())
            m_tree->Select(node);
        if (!renamed(pane, oldText, node->text(0)))
            node->setText(0, oldText);
    });
}

bool frmFav1::renamed(const QString& pane, const QString& oldText, const QString& newText)
{
    // A name keeps its blanks as typed.
    if (newText == oldText)
        return true;
    return m_edit->Rename(pane, newText);
}

void frmFav1::SetTopMost(bool on)
{
    if (m_services.windows)
        m_services.windows->SetKeepAbove(winId(), on);
}

void frmFav1::AlwaysOnTopClick()
{
    const bool on = !m_options->AlwaysOnTop();
    SetTopMost(on);
    m_menus->Action(QStringLiteral("mnuViewAlwaysOnTop"))->setChecked(on);
    m_options->SetAlwaysOnTop(on);
}

void frmFav1::OpenFromTray()
{
    if (isMinimized())
        showNormal();
    ProcessCmd(QStringLiteral("A"));
}

void frmFav1::ExitFromTray()
{
    if (!isVisible()) {
        if (m_options->ConfirmExit() &&
            m_services.prompts.MsgBox(this, QStringLiteral("Are you sure you want to exit?"),
                                      Prompts::Buttons::YesNo, Prompts::Icon::Information,
                                      AppInfo::ProductName) != Prompts::Answer::Yes)
            return;
        QueryUnload(true);
        return;
    }
    ExitProgram();
}

void frmFav1::storeWindowState()
{
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        m_options->SetMainHeight(static_cast<float>(twips(height())));
        m_options->SetMainWidth(static_cast<float>(twips(width())));
        if (m_options->RememberPosition()) {
            m_options->SetMainTop(static_cast<float>(twips(pos().y())));
            m_options->SetMainLeft(static_cast<float>(twips(pos().x())));
        }
    }
    m_options->SetlvwForeColor(
        ColorRef::FromQColor(m_lvwFavorites->palette().color(QPalette::Text)));
    if (!m_tree->Nodes().empty())
        m_options->SettvwForeColor(
            ColorRef::FromQColor(m_tree->Nodes().front()->foreground(0).color()));
    const int view = m_cboFormat->currentIndex();
    m_options->SetMainView(
        static_cast<std::int16_t>(view == FavoritesViews::SearchResults ? 0 : view));
    m_options->SetTreeWidth(static_cast<float>(m_layout.tree.width));
    m_options->SetToolbarButtons(ToolbarLayout::SaveToolbar(*m_tbrToolbar));
    if (QTreeWidgetItem* selected = m_tree->SelectedItem())
        m_options->SetSelectedPath(FavoritesTree::FullPath(selected));
    m_options->SetFavoritesPath(FavoritesRoot());
    m_allThemes = clsThemeApps();
}

void frmFav1::RefreshView()
{
    m_views->RefreshView();
    m_live->ViewRebuilt();
    m_live->SetEnabled(m_options->LiveUpdates());
}

FolderWatch& frmFav1::Watch()
{
    return m_live->Watch();
}

void frmFav1::SelectView(int index)
{
    m_menus->CheckView(index);
    m_views->SelectView(index);
    m_live->ViewRebuilt();
    m_live->WatchShownFolders();
}

void frmFav1::NodeClick(QTreeWidgetItem* node)
{
    m_views->NodeClick(node);
    m_live->WatchShownFolders();
}

void frmFav1::tvwNodeReleased(QTreeWidgetItem* node, Qt::MouseButton button,
                              Qt::KeyboardModifiers modifiers, const QPoint& pos)
{
    const bool normalView = m_views->CurrentView() == FavoritesViews::Normal;
    if (!node) {
        if (button == Qt::RightButton && modifiers == Qt::NoModifier) {
            m_menus->PopupTvwNoItem();
            showPopup(m_tvwFavorites, pos);
        }
        return;
    }
    if (button == Qt::LeftButton) {
        if (node != m_tree->Root() || normalView) {
            NodeClick(node);
            node->setExpanded(!node->isExpanded());
        } else {
            m_list->Clear();
        }
        return;
    }
    if (button != Qt::RightButton)
        return;
    if (normalView) {
        m_tree->Select(node);
        NodeClick(node);
        if (node == m_tree->Root()) {
            m_menus->PopupTvwNoItem();
            for (const char* entry :
                 {"mnuPopSearch", "mnuPopSep2", "mnuPopPasteLink", "mnuPopNewFolder", "mnuPopSep4"})
                m_menus->Action(QString::fromLatin1(entry))->setVisible(true);
        } else {
            m_menus->PopupTvwItem(true);
        }
    } else if (FavoritesTree::Tag(node).isEmpty()) {
        // A letter or a day: the list and the status bar follow the highlight, as they do
        // after a left click.
        if (node != m_tree->Root())
            NodeClick(node);
        m_menus->PopupTvwNoItem();
    } else {
        m_tree->Select(node);
        NodeClick(node);
        m_menus->PopupTvwItem(false);
    }
    showPopup(m_tvwFavorites, pos);
}

void frmFav1::lvwItemReleased(const QModelIndex& item, Qt::MouseButton button,
                              Qt::KeyboardModifiers modifiers, const QPoint& pos)
{
    if (!item.isValid()) {
        if (button == Qt::RightButton && modifiers == Qt::NoModifier) {
            m_menus->PopupLvwNoItem();
            showPopup(m_lvwFavorites, pos);
        }
        return;
    }
    if (button == Qt::LeftButton && modifiers == Qt::NoModifier) {
        if (!m_options->DblClick())
            Q_EMIT openListItemRequested(item);
    } else if (button == Qt::LeftButton && modifiers == Qt::ControlModifier) {
        m_lvwFavorites->viewport()->unsetCursor();
    } else if (button == Qt::RightButton) {
        m_lvwFavorites->setCurrentIndex(item);
        m_menus->PopupLvwItem();
        if (m_views->CurrentView() != FavoritesViews::Normal) {
            m_menus->Action(QStringLiteral("mnuPopNewFolder"))->setVisible(false);
            m_menus->Action(QStringLiteral("mnuPopPasteLink"))->setVisible(false);
        }
        showPopup(m_lvwFavorites, pos);
    }
}

void frmFav1::lvwDoubleClicked()
{
    if (m_options->DblClick()) {
        if (const QModelIndex item = m_list->SelectedItem(); item.isValid())
            Q_EMIT openListItemRequested(item);
    }
}

void frmFav1::showPopup(QWidget* control, const QPoint& pos)
{
    // Just right of the pointer, as the popup has always opened.
    const QPoint offset(Twips::ForScreen().ToPixels(60), 0);
    QWidget* area = control;
    if (auto* view = qobject_cast<QAbstractScrollArea*>(control))
        area = view->viewport();
    m_menus->mnuPopup()->popup(area->mapToGlobal(pos + offset));
}

void frmFav1::SetLvwMousePointer()
{
    // A hand tells the user that one click opens an item.
    if (m_options->DblClick())
        m_lvwFavorites->viewport()->setCursor(Qt::ArrowCursor);
    else
        m_lvwFavorites->viewport()->setCursor(Qt::PointingHandCursor);
}

void frmFav1::BrowseForFavorites()
{
    const QString folder = m_services.prompts.BrowseForFolder(
        this, QStringLiteral("Browse for Favorites"), FavoritesRoot());
    if (folder.isEmpty())
        return;
    // Kept without a trailing separator, as every path below it is built from it.
    QString root = folder;
    while (root.size() > 1 && root.endsWith(u'/'))
        root.chop(1);
    setFavoritesRoot(root);
    m_options->SetFavoritesPath(root);
    RefreshView();
}

void frmFav1::showOptions()
{
    frmOptions::MainWindowHooks hooks;
    hooks.addTrayIcon = [this] { AddTrayIcon(); };
    hooks.removeTrayIcon = [this] { RemoveTrayIcon(); };
    hooks.mainWindowVisible = [this] { return isVisible(); };
    hooks.trayAvailable = [this] { return m_services.tray.Available(); };
    hooks.bringBack = [this] { ProcessCmd(QStringLiteral("A")); };
    hooks.setLvwMousePointer = [this] { SetLvwMousePointer(); };
    hooks.clearSearchList = [this] {
        // The search window exists only once a search was opened in this run.
        if (frmSearch* search = m_search->SearchDialog()) {
            search->SetRememberSearch(false);
            search->ClearSearchList();
        }
    };
    BrowserButton& button = m_browser->Button();
    frmOptions dialog(*m_options, m_services.registry, std::move(hooks),
                      {[&button] { return button.IsBrowserButtonInstalled(); },
                       [&button] { button.AddBrowserButton(); },
                       [&button] { button.RemoveBrowserButton(); }},
                      this);
    m_services.help->Serve(dialog);
    m_services.prompts.ShowModal(dialog);
    m_live->SetEnabled(m_options->LiveUpdates());
}

void frmFav1::setFavoritesRoot(const QString& root)
{
    // Nothing the views build from a key may list or delete outside the folder shown.
    m_services.fileSystem.ConfineTo(root);
    // The desktop's own Favorites folder is made when it is shown; a folder the user chose
    // that has gone is reported by the view, not made again.
    if (root == ReadShellFavorites(m_services.registry)) {
        std::error_code ignored; // a folder that cannot be made is reported by the view
        std::filesystem::create_directories(PathCodec::Encode(root).toStdString(), ignored);
    }
    // Steps taken in another folder mean nothing here.
    if (root != m_views->FavoritesRoot())
        m_history->Clear();
    m_views->SetFavoritesRoot(root);
}

void frmFav1::OpenCurrentUserFavorites()
{
    setFavoritesRoot(ReadShellFavorites(m_services.registry));
    RefreshView();
}

ExchangeCommands frmFav1::exchange()
{
    return ExchangeCommands({m_services.fileSystem, m_services.prompts, m_services.clock,
                             FavoritesRoot(), QDir::homePath()},
                            this);
}

void frmFav1::loadToolbar(const QString& layout)
{
    ToolbarLayout::LoadToolbar(*m_tbrToolbar, layout, m_toolbarIcons);
    m_dispatch->BindToolbar(*m_tbrToolbar);
}

void frmFav1::connectCommands()
{
    const auto on = [this](const char* name, auto handler) {
        connect(m_menus->Action(QString::fromLatin1(name)), &QAction::triggered, this, handler);
    };
    on("mnuFileOpen", [this] { BrowseForFavorites(); });
    on("mnuFileCurrentUser", [this] { OpenCurrentUserFavorites(); });
    on("mnuFileExit", [this] { ExitProgram(); });
    on("mnuFileImport", [this] {
        if (exchange().ImportBookmarks())
            RefreshView();
    });
    on("mnuFileExport",
       [this] { exchange().ExportBookmarks(FavoritesTree::Tag(m_tree->SelectedItem())); });
    on("mnuViewRefresh", [this] { RefreshView(); });
    for (int view = 0; view < FavoritesViews::ViewCount; ++view) {
        connect(m_menus->ViewAction(view), &QAction::triggered, this,
                [this, view] { SelectView(view); });
    }
    on("mnuSTCancel", [] {});
    on("mnuEditSearch", [this] { m_search->Search(*m_options); });
    on("mnuEditProperties", [this] { m_search->Properties(m_activePane); });
    on("mnuSTOpen", [this] { OpenFromTray(); });
    on("mnuViewAlwaysOnTop", [this] { AlwaysOnTopClick(); });
    on("mnuEditCopyTo", [this] { m_edit->CopyTo(m_activePane); });
    on("mnuEditMoveTo", [this] { m_edit->MoveTo(m_activePane); });
    on("mnuEditDelete", [this] { m_edit->Delete(m_activePane, m_options->DeleteWithoutTrash()); });
    on("mnuEditNew", [this] { m_edit->NewFolder(m_activePane); });
    on("mnuEditRename", [this] { RenameClick(); });
    on("mnuEditUndo", [this] { m_history->Undo(); });
    on("mnuEditRedo", [this] { m_history->Redo(); });
    connect(m_history.get(), &ChangeHistory::Applied, this, [this] { RefreshView(); });
    const QUndoStack& steps = m_history->Stack();
    const auto showSteps = [this, &steps] {
        QAction* undo = m_menus->Action(QStringLiteral("mnuEditUndo"));
        QAction* redo = m_menus->Action(QStringLiteral("mnuEditRedo"));
        undo->setText(steps.canUndo() ? tr("&Undo %1").arg(steps.undoText()) : tr("&Undo"));
        redo->setText(steps.canRedo() ? tr("&Redo %1").arg(steps.redoText()) : tr("&Redo"));
        undo->setEnabled(steps.canUndo());
        redo->setEnabled(steps.canRedo());
    };
    connect(&steps, &QUndoStack::indexChanged, this, showSteps);
    connect(&steps, &QUndoStack::cleanChanged, this, showSteps);
    showSteps();
    m_dispatch->SetCommand(QStringLiteral("CopyLink"), [this] { m_edit->CopyLink(m_activePane); });
    on("mnuHelpContents", [this] { Q_EMIT helpTopicRequested(HelpTopics::Contents); });
    on("mnuHelpIndex", [this] { Q_EMIT helpTopicRequested(HelpTopics::Index); });
    on("mnuHelpGettingStarted", [this] { Q_EMIT helpTopicRequested(HelpTopics::GettingStarted); });
    on("mnuHelpAbout", [this] { frmAbout::ShowAbout(m_services.prompts, this); });
    on("mnuToolsOptions", [this] { showOptions(); });
    LinkOpener& opener = m_browser->Opener();
    on("mnuFileOpenLink", [&opener] { opener.OpenSelectedLink(false); });
    on("mnuFileOpenLinkNew", [&opener] { opener.OpenSelectedLink(true); });
    on("mnuHelpWebSite", [&opener] { opener.OpenSite(AppInfo::WebSite); });
    m_dispatch->SetCommand(QStringLiteral("Explore"),
                           [this] { m_browser->Opener().Explore(m_activePane); });
    on("mnuEditPasteLink", [this] { m_browser->AddLink(m_activePane); });
    on("mnuToolsArrange", [this] { m_browser->Arrange(); });
    connect(this, &frmFav1::openListItemRequested, this,
            [&opener](const QModelIndex& item) { opener.OpenListItem(item); });
    on("mnuToolsToolbar", [this] {
        m_options->SetToolbarButtons(frmToolbar::Customize(m_options->ToolbarButtons(),
                                                           m_services.prompts, *m_services.help,
                                                           m_toolbarIcons, this));
        loadToolbar(m_options->ToolbarButtons());
    });
    connect(this, &frmFav1::helpTopicRequested, this,
            [this](int topic) { m_services.help->ShowTopic(this, topic); });
    on("mnuSTExit", [this] { ExitFromTray(); });
    connectHealthCommands();
    const auto look = [this] {
        return ViewAppearanceCommands({*m_options, *m_tree, *m_list, m_allThemes,
                                       ThemeLocations::ForProgram(ProgramFolder()), m_activePane,
                                       *m_services.help, this},
                                      m_services.prompts);
    };
    on("mnuViewFont", [look] { look().FontClick(); });
    on("mnuViewColor", [look] { look().ColorClick(); });
    on("mnuViewThemes", [look] { look().ThemesClick(); });
    connect(&m_services.tray, &TrayIcon::leftReleased, this, &frmFav1::OpenFromTray);
    connect(&m_services.tray, &TrayIcon::rightPressed, this,
            [this](const QPoint& pos) { m_menus->mnuSysTray()->popup(pos); });
}

Panes frmFav1::AllPanes()
{
    return {*m_tree,        *m_list, *m_views, *m_status, m_services.fileSystem, m_services.prompts,
            *m_searchLinks, this};
}

void frmFav1::connectHealthCommands()
{
    HealthCommands::Hooks hooks;
    // The folder selected in the tree, else the whole Favorites.
    hooks.chosenFolder = [this] {
        const QTreeWidgetItem* node = EditCommands::FolderNode(*m_tree);
        return node ? FavoritesTree::Tag(node) : m_views->FavoritesRoot();
    };
    hooks.selectedItems = [this] {
        QStringList items;
        if (m_activePane == QLatin1String("L")) {
            for (const QModelIndex& item : m_list->SelectedItems()) {
                const QString tag = FavoritesList::Tag(item);
                items.append(FavoritesList::IsFolder(item) ? tag.mid(1) : tag);
            }
        }
        return items;
    };
    hooks.refreshView = [this] { RefreshView(); };
    hooks.openLink = [this](const QString& path) { m_browser->Opener().OpenURLFile(path, false); };
    hooks.selectFolder = [this](const QString& folder) {
        SelectView(0);
        m_edit->SelectFolderNode(*m_tree, folder);
        raise();
        activateWindow();
    };
    hooks.skipDays = [this] { return int(m_options->CheckSkipDays()); };
    hooks.deleteForGood = [this] { return m_options->DeleteWithoutTrash(); };
    m_health = std::make_unique<HealthCommands>(AllPanes(), std::move(hooks));
    connect(m_menus->Action(QStringLiteral("mnuToolsCheckLinks")), &QAction::triggered, this,
            [this] { m_health->CheckLinks(); });
    connect(m_menus->Action(QStringLiteral("mnuToolsDuplicates")), &QAction::triggered, this,
            [this] { m_health->FindDuplicates(); });
    connect(m_menus->Action(QStringLiteral("mnuToolsConflicts")), &QAction::triggered, this,
            [this] { m_health->ResolveConflicts(); });
}

PaneLayout::Frame frmFav1::layoutFrame() const
{
    PaneLayout::Frame frame;
    frame.windowWidth = twips(frameGeometry().width());
    frame.windowHeight = twips(frameGeometry().height());
    frame.toolbarTop = 0;
    frame.toolbarHeight = m_tbrToolbar->isVisible() ? twips(m_tbrToolbar->height()) : 0;
    frame.statusHeight = twips(statusBar()->height());
    return frame;
}

void frmFav1::applyLayout()
{
    const Twips units = Twips::ForScreen();
    // The rules count from the top of the toolbar; the panes' widget sits below it.
    const double offset = m_tbrToolbar->isVisible() ? twips(m_tbrToolbar->height()) : 0;
    const auto place = [&](QWidget* widget, const PaneLayout::Box& box) {
        widget->setGeometry(units.ToPixels(box.left, box.top - offset, box.width, box.height));
    };
    place(m_tvwFavorites, m_layout.tree);
    place(m_fraSplitter, m_layout.splitter);
    place(m_lvwFavorites, m_layout.list);
    if (m_views)
        m_views->FitNormalColumns();
}

void frmFav1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_layout.Resize(layoutFrame());
    applyLayout();
}

void frmFav1::SetTreeWidth(double width)
{
    m_layout.SetTreeWidth(width, layoutFrame().windowWidth);
    applyLayout();
}

void frmFav1::CenterWindow()
{
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized))
        return;
    const Twips units = Twips::ForScreen();
    const QScreen* screen = this->screen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    std::optional<QRectF> browser;
    clsIEList& ieList = m_browser->IEList();
    if (ieList.Count() >= 1 && m_services.windows) {
        const QRect pixels = m_services.windows->Geometry(ieList.ItemhWnd(1));
        browser = QRectF(twips(pixels.x()), twips(pixels.y()), twips(pixels.width()),
                         twips(pixels.height()));
    }
    const QPointF topLeft = WindowPlacement::CenterWindow(
        QSizeF(twips(screenSize.width()), twips(screenSize.height())),
        QSizeF(twips(frameGeometry().width()), twips(frameGeometry().height())), browser);
    move(units.ToPixels(topLeft.x()), units.ToPixels(topLeft.y()));
}

QRect frmFav1::fitOnScreen(const QRect& placement) const
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    // Until the window manager has framed the window its frame is unknown: room is kept for
    // a title bar and borders.
    const QRect client = geometry(), outside = frameGeometry();
    QMargins frame(client.left() - outside.left(), client.top() - outside.top(),
                   outside.right() - client.right(), outside.bottom() - client.bottom());
    if (frame.isNull())
        frame = QMargins(4, 30, 4, 4);
    const QRect outer(placement.topLeft(), placement.size().grownBy(frame));
    const int index = WindowPlacement::ScreenFor(outer, screens);
    if (index < 0)
        return placement;
    const QRect fitted = WindowPlacement::FitToScreen(outer, screens[index]);
    return {fitted.topLeft(), fitted.size().shrunkBy(frame)};
}

bool frmFav1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_tbrToolbar) {
        const auto* mouse = dynamic_cast<QMouseEvent*>(event);
        if (!mouse)
            return QMainWindow::eventFilter(watched, event);
        if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton) {
            m_menus->mnuToolbar()->popup(m_tbrToolbar->mapToGlobal(mouse->position().toPoint()));
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick && mouse->button() == Qt::LeftButton) {
            m_menus->Action(QStringLiteral("mnuToolsToolbar"))->trigger();
            return true;
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (watched != m_fraSplitter)
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_splitterDragging = true;
        return true;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_splitterDragging = false;
        return true;
    case QEvent::MouseMove:
        if (m_splitterDragging &&
            m_layout.DragSplitter(twips(static_cast<QMouseEvent*>(event)->position().toPoint().x()),
                                  layoutFrame().windowWidth))
            applyLayout();
        return true;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}
