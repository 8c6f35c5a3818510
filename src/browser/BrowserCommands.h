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
    struct Panes
    {
        FavoritesTree& tree;
        FavoritesList& list;
        FavoritesViews& views;
        EditCommands& edit;
    };

    BrowserCommands(WindowSystem* windows, ProgramLauncher& programs, Prompts& prompts,
                    Help& help, const Clock& clock, Registry& registry, const QString& programPath, Panes panes,
                    const clsOptions& options, LinkOpener::WindowHooks hooks, QWidget* owner);

    clsIEList& IEList() { return m_ieList; }
    BrowserLauncher& Launcher() { return m_launcher; }
    LinkOpener& Opener() { return m_opener; }
    BrowserButton& Button() { return m_button; }

    // Edit > Add Link.
    void AddLink(const QString& activePane);
    // Tools > Arrange Browser Windows.
    void Arrange();

private:
    Prompts& m_prompts;
    Help& m_help;
    const Clock& m_clock;
    Panes m_panes;
    QWidget* m_owner;
    clsIEList m_ieList;
    BrowserLauncher m_launcher;
    LinkOpener m_opener;
    BrowserButton m_button;
};
