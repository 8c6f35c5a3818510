#pragma once

#include "favorites/IconSet.h"

#include <QDialog>
#include <QString>
#include <QStringList>

class Help;
class Prompts;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// Customize Toolbar: the buttons on offer beside the buttons of the toolbar, in order.
// The layout goes in and comes out through ToolbarButtons; only OK changes it.
class frmToolbar : public QDialog
{
    Q_OBJECT

public:
    frmToolbar(Prompts& prompts, const IconSet& icons, QWidget* parent = nullptr);

    // The layout string, in and out. Setting it also sets what InitLists shows.
    QString ToolbarButtons() const { return m_toolbarButtons; }
    void SetToolbarButtons(const QString& layout);
    // True only after OK.
    bool IsSaved() const { return m_isSaved; }

    // Fills the member list from the layout and the available list from the buttons on
    // offer that the layout does not hold.
    void InitLists();

    // Tools > Toolbar: runs the dialog on a layout and gives the layout to use afterwards
    // (the same text unless the user chose OK).
    static QString Customize(const QString& layout, Prompts& prompts, Help& help,
                             const IconSet& icons, QWidget* owner);

    // The buttons' handlers; the two double clicks run AddClick and RemoveClick.
    void AddClick();
    void RemoveClick();
    void SeparatorClick();
    void MoveUpClick();
    void MoveDownClick();
    void ResetClick();
    void OKClick();
    void CancelClick();
    void HelpClick();

    // An entry's command key; empty for a separator.
    static QString EntryKey(const QListWidgetItem* entry);
    // The keys of a list's entries in order, "S" for a separator.
    static QStringList EntryKeys(const QListWidget* list);

    QListWidget* lvwAvailable() const { return m_lvwAvailable; }
    QListWidget* lvwMembers() const { return m_lvwMembers; }

Q_SIGNALS:
    // The Help button: whoever shows the dialog opens the topic.
    void helpRequested(int topic);

private:
    void buildWidgets();
    QListWidgetItem* newEntry(const QString& key) const;
    void moveMember(int from, int to);

    Prompts& m_prompts;
    IconSet m_icons;
    QString m_toolbarButtons;
    // What InitLists shows: the layout given, or the default one after Reset.
    QString m_shownLayout;
    bool m_isSaved = false;

    QListWidget* m_lvwAvailable = nullptr;
    QListWidget* m_lvwMembers = nullptr;
    QPushButton* m_cmdAdd = nullptr;
    QPushButton* m_cmdRemove = nullptr;
    QPushButton* m_cmdSeparator = nullptr;
    QPushButton* m_cmdMoveUp = nullptr;
    QPushButton* m_cmdMoveDown = nullptr;
    QPushButton* m_cmdReset = nullptr;
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
    QPushButton* m_cmdHelp = nullptr;
};
