#include "favorites/SearchCommand.h"
#include "favorites/SearchFolder.h"
#include "favorites/SearchHistory.h"
#include "favorites/SearchLinks.h"
#include "favorites/SearchResultsView.h"
#include "favorites/frmSearch.h"
#include "platform/Registry.h"
#include "platform/RegistryRoutines.h"
#include "platform/ShellFolders.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"
#include "support/ViewPanes.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kRootKey = QStringLiteral("Software\\Tavoro");

// News/Tools.Old has a dot; NewsArchive holds a link named after its neighbour News.
const char* const kTree =
    "Daily News.url = http://daily\nreadme.txt\nNews/BBC.url = http://bbc\n"
    "News/Tools.Old/Hammer.url = http://hammer\nNewsArchive/News.url = http://old\n"
    "Tech/Linux News.url = http://lwn\n";

// "a, b" as a list, to keep expected lists on one line.
QStringList items(const char* list)
{
    return QString::fromUtf8(list).split(QStringLiteral(", "), Qt::SkipEmptyParts);
}

// Fails every listing of one folder, as an unreadable folder would.
class FailingFileSystem final : public FileSystemService
{
public:
    QString failFiles, failSubFolders;
    QList<FsItem> Files(const QString& path) const override
    {
        if (path == failFiles)
            throw FileSystemError(QStringLiteral("Permission denied"), path);
        return FileSystemService::Files(path);
    }
    QList<FsItem> SubFolders(const QString& path) const override
    {
        if (path == failSubFolders)
            throw FileSystemError(QStringLiteral("Permission denied"), path);
        return FileSystemService::SubFolders(path);
    }
};

// The program's search objects, wired as the main window wires them.
struct Panes : ViewPanes
{
    explicit Panes(const QString& root)
        : ViewPanes(root), root(root), registry(QString::fromUtf8(qgetenv("TAVORO_REGISTRY_DIR")),
                                                std::make_shared<ShellFolders>()),
          command(fileSystem, prompts, results, status, &statusBar)
    {
        command.SetShowResults([this] {
            ++shown;
            SearchResultsView::BuildSearchResultsView(tree, list, status, results.Items(),
                                                      this->root, command.LastSearchText());
        });
    }
    QString stored(int position)
    {
        return ReadRegValue(registry, kRootKey, "Search", SearchHistory::ValueName(position),
                            QString())
            .toString();
    }

    QString root;
    Registry registry;
    SearchLinks results;
    SearchCommand command;
    int shown = 0;
};

} // namespace

Q_DECLARE_METATYPE(SearchParameters)

class TestSearch : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    QString root() const { return m_env->Favorites(); }

    // Each record as "Title|path below the root", folders with a trailing "/". A record's
    // folder and file follow its path; a folder record is its own folder, with no file.
    QStringList found(const QList<clsLink>& links) const
    {
        QStringList texts;
        for (const clsLink& link : links) {
            const bool folder = link.IsFolder();
            texts.append(link.Title() + u'|' + link.Path().mid(root().size()) +
                         (folder ? QStringLiteral("/") : QString()));
            if (link.Dir() !=
                    (folder ? link.Path() : FileSystemService::ParentFolder(link.Path())) ||
                link.File() != (folder ? QString() : link.Path().section(u'/', -1)))
                texts.append("wrong folder or file: " + link.Dir() + u' ' + link.File());
        }
        return texts;
    }
    QStringList search(const FileSystemService& fs, SearchParameters p,
                       QStringList* progress = nullptr) const
    {
        QList<clsLink> results;
        SearchFolder(fs, p, results, [&](const QString& folder) {
            if (progress)
                progress->append(SearchCommand::ProgressText(root(), folder));
        });
        return found(results);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        FavoritesBuilder(root()).Build(QString::fromLatin1(kTree));
    }
    void cleanup() { m_env.reset(); }

    // Rows the tree searches below do not already cover.
    void nameTest_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("compare");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("matches");
        const int cs = SearchParameters::CaseSensitive, ic = SearchParameters::IgnoreCase;
        QTest::newRow("contains, case counts") << "Daily News.url"
                                               << "news" << cs << 0 << false;
        QTest::newRow("empty contains") << "Daily News.url"
                                        << "" << cs << 0 << true;
        QTest::newRow("begins") << "Daily News.url"
                                << "DAILY" << ic << 1 << true;
        QTest::newRow("exact without .url") << "Daily News.url"
                                            << "Daily News" << ic << 3 << false;
        QTest::newRow("exact, case counts") << "News.url"
                                            << "news.url" << cs << 3 << false;
    }
    void nameTest()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, compare);
        QFETCH(int, type);
        QTEST(SearchNameMatches(name, text, compare, type), "matches");
    }

    // Folders are given below the root.
    void searchTree_data()
    {
        QTest::addColumn<SearchParameters>("p");
        QTest::addColumn<QStringList>("expected");
        const int ic = SearchParameters::IgnoreCase;
        QTest::newRow("empty text lists everything, depth first")
            << SearchParameters{"", true, "", ic, 0, 0}
            << items("Daily News|/Daily News.url, readme|/readme.txt, News|/News/, "
                     "BBC|/News/BBC.url, "
                     "Tools|/News/Tools.Old/, Hammer|/News/Tools.Old/Hammer.url, "
                     "NewsArchive|/NewsArchive/, News|/NewsArchive/News.url, Tech|/Tech/, "
                     "Linux News|/Tech/Linux News.url");
        QTest::newRow("contains news")
            << SearchParameters{"", true, "news", ic, 0, 0}
            << items("Daily News|/Daily News.url, News|/News/, NewsArchive|/NewsArchive/, "
                     "News|/NewsArchive/News.url, Linux News|/Tech/Linux News.url");
        QTest::newRow("links only")
            << SearchParameters{"", true, "news", ic, 0, 1}
            << items("Daily News|/Daily News.url, News|/NewsArchive/News.url, "
                     "Linux News|/Tech/Linux News.url");
        QTest::newRow("folder names only") << SearchParameters{"", true, "news", ic, 0, 2}
                                           << items("News|/News/, NewsArchive|/NewsArchive/");
        QTest::newRow("dotted folder by its full name")
            << SearchParameters{"", true, "tools.o", ic, 1, 2} << items("Tools|/News/Tools.Old/");
        QTest::newRow("ends with .url")
            << SearchParameters{"", true, "news.url", ic, 2, 1}
            << items("Daily News|/Daily News.url, News|/NewsArchive/News.url, "
                     "Linux News|/Tech/Linux News.url");
        QTest::newRow("exact") << SearchParameters{"", true, "news.url", ic, 3, 0}
                               << items("News|/NewsArchive/News.url");
        QTest::newRow("current folder only")
            << SearchParameters{"/News", false, "", ic, 0, 0} << items("BBC|/News/BBC.url");
        QTest::newRow("current + subfolders")
            << SearchParameters{"/News", true, "", ic, 0, 0}
            << items(
                   "BBC|/News/BBC.url, Tools|/News/Tools.Old/, Hammer|/News/Tools.Old/Hammer.url");
        QTest::newRow("missing start folder")
            << SearchParameters{"/Gone", true, "", ic, 0, 0} << items("");
    }
    void searchTree()
    {
        QFETCH(SearchParameters, p);
        p.Folder.prepend(root());
        QTEST(search(FileSystemService(), p), "expected");
    }

    void unreadableFolderIsSkipped_data()
    {
        QTest::addColumn<QString>("failFiles");
        QTest::addColumn<QString>("failSubFolders");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("files of News")
            << "/News"
            << "-" << items("Daily News, readme, News, NewsArchive, News, Tech, Linux News");
        QTest::newRow("subfolders of News")
            << "-"
            << "/News"
            << items("Daily News, readme, News, BBC, NewsArchive, News, Tech, Linux News");
        QTest::newRow("subfolders of the root") << "-"
                                                << "" << items("Daily News, readme");
    }
    void unreadableFolderIsSkipped()
    {
        QFETCH(QString, failFiles);
        QFETCH(QString, failSubFolders);
        FailingFileSystem fs;
        fs.failFiles = root() + failFiles;
        fs.failSubFolders = root() + failSubFolders;
        QStringList titles;
        for (const QString& record : search(fs, {root(), true, "", 1, 0, 0}))
            titles.append(record.section(u'|', 0, 0));
        QTEST(titles, "expected");
    }

    void symbolicLinkLoopEnds()
    {
        FavoritesBuilder(root()).Build("L/a/x.url = http://x\nL/a/b/\n");
        QVERIFY(QFile::link(root() + "/L/a", root() + "/L/a/b/loop"));
        QVERIFY(QFile::link(root() + "/L", root() + "/L/a/up"));
        QStringList progress;
        // Each linked folder is found once by name, and never walked again.
        QCOMPARE(search(FileSystemService(), {root() + "/L", true, "", 1, 0, 0}, &progress),
                 items("a|/L/a/, x|/L/a/x.url, b|/L/a/b/, loop|/L/a/b/loop/, up|/L/a/up/"));
        QCOMPARE(progress, items("Searching '/L', Searching '/L/a', Searching '/L/a/b'"));
    }

    void runSearchFillsResultsAndShowsThem()
    {
        Panes panes(root());
        QVERIFY(panes.command.RunSearch({root(), true, "bbc", 1, 0, 0}, root(), nullptr));
        QVERIFY(panes.shown == 1 && panes.results.Count() == 1 && panes.prompts.messages.isEmpty());

        // Nothing found: said so, the results and the shown view kept.
        QVERIFY(!panes.command.RunSearch({root(), true, "zzz", 1, 0, 0}, root(), nullptr));
        QVERIFY(panes.shown == 1 && panes.results.Count() == 1);
        QCOMPARE(panes.command.LastSearchText(), QStringLiteral("bbc"));
        QCOMPARE(panes.prompts.texts(), QStringList({"Search text is not found."}));
        QCOMPARE(panes.status.Text(1), QStringLiteral("Searching '/Tech'"));
    }

    // Twenty texts at most, the newest first; one typed again moves up; with remembering
    // off nothing is written or read.
    void searchHistory()
    {
        Panes panes(root());
        QStringList list;
        for (int i = 1; i <= 21; ++i)
            list = SearchHistory::RememberSearch(panes.registry, kRootKey, i >= 20, list,
                                                 QStringLiteral("text %1").arg(i));
        QCOMPARE(list.size(), 21); // the dialog keeps them all for this run
        QCOMPARE(panes.stored(1) + u'|' + panes.stored(20) + u'|' + panes.stored(21),
                 QStringLiteral("text 21|text 2|"));
        list = SearchHistory::RememberSearch(
            panes.registry, kRootKey, true,
            SearchHistory::LoadSearchList(panes.registry, kRootKey, true), "text 5");
        QCOMPARE(list.mid(0, 3), items("text 5, text 21, text 20"));
        QCOMPARE(list.count("text 5"), 1);
        QCOMPARE(SearchHistory::LoadSearchList(panes.registry, kRootKey, false), QStringList());
        QCOMPARE(SearchHistory::RememberSearch(panes.registry, kRootKey, false, {"old"}, "new"),
                 items("new, old"));
        QCOMPARE(panes.stored(1), QStringLiteral("text 5"));
    }

    void dialogFormsAndSearches()
    {
        Panes panes(root());
        WriteRegValue(panes.registry, kRootKey, "Search", "SearchItem01", QString("one"));
        WriteRegValue(panes.registry, kRootKey, "Search", "SearchItem03", QString("three"));
        frmSearch dialog(panes.command, panes.registry, kRootKey, true);
        QCOMPARE(dialog.SearchList(), items("one, three")); // the gap in the numbers skipped
        dialog.AdvancedClick();
        dialog.SetSearchTypeIndex(3);
        dialog.SetSearchOptionsIndex(2);
        dialog.SetCaseSensitive(true);
        QCOMPARE(dialog.Parameters().Compare, int(SearchParameters::CaseSensitive));
        // Back to basic: the plain options again.
        dialog.AdvancedClick();
        const SearchParameters p = dialog.Parameters();
        QVERIFY(p.SearchType == 0 && p.SearchOptions == 0);
        QCOMPARE(p.Compare, int(SearchParameters::IgnoreCase));

        // Searching through the dialog shown modally: it stays open until something is found.
        dialog.PrepareSearch(root(), false, {}, {}, QString());
        QString text = "zzz";
        panes.prompts.dialogHandler = [&](QDialog&) {
            dialog.SetSearchText(text);
            dialog.SearchClick();
            return dialog.result();
        };
        QCOMPARE(panes.prompts.ShowModal(dialog), int(QDialog::Rejected));
        QCOMPARE(panes.prompts.texts(), QStringList({"Search text is not found."}));
        text = "news";
        QCOMPARE(panes.prompts.ShowModal(dialog), int(QDialog::Accepted));
        QCOMPARE(panes.results.Count(), 5);
        const QStringList remembered = items("news, zzz, one, three");
        QCOMPARE(dialog.SearchList(), remembered);
        QCOMPARE(SearchHistory::LoadSearchList(panes.registry, kRootKey, true), remembered);
        // A text picked from the list is searched for, not remembered again.
        dialog.PickSearchText(1);
        dialog.SearchClick();
        QCOMPARE(dialog.SearchList(), remembered);
    }

    void dialogStartFolder()
    {
        Panes panes(root());
        frmSearch dialog(panes.command, panes.registry, kRootKey, false);
        dialog.PrepareSearch(root(), false, {}, {}, root() + "/News/Tools.Old");
        // The folder sticks until a node of the Normal view says otherwise.
        dialog.PrepareSearch(root(), false, {}, {}, QString());
        QCOMPARE(dialog.Folder(), root() + "/News/Tools.Old");
        dialog.PrepareSearch(root(), true, root() + "/Tech", "Tech", root() + "/News");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Search - Tech"));
        dialog.SetWhereIndex(frmSearch::CurrentFolderOnly);
        QCOMPARE(dialog.Parameters().Folder, root() + "/Tech");
        QVERIFY(!dialog.Parameters().Recurse);
        dialog.SetWhereIndex(frmSearch::AllFolders);
        QCOMPARE(dialog.Parameters().Folder, root());
    }

    void resultsView()
    {
        Panes panes(root());
        panes.list.SetSort(1, 1, true);
        panes.results.Add(clsLink::FromLinkFile(root() + "/NewsArchive/News.url"));
        panes.results.Add(clsLink::FromFolder(root() + "/News/Tools.Old"));
        panes.results.Add(clsLink::FromLinkFile(root() + "/Daily News.url"));
        panes.results.Add(clsLink::FromLinkFile(root() + "/Tech/Linux News.url"));
        // What is gone by now is dropped: a deleted folder's links, a deleted link.
        QVERIFY(QDir(root() + "/NewsArchive").removeRecursively());
        QVERIFY(QFile::remove(root() + "/Tech/Linux News.url"));
        panes.results.DropMissing(panes.fileSystem);
        SearchResultsView::BuildSearchResultsView(panes.tree, panes.list, panes.status,
                                                  panes.results.Items(), root(), "news");
        // Still sorted by "In Folder", descending, as the user left it.
        QCOMPARE(panes.ListTexts(), items("Tools, Daily News"));
        QCOMPARE(panes.ListColumn(1), items("/News/, /"));
        QCOMPARE(FavoritesList::Tag(panes.list.Item(0)), u'*' + root() + "/News/Tools.Old");
        QCOMPARE(panes.status.Text(1), QStringLiteral("Search Results for 'news'"));
        QCOMPARE(panes.status.Text(2), QStringLiteral("2 items found"));

        SearchResultsView::BuildSearchResultsView(panes.tree, panes.list, panes.status, {}, root(),
                                                  QString());
        QCOMPARE(panes.status.Text(1), QString());
        QCOMPARE(panes.status.Text(2), QStringLiteral("0 items found"));
        // A folder that merely starts with the root's name is shown whole.
        QCOMPARE(SearchResultsView::FolderColumn("/f/Fav", "/f/Favorites/x.url"),
                 QStringLiteral("/f/Favorites/"));
    }

    // A letter, day or Single List key is no folder: a search below it finds nothing, even
    // with a folder of that name in the working folder, and a start that climbs out of the
    // Favorites is refused by its text alone.
    void searchNeverLeavesTheFavorites()
    {
        FavoritesBuilder(root()).Build(kTree);
        FavoritesBuilder outside(m_env->Root() + "/cwd");
        outside.Build("2010-12-31/secret news.url = http://x\n");
        const QString previous = QDir::currentPath();
        QDir::setCurrent(outside.Root());
        Panes panes(root());
        for (const QString& key : {QStringLiteral("2010-12-31"), root() + "/News"}) {
            frmSearch dialog(panes.command, panes.registry, kRootKey, false);
            dialog.PrepareSearch(root(), false, {}, {}, key);
            dialog.SetWhereIndex(frmSearch::CurrentAndSubfolders);
            dialog.SetSearchText("news");
            QVERIFY(!panes.command.RunSearch(dialog.Parameters(), root(), nullptr));
        }
        QDir::setCurrent(previous);
        QVERIFY(!panes.command.RunSearch({root() + "/../cwd/2010-12-31", true, "", 1, 0, 0}, root(),
                                         nullptr));
        QCOMPARE(panes.results.Count(), 0);
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"
