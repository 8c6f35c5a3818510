// Times the Favorites views' hot paths against a raw walk of the same folders, measured
// in the same run, so the figures compare across machines and disks.

#include "ExchangeBench.h"
#include "HealthBench.h"
#include "Measure.h"
#include "SettingsLoad.h"
#include "TreeGenerator.h"

#include "favorites/FavoritesList.h"
#include "favorites/FavoritesListView.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesTreeWidget.h"
#include "favorites/FavoritesViews.h"
#include "favorites/IconSet.h"
#include "favorites/LiveUpdates.h"
#include "favorites/SearchFolder.h"
#include "favorites/SearchLinks.h"
#include "favorites/StatusPanels.h"
#include "platform/Clock.h"
#include "platform/FileSystemService.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QMainWindow>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kRuns = 3;
constexpr int kFlatLinks = 5000;
// Bumped whenever the generator changes, so kept trees of an older shape are remade.
constexpr char kGeneratorVersion[] = "2";

// The view objects, made and wired as the main window makes them, in a shown window so
// the widgets do the work they do for a user.
class Views
{
public:
    Views()
    {
        window.resize(800, 600);
        auto* client = new QWidget(&window);
        window.setCentralWidget(client);

        treeWidget = new FavoritesTreeWidget(client);
        treeWidget->setGeometry(0, 0, 250, 560);

        listWidget = new FavoritesListView(client);
        listWidget->setRootIsDecorated(false);
        listWidget->setUniformRowHeights(true);
        listWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
        listWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
        listWidget->header()->setSectionsClickable(true);
        listWidget->header()->setStretchLastSection(false);
        listWidget->setGeometry(256, 0, 500, 560);

        auto* hidden = new QFrame(client);
        hidden->hide();
        cboFormat = new QComboBox(hidden);

        status = std::make_unique<StatusPanels>(window.statusBar());
        tree = std::make_unique<FavoritesTree>(treeWidget, icons);
        list = std::make_unique<FavoritesList>(listWidget, icons);
        views = std::make_unique<FavoritesViews>(*tree, *list, *status, *cboFormat, fileSystem,
                                                 prompts, &window);

        for (int i = 0; i < FavoritesViews::ViewCount; ++i)
            cboFormat->addItem(FavoritesViews::ViewText(i));
        cboFormat->setCurrentIndex(FavoritesViews::Normal);
        window.show();
    }

    IconSet icons = IconSet::Panes();
    FileSystemService fileSystem;
    ScriptedPrompts prompts;
    QMainWindow window;
    FavoritesTreeWidget* treeWidget = nullptr;
    FavoritesListView* listWidget = nullptr;
    QComboBox* cboFormat = nullptr;
    std::unique_ptr<StatusPanels> status;
    std::unique_ptr<FavoritesTree> tree;
    std::unique_ptr<FavoritesList> list;
    std::unique_ptr<FavoritesViews> views;
};

// Lets deferred layouts, paints and deletions happen outside the timed part.
void Settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// One warm-up, then the best of kRuns; prepare runs untimed before each.
double WarmBest(const std::function<void()>& prepare, const std::function<void()>& work)
{
    prepare();
    work();
    return BestOf(kRuns, prepare, work);
}

class Table
{
public:
    void Base(const char* name, int links, int folders, double ms)
    {
        m_base = ms;
        Row(name, links, folders, ms);
    }
    void Row(const char* name, int links, int folders, double ms)
    {
        PrintRow(name, links, folders, ms, m_base);
    }
    void Gap()
    {
        std::printf("\n");
        std::fflush(stdout);
    }

private:
    double m_base = 1;
};

void Warn(const QString& text)
{
    std::fprintf(stderr, "warning: %s\n", qPrintable(text));
}

// A "VmHWM:" style line of /proc/self/status, in MB; negative when unreadable.
double StatusMegabytes(const char* field)
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(prefix)) {
            const QList<QByteArray> parts = line.mid(prefix.size()).simplified().split(' ');
            return parts.value(0).toDouble() / 1024; // kB
        }
    }
    return -1;
}

// Lowers the process's peak resident size to its current size (Linux 4.0 and later), so
// the next VmHWM reading is the peak of what follows.
bool ResetPeakMemory()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    return file.open(QIODevice::WriteOnly) && file.write("5") == 1;
}

// Generates a tree, or reuses one a finished earlier run left in a kept folder.
void Materialise(const TreePlan& plan, const QString& root)
{
    const QString done = root + QStringLiteral(".complete");
    QFile previous(done);
    if (previous.open(QIODevice::ReadOnly) && previous.readAll() == kGeneratorVersion &&
        QFileInfo(root).isDir()) {
        std::fprintf(stderr, "reusing %s\n", qPrintable(root));
        return;
    }
    if (QFileInfo::exists(root))
        FileSystemService().DeleteFolder(root); // left half-written by an interrupted run
    std::fprintf(stderr, "generating %d links in %zu folders at %s ... ", plan.Links,
                 plan.Folders.size(), qPrintable(root));
    std::fflush(stderr);
    const double ms = Millis([&] { TreeGenerator::Write(plan, root); });
    std::fprintf(stderr, "%.1f s\n", ms / 1000);
    QFile marker(done);
    if (!marker.open(QIODevice::WriteOnly) || marker.write(kGeneratorVersion) < 0)
        qFatal("tavoro_bench: cannot write %s", qPrintable(done));
}

QString FolderPath(const QString& root, const PlannedFolder& folder)
{
    return folder.Relative.isEmpty() ? root : root + u'/' + folder.Relative;
}

void BenchTree(Views& v, Table& table, const QString& base, int links, bool measureMemory)
{
    TreeGenerator::Shape shape;
    shape.Links = links;
    const TreePlan plan = TreeGenerator::Plan(shape);
    const QString root = base + QStringLiteral("/tree-%1").arg(links);
    Materialise(plan, root);
    const int folders = static_cast<int>(plan.Folders.size());

    table.Base("raw walk (find)", links, folders, FindWalk(root, false, kRuns + 1));

    FavoritesViews& views = *v.views;
    views.SetFavoritesRoot(root);
    // As at start-up: an empty tree, nothing selected, nothing to re-expand.
    const auto startFresh = [&] {
        v.tree->Clear();
        v.list->Clear();
        v.cboFormat->setCurrentIndex(FavoritesViews::Normal);
        views.SetSelectionKey(QString());
        views.Expansion().SetLastView(FavoritesViews::ViewCount);
        Settle();
    };

    // Peak memory of one Single List build, before anything else is built over this tree;
    // the peak is reset first, so it is not the peak of an earlier, smaller tree's views.
    if (measureMemory) {
        startFresh();
        const bool reset = ResetPeakMemory();
        const double before = StatusMegabytes("VmRSS");
        views.SelectView(FavoritesViews::SingleList);
        const double peak = StatusMegabytes("VmHWM");
        std::printf("peak memory, single list %d links: VmHWM %.1f MB (%s), %+.1f MB over the "
                    "%.1f MB resident before the build\n",
                    links, peak, reset ? "peak reset before the build" : "process-wide peak",
                    peak - before, before);
        std::fflush(stdout);
    }
    const double build = WarmBest(startFresh, [&] { views.BuildNormalView(); });
    table.Row("normal view", links, folders, build);
    if (v.tree->Count() != folders || v.list->Count() != plan.Entries(0))
        Warn(QStringLiteral("normal view shows %1 nodes and %2 rows, expected %3 and %4")
                 .arg(v.tree->Count())
                 .arg(v.list->Count())
                 .arg(folders)
                 .arg(plan.Entries(0)));

    // What a user waits for after the call returns: the tree's layout and first paint.
    const double shown = WarmBest(startFresh, [&] {
        views.BuildNormalView();
        Settle();
    });
    table.Row("normal view, laid out and painted", links, folders, shown);

    // A refresh with a deep folder selected and some folders open, so the expansion
    // memory and the reselection have work to do.
    const PlannedFolder& deep = plan.Deepest();
    const QString deepPath = FolderPath(root, deep);
    QSet<QString> open;
    for (const PlannedFolder& folder : plan.Folders) {
        const size_t index = static_cast<size_t>(&folder - plan.Folders.data());
        if (folder.Depth == 1 || (folder.Depth > 1 && folder.Depth < 4 && index % 5 == 0))
            open.insert(FolderPath(root, folder));
    }
    for (int up = deep.Parent; up > 0; up = plan.Folders[static_cast<size_t>(up)].Parent)
        open.insert(FolderPath(root, plan.Folders[static_cast<size_t>(up)]));
    const double refresh = WarmBest(
        [&] {
            for (QTreeWidgetItem* node : v.tree->Nodes()) {
                if (open.contains(FavoritesTree::Tag(node)))
                    node->setExpanded(true);
            }
            views.SetSelectionKey(deepPath);
            views.Expansion().SetLastView(views.CurrentView());
            Settle();
        },
        [&] { views.BuildNormalView(); });
    table.Row("refresh, deep folder + expanded", links, folders, refresh);
    const int deepIndex = static_cast<int>(&deep - plan.Folders.data());
    if (FavoritesTree::Tag(v.tree->SelectedItem()) != deepPath ||
        v.list->Count() != plan.Entries(deepIndex))
        Warn(QStringLiteral("refresh did not come back to %1").arg(deepPath));

    // The other views, switched to as the view selector switches to them.
    static const struct
    {
        int View;
        const char* Name;
    } kViews[] = {
        {FavoritesViews::PhoneBook, "phone book view"},
        {FavoritesViews::AddressBook, "address book view"},
        {FavoritesViews::SingleList, "single list view"},
        {FavoritesViews::LastAccessed, "last accessed view"},
        {FavoritesViews::LastModified, "last modified view"},
        {FavoritesViews::DateCreated, "date created view"},
    };
    for (const auto& view : kViews) {
        const double ms = WarmBest(startFresh, [&] { views.SelectView(view.View); });
        table.Row(view.Name, links, folders, ms);
        // The links of the folders below the root; the root's own links are not listed.
        const int belowRoot = links - plan.Folders.front().Links;
        if (view.View == FavoritesViews::SingleList && v.list->Count() != belowRoot)
            Warn(QStringLiteral("single list shows %1 rows, expected %2")
                     .arg(v.list->Count())
                     .arg(belowRoot));
    }

    // A click on the first (newest) day of the Last Modified view.
    startFresh();
    views.SelectView(FavoritesViews::LastModified);
    Settle();
    QTreeWidgetItem* day = v.tree->Root() ? v.tree->Root()->child(0) : nullptr;
    if (!day) {
        Warn(QStringLiteral("the last modified view has no day nodes"));
    } else {
        const double click = WarmBest(
            [&] {
                v.list->Clear();
                Settle();
            },
            [&] { views.NodeClick(day); });
        table.Row("last modified, click first day", links, folders, click);
        if (v.list->Count() == 0)
            Warn(QStringLiteral("the click on %1 listed nothing").arg(FavoritesTree::Text(day)));
    }
    startFresh();

    // A search of the whole tree for a word the generator puts in many names.
    SearchParameters parameters;
    parameters.Folder = root;
    parameters.Text = QStringLiteral("news");
    QList<clsLink> found;
    const double searched =
        WarmBest([&] { found.clear(); }, [&] { SearchFolder(v.fileSystem, parameters, found); });
    table.Row("search \"news\"", links, folders, searched);
    if (found.isEmpty())
        Warn(QStringLiteral("the search for \"news\" found nothing"));
    else
        std::fprintf(stderr, "search \"news\" in %d links: %lld found\n", links,
                     static_cast<long long>(found.size()));
    table.Gap();
}

void BenchFlat(Views& v, Table& table, const QString& base)
{
    const TreePlan plan = TreeGenerator::FlatPlan(kFlatLinks);
    const QString folder = base + QStringLiteral("/flat-%1").arg(kFlatLinks);
    Materialise(plan, folder);

    table.Base("raw walk (find -maxdepth 1)", kFlatLinks, 1, FindWalk(folder, true, kRuns + 1));

    FavoritesViews& views = *v.views;
    views.SetFavoritesRoot(folder);
    views.SetSelectionKey(QString());
    views.BuildNormalView(); // the list's columns, as a click finds them
    Settle();
    // Listed into an empty list, so the figure does not depend on what was shown before.
    const double listed = WarmBest(
        [&] {
            v.list->Clear();
            Settle();
        },
        [&] { views.ListFolder(folder); });
    table.Row("list folder", kFlatLinks, 1, listed);
    if (v.list->Count() != kFlatLinks)
        Warn(QStringLiteral("the list shows %1 rows, expected %2")
                 .arg(v.list->Count())
                 .arg(kFlatLinks));
    table.Gap();
}

// What one coalesced update costs after a sync wrote 5,000 links into the folder shown in
// a large tree, against a refresh by hand of the same view.
void BenchLiveUpdate(Views& v, const QString& root, int links)
{
    const QString burst = root + QStringLiteral("/burst");
    FileSystemService().CreateFolder(burst);
    FavoritesViews& views = *v.views;
    views.SetFavoritesRoot(root);
    v.cboFormat->setCurrentIndex(FavoritesViews::Normal);
    views.SetSelectionKey(burst);
    views.BuildNormalView();
    Settle();
    for (int i = 0; i < kFlatLinks; ++i) {
        QFile file(burst + QStringLiteral("/Synced %1.url").arg(i));
        if (!file.open(QIODevice::WriteOnly) || file.write("[InternetShortcut]\nURL=x\n") < 0)
            qFatal("tavoro_bench: cannot write %s", qPrintable(file.fileName()));
    }
    SearchLinks searchLinks;
    const Clock clock;
    LiveUpdates live(
        {*v.tree, *v.list, *v.views, *v.status, v.fileSystem, v.prompts, searchLinks, &v.window},
        clock);
    Table table;
    table.Base("refresh (F5), burst folder shown", links, 1,
               WarmBest(Settle, [&] { views.RefreshView(); }));
    const double update = WarmBest(Settle, [&] { live.Update({burst}); });
    table.Row("live update, 5,000-link burst", links, 1, update);
    if (v.list->Count() != kFlatLinks)
        Warn(QStringLiteral("the update lists %1 rows, expected %2")
                 .arg(v.list->Count())
                 .arg(kFlatLinks));
    FileSystemService().DeleteFolder(burst);
    table.Gap();
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tavoro_bench"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Times the Favorites views against a raw walk of the same folders."));
    parser.addHelpOption();
    const QCommandLineOption sizesOption(
        QStringLiteral("sizes"), QStringLiteral("Tree sizes in links, comma separated."),
        QStringLiteral("list"), QStringLiteral("1000,10000,100000"));
    const QCommandLineOption keepOption(
        QStringLiteral("keep"),
        QStringLiteral("Generate into dir and keep the trees; reuse trees already there."),
        QStringLiteral("dir"));
    const QCommandLineOption healthOption(
        QStringLiteral("health-only"),
        QStringLiteral("Time only the link health rows, over the largest size."));
    parser.addOption(sizesOption);
    parser.addOption(keepOption);
    const QCommandLineOption exchangeOption(
        QStringLiteral("exchange-only"),
        QStringLiteral("Time only the import and export rows, over the largest size."));
    parser.addOption(healthOption);
    parser.addOption(exchangeOption);
    parser.process(app);

    QList<int> sizes;
    for (const QString& text : parser.value(sizesOption).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int size = text.trimmed().toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "tavoro_bench: not a size: %s\n", qPrintable(text));
            return 2;
        }
        sizes.append(size);
    }

    std::unique_ptr<QTemporaryDir> temporary;
    QString base;
    if (parser.isSet(keepOption)) {
        base = QDir(parser.value(keepOption)).absolutePath();
        if (!QDir().mkpath(base)) {
            std::fprintf(stderr, "tavoro_bench: cannot make %s\n", qPrintable(base));
            return 2;
        }
    } else {
        temporary = std::make_unique<QTemporaryDir>();
        if (!temporary->isValid()) {
            std::fprintf(stderr, "tavoro_bench: no temporary folder\n");
            return 2;
        }
        base = temporary->path();
    }

    const int largest = sizes.isEmpty() ? 0 : *std::max_element(sizes.begin(), sizes.end());
    if (parser.isSet(healthOption)) {
        if (largest > 0) {
            TreeGenerator::Shape shape;
            shape.Links = largest;
            const QString root = base + QStringLiteral("/tree-%1").arg(largest);
            Materialise(TreeGenerator::Plan(shape), root);
            BenchHealth(root, largest);
        }
        return 0;
    }
    if (parser.isSet(exchangeOption)) {
        BenchExchange(base + QStringLiteral("/exchange"), largest);
        return 0;
    }
    Views views;
    if (!IconSet::Panes().Has(QStringLiteral("Closed")))
        Warn(QStringLiteral("the icons are missing; the figures leave out drawing them"));
    Settle();

    Table table;
    std::printf("best of %d after one warm-up; ratio = time / raw walk of the same data\n\n",
                kRuns);
    PrintHeader();
    for (int size : sizes)
        BenchTree(views, table, base, size, size == largest);
    BenchFlat(views, table, base);
    if (largest > 0)
        BenchLiveUpdate(views, base + QStringLiteral("/tree-%1").arg(largest), largest);
    BenchSettingsLoad(base + QStringLiteral("/settings"));
    if (largest > 0)
        BenchHealth(base + QStringLiteral("/tree-%1").arg(largest), largest);
    BenchExchange(base + QStringLiteral("/exchange"), largest);
    return 0;
}
