#include "health/frmDuplicates.h"

#include "editing/FileOperations.h"
#include "health/HealthText.h"
#include "platform/FsStep.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kGroupRole = Qt::UserRole;
constexpr int kCopyRole = Qt::UserRole + 1;

} // namespace

struct frmDuplicates::Search
{
    CollectProgress progress;
    QList<DuplicateGroup> groups;
};

frmDuplicates::frmDuplicates(const FileSystemService& fileSystem, Prompts& prompts,
                             const QString& root, SearchLinks* searchLinks, QWidget* parent)
    : QDialog(parent), m_fileSystem(fileSystem), m_prompts(prompts), m_root(root),
      m_searchLinks(searchLinks), m_clock(new QTimer(this))
{
    setObjectName(QStringLiteral("frmDuplicates"));
    setWindowTitle(QStringLiteral("Find Duplicates"));
    resize(820, 480);
    auto* layout = new QVBoxLayout(this);
    auto* options = new QHBoxLayout;
    m_chkSchemes = new QCheckBox(QStringLiteral("Treat http and https as one"), this);
    m_chkWww = new QCheckBox(QStringLiteral("Ignore \"www.\""), this);
    m_cmdFind = new QPushButton(QStringLiteral("&Find"), this);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    options->addWidget(m_chkSchemes);
    options->addWidget(m_chkWww);
    options->addStretch();
    options->addWidget(m_cmdFind);
    options->addWidget(m_cmdCancel);
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

    connect(m_cmdFind, &QPushButton::clicked, this, &frmDuplicates::FindClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmDuplicates::CancelClick);
    connect(m_clock, &QTimer::timeout, this, &frmDuplicates::showProgress);
    connect(m_cmdKeep, &QPushButton::clicked, this, &frmDuplicates::KeepClick);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &frmDuplicates::updateButtons);
    updateButtons();
}

frmDuplicates::~frmDuplicates()
{
    if (m_worker) {
        m_worker->disconnect(this);
        m_search->progress.Cancel = true;
        m_worker->wait();
        delete m_worker;
    }
}

void frmDuplicates::FindClick()
{
    if (m_worker)
        return;
    m_tree->clear();
    m_groups.clear();
    const AddressNormalizer::Options options{m_chkSchemes->isChecked(), m_chkWww->isChecked()};
    m_search = std::make_shared<Search>();
    // The worker gets its own copies and the shared state, never the window.
    m_worker =
        QThread::create([&fileSystem = m_fileSystem, root = m_root, options, search = m_search] {
            const QList<LinkFile> links = LinkFiles::Collect(fileSystem, root, &search->progress);
            search->groups =
                DuplicateFinder::Find(fileSystem, links, options, &search->progress.Cancel);
        });
    connect(m_worker, &QThread::finished, this, &frmDuplicates::searchEnded);
    m_clock->start(100);
    showProgress();
    updateButtons();
    m_worker->start();
}

void frmDuplicates::CancelClick()
{
    if (m_search)
        m_search->progress.Cancel = true;
}

void frmDuplicates::showProgress()
{
    if (m_search)
        m_lblCount->setText(QString::number(m_search->progress.Read) +
                            QStringLiteral(" links read"));
}

void frmDuplicates::searchEnded()
{
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    m_clock->stop();
    const bool cancelled = m_search->progress.Cancel;
    if (!cancelled)
        m_groups = std::move(m_search->groups);
    m_search.reset();
    fillTree();
    if (cancelled)
        m_lblCount->setText(QStringLiteral("Cancelled"));
    Q_EMIT searchDone();
}

QString frmDuplicates::CountText() const
{
    return m_lblCount->text();
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
    m_cmdKeep->setEnabled(!m_worker && !selected.isEmpty() && selected.first()->parent());
    m_cmdFind->setEnabled(!m_worker);
    m_cmdCancel->setEnabled(m_worker != nullptr);
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
