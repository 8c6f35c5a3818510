#include "app/HealthCommands.h"

#include "favorites/FavoritesViews.h"
#include "health/frmCheckLinks.h"
#include "health/frmConflicts.h"
#include "health/frmDuplicates.h"

HealthCommands::HealthCommands(const Panes& panes, Hooks hooks)
    : m_fileSystem(panes.fileSystem), m_prompts(panes.prompts), m_searchLinks(panes.searchLinks),
      m_views(panes.views), m_hooks(std::move(hooks)), m_owner(panes.owner)
{
}

namespace {

// A check still running or its results stay; a new command brings them forward.
bool BringForward(QWidget* window)
{
    if (!window || !window->isVisible())
        return false;
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace

void HealthCommands::CheckLinks()
{
    if (BringForward(m_checkLinks))
        return;
    delete m_checkLinks;
    // Links picked in the list are checked by themselves, shown below the Favorites.
    const QStringList items = m_hooks.selectedItems ? m_hooks.selectedItems() : QStringList();
    m_checkLinks = new frmCheckLinks(
        m_fileSystem, m_prompts, items.isEmpty() ? m_hooks.chosenFolder() : m_views.FavoritesRoot(),
        &m_searchLinks, m_owner);
    m_checkLinks->SetItems(items);
    m_checkLinks->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(m_checkLinks, &frmCheckLinks::openRequested, m_checkLinks, m_hooks.openLink);
    QObject::connect(m_checkLinks, &frmCheckLinks::selectRequested, m_checkLinks,
                     m_hooks.selectFolder);
    QObject::connect(m_checkLinks, &frmCheckLinks::favoritesChanged, m_checkLinks,
                     m_hooks.refreshView);
    m_checkLinks->SetSkipDays(m_hooks.skipDays());
    m_checkLinks->deleteForGood = m_hooks.deleteForGood;
    m_checkLinks->show();
    m_checkLinks->Start();
}

void HealthCommands::FindDuplicates()
{
    if (BringForward(m_duplicates))
        return;
    delete m_duplicates;
    m_duplicates =
        new frmDuplicates(m_fileSystem, m_prompts, m_hooks.chosenFolder(), &m_searchLinks, m_owner);
    m_duplicates->setAttribute(Qt::WA_DeleteOnClose);
    m_duplicates->deleteForGood = m_hooks.deleteForGood;
    QObject::connect(m_duplicates, &frmDuplicates::favoritesChanged, m_duplicates,
                     m_hooks.refreshView);
    m_duplicates->show();
    m_duplicates->FindClick();
}

void HealthCommands::ResolveConflicts()
{
    if (BringForward(m_conflicts))
        return;
    delete m_conflicts;
    m_conflicts =
        new frmConflicts(m_fileSystem, m_prompts, m_hooks.chosenFolder(), &m_searchLinks, m_owner);
    m_conflicts->setAttribute(Qt::WA_DeleteOnClose);
    m_conflicts->deleteForGood = m_hooks.deleteForGood;
    QObject::connect(m_conflicts, &frmConflicts::favoritesChanged, m_conflicts,
                     m_hooks.refreshView);
    m_conflicts->show();
    m_conflicts->FindClick();
}
