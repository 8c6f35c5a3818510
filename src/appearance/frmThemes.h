#pragma once

#include "appearance/ThemeLocations.h"
#include "appearance/clsThemeApps.h"
#include "favorites/IconSet.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class clsOptions;
class FavoritesList;
class FavoritesTree;
class Prompts;
class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeWidget;
class QTreeView;

// Themes: pick, create, copy, rename, delete and edit themes on a working copy of the
// program's themes, shown in a sample tree and list. Only OK hands the copy back to the
// program and writes the theme file; Apply shows a theme in the main window at once.
class frmThemes : public QDialog
{
    Q_OBJECT

public:
    // Shows a theme in the main window and stores it in the six appearance settings.
    using ApplyHook = std::function<void(const clsThemeApp&)>;

    // Opens on the theme that matches the settings under the ThemeName setting, or on
    // "(Custom)" filled from the settings.
    frmThemes(clsThemeApps& allThemes, clsOptions& options, const ThemeLocations& themeFiles,
              Prompts& prompts, ApplyHook applyTheme, QWidget* parent = nullptr);
    ~frmThemes() override;

    // Shows the selected theme in the sample tree and list.
    void RefreshPreview();
    // Reads the themes file again into the program's themes and lists the working copy.
    void RefreshThemes();

    void cboThemeClick();
    void cmdApplyClick();
    void cmdNewClick();
    void cmdSaveAsClick();
    void cmdRenameClick();
    void cmdDeleteClick();
    void cmdTvwFontClick();
    void cmdLvwFontClick();
    void cmdTvwColorClick();
    void cmdLvwColorClick();
    void cmdOKClick();
    void cmdCancelClick();
    void cmdHelpClick();

    const clsThemeApps& DialogThemes() const { return m_dialogThemes; }
    // The theme the combo box shows; null when none is selected.
    clsThemeApp* SelectedTheme();

    QComboBox* cboTheme() const { return m_cboTheme; }
    QTreeWidget* tvwPreview() const { return m_tvwPreview; }
    QTreeView* lvwPreview() const { return m_lvwPreview; }
    QPushButton* cmdRename() const { return m_cmdRename; }
    QPushButton* cmdDelete() const { return m_cmdDelete; }

Q_SIGNALS:
    // The Help button: whoever shows the dialog opens the topic.
    void helpRequested(int topic);

private:
    // The font button of the sample tree (tree) or list.
    void chooseFont(bool tree);
    void buildWidgets();
    QGroupBox* buildPreview();
    void buildSamples();
    QPushButton* addButton(const char* name, const QString& caption);
    void selectTheme(int position);
    // Asks for a theme name until it is empty or no other theme has it; empty means stop.
    QString askName(const QString& prompt, const QString& title, QString proposed, int ownPosition);
    void SetFocusSafe(QWidget* control);

    clsThemeApps& m_allThemes;
    clsOptions& m_options;
    ThemeLocations m_themeFiles;
    Prompts& m_prompts;
    ApplyHook m_applyTheme;
    clsThemeApps m_dialogThemes;
    IconSet m_icons = IconSet::Panes();
    std::unique_ptr<FavoritesTree> m_tree;
    std::unique_ptr<FavoritesList> m_list;

    QComboBox* m_cboTheme = nullptr;
    QTreeWidget* m_tvwPreview = nullptr;
    QTreeView* m_lvwPreview = nullptr;
    QPushButton* m_cmdApply = nullptr;
    QPushButton* m_cmdSaveAs = nullptr;
    QPushButton* m_cmdDelete = nullptr;
    QPushButton* m_cmdNew = nullptr;
    QPushButton* m_cmdRename = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdTvwFont = nullptr;
    QPushButton* m_cmdLvwFont = nullptr;
    QPushButton* m_cmdTvwColor = nullptr;
    QPushButton* m_cmdLvwColor = nullptr;
};
