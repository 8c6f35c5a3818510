#pragma once

#include "favorites/Panes.h"

#include <QDialog>
#include <QString>

class FavoritesList;
class FavoritesTree;
class FavoritesViews;
class FileSystemService;
class Help;
class Prompts;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class clsIEList;

// Add Link: lists the running browser and folder windows and writes the page of the
// chosen one as a new link in PasteFolder, named after the (editable) title.
class frmPasteLink : public QDialog
{
    Q_OBJECT

public:
    // What the Add Link command reads from the main window.
    struct Context
    {
        const Panes& panes;
        QString activePane;
        clsIEList& ieList;
        Help& help;
    };

    // The command: refuses the wrong view, a missing folder and no browser window, then
    // runs the dialog and lists the folder again when a link was written.
    static void AddLink(const Context& context);

    frmPasteLink(clsIEList& ieList, Prompts& prompts, const FileSystemService& fileSystem,
                 QString favoritesRoot, QWidget* parent = nullptr);

    QString PasteFolder() const { return m_pasteFolder; }
    void SetPasteFolder(const QString& folder) { m_pasteFolder = folder; }
    bool IsSaved() const { return m_isSaved; }

    // Fills the list from a fresh browser list; false when there is no window to list.
    bool Load();
    void cmdPasteLinkClick();

    QTreeWidget* lvwPasteLink() const { return m_lvwPasteLink; }
    QLineEdit* txtTitle() const { return m_txtTitle; }
    QPushButton* cmdPasteLink() const { return m_cmdPasteLink; }
    QPushButton* cmdCancel() const { return m_cmdCancel; }

Q_SIGNALS:
    // The Help button: whoever shows the dialog opens the topic.
    void helpRequested(int topic);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void headerClicked(int column);
    void sizeColumns();

    clsIEList& m_ieList;
    Prompts& m_prompts;
    const FileSystemService& m_fileSystem;
    QString m_favoritesRoot;
    QString m_pasteFolder;
    bool m_isSaved = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;

    QTreeWidget* m_lvwPasteLink;
    QLineEdit* m_txtTitle;
    QPushButton* m_cmdPasteLink;
    QPushButton* m_cmdCancel;
    QPushButton* m_cmdHelp;
};
