#pragma once

#include <QString>

#include <cstdint>

class clsOptions;
class clsThemeApp;
class clsThemeApps;
class FavoritesList;
class FavoritesTree;
class QTreeWidget;
class QWidget;

// Applying themes to the main window's panes and keeping them in step with the six
// appearance settings (lvwFont, tvwFont and the four colours).
namespace Themes {

// "MS Sans Serif", 10 points, bold.
QString DefaultFontString();

// Both parts get the default font, black text on white.
void InitDefaultTheme(clsThemeApp& theme, const QString& name);

// "R-G-B" (each 0..255) or a leading decimal number; 0 when a number is out of range.
std::int32_t ParseColor(const QString& text);

// Sets a widget's font from a font string. Bold and italic follow the letters B and I in
// the style, in either case. A face this system does not have shows as its default sans
// face; a size that is not a usable point size ends the change, and the face stays.
void ApplyFontString(QWidget* control, const QString& fontString);

// Shows a theme in both panes and stores it in the six settings, the list first. The
// tree's later nodes take the theme's colours too. ThemeName is left to the caller.
void ApplyTheme(const clsThemeApp& theme, clsOptions& options, FavoritesTree& tree,
                FavoritesList& list);

// Fills a theme from the six settings; its name stays.
void LoadThemeFromOptions(clsThemeApp& theme, const clsOptions& options);

// Position of the first theme named name (any name when empty) whose six values equal
// the six settings; 0 when none does.
int FindMatchingTheme(const clsThemeApps& themes, const QString& name, const clsOptions& options);

// Position of the first theme named exactly name; 1 when there is none.
int FindThemeByName(const clsThemeApps& themes, const QString& name);

// The tree's background, on the widget and on its viewport.
void SetTreeBackColor(QTreeWidget* tree, std::int32_t color);

// A pane's own text and background colours, which items without colours of their own
// show: every list item added later, for one.
void SetPaneColors(QWidget* pane, std::int32_t fore, std::int32_t back);
// The colours of every node of the tree, and of every node it adds later; the expand
// arrows take the text colour.
void SetNodeColors(FavoritesTree& tree, std::int32_t fore, std::int32_t back);
// The text colour of every item the list holds now, in every column.
void SetItemColors(FavoritesList& list, std::int32_t fore);
// The tvwBackColor setting: the background new tree nodes take.
std::int32_t TreeBackColor(const clsOptions& options);

// At start-up: a named current theme is applied (an unknown name applies position 1);
// with no name the settings stand as they are and are kept in position 1.
void ChooseStartupTheme(clsThemeApps& allThemes, clsOptions& options, FavoritesTree& tree,
                        FavoritesList& list);

} // namespace Themes
