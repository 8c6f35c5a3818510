#pragma once

#include "browser/BrowserButton.h"
#include "browser/BrowserLauncher.h"
#include "browser/LinkOpener.h"
#include "browser/clsIEList.h"

class Clock;
class Help;
class ProgramLauncher;
class Registry;

// Everything the main window does with browser windows, over one shared browser list.
class BrowserCommands
{
public:
    BrowserCommands(WindowSystem* windows, ProgramLauncher& programs, Help& help,
                    const Clock& clock, Registry& registry, const QString& programPath,
                    const Panes& panes, EditCommands& edit, const clsOptions& options,
                    LinkOpener::WindowHooks hooks);

    clsIEList& IEList() { return m_ieList; }
    BrowserLauncher& Launcher() { return m_launcher; }
    LinkOpener& Opener() { return m_opener; }
    BrowserButton& Button() { return m_button; }

    // Edit > Add Link.
    void AddLink(const QString& activePane);
    // Tools > Arrange Browser Windows.
    void Arrange();

private:
    Help& m_help;
    const Clock& m_clock;
    Panes m_panes;
    clsIEList m_ieList;
    BrowserLauncher m_launcher;
    LinkOpener m_opener;
    BrowserButton m_button;
};
