#include "browser/BrowserCommands.h"

#include "browser/frmBrowserWindows.h"
#include "browser/frmPasteLink.h"
#include "core/clsOptions.h"

#include <QFileInfo>

BrowserCommands::BrowserCommands(WindowSystem* windows, ProgramLauncher& programs, Help& help,
                                 const Clock& clock, Registry& registry, const QString& programPath,
                                 const Panes& panes, EditCommands& edit, const clsOptions& options,
                                 LinkOpener::WindowHooks hooks)
    : m_help(help), m_clock(clock), m_panes(panes), m_ieList(windows),
      m_launcher(programs, windows, panes.prompts, QFileInfo(programPath).absolutePath(),
                 panes.owner),
      m_opener(m_ieList, m_launcher, panes, edit, options, std::move(hooks)),
      m_button(registry, panes.prompts, programPath, panes.owner)
{
    m_launcher.SetBrowserSetting([&options] { return options.Browser(); });
}

void BrowserCommands::AddLink(const QString& activePane)
{
    frmPasteLink::AddLink({m_panes, activePane, m_ieList, m_help});
}

void BrowserCommands::Arrange()
{
    frmBrowserWindows::ShowArrange(m_ieList, m_launcher, m_panes.prompts, m_help, m_clock,
                                   m_panes.owner);
}
