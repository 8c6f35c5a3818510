#include "favorites/FolderTree.h"
#include "favorites/FolderWatch.h"
#include "favorites/GroupedViews.h"
#include "favorites/LiveUpdates.h"
#include "favorites/SearchLinks.h"
#include "favorites/SearchResultsView.h"
#include "favorites/SyncConflict.h"
#include "support/FakeClock.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"
#include "support/ViewPanes.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestFolderTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment> m_env;
    QString root() const { return m_env->Favorites(); }
    FavoritesBuilder builder() const { return FavoritesBuilder(root()); }
    // The Normal view over a tree laid out first.
    std::unique_ptr<ViewPanes> normalView(const QString& layout)
    {
        builder().Build(layout);
        auto panes = std::make_unique<ViewPanes>(root());
        panes->views.BuildNormalView();
        return panes;
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        QDir().mkpath(root());
    }
    void cleanup() { m_env.reset(); }

    // Changes by another program come as one signal once a burst has been quiet for a
    // while by the clock, and wait while busy; a folder that cannot be watched is looked at
    // now and then instead.
    void folderWatchSettlesWaitsAndFallsBack()
    {
        struct Refusing : FolderWatch
        {
            using FolderWatch::FolderWatch;
            QStringList addWatches(const QStringList& folders) override { return folders; }
        };
        const FileSystemService fileSystem;
        FakeClock clock;
        for (const bool refused : {false, true}) {
            const std::unique_ptr<FolderWatch> watch =
                refused ? std::make_unique<Refusing>(fileSystem, clock)
                        : std::make_unique<FolderWatch>(fileSystem, clock);
            watch->SetTimes(500, 50);
            bool busy = true;
            watch->busy = [&busy] { return busy; };
            QList<QStringList> changes;
            connect(watch.get(), &FolderWatch::changed,
                    [&changes](const QStringList& folders) { changes.append(folders); });
            watch->Watch({root()});
            QCOMPARE(watch->Polling(), refused);
            for (int i = 0; i < (refused ? 300 : 5000); ++i)
                builder().Link(QString("%1-%2.url").arg(refused).arg(i), "http://x");
            QTest::qWait(300);
            clock.Advance(400);
            QTest::qWait(100);
            QVERIFY(changes.isEmpty()); // not quiet long enough, then busy
            clock.Advance(600);
            QTest::qWait(100);
            QVERIFY(changes.isEmpty());
            busy = false;
            QTRY_COMPARE(changes, QList<QStringList>{{root()}});
            QTest::qWait(200);
            QCOMPARE(changes.size(), 1);
        }
    }

    // The search results follow a result deleted deep in the tree by another program.
    void searchResultsFollowTheDisk()
    {
        auto panes = normalView("a/b/Deep.url = http://deep\nTop.url = http://top");
        SearchLinks results;
        for (const char* path : {"/a/b/Deep.url", "/Top.url"})
            results.Add(clsLink::FromLinkFile(root() + path));
        panes->views.SetSearchResultsBuilder([&] {
            results.DropMissing(panes->fileSystem);
            SearchResultsView::BuildSearchResultsView(panes->tree, panes->list, panes->status,
                                                      results.Items(), root(), "x");
        });
        FakeClock clock;
        LiveUpdates live({panes->tree, panes->list, panes->views, panes->status, panes->fileSystem,
                          panes->prompts, results, nullptr},
                         clock);
        live.Watch().SetTimes(50, 50);
        panes->Show(FavoritesViews::SearchResults);
        live.WatchShownFolders();
        QCOMPARE(panes->list.Count(), 2);
        QVERIFY(QFile::remove(root() + "/a/b/Deep.url"));
        QTRY_COMPARE((clock.Advance(100), panes->list.Count()), 1);
    }

    // Sync engines' conflict copies are told from other links, and marked in the list.
    void syncConflictCopies()
    {
        for (const QString pair : {"News.sync-conflict-20240101-120000-ABCDEFG.url=News.url",
                                   "News (conflicted copy 2024-01-01 120000).url=News.url",
                                   "News (Ann's conflicted copy 2024-01-01).url=News.url",
                                   "News (copy).url=", "sync-conflict.url=", "News.url="})
            QCOMPARE(SyncConflict::OriginalName(pair.section('=', 0, 0)), pair.section('=', 1));
        auto panes = normalView("News.url = http://a\nNews (conflicted copy 2024-01-01 1).url = b");
        panes->views.ListFolder(root());
        QStringList tips;
        for (int i = 0; i < panes->list.Count(); ++i)
            tips << panes->list.Item(i).data(Qt::ToolTipRole).toString();
        QCOMPARE(tips.filter("conflict with News.url").size(), 1);
    }

    void keysTagsAndOrder()
    {
        auto panes = normalView("news/\nNews2/\nTech/Linux/Debian/\nTech/apple/\nTech/Linux/Arch/\n"
                                "Zoo.url = http://zoo\nArt/\n");
        // Keys count nodes in the order they were added: depth first, siblings in name order.
        QCOMPARE(
            panes->NodeTexts(),
            QStringList({"r=Normal View", "K2=Normal View/Art", "K3=Normal View/news",
                         "K4=Normal View/News2", "K5=Normal View/Tech", "K6=Normal View/Tech/apple",
                         "K7=Normal View/Tech/Linux", "K8=Normal View/Tech/Linux/Arch",
                         "K9=Normal View/Tech/Linux/Debian"}));
        QTreeWidgetItem* linuxNode = panes->tree.Node("K7");
        QCOMPARE(FavoritesTree::Tag(linuxNode), root() + "/Tech/Linux");
        QCOMPARE(FavoritesTree::Tag(panes->tree.Root()), root());
        QCOMPARE(panes->status.Text(2), QString("5 items found")); // four folders and Zoo
        // The root cannot be collapsed.
        panes->treeWidget.collapseItem(panes->tree.Root());
        QVERIFY(panes->tree.Root()->isExpanded());
    }

    void bareFolderAndMissingRoot()
    {
        auto panes = normalView("One.url = http://one\nreadme.txt\n");
        QCOMPARE(panes->tree.Count(), 1);
        QCOMPARE(panes->ListTexts(), QStringList({"One", "readme"}));

        ViewPanes empty{QString()};
        empty.views.BuildNormalView();
        QCOMPARE(empty.tree.Count(), 1);
        QCOMPARE(empty.list.Count(), 0);
        QCOMPARE(empty.status.Text(2), QString("0 items found"));
    }

    void symbolicLinkLoopIsShownButNotWalked()
    {
        builder().Build("a/b/\n");
        QVERIFY(QFile::link(root() + "/a", root() + "/a/b/loop"));
        QVERIFY(QFile::link(root(), root() + "/a/up"));
        auto panes = normalView("");
        QCOMPARE(panes->NodeTexts(),
                 QStringList({"r=Normal View", "K2=Normal View/a", "K3=Normal View/a/b",
                              "K4=Normal View/a/b/loop", "K5=Normal View/a/up"}));
    }

    // A folder reached through a link lists its links in the Phone Book as the Normal view
    // lists them, even when the walk met the folder it leads to first.
    void linkedFolderListsInThePhoneBook()
    {
        builder().Build("A/Real/x.url = http://x\n");
        QVERIFY(QFile::link(root() + "/A/Real", root() + "/Linked"));
        ViewPanes panes(root());
        GroupedViews::AddColumns(panes.list);
        GroupedViews::ListFolderName(panes.list, panes.fileSystem, root(), "Linked");
        QCOMPARE(panes.ListTexts(), QStringList{"x"});
    }

    void unknownViewIsReported()
    {
        ViewPanes panes(root());
        panes.cboFormat.setCurrentIndex(-1);
        panes.views.RefreshView();
        QCOMPARE(panes.prompts.texts(), QStringList({"Option not available."}));
    }
};

QTEST_MAIN(TestFolderTree)
#include "test_foldertree.moc"
