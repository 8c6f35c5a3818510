#include "browser/BrowserCommands.h"

#include "browser/frmBrowserWindows.h"
#include "browser/frmPasteLink.h"

#include <QFileInfo>

BrowserCommands::BrowserCommands(WindowSystem* windows, ProgramLauncher& programs,
                                 Prompts& prompts, Help& help, const Clock& clock, Registry& registry,
                                 const QString& programPath, Panes panes,
                                 const clsOptions& options, LinkOpener::WindowHooks hooks,
                                 QWidget* owner)
    : m_prompts(prompts), m_help(help), m_clock(clock), m_panes(panes), m_owner(owner), m_ieList(windows),
      m_launcher(programs, windows, prompts, QFileInfo(programPath).absolutePath(), owner),
      m_opener(m_ieList, m_launcher, prompts, panes.tree, panes.list, panes.views, panes.edit,
               options, std::move(hooks), owner),
      m_button(registry, prompts, programPath, owner)
{
}

void BrowserCommands::AddLink(const QString& activePane)
{
    frmPasteLink::AddLink({m_panes.views, m_panes.tree, m_panes.list, activePane, m_ieList,
                           m_prompts, m_help, m_owner});
}

void BrowserCommands::Arrange()
{
    frmBrowserWindows::ShowArrange(m_ieList, m_launcher, m_prompts, m_help, m_clock, m_owner);
}
