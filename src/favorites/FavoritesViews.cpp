#include "favorites/FavoritesViews.h"

#include "favorites/DateViews.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesListModel.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FolderTree.h"
#include "favorites/GroupedViews.h"
#include "favorites/StatusPanels.h"
#include "platform/BusyCursor.h"
#include "platform/FileSystemService.h"
#include "platform/Prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QStyle>
#include <QTreeWidget>

#include <algorithm>
#include <cerrno>

namespace {

// An empty list must not pass for an empty folder.
QString CannotRead(const QString& shown, const QString& reason, bool isRoot)
{
    return shown + QStringLiteral(": cannot be read (") + reason + u')' +
           (isRoot ? QStringLiteral(". Choose another folder with File > Browse For Favorites.")
                   : QString());
}

// Modified, accessed and created, kept as numbers until painted.
ListRow folderEntryRow(const QString& text, const QString& tag, const FsDetails& details)
{
    ListRow row{QString(), text, tag, {}};
    row.SortsFirst = tag.startsWith(u'*');
    row.Times = {details.Modified, details.Accessed, details.Created};
    row.TimeCount = 3;
    return row;
}

DateViews::DateKind dateKind(int view)
{
    return view == FavoritesViews::LastAccessed   ? DateViews::DateKind::Accessed
           : view == FavoritesViews::LastModified ? DateViews::DateKind::Modified
                                                  : DateViews::DateKind::Created;
}

} // namespace

QString FavoritesViews::ViewText(int index)
{
    static const char* const kTexts[] = {
        "Normal View",        "Phone Book View",    "Address Book View", "Single List View",
        "Last Accessed View", "Last Modified View", "Date Created View", "Search Results View"};
    return index >= 0 && index < ViewCount ? QString::fromLatin1(kTexts[index]) : QString();
}

FavoritesViews::FavoritesViews(FavoritesTree& tree, FavoritesList& list, StatusPanels& status,
                               QComboBox& cboFormat, const FileSystemService& fileSystem,
                               Prompts& prompts, QWidget* owner)
    : m_tree(tree), m_list(list), m_status(status), m_cboFormat(cboFormat),
      m_fileSystem(fileSystem), m_prompts(prompts), m_owner(owner)
{
    // Once the user sizes a column, the widths are his.
    QObject::connect(m_list.Widget()->header(), &QHeaderView::sectionResized, m_list.Widget(),
                     [this] {
                         if (!m_fitting)
                             m_columnsFitted = false;
                     });
}

QList<int> FavoritesViews::NormalColumnWidths(int width, int dateWidth)
{
    // A list too narrow for whole dates still shows all four columns, the dates cut short.
    const int name = std::max(width - 3 * dateWidth, width / 5);
    const int date = std::min(dateWidth, (width - name) / 3);
    return {width - 3 * date, date, date, date};
}

int FavoritesViews::dateColumnWidth() const
{
    const QTreeView* view = m_list.Widget();
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (const int hour : {5, 17}) {
        const QDateTime sample(QDate(2004, 9, 24), QTime(hour, 38, 14));
        widest = std::max(widest, metrics.horizontalAdvance(
                                      FavoritesListModel::TimeText(sample.toMSecsSinceEpoch())));
    }
    // The cell's margins, and a little air so no date ends in "...".
    widest += 2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) +
              metrics.averageCharWidth();
    for (int column = 1; column < 4; ++column)
        widest = std::max(widest, view->header()->sectionSizeHint(column));
    return widest;
}

void FavoritesViews::FitNormalColumns()
{
    if (!m_columnsFitted || CurrentView() != Normal)
        return;
    QTreeView* view = m_list.Widget();
    // Room for a vertical scroll bar is kept, so a long folder needs no horizontal one.
    const int width = view->width() - 2 * view->frameWidth() -
                      view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    const QList<int> widths = NormalColumnWidths(width, dateColumnWidth());
    m_fitting = true;
    for (int column = 0; column < widths.size(); ++column)
        view->setColumnWidth(column, widths.at(column));
    m_fitting = false;
}

std::int16_t FavoritesViews::CurrentView() const
{
    return static_cast<std::int16_t>(m_cboFormat.currentIndex());
}

void FavoritesViews::SelectView(int index)
{
    if (index == CurrentView())
        return;
    m_expansion.SetLastView(CurrentView());
    m_cboFormat.setCurrentIndex(index);
    RefreshView();
    ShowItemCount();
}

void FavoritesViews::RefreshView()
{
    m_tree.Widget()->setEnabled(true);
    {
        BusyCursor busy;
        switch (CurrentView()) {
        case Normal:
            BuildNormalView();
            break;
        case PhoneBook:
            BuildPhoneBookView();
            break;
        case AddressBook:
            BuildAddressBookView();
            break;
        case SingleList:
            BuildSingleListView();
            break;
        case LastAccessed:
        case LastModified:
        case DateCreated:
            BuildDateView(CurrentView());
            break;
        case SearchResults:
            if (m_buildSearchResults) {
                m_buildSearchResults();
                break;
            }
            [[fallthrough]];
        default:
            m_prompts.MsgBox(m_owner, QStringLiteral("Option not available."), Prompts::Buttons::Ok,
                             Prompts::Icon::None, QStringLiteral("Tavoro"));
            break;
        }
    }
    m_status.SetText(3, m_cboFormat.currentText());
}

void FavoritesViews::BuildNormalView()
{
    m_list.Clear();
    m_list.ClearColumns();
    for (const char* caption : {"Link Name", "Last Modified", "Last Accessed", "Date Created"})
        m_list.AddColumn(QString::fromLatin1(caption), 0);
    m_columnsFitted = true;
    FitNormalColumns();

    m_expansion.SaveExpandedNodes(m_tree, CurrentView());
    addRoot(ViewText(Normal), m_favoritesRoot);
    FolderTree::BuildFolderTree(m_tree, QStringLiteral("r"), m_fileSystem, m_favoritesRoot);
    m_expansion.RestoreExpandedNodes(m_tree);

    // A folder gone since (moved or deleted by another program) leaves its nearest parent
    // selected.
    QTreeWidgetItem* selected = m_tree.FindNodeByTag(m_selectionKey);
    for (QString folder = m_selectionKey; !selected && folder.size() > m_favoritesRoot.size() &&
                                          FileSystemService::IsInside(folder, m_favoritesRoot);) {
        folder = FileSystemService::ParentFolder(folder);
        selected = m_tree.FindNodeByTag(folder);
    }
    ReselectNode(selected);
    ShowItemCount();
    m_status.SetText(1, m_fileSystem.FolderExists(m_favoritesRoot)
                            ? QString()
                            : CannotRead(m_favoritesRoot,
                                         FileSystemService::ErrorDescription(ENOENT, true), true));
}

void FavoritesViews::addRoot(const QString& text, const QString& tag)
{
    m_tree.Clear();
    m_tree.AddRoot(text, tag, QStringLiteral("Favorites"));
}

void FavoritesViews::BuildPhoneBookView()
{
    buildGroupedView(PhoneBook);
}

void FavoritesViews::BuildAddressBookView()
{
    buildGroupedView(AddressBook);
}

void FavoritesViews::buildGroupedView(int view)
{
    m_list.Clear();
    m_list.ClearColumns();
    GroupedViews::AddColumns(m_list);
    if (QTreeWidgetItem* selected = m_tree.SelectedItem())
        m_selectionKey = FavoritesTree::FullPath(selected);
    m_expansion.SaveExpandedNodes(m_tree, CurrentView());
    addRoot(ViewText(view), QString());
    GroupedViews::BuildGroupTree(m_tree, m_fileSystem, m_favoritesRoot,
                                 view == PhoneBook ? GroupedViews::GroupRule::PhoneBook
                                                   : GroupedViews::GroupRule::AddressBook);
    m_expansion.RestoreExpandedNodes(m_tree);
    ReselectNode(m_tree.FindNodeByPath(m_selectionKey));
    m_list.SetSort(0, 0, true);
    ShowItemCount();
    m_status.SetText(1, QString());
}

void FavoritesViews::BuildSingleListView()
{
    m_list.Clear();
    m_list.ClearColumns();
    GroupedViews::AddColumns(m_list);
    addRoot(m_cboFormat.currentText(), QString());
    m_tree.Widget()->setEnabled(false);
    m_list.SetSort(0, 0, true); // before the rows arrive, so they are sorted once
    const QString lastFolder = GroupedViews::ListAllLinks(m_list, m_fileSystem, m_favoritesRoot);
    if (!lastFolder.isEmpty())
        m_selectionKey = lastFolder;
    ShowItemCount();
    m_status.SetText(1, QString());
}

void FavoritesViews::BuildDateView(int view)
{
    m_list.Clear();
    m_list.ClearColumns();
    DateViews::AddColumns(m_list);
    addRoot(m_cboFormat.currentText(), QString());
    DateViews::BuildDateTree(m_tree, m_fileSystem, m_favoritesRoot, dateKind(view));
    m_tree.Root()->setExpanded(true);
    m_tree.ReverseChildren(m_tree.Root());
    QTreeWidgetItem* day = m_tree.FindNodeByText(m_selectionKey);
    m_tree.Select(day);
    m_list.SetSort(1, 1, true);
    NodeClick(day);
    ShowItemCount();
    m_status.SetText(1, QString());
}

void FavoritesViews::ReselectNode(QTreeWidgetItem* node)
{
    if (!node) {
        node = m_tree.Root();
        FavoritesTree::SetExpanded(node, true);
    } else {
        for (QTreeWidgetItem* n = node; n; n = n->parent())
            n->setExpanded(true);
    }
    m_tree.Select(node);
    NodeClick(node);
}

void FavoritesViews::NodeClick(QTreeWidgetItem* node)
{
    if (!node)
        return;
    BusyCursor busy;
    switch (CurrentView()) {
    case Normal: {
        FolderTree::MarkOpenNode(m_tree, node);
        const QString rootText = FavoritesTree::Text(m_tree.Root());
        const QString problem =
            ListFolder(m_favoritesRoot + FavoritesTree::FullPath(node).mid(rootText.size()));
        ShowItemCount();
        const QString shown = FolderTree::DisplayPath(m_favoritesRoot, FavoritesTree::Tag(node));
        m_status.SetText(1, problem.isEmpty()
                                ? shown
                                : CannotRead(node == m_tree.Root() ? m_favoritesRoot : shown,
                                             problem, node == m_tree.Root()));
        break;
    }
    case PhoneBook:
    case AddressBook:
        FolderTree::MarkOpenNode(m_tree, node);
        m_selectionKey = FavoritesTree::FullPath(node);
        GroupedViews::ListFolderName(m_list, m_fileSystem, m_favoritesRoot,
                                     FavoritesTree::Text(node));
        ShowItemCount();
        m_status.SetText(1, FolderTree::DisplayPath(m_favoritesRoot, FavoritesTree::Tag(node)));
        break;
    case SingleList:
        BuildSingleListView();
        break;
    case LastAccessed:
    case LastModified:
    case DateCreated:
        FolderTree::MarkOpenNode(m_tree, node);
        m_selectionKey = FavoritesTree::Text(node);
        DateViews::ListDate(m_list, m_fileSystem, m_favoritesRoot, FavoritesTree::Text(node),
                            dateKind(CurrentView()));
        ShowItemCount();
        break;
    default:
        break;
    }
}

QString FavoritesViews::ListFolder(const QString& folderPath)
{
    m_list.Clear();
    if (!m_fileSystem.FolderExists(folderPath))
        return FileSystemService::ErrorDescription(ENOENT, true);
    m_selectionKey = folderPath;
    FolderContents contents;
    try {
        contents = m_fileSystem.Contents(folderPath);
    } catch (const FileSystemError& error) {
        return error.Description();
    }
    QList<ListRow> rows;
    rows.reserve(contents.SubFolders.size() + contents.Files.size());
    for (const FsEntry& folder : contents.SubFolders) {
        rows.append(folderEntryRow(FileSystemService::GetBaseName(folder.Name), u'*' + folder.Path,
                                   folder.Details));
    }
    for (const FsEntry& file : contents.Files) {
        rows.append(
            folderEntryRow(FileSystemService::GetBaseName(file.Name), file.Path, file.Details));
    }
    m_list.AddRows(std::move(rows));
    return {};
}

void FavoritesViews::ShowItemCount()
{
    m_status.SetText(2, StatusPanels::ItemCountText(m_list.Count()));
}
