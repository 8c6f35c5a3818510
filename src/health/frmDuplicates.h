#pragma once

#include "health/DuplicateFinder.h"

#include <QDialog>

#include <functional>
#include <memory>

class FileSystemService;
class Prompts;
class QCheckBox;
class QLabel;
class QPushButton;
class QThread;
class QTimer;
class QTreeWidget;
class SearchLinks;

// Find Duplicates: groups of copies below a folder, each copy with its folder and dates.
// The user keeps one copy of a group and deletes the others, always after a question.
// The links are read and grouped in a worker thread; the window stays live meanwhile.
class frmDuplicates : public QDialog
{
    Q_OBJECT

public:
    frmDuplicates(const FileSystemService& fileSystem, Prompts& prompts, const QString& root,
                  SearchLinks* searchLinks, QWidget* parent = nullptr);
    ~frmDuplicates() override;

    // Starts a search; searchDone follows when it has ended or was cancelled.
    void FindClick();
    void CancelClick();
    bool IsSearching() const { return m_worker != nullptr; }
    // Deletes every other copy in the group of the selected copy.
    void KeepClick();
    const QList<DuplicateGroup>& Groups() const { return m_groups; }
    // Asked at each delete: true sends deleted links past the Trash, for good.
    std::function<bool()> deleteForGood;
    QTreeWidget* Tree() const { return m_tree; }
    QString CountText() const;

Q_SIGNALS:
    // Files were deleted; views showing them are out of date.
    void favoritesChanged();
    void searchDone();

private:
    struct Search; // what the worker reads and writes
    void searchEnded();
    void showProgress();
    void fillTree();
    void updateButtons();

    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    QString m_root;
    SearchLinks* m_searchLinks;
    QList<DuplicateGroup> m_groups;
    QThread* m_worker = nullptr;
    std::shared_ptr<Search> m_search;
    QTimer* m_clock;
    QPushButton* m_cmdFind;
    QPushButton* m_cmdCancel;
    QCheckBox* m_chkSchemes;
    QCheckBox* m_chkWww;
    QTreeWidget* m_tree;
    QLabel* m_lblCount;
    QPushButton* m_cmdKeep;
};
