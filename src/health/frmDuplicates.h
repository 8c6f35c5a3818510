#pragma once

#include "health/DuplicateFinder.h"

#include <QDialog>

#include <functional>

class FileSystemService;
class Prompts;
class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class SearchLinks;

// Find Duplicates: groups of copies below a folder, each copy with its folder and dates.
// The user keeps one copy of a group and deletes the others, always after a question.
class frmDuplicates : public QDialog
{
    Q_OBJECT

public:
    frmDuplicates(const FileSystemService& fileSystem, Prompts& prompts, const QString& root,
                  SearchLinks* searchLinks, QWidget* parent = nullptr);

    void FindClick();
    // Deletes every other copy in the group of the selected copy.
    void KeepClick();
    const QList<DuplicateGroup>& Groups() const { return m_groups; }
    // Asked at each delete: true sends deleted links past the Trash, for good.
    std::function<bool()> deleteForGood;
    QTreeWidget* Tree() const { return m_tree; }

Q_SIGNALS:
    // Files were deleted; views showing them are out of date.
    void favoritesChanged();

private:
    void fillTree();
    void updateButtons();

    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    QString m_root;
    SearchLinks* m_searchLinks;
    QList<DuplicateGroup> m_groups;
    QCheckBox* m_chkSchemes;
    QCheckBox* m_chkWww;
    QTreeWidget* m_tree;
    QLabel* m_lblCount;
    QPushButton* m_cmdKeep;
};
