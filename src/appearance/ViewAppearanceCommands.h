#pragma once

#include "appearance/ThemeLocations.h"

#include <QString>

class clsOptions;
class FavoritesList;
class FavoritesTree;
class Help;
class Prompts;
class QWidget;

// View > Font, View > Color and View > Themes. Font and Color change the pane touched
// last (the list when ActivePane is "L", otherwise the tree) and its settings directly;
// Themes runs the Themes dialog. Nothing is kept between uses.
class ViewAppearanceCommands
{
public:
    // What the commands reach of the main window.
    struct MainWindow
    {
        clsOptions& options;
        FavoritesTree& tree;
        FavoritesList& list;
        clsThemeApps& allThemes;
        ThemeLocations themeFiles;
        QString activePane;
        Help& help;
        QWidget* owner = nullptr;
    };

    ViewAppearanceCommands(MainWindow window, Prompts& prompts);

    // A font or colour change leaves no theme current: ThemeName is emptied.
    void FontClick();
    void ColorClick();
    void ThemesClick();

    // A widget's present face and size with an empty style, as a font string.
    static QString PaneFontString(const QWidget* pane);

private:
    bool onList() const;

    MainWindow m_window;
    Prompts& m_prompts;
};
