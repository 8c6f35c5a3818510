#pragma once

#include "health/SyncConflicts.h"

#include <QDialog>

#include <functional>

class FileSystemService;
class FileOperations;
class Prompts;
class QLabel;
class QPushButton;
class QTreeWidget;
class SearchLinks;

// Resolve Conflicts: each conflict copy a sync engine left below a folder, beside its
// original with both addresses and dates. The user keeps the original, the copy (which
// then takes the original's name), or both (the copy under a plain name of its own).
class frmConflicts : public QDialog
{
    Q_OBJECT

public:
    enum class Keep
    {
        Original,
        Copy,
        Both
    };

    frmConflicts(const FileSystemService& fileSystem, Prompts& prompts, const QString& root,
                 SearchLinks* searchLinks, QWidget* parent = nullptr);

    void FindClick();
    // Resolves every selected conflict; deletes are asked about first.
    void Resolve(Keep keep);
    const QList<ConflictPair>& Pairs() const { return m_pairs; }
    QTreeWidget* Tree() const { return m_tree; }
    // Asked at each delete: true sends deleted links past the Trash, for good.
    std::function<bool()> deleteForGood;

Q_SIGNALS:
    void favoritesChanged();

private:
    void fillTree();
    void updateButtons();
    QList<ConflictPair> selectedPairs() const;
    bool keepCopies(FileOperations& files, const QList<ConflictPair>& pairs);

    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    QString m_root;
    SearchLinks* m_searchLinks;
    QList<ConflictPair> m_pairs;
    QTreeWidget* m_tree;
    QLabel* m_lblCount;
    QPushButton* m_cmdOriginal;
    QPushButton* m_cmdCopy;
    QPushButton* m_cmdBoth;
};
