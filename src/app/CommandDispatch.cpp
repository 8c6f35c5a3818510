#include "app/CommandDispatch.h"

#include "app/MainMenus.h"
#include "app/ToolbarLayout.h"

#include <QAction>
#include <QToolBar>

CommandDispatch::CommandDispatch(const MainMenus& menus) : m_menus(menus) {}

QString CommandDispatch::MenuEntryFor(const QString& key)
{
    static const QHash<QString, QString> entries = {
        {QStringLiteral("Open"), QStringLiteral("mnuFileOpen")},
        {QStringLiteral("Favorites"), QStringLiteral("mnuFileCurrentUser")},
        {QStringLiteral("OpenLink"), QStringLiteral("mnuFileOpenLink")},
        {QStringLiteral("OpenNewLink"), QStringLiteral("mnuFileOpenLinkNew")},
        {QStringLiteral("PasteLink"), QStringLiteral("mnuEditPasteLink")},
        {QStringLiteral("Refresh"), QStringLiteral("mnuViewRefresh")},
        {QStringLiteral("Search"), QStringLiteral("mnuEditSearch")},
        {QStringLiteral("AlwaysOnTop"), QStringLiteral("mnuViewAlwaysOnTop")},
        {QStringLiteral("Fonts"), QStringLiteral("mnuViewFont")},
        {QStringLiteral("Color"), QStringLiteral("mnuViewColor")},
        {QStringLiteral("Undo"), QStringLiteral("mnuEditUndo")},
        {QStringLiteral("Redo"), QStringLiteral("mnuEditRedo")},
        {QStringLiteral("CopyTo"), QStringLiteral("mnuEditCopyTo")},
        {QStringLiteral("MoveTo"), QStringLiteral("mnuEditMoveTo")},
        {QStringLiteral("Delete"), QStringLiteral("mnuEditDelete")},
        {QStringLiteral("Rename"), QStringLiteral("mnuEditRename")},
        {QStringLiteral("NewFolder"), QStringLiteral("mnuEditNew")},
        {QStringLiteral("ViewNormal"), QStringLiteral("mnuViewNormal")},
        {QStringLiteral("AtoZ"), QStringLiteral("mnuViewPhoneBook")},
        {QStringLiteral("ABtoYZ"), QStringLiteral("mnuViewAddressBook")},
        {QStringLiteral("List"), QStringLiteral("mnuViewSingleList")},
        {QStringLiteral("Accessed"), QStringLiteral("mnuViewAccessed")},
        {QStringLiteral("Modified"), QStringLiteral("mnuViewModified")},
        {QStringLiteral("Created"), QStringLiteral("mnuViewCreated")},
        {QStringLiteral("SearchResults"), QStringLiteral("mnuViewSearch")},
        {QStringLiteral("Help"), QStringLiteral("mnuHelpContents")},
        {QStringLiteral("Themes"), QStringLiteral("mnuViewThemes")},
        {QStringLiteral("Properties"), QStringLiteral("mnuEditProperties")},
        {QStringLiteral("Arrange"), QStringLiteral("mnuToolsArrange")},
    };
    return entries.value(key);
}

void CommandDispatch::SetCommand(const QString& key, std::function<void()> command)
{
    m_commands.insert(key, std::move(command));
}

bool CommandDispatch::CanRun(const QString& key) const
{
    if (m_commands.contains(key))
        return true;
    const QAction* entry = m_menus.Action(MenuEntryFor(key));
    return entry && entry->isEnabled();
}

bool CommandDispatch::Run(const QString& key) const
{
    if (const auto command = m_commands.constFind(key); command != m_commands.constEnd()) {
        (*command)();
        return true;
    }
    QAction* entry = m_menus.Action(MenuEntryFor(key));
    if (!entry || !entry->isEnabled())
        return false;
    entry->trigger();
    return true;
}

void CommandDispatch::BindToolbar(QToolBar& toolbar) const
{
    for (QAction* button : toolbar.actions()) {
        if (button->isSeparator())
            continue;
        const QString key = ToolbarLayout::Key(button);
        button->setEnabled(CanRun(key));
        if (QAction* entry = m_menus.Action(MenuEntryFor(key)))
            QObject::connect(entry, &QAction::enabledChanged, button, &QAction::setEnabled);
        QObject::connect(button, &QAction::triggered, button, [this, key] { Run(key); });
    }
}
