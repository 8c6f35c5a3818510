#pragma once

#include "favorites/SearchFolder.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class Registry;
class SearchCommand;

// The search dialog. Made once per run of the program and only hidden when closed, so
// the next search finds its folder, texts, options and form as they were left.
class frmSearch : public QDialog
{
    Q_OBJECT

public:
    enum Where
    {
        CurrentFolderOnly = 0,
        CurrentAndSubfolders,
        AllFolders
    };

    // Loads the remembered texts (when rememberSearch is on) and the default options.
    frmSearch(SearchCommand& command, Registry& registry, const QString& rootKey,
              bool rememberSearch, QWidget* parent = nullptr);

    // Before each showing: in the Normal view with a node selected (nodeSelected) the
    // search starts at that node's folder; otherwise at the folder it started from last
    // time, else at selectionKey, else at the Favorites root.
    void PrepareSearch(const QString& favoritesRoot, bool nodeSelected, const QString& nodeTag,
                       const QString& nodeText, const QString& selectionKey);

    QString Folder() const { return m_folder; }
    QString FavoritesRoot() const { return m_favoritesRoot; }

    // Follows the RememberSearch setting; with it off typed texts stay in the list for
    // this run only.
    bool RememberSearch() const { return m_rememberSearch; }
    void SetRememberSearch(bool remember) { m_rememberSearch = remember; }
    // Forgets the listed texts (the history was switched off and deleted).
    void ClearSearchList();

    // The controls' state, to fill the dialog without a user.
    QString SearchText() const;
    void SetSearchText(const QString& text); // as if typed
    void PickSearchText(int index);          // as if chosen from the list
    QStringList SearchList() const;
    int WhereIndex() const;
    void SetWhereIndex(int where);
    bool IsAdvanced() const { return m_advanced; }
    int SearchTypeIndex() const;
    void SetSearchTypeIndex(int searchType);
    int SearchOptionsIndex() const;
    void SetSearchOptionsIndex(int searchOptions);
    bool CaseSensitive() const;
    void SetCaseSensitive(bool on);

    // What the Search button would search for now.
    SearchParameters Parameters() const;
    // The last click on Search found something (the dialog then closed).
    bool Found() const { return m_found; }

    // The buttons' handlers.
    void AdvancedClick();
    void SearchClick();

    QComboBox* cboSearch() const { return m_cboSearch; }
    QComboBox* cboWhere() const { return m_cboWhere; }
    QComboBox* cboLookIn() const { return m_cboLookIn; }
    QPushButton* cmdAdvanced() const { return m_cmdAdvanced; }
    QGroupBox* fraOptions() const { return m_fraOptions; }
    QGroupBox* fraSearchType() const { return m_fraSearchType; }

private:
    void buildControls();
    void setAdvanced(bool advanced);
    bool typedText() const;

    SearchCommand& m_command;
    Registry& m_registry;
    QString m_rootKey;
    bool m_rememberSearch;
    QString m_folder;
    bool m_folderIsViewKey = false;
    QString m_favoritesRoot;
    bool m_advanced = false;
    bool m_found = false;
    // The list entry chosen last; null when the text has been typed since.
    QString m_pickedText;

    QLabel* m_lblDesc = nullptr;
    QComboBox* m_cboSearch = nullptr;
    QLabel* m_label1 = nullptr;
    QComboBox* m_cboWhere = nullptr;
    QLabel* m_lblLookIn = nullptr;
    QComboBox* m_cboLookIn = nullptr;
    QPushButton* m_cmdAdvanced = nullptr;
    QGroupBox* m_fraOptions = nullptr;
    QButtonGroup* m_optSearchOptions = nullptr;
    QCheckBox* m_chkCaseSensitive = nullptr;
    QGroupBox* m_fraSearchType = nullptr;
    QButtonGroup* m_optSearchType = nullptr;
    QPushButton* m_cmdSearch = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};
