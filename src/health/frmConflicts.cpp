#include "health/frmConflicts.h"

#include "editing/FileOperations.h"
#include "health/HealthText.h"
#include "platform/BusyCursor.h"
#include "platform/FileSystemService.h"
#include "platform/FsStep.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPairRole = Qt::UserRole;

QTreeWidgetItem* AddFileRow(QTreeWidgetItem* top, const QString& role, const LinkFile& link)
{
    auto* row = new QTreeWidgetItem(top, {role, FileSystemService::GetFileName(link.Path),
                                          link.Address, HealthText::ShownDate(link.Modified)});
    row->setToolTip(1, link.Path);
    row->setData(0, kPairRole, top->data(0, kPairRole));
    return row;
}

} // namespace

frmConflicts::frmConflicts(const FileSystemService& fileSystem, Prompts& prompts,
                           const QString& root, SearchLinks* searchLinks, QWidget* parent)
    : QDialog(parent), m_fileSystem(fileSystem), m_prompts(prompts), m_root(root),
      m_searchLinks(searchLinks)
{
    setObjectName(QStringLiteral("frmConflicts"));
    setWindowTitle(QStringLiteral("Resolve Conflicts"));
    resize(820, 480);
    auto* layout = new QVBoxLayout(this);
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderLabels({QStringLiteral("Link"), QStringLiteral("File"),
                             QStringLiteral("Address"), QStringLiteral("Modified")});
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_tree->setColumnWidth(0, 180);
    m_tree->setColumnWidth(1, 220);
    m_tree->setColumnWidth(2, 260);
    layout->addWidget(m_tree);

    auto* buttons = new QHBoxLayout;
    m_lblCount = new QLabel(this);
    m_cmdOriginal = new QPushButton(QStringLiteral("Keep &Original"), this);
    m_cmdCopy = new QPushButton(QStringLiteral("Keep &Copy"), this);
    m_cmdBoth = new QPushButton(QStringLiteral("Keep &Both"), this);
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    buttons->addWidget(m_lblCount);
    buttons->addStretch();
    for (QPushButton* button : {m_cmdOriginal, m_cmdCopy, m_cmdBoth, cmdClose})
        buttons->addWidget(button);
    layout->addLayout(buttons);

    connect(m_cmdOriginal, &QPushButton::clicked, this, [this] { Resolve(Keep::Original); });
    connect(m_cmdCopy, &QPushButton::clicked, this, [this] { Resolve(Keep::Copy); });
    connect(m_cmdBoth, &QPushButton::clicked, this, [this] { Resolve(Keep::Both); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &frmConflicts::updateButtons);
    updateButtons();
}

void frmConflicts::FindClick()
{
    {
        BusyCursor busy;
        m_pairs = SyncConflicts::Find(m_fileSystem, m_root);
    }
    fillTree();
}

void frmConflicts::fillTree()
{
    m_tree->clear();
    for (int p = 0; p < m_pairs.size(); ++p) {
        const ConflictPair& pair = m_pairs.at(p);
        const bool same = pair.Original && pair.Original->Address == pair.Copy.Address;
        auto* top = new QTreeWidgetItem(
            m_tree, {FileSystemService::GetBaseName(pair.OriginalPath),
                     HealthText::ShownFolder(pair.Copy.Folder, m_root),
                     same ? QStringLiteral("Same address") : QStringLiteral("Addresses differ")});
        top->setData(0, kPairRole, p);
        if (pair.Original)
            AddFileRow(top, QStringLiteral("Original"), *pair.Original);
        else
            new QTreeWidgetItem(top, {QStringLiteral("Original"), QStringLiteral("(gone)")});
        AddFileRow(top, QStringLiteral("Conflict copy"), pair.Copy);
    }
    m_tree->expandAll();
    m_lblCount->setText(QString::number(m_pairs.size()) + (m_pairs.size() == 1
                                                               ? QStringLiteral(" conflict")
                                                               : QStringLiteral(" conflicts")));
    updateButtons();
}

QList<ConflictPair> frmConflicts::selectedPairs() const
{
    QList<int> rows;
    for (const QTreeWidgetItem* item : m_tree->selectedItems()) {
        const QTreeWidgetItem* top = item->parent() ? item->parent() : item;
        const int p = top->data(0, kPairRole).toInt();
        if (!rows.contains(p))
            rows.append(p);
    }
    std::sort(rows.begin(), rows.end());
    QList<ConflictPair> pairs;
    for (int p : rows)
        pairs.append(m_pairs.at(p));
    return pairs;
}

void frmConflicts::updateButtons()
{
    const QList<ConflictPair> pairs = selectedPairs();
    const bool anyOriginal =
        std::any_of(pairs.begin(), pairs.end(), [](const auto& pair) { return pair.Original; });
    m_cmdOriginal->setEnabled(anyOriginal);
    m_cmdCopy->setEnabled(!pairs.isEmpty());
    m_cmdBoth->setEnabled(anyOriginal);
}

void frmConflicts::Resolve(Keep keep)
{
    QList<ConflictPair> pairs = selectedPairs();
    // Without an original there is nothing to keep but the copy.
    if (keep != Keep::Copy)
        pairs.removeIf([](const ConflictPair& pair) { return !pair.Original; });
    if (pairs.isEmpty())
        return;
    FileOperations files(m_fileSystem, m_prompts, this, m_searchLinks);
    files.SetDeleteForGood(deleteForGood && deleteForGood());
    bool changed = false;
    {
        const FsStep step(m_fileSystem, QStringLiteral("Resolve Conflicts"));
        if (keep == Keep::Original) {
            QList<FileOperations::ListEntry> copies;
            for (const ConflictPair& pair : pairs)
                copies.append({pair.Copy.Path, pair.Copy.Name});
            changed = !files.ConfirmAndDelete(copies).isEmpty();
        } else if (keep == Keep::Copy) {
            changed = keepCopies(files, pairs);
        } else {
            for (const ConflictPair& pair : pairs) {
                const QString free = SyncConflicts::FreePathBeside(m_fileSystem, pair.OriginalPath);
                if (!files.RenameLink(pair.Copy.Path, FileSystemService::GetBaseName(free)))
                    break;
                changed = true;
            }
        }
    }
    if (!changed)
        return;
    Q_EMIT favoritesChanged();
    FindClick();
}

bool frmConflicts::keepCopies(FileOperations& files, const QList<ConflictPair>& pairs)
{
    // The originals go first, after one question; each copy then takes its original's name.
    QList<FileOperations::ListEntry> originals;
    for (const ConflictPair& pair : pairs) {
        if (pair.Original)
            originals.append({pair.OriginalPath, pair.Original->Name});
    }
    QStringList gone;
    if (!originals.isEmpty()) {
        gone = files.ConfirmAndDelete(originals);
        if (gone.isEmpty())
            return false;
    }
    bool changed = !gone.isEmpty();
    for (const ConflictPair& pair : pairs) {
        if (pair.Original && !gone.contains(pair.OriginalPath))
            continue;
        if (!files.RenameLink(pair.Copy.Path, FileSystemService::GetBaseName(pair.OriginalPath)))
            break;
        changed = true;
    }
    return changed;
}
