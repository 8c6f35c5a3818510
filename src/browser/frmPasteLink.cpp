#include "browser/frmPasteLink.h"

#include "browser/clsIEList.h"
#include "core/AppInfo.h"
#include "core/Help.h"
#include "core/HelpTopics.h"
#include "editing/LinkDrop.h"
#include "editing/PathUtils.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/ShortcutFile.h"
#include "platform/FsStep.h"
#include "platform/Prompts.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

void frmPasteLink::AddLink(const Context& context)
{
    const auto warn = [&](const QString& text) {
        context.panes.prompts.Warn(context.panes.owner, text, AppInfo::AppTitle);
    };
    if (context.panes.views.CurrentView() != FavoritesViews::Normal) {
        warn(QStringLiteral("Add Link is only available in Normal View."));
        return;
    }
    QString folder;
    const QModelIndex entry = context.panes.list.SelectedItem();
    if (context.activePane == QLatin1String("L") && FavoritesList::IsFolder(entry))
        folder = FavoritesList::Tag(entry).mid(1);
    else if (QTreeWidgetItem* node = context.panes.tree.SelectedItem())
        folder = FavoritesTree::Tag(node);
    if (folder.isEmpty()) {
        warn(QStringLiteral("No Folder was selected to Add Link."));
        return;
    }
    context.ieList.Refresh();
    if (context.ieList.Count() == 0) {
        warn(QStringLiteral("No Instances of Internet Explorer are running."));
        return;
    }

    frmPasteLink dialog(context.ieList, context.panes.prompts, context.panes.views.FileSystem(),
                        context.panes.views.FavoritesRoot(), context.panes.owner);
    dialog.SetPasteFolder(folder);
    context.help.Serve(dialog);
    if (dialog.Load())
        context.panes.prompts.ShowModal(dialog);
    QTreeWidgetItem* node = context.panes.tree.SelectedItem();
    if (node && dialog.IsSaved())
        context.panes.views.NodeClick(node);
}

frmPasteLink::frmPasteLink(clsIEList& ieList, Prompts& prompts, const FileSystemService& fileSystem,
                           QString favoritesRoot, QWidget* parent)
    : QDialog(parent), m_ieList(ieList), m_prompts(prompts), m_fileSystem(fileSystem),
      m_favoritesRoot(std::move(favoritesRoot)), m_lvwPasteLink(new QTreeWidget(this)),
      m_txtTitle(new QLineEdit(this)), m_cmdPasteLink(new QPushButton(tr("Add Link"), this)),
      m_cmdCancel(new QPushButton(tr("Cancel"), this)), m_cmdHelp(new QPushButton(tr("Help"), this))
{
    setWindowTitle(tr("Add Link"));
    m_lvwPasteLink->setRootIsDecorated(false);
    m_lvwPasteLink->setHeaderLabels({tr("Title"), tr("Link")});
    m_lvwPasteLink->header()->setSectionsClickable(true);
    m_lvwPasteLink->header()->setStretchLastSection(false);
    m_txtTitle->installEventFilter(this);
    // The columns share out the list's width as it is once laid out, not before.
    m_lvwPasteLink->viewport()->installEventFilter(this);
    // Only a real browser's address is typed in, and only in its own column.
    m_lvwPasteLink->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {m_cmdPasteLink, m_cmdCancel, m_cmdHelp})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lvwPasteLink);
    layout->addWidget(new QLabel(tr("Title:"), this));
    layout->addWidget(m_txtTitle);
    layout->addLayout(buttons);
    m_cmdPasteLink->setDefault(true);
    resize(560, 300);

    connect(m_lvwPasteLink, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* row) { m_txtTitle->setText(row->text(0)); });
    connect(m_lvwPasteLink, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* row, int column) {
                if (column == 1 && (row->flags() & Qt::ItemIsEditable))
                    m_lvwPasteLink->editItem(row, 1);
            });
    connect(m_lvwPasteLink->header(), &QHeaderView::sectionClicked, this,
            &frmPasteLink::headerClicked);
    connect(m_cmdPasteLink, &QPushButton::clicked, this, &frmPasteLink::cmdPasteLinkClick);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdHelp, &QPushButton::clicked, this,
            [this] { Q_EMIT helpRequested(HelpTopics::AddLink); });
}

bool frmPasteLink::Load()
{
    m_lvwPasteLink->clear();
    m_ieList.Refresh();
    // A real browser's address bar cannot be read: the clipboard often holds the address.
    const QString copied = LinkDrop::AddressInText(QGuiApplication::clipboard()->text());
    for (int i = 1; i <= m_ieList.Count(); ++i) {
        auto* row = new QTreeWidgetItem(m_lvwPasteLink);
        row->setText(0, clsIEList::CleanCaption(m_ieList.ItemCaption(i)));
        row->setToolTip(0, row->text(0));
        row->setText(1, m_ieList.ItemURL(i));
        if (m_ieList.IsRealBrowser(i)) {
            row->setText(1, copied);
            row->setFlags(row->flags() | Qt::ItemIsEditable);
        }
    }
    QString below = m_pasteFolder;
    below.remove(m_favoritesRoot);
    if (below.isEmpty())
        below = QStringLiteral("/");
    setWindowTitle(tr("Add Link to '%1'").arg(below));
    sizeColumns();

    if (m_lvwPasteLink->topLevelItemCount() == 0)
        return false;
    m_lvwPasteLink->setCurrentItem(m_lvwPasteLink->topLevelItem(0));
    m_txtTitle->setText(m_lvwPasteLink->topLevelItem(0)->text(0));
    return true;
}

void frmPasteLink::cmdPasteLinkClick()
{
    const QString title = clsIEList::CleanCaption(m_txtTitle->text());
    QTreeWidgetItem* row = m_lvwPasteLink->currentItem();
    if (title.isEmpty() || !row)
        return;
    if (row->text(1).trimmed().isEmpty() && (row->flags() & Qt::ItemIsEditable)) {
        // Nothing to write yet: the address is for the user to paste or type.
        m_lvwPasteLink->editItem(row, 1);
        return;
    }
    const QString path = AddBackslash(m_pasteFolder) + title + QStringLiteral(".url");
    const FsStep step(m_fileSystem, QStringLiteral("Add Link"));
    if (ShortcutFile::WriteShortcut(m_fileSystem, m_prompts, this, row->text(1), path)) {
        m_isSaved = true;
        accept();
    }
}

void frmPasteLink::headerClicked(int column)
{
    if (column == m_sortColumn) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_sortColumn = column;
        m_sortOrder = Qt::AscendingOrder;
    }
    m_lvwPasteLink->sortItems(m_sortColumn, m_sortOrder);
    m_lvwPasteLink->header()->setSortIndicatorShown(true);
    m_lvwPasteLink->header()->setSortIndicator(m_sortColumn, m_sortOrder);
}

void frmPasteLink::sizeColumns()
{
    const int width = m_lvwPasteLink->viewport()->width();
    m_lvwPasteLink->setColumnWidth(0, width / 2);
    m_lvwPasteLink->setColumnWidth(1, width * 45 / 100);
}

bool frmPasteLink::eventFilter(QObject* watched, QEvent* event)
{
    // The whole title is selected on entry, so typing replaces it.
    if (watched == m_txtTitle && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_txtTitle, &QLineEdit::selectAll);
    if (watched == m_lvwPasteLink->viewport() && event->type() == QEvent::Resize)
        sizeColumns();
    return QDialog::eventFilter(watched, event);
}
