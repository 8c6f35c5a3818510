#include "health/frmCheckLinks.h"

#include "core/AppInfo.h"
#include "editing/FileOperations.h"
#include "health/HealthText.h"
#include "health/LinkChecker.h"
#include "health/ShortcutRewriter.h"
#include "platform/FileSystemService.h"
#include "platform/FsStep.h"
#include "platform/Prompts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using State = CheckResult::State;
constexpr int kStateCount = int(State::Skipped) + 1;
constexpr int kPathRole = Qt::UserRole;
constexpr int kNewAddressRole = Qt::UserRole + 1;
enum Column
{
    ColName,
    ColFolder,
    ColAddress,
    ColStatus,
    ColReason
};

// Groups keep their order whichever column the rows are sorted by.
class RowItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        if (!parent())
            return data(0, kPathRole).toInt() < other.data(0, kPathRole).toInt();
        return QTreeWidgetItem::operator<(other);
    }
};

} // namespace

frmCheckLinks::frmCheckLinks(const FileSystemService& fileSystem, Prompts& prompts,
                             const QString& root, SearchLinks* searchLinks, QWidget* parent)
    : QDialog(parent), m_fileSystem(fileSystem), m_prompts(prompts), m_root(root),
      m_searchLinks(searchLinks), m_checker(new LinkChecker(this)), m_clock(new QTimer(this))
{
    setObjectName(QStringLiteral("frmCheckLinks"));
    setWindowTitle(QStringLiteral("Check Links"));
    resize(860, 520);
    auto* layout = new QVBoxLayout(this);
    auto* progressRow = new QHBoxLayout;
    m_progress = new QProgressBar(this);
    m_lblElapsed = new QLabel(this);
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_lblElapsed);
    progressRow->addWidget(m_cmdCancel);
    layout->addLayout(progressRow);
    m_lblCounts = new QLabel(this);
    layout->addWidget(m_lblCounts);

    m_tree = new QTreeWidget(this);
    m_tree->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Folder"),
                             QStringLiteral("Address"), QStringLiteral("Status"),
                             QStringLiteral("Reason")});
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->setColumnWidth(ColName, 200);
    m_tree->setColumnWidth(ColFolder, 140);
    m_tree->setColumnWidth(ColAddress, 240);
    for (int s = 0; s < kStateCount; ++s) {
        auto* group = new RowItem(m_tree, {CheckResult::StateName(State(s))});
        group->setData(0, kPathRole, s);
        group->setFlags(Qt::ItemIsEnabled);
        group->setFirstColumnSpanned(true);
    }
    m_tree->setSortingEnabled(true);
    m_tree->sortByColumn(ColName, Qt::AscendingOrder);
    layout->addWidget(m_tree);

    auto* buttons = new QHBoxLayout;
    m_cmdUpdate = new QPushButton(QStringLiteral("&Update Address"), this);
    m_cmdDelete = new QPushButton(QStringLiteral("&Delete"), this);
    m_cmdSelect = new QPushButton(QStringLiteral("&Select in Favorites"), this);
    auto* cmdClose = new QPushButton(QStringLiteral("Close"), this);
    for (QPushButton* b : {m_cmdUpdate, m_cmdDelete, m_cmdSelect})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    layout->addLayout(buttons);

    connect(m_cmdCancel, &QPushButton::clicked, this, &frmCheckLinks::CancelClick);
    connect(m_cmdUpdate, &QPushButton::clicked, this, &frmCheckLinks::UpdateAddressClick);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmCheckLinks::DeleteClick);
    connect(m_cmdSelect, &QPushButton::clicked, this, &frmCheckLinks::SelectClick);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &frmCheckLinks::updateButtons);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item->parent())
            Q_EMIT openRequested(item->data(0, kPathRole).toString());
    });
    connect(m_checker, &LinkChecker::checked, this, &frmCheckLinks::addResult);
    connect(m_checker, &LinkChecker::finished, this, &frmCheckLinks::finish);
    connect(m_clock, &QTimer::timeout, this, &frmCheckLinks::showProgress);
    updateButtons();
}

frmCheckLinks::~frmCheckLinks()
{
    if (m_collector) {
        m_collector->disconnect(this);
        m_collected->Cancel = true;
        m_collector->wait();
        delete m_collector;
    }
    m_checker->disconnect(this);
    m_checker->Cancel();
    m_cache.Save();
}

QTreeWidgetItem* frmCheckLinks::Group(CheckResult::State state) const
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (m_tree->topLevelItem(i)->data(0, kPathRole).toInt() == int(state))
            return m_tree->topLevelItem(i);
    }
    return nullptr;
}

void frmCheckLinks::Start()
{
    m_cache.Load();
    m_cancelled = false;
    m_elapsed.start();
    m_clock->start(250);
    m_cmdCancel->setEnabled(true);
    m_progress->setRange(0, 0);
    auto links = std::make_shared<QList<LinkFile>>();
    m_collected = std::make_shared<CollectProgress>();
    m_collector = QThread::create([&fileSystem = m_fileSystem, root = m_root, items = m_items,
                                   progress = m_collected, links] {
        *links = items.isEmpty() ? LinkFiles::Collect(fileSystem, root, progress.get())
                                 : LinkFiles::Collect(fileSystem, items, progress.get());
    });
    connect(m_collector, &QThread::finished, this, [this, links] {
        m_collector->wait();
        delete m_collector;
        m_collector = nullptr;
        if (m_cancelled)
            finish();
        else
            startChecks(*links);
    });
    m_collector->start();
}

void frmCheckLinks::startChecks(const QList<LinkFile>& links)
{
    m_byAddress.clear();
    for (const LinkFile& link : links)
        m_byAddress[link.Address].append(link);
    m_total = int(links.size());
    m_done = 0;
    m_progress->setRange(0, qMax(1, m_total));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QStringList toCheck;
    for (auto it = m_byAddress.cbegin(); it != m_byAddress.cend(); ++it) {
        if (const auto known = m_cache.Fresh(it.key(), now, m_skipDays))
            addResult(it.key(), *known);
        else
            toCheck.append(it.key());
    }
    m_checker->Start(toCheck);
    showProgress();
}

void frmCheckLinks::addResult(const QString& address, const CheckResult& result)
{
    if (result.Status != State::Skipped)
        m_cache.Put(address, result);
    QTreeWidgetItem* group = Group(result.Status);
    for (const LinkFile& link : m_byAddress.value(address)) {
        auto* row = new RowItem(group, {link.Name, HealthText::ShownFolder(link.Folder, m_root),
                                        link.Address, CheckResult::StateName(result.Status),
                                        result.Reason});
        row->setData(0, kPathRole, link.Path);
        row->setData(0, kNewAddressRole, result.NewAddress);
        row->setToolTip(ColReason, HealthText::ShownDate(result.Checked));
        ++m_done;
    }
    group->setExpanded(true);
    group->setText(0, CheckResult::StateName(result.Status) + QStringLiteral(" (") +
                          QString::number(group->childCount()) + u')');
}

QString frmCheckLinks::CountsText() const
{
    QStringList parts;
    for (int s = 0; s < kStateCount; ++s)
        parts.append(CheckResult::StateName(State(s)) + QStringLiteral(": ") +
                     QString::number(Group(State(s))->childCount()));
    return QString::number(m_done) + QStringLiteral(" of ") + QString::number(m_total) +
           QStringLiteral(" checked. ") + parts.join(QStringLiteral(", "));
}

void frmCheckLinks::showProgress()
{
    m_progress->setValue(m_done);
    m_lblCounts->setText(m_collector
                             ? QString::number(m_collected->Read) + QStringLiteral(" links read")
                             : CountsText());
    const qint64 seconds = m_elapsed.isValid() ? m_elapsed.elapsed() / 1000 : 0;
    m_lblElapsed->setText(
        QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0')));
}

void frmCheckLinks::finish()
{
    m_clock->stop();
    m_cmdCancel->setEnabled(false);
    showProgress();
    m_cache.Save();
}

void frmCheckLinks::CancelClick()
{
    m_cancelled = true;
    if (m_collected)
        m_collected->Cancel = true;
    m_checker->Cancel();
}

QList<QTreeWidgetItem*> frmCheckLinks::selectedRows() const
{
    QList<QTreeWidgetItem*> rows;
    for (QTreeWidgetItem* item : m_tree->selectedItems()) {
        if (item->parent())
            rows.append(item);
    }
    return rows;
}

void frmCheckLinks::updateButtons()
{
    const QList<QTreeWidgetItem*> rows = selectedRows();
    m_cmdDelete->setEnabled(!rows.isEmpty());
    m_cmdSelect->setEnabled(rows.size() == 1);
    m_cmdUpdate->setEnabled(std::any_of(rows.cbegin(), rows.cend(), [](QTreeWidgetItem* row) {
        return !row->data(0, kNewAddressRole).toString().isEmpty();
    }));
}

void frmCheckLinks::UpdateAddressClick()
{
    QList<QTreeWidgetItem*> moved;
    for (QTreeWidgetItem* row : selectedRows()) {
        if (!row->data(0, kNewAddressRole).toString().isEmpty())
            moved.append(row);
    }
    if (moved.isEmpty())
        return;
    const QString question =
        moved.size() == 1
            ? QStringLiteral("Change the address of ") + moved.first()->text(ColName) +
                  QStringLiteral(" to ") + moved.first()->data(0, kNewAddressRole).toString() + u'?'
            : QStringLiteral("Change the addresses of these ") + QString::number(moved.size()) +
                  QStringLiteral(" links to their new addresses?");
    if (m_prompts.MsgBox(this, question, Prompts::Buttons::YesNo, Prompts::Icon::Question,
                         AppInfo::ProductName, Prompts::Answer::No) != Prompts::Answer::Yes)
        return;
    const FsStep step(m_fileSystem, QStringLiteral("Update Address"));
    for (QTreeWidgetItem* row : moved) {
        const QString newAddress = row->data(0, kNewAddressRole).toString();
        const QString error = ShortcutRewriter::ReplaceUrl(
            m_fileSystem, row->data(0, kPathRole).toString(), newAddress);
        if (!error.isEmpty()) {
            m_prompts.Warn(this,
                           QStringLiteral("Unable to update the address of ") + row->text(ColName) +
                               QStringLiteral(".\n\n") + error,
                           AppInfo::ProductName);
            break;
        }
        row->setText(ColAddress, newAddress);
        row->setText(ColReason, QStringLiteral("Address updated"));
        row->setData(0, kNewAddressRole, QString());
    }
    updateButtons();
}

void frmCheckLinks::DeleteClick()
{
    const QList<QTreeWidgetItem*> rows = selectedRows();
    QList<FileOperations::ListEntry> entries;
    for (const QTreeWidgetItem* row : rows)
        entries.append({row->data(0, kPathRole).toString(), row->text(ColName)});
    FileOperations files(m_fileSystem, m_prompts, this, m_searchLinks);
    files.SetDeleteForGood(deleteForGood && deleteForGood());
    const FsStep step(m_fileSystem, QStringLiteral("Delete"));
    const QStringList deleted = files.ConfirmAndDelete(entries);
    if (deleted.isEmpty())
        return;
    for (QTreeWidgetItem* row : rows) {
        if (deleted.contains(row->data(0, kPathRole).toString()))
            delete row;
    }
    Q_EMIT favoritesChanged();
}

void frmCheckLinks::SelectClick()
{
    const QList<QTreeWidgetItem*> rows = selectedRows();
    if (rows.size() == 1)
        Q_EMIT selectRequested(
            FileSystemService::ParentFolder(rows.first()->data(0, kPathRole).toString()));
}
