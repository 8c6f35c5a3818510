#include "health/frmDuplicates.h"

#include "editing/FileOperations.h"
#include "health/HealthText.h"
#include "platform/BusyCursor.h"
#include "platform/FsStep.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kGroupRole = Qt::UserRole;
constexpr int kCopyRole = Qt::UserRole + 1;

} // namespace

frmDuplicates::frmDuplicates(const FileSystemService& fileSystem, Prompts& prompts,
                             const QString& root, SearchLinks* searchLinks, QWidget* parent)
    : QDialog(parent), m_fileSystem(fileSystem), m_prompts(prompts), m_root(root),
      m_searchLinks(searchLinks)
{
    setObjectName(QStringLiteral("frmDuplicates"));
    setWindowTitle(QStringLiteral("Find Duplicates"));
    resize(820, 480);
    auto* layout = new QVBoxLayout(this);
    auto* options = new QHBoxLayout;
    m_chkSchemes = new QCheckBox(QStringLiteral("Treat http and https as one"), this);
    m_chkWww = new QCheckBox(QStringLiteral("Ignore \"www.\""), this);
    auto* cmdFind = new QPushButton(QStringLiteral("&Find"), this);
    options->addWidget(m_chkSchemes);
    options->addWidget(m_chkWww);
    options->addStretch();
    options->addWidget(cmdFind);
    layout->addLayout(options);

    m_tree = new QTreeWidget(this);
    m_tree->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Folder"),
                             QStringLiteral("Address"), QStringLiteral("Modified"),
                             QStringLiteral("Created")});
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->header()->setSectionResizeMode(QHeaderView::Interactive);
    m_tree->setColumnWidth(0, 200);
    m_tree->setColumnWidth(1, 160);
    m_tree->setColumnWidth(2, 240);
    layout->addWidget(m_tree);

    auto* buttons = new QHBoxLayout;
    m_lblCount = new QLabel(this);
    m_cmdKeep = new QPushButton(QStringLiteral("&Keep This, Delete Others"), this);
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    buttons->addWidget(m_lblCount);
    buttons->addStretch();
    buttons->addWidget(m_cmdKeep);
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);

    connect(cmdFind, &QPushButton::clicked, this, &frmDuplicates::FindClick);
    connect(m_cmdKeep, &QPushButton::clicked, this, &frmDuplicates::KeepClick);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &frmDuplicates::updateButtons);
    updateButtons();
}

void frmDuplicates::FindClick()
{
    const AddressNormalizer::Options options{m_chkSchemes->isChecked(), m_chkWww->isChecked()};
    BusyCursor busy;
    m_groups =
        DuplicateFinder::Find(m_fileSystem, LinkFiles::Collect(m_fileSystem, m_root), options);
    fillTree();
}

void frmDuplicates::fillTree()
{
    m_tree->clear();
    qsizetype copies = 0;
    for (int g = 0; g < m_groups.size(); ++g) {
        const DuplicateGroup& group = m_groups.at(g);
        auto* top = new QTreeWidgetItem(m_tree);
        top->setText(0, group.Identical ? QStringLiteral("Identical files")
                                        : QStringLiteral("Same address"));
        top->setText(2, group.Key);
        top->setFlags(Qt::ItemIsEnabled);
        for (int c = 0; c < group.Copies.size(); ++c) {
            const LinkFile& link = group.Copies.at(c);
            auto* row = new QTreeWidgetItem(
                top, {link.Name, HealthText::ShownFolder(link.Folder, m_root), link.Address,
                      HealthText::ShownDate(link.Modified), HealthText::ShownDate(link.Created)});
            row->setData(0, kGroupRole, g);
            row->setData(0, kCopyRole, c);
            row->setToolTip(0, link.Path);
        }
        copies += group.Copies.size();
    }
    m_tree->expandAll();
    m_lblCount->setText(QString::number(m_groups.size()) + QStringLiteral(" groups, ") +
                        QString::number(copies) + QStringLiteral(" links"));
    updateButtons();
}

void frmDuplicates::updateButtons()
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    m_cmdKeep->setEnabled(!selected.isEmpty() && selected.first()->parent());
}

void frmDuplicates::KeepClick()
{
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty() || !selected.first()->parent())
        return;
    const int g = selected.first()->data(0, kGroupRole).toInt();
    const int keep = selected.first()->data(0, kCopyRole).toInt();
    QList<FileOperations::ListEntry> others;
    const QList<LinkFile>& copies = m_groups.at(g).Copies;
    for (int c = 0; c < copies.size(); ++c) {
        if (c != keep)
            others.append({copies.at(c).Path, copies.at(c).Name});
    }
    FileOperations files(m_fileSystem, m_prompts, this, m_searchLinks);
    files.SetDeleteForGood(deleteForGood && deleteForGood());
    {
        const FsStep step(m_fileSystem, QStringLiteral("Delete"));
        if (files.ConfirmAndDelete(others).isEmpty())
            return;
    }
    Q_EMIT favoritesChanged();
    FindClick();
}
