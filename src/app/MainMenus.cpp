#include "app/MainMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

struct Entry
{
    const char* name;
    const char* caption; // "-" is a separator line
    const char* runs;    // popup entries: the menu bar entry they run
};

} // namespace

QAction* MainMenus::add(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = qstrcmp(caption, "-") == 0 ? menu->addSeparator()
                                                 : menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    m_actions.insert(action->objectName(), action);
    return action;
}

MainMenus::MainMenus(QMainWindow& window)
{
    static const struct
    {
        const char* name;
        const char* caption;
        std::initializer_list<Entry> entries;
    } kBar[] = {
        {"mnuFile",
         "&File",
         {{"mnuFileOpen", "&Browse For Favorites...", nullptr},
          {"mnuFileCurrentUser", "&Open Current User Favorites", nullptr},
          {"mnuFileSep3", "-", nullptr},
          {"mnuFileImport", "&Import Bookmarks...", nullptr},
          {"mnuFileExport", "&Export Bookmarks...", nullptr},
          {"mnuFileSep1", "-", nullptr},
          {"mnuFileOpenLink", "Open &Link", nullptr},
          {"mnuFileOpenLinkNew", "Open Link in &New Window", nullptr},
          {"mnuFileSep2", "-", nullptr},
          {"mnuFileExit", "E&xit", nullptr}}},
        {"mnuEdit",
         "&Edit",
         {{"mnuEditUndo", "&Undo", nullptr},
          {"mnuEditRedo", "&Redo", nullptr},
          {"mnuEditSep0", "-", nullptr},
          {"mnuEditSearch", "&Search...", nullptr},
          {"mnuEditSep1", "-", nullptr},
          {"mnuEditPasteLink", "&Add Link...", nullptr},
          {"mnuEditCopyTo", "&Copy To...", nullptr},
          {"mnuEditMoveTo", "&Move To...", nullptr},
          {"mnuEditDelete", "&Delete", nullptr},
          {"mnuEditRename", "&Rename", nullptr},
          {"mnuEditNew", "&New Folder...", nullptr},
          {"mnuEditSep2", "-", nullptr},
          {"mnuEditProperties", "Properties...", nullptr}}},
        {"mnuView",
         "&View",
         {{"mnuViewAlwaysOnTop", "Always on &Top", nullptr},
          {"mnuViewSep1", "-", nullptr},
          {"mnuViewNormal", "&Normal", nullptr},
          {"mnuViewPhoneBook", "&Phone Book", nullptr},
          {"mnuViewAddressBook", "&Address Book", nullptr},
          {"mnuViewSingleList", "&Single List", nullptr},
          {"mnuViewAccessed", "Last A&ccessed", nullptr},
          {"mnuViewModified", "Last &Modified", nullptr},
          {"mnuViewCreated", "Date &Created", nullptr},
          {"mnuViewSearch", "Search &Results", nullptr},
          {"mnuViewSep2", "-", nullptr},
          {"mnuViewFont", "&Font...", nullptr},
          {"mnuViewColor", "Co&lor...", nullptr},
          {"mnuViewThemes", "Themes...", nullptr},
          {"mnuViewSep3", "-", nullptr},
          {"mnuViewRefresh", "Refresh", nullptr}}},
        {"mnuTools",
         "&Tools",
         {{"mnuToolsToolbar", "&Toolbar...", nullptr},
          {"mnuToolsArrange", "&Arrange...", nullptr},
          {"mnuToolsSep1", "-", nullptr},
          {"mnuToolsCheckLinks", "Check &Links...", nullptr},
          {"mnuToolsDuplicates", "Find &Duplicates...", nullptr},
          {"mnuToolsConflicts", "Resolve &Conflicts...", nullptr},
          {"mnuToolsSep2", "-", nullptr},
          {"mnuToolsOptions", "&Options...", nullptr}}},
        {"mnuHelp",
         "&Help",
         {{"mnuHelpContents", "Contents", nullptr},
          {"mnuHelpIndex", "Index", nullptr},
          {"mnuHelpGettingStarted", "Getting Started", nullptr},
          {"mnuHelpSep1", "-", nullptr},
          {"mnuHelpWebSite", "Tavoro Web Site", nullptr},
          {"mnuHelpSep2", "-", nullptr},
          {"mnuHelpAbout", "&About...", nullptr}}},
    };
    // Menus that never show in the menu bar; their entries run the bar's handlers.
    static const struct
    {
        const char* name;
        const char* caption;
        std::initializer_list<Entry> entries;
    } kPopups[] = {
        {"mnuPopup",
         "PopupMenu",
         {{"mnuPopOpen", "Open", "mnuFileOpenLink"},
          {"mnuPopNewWin", "Open in New Window", "mnuFileOpenLinkNew"},
          {"mnuPopSep1", "-", nullptr},
          {"mnuPopSearch", "Search...", "mnuEditSearch"},
          {"mnuPopSep2", "-", nullptr},
          {"mnuPopPasteLink", "Add Link...", "mnuEditPasteLink"},
          {"mnuPopCopyTo", "Copy To...", "mnuEditCopyTo"},
          {"mnuPopMoveTo", "Move To...", "mnuEditMoveTo"},
          {"mnuPopDelete", "Delete", "mnuEditDelete"},
          {"mnuPopRename", "Rename", "mnuEditRename"},
          {"mnuPopNewFolder", "New Folder...", "mnuEditNew"},
          {"mnuPopProperties", "Properties...", "mnuEditProperties"},
          {"mnuPopSep4", "-", nullptr},
          {"mnuPopFont", "Font...", "mnuViewFont"},
          {"mnuPopColor", "Color...", "mnuViewColor"},
          {"mnuPopThemes", "Themes...", "mnuViewThemes"},
          {"mnuPopSep5", "-", nullptr},
          {"mnuPopRefresh", "Refresh", "mnuViewRefresh"}}},
        {"mnuToolbar", "Toobar Menu", {{"mnuToolbarCustomize", "Customize...", "mnuToolsToolbar"}}},
        {"mnuSysTray",
         "System Tray",
         {{"mnuSTOpen", "&Open...", nullptr},
          {"mnuSTOptions", "O&ptions...", "mnuToolsOptions"},
          {"mnuSTAbout", "&About...", "mnuHelpAbout"},
          {"mnuSTSep1", "-", nullptr},
          {"mnuSTExit", "E&xit", nullptr},
          {"mnuSTCancel", "&Cancel Menu", nullptr}}},
    };

    for (const auto& menuDef : kBar) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(menuDef.caption));
        menu->setObjectName(QString::fromLatin1(menuDef.name));
        for (const Entry& entry : menuDef.entries)
            add(menu, entry.name, entry.caption);
    }
    for (const auto& menuDef : kPopups) {
        auto* menu = new QMenu(QString::fromUtf8(menuDef.caption), &window);
        menu->setObjectName(QString::fromLatin1(menuDef.name));
        for (const Entry& entry : menuDef.entries) {
            QAction* action = add(menu, entry.name, entry.caption);
            if (QAction* target = entry.runs ? Action(QString::fromLatin1(entry.runs)) : nullptr) {
                QObject::connect(action, &QAction::triggered, target, &QAction::trigger);
                // A command that cannot run here cannot run from the popup either.
                action->setEnabled(target->isEnabled());
                QObject::connect(target, &QAction::enabledChanged, action, &QAction::setEnabled);
            }
        }
        if (qstrcmp(menuDef.name, "mnuPopup") == 0)
            m_popup = menu;
        else if (qstrcmp(menuDef.name, "mnuToolbar") == 0)
            m_toolbar = menu;
        else
            m_sysTray = menu;
    }

    Action(QStringLiteral("mnuViewRefresh"))->setShortcut(QKeySequence(Qt::Key_F5));
    Action(QStringLiteral("mnuEditUndo"))->setShortcut(QKeySequence::Undo);
    Action(QStringLiteral("mnuEditRedo"))
        ->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    Action(QStringLiteral("mnuHelpContents"))->setShortcut(QKeySequence(Qt::Key_F1));
    Action(QStringLiteral("mnuViewAlwaysOnTop"))->setCheckable(true);
    for (int i = 0; i < 8; ++i)
        ViewAction(i)->setCheckable(true);
}

QAction* MainMenus::Action(const QString& name) const
{
    return m_actions.value(name);
}

QAction* MainMenus::ViewAction(int index) const
{
    static const char* const kViews[] = {
        "mnuViewNormal",   "mnuViewPhoneBook", "mnuViewAddressBook", "mnuViewSingleList",
        "mnuViewAccessed", "mnuViewModified",  "mnuViewCreated",     "mnuViewSearch"};
    return index >= 0 && index < 8 ? Action(QString::fromLatin1(kViews[index])) : nullptr;
}

void MainMenus::CheckView(int index)
{
    for (int i = 0; i < 8; ++i)
        ViewAction(i)->setChecked(i == index);
}

void MainMenus::preparePopup(Place place, bool normalView)
{
    // Columns: list item, list space, tree node, tree space ('n': tree node in the
    // Normal view only).
    static const struct
    {
        const char* name;
        const char* shown;
    } kTable[] = {
        {"mnuPopOpen", "1000"},   {"mnuPopNewWin", "1000"},    {"mnuPopSep1", "1000"},
        {"mnuPopSearch", "1110"}, {"mnuPopSep2", "1110"},      {"mnuPopPasteLink", "1110"},
        {"mnuPopCopyTo", "1010"}, {"mnuPopMoveTo", "1010"},    {"mnuPopDelete", "1010"},
        {"mnuPopRename", "1010"}, {"mnuPopNewFolder", "11n0"}, {"mnuPopProperties", "1010"},
        {"mnuPopSep4", "1110"},   {"mnuPopFont", "1111"},      {"mnuPopColor", "1111"},
        {"mnuPopSep5", "1111"},   {"mnuPopRefresh", "1111"},
    };
    for (const auto& row : kTable) {
        const char flag = row.shown[place];
        Action(QString::fromLatin1(row.name))
            ->setVisible(flag == '1' || (flag == 'n' && normalView));
    }
}

void MainMenus::PopupLvwItem()
{
    preparePopup(LvwItem);
}

void MainMenus::PopupLvwNoItem()
{
    preparePopup(LvwNoItem);
}

void MainMenus::PopupTvwItem(bool normalView)
{
    preparePopup(TvwItem, normalView);
}

void MainMenus::PopupTvwNoItem()
{
    preparePopup(TvwNoItem);
}

QStringList MainMenus::VisiblePopupEntries() const
{
    QStringList entries;
    for (const QAction* action : m_popup->actions()) {
        if (action->isVisible())
            entries.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return entries;
}
