#pragma once

#include "health/CheckCache.h"
#include "health/LinkFile.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QHash>

#include <functional>
#include <memory>

class FileSystemService;
class LinkChecker;
class Prompts;
class QLabel;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class SearchLinks;

// Check Links: checks every link below a folder, or the links and folders chosen, shows
// progress while it runs and the results grouped by what was found. Changes to the files
// happen only on the user's command and after a question.
class frmCheckLinks : public QDialog
{
    Q_OBJECT

public:
    frmCheckLinks(const FileSystemService& fileSystem, Prompts& prompts, const QString& root,
                  SearchLinks* searchLinks, QWidget* parent = nullptr);
    ~frmCheckLinks() override;

    LinkChecker& Checker() { return *m_checker; }
    // Links checked fewer than days days ago take their remembered result.
    void SetSkipDays(int days) { m_skipDays = days; }
    // Checks these instead of everything below root: links, and folders with the folders
    // below them. Folders are still shown as paths below root.
    void SetItems(const QStringList& items) { m_items = items; }
    // Asked at each delete: true sends deleted links past the Trash, for good.
    std::function<bool()> deleteForGood;
    void Start();
    void CancelClick();
    void UpdateAddressClick();
    void DeleteClick();
    void SelectClick();

    QTreeWidget* Tree() const { return m_tree; }
    QTreeWidgetItem* Group(CheckResult::State state) const;
    QString CountsText() const;

Q_SIGNALS:
    void openRequested(const QString& path);
    void selectRequested(const QString& folder);
    void favoritesChanged();

private:
    void startChecks(const QList<LinkFile>& links);
    void addResult(const QString& address, const CheckResult& result);
    void finish();
    void showProgress();
    void updateButtons();
    QList<QTreeWidgetItem*> selectedRows() const;

    const FileSystemService& m_fileSystem;
    Prompts& m_prompts;
    QString m_root;
    SearchLinks* m_searchLinks;
    LinkChecker* m_checker;
    QStringList m_items;
    QThread* m_collector = nullptr; // reads the links while the window stays live
    std::shared_ptr<CollectProgress> m_collected;
    bool m_cancelled = false;
    CheckCache m_cache;
    int m_skipDays = 0;
    QHash<QString, QList<LinkFile>> m_byAddress;
    int m_total = 0;
    int m_done = 0;
    QElapsedTimer m_elapsed;
    QTimer* m_clock;
    QProgressBar* m_progress;
    QLabel* m_lblCounts;
    QLabel* m_lblElapsed;
    QPushButton* m_cmdCancel;
    QTreeWidget* m_tree;
    QPushButton* m_cmdUpdate;
    QPushButton* m_cmdDelete;
    QPushButton* m_cmdSelect;
};
