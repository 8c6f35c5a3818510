#include "favorites/DateViews.h"
#include "favorites/GroupedViews.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"
#include "support/ViewPanes.h"

#include <QDir>
#include <QTest>

using GroupedViews::GroupRule;

class TestViews : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    QString root() const { return m_env->Favorites(); }
    FavoritesBuilder builder() const { return FavoritesBuilder(root()); }
    static QStringList childTexts(const QTreeWidgetItem* node)
    {
        QStringList texts;
        for (int i = 0; node && i < node->childCount(); ++i)
            texts.append(node->child(i)->text(0));
        return texts;
    }
    // Links with known modification days, in the root and in folders.
    void buildDatedTree()
    {
        builder().Build(QStringLiteral(R"(
            Root.url = http://root
            News/BBC.url = http://bbc
            News/Daily/Guardian.url = http://guardian
            Tech/LWN.url = http://lwn
            Tech/readme.txt
        )"));
        const auto day = [](int d, int h) { return QDateTime(QDate(2024, 3, d), QTime(h, 30)); };
        builder().Times(QStringLiteral("Root.url"), day(9, 10));
        builder().Times(QStringLiteral("News/BBC.url"), day(9, 23));
        builder().Times(QStringLiteral("News/Daily/Guardian.url"), day(2, 0));
        builder().Times(QStringLiteral("Tech/LWN.url"), day(9, 8));
        builder().Times(QStringLiteral("Tech/readme.txt"), day(15, 12));
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        QDir().mkpath(root());
    }
    void cleanup() { m_env.reset(); }

    void groupLabels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("phoneBook");
        QTest::addColumn<QString>("addressBook");
        QTest::newRow("letter") << "news" << "N" << "M-N";
        QTest::newRow("first of a pair") << "Apple" << "A" << "A-B";
        QTest::newRow("o") << "opera" << "O" << "O-P-Q";
        QTest::newRow("q") << "Quake" << "Q" << "O-P-Q";
        QTest::newRow("r after the triple") << "Radio" << "R" << "R-S";
        QTest::newRow("y") << "yoga" << "Y" << "X-Y-Z";
        QTest::newRow("digit") << "2004" << "2" << "2";
        QTest::newRow("punctuation") << "(old)" << "(" << "(";
        QTest::newRow("dash falls in A-B") << "-misc" << "-" << "A-B";
        QTest::newRow("accented") << "église" << "É" << "É";
    }

    void groupLabels()
    {
        QFETCH(QString, name);
        QFETCH(QString, phoneBook);
        QFETCH(QString, addressBook);
        QCOMPARE(GroupedViews::GroupLabel(name, GroupRule::PhoneBook), phoneBook);
        QCOMPARE(GroupedViews::GroupLabel(name, GroupRule::AddressBook), addressBook);
    }

    void phoneBookMergesFoldersOfOneName()
    {
        builder().Build(QStringLiteral(R"(
            A/News/BBC.url = http://bbc
            B/News/Sub/
            B/News/Guardian.url = http://g
            2004/
            NewsArchive/Old.url = http://old
        )"));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::PhoneBook);
        QTreeWidgetItem* top = panes.tree.Root();
        QCOMPARE(FavoritesTree::Text(top), QStringLiteral("Phone Book View"));
        QCOMPARE(childTexts(top), QStringList({"2", "A", "B", "N", "S"}));
        QTreeWidgetItem* n = panes.tree.Node(QStringLiteral("N"));
        QCOMPARE(childTexts(n), QStringList({"News", "NewsArchive"}));
        QTreeWidgetItem* news = n->child(0);
        QCOMPARE(FavoritesTree::Key(news), QStringLiteral("KPhone Book View/N/News"));
        QCOMPARE(FavoritesTree::Tag(news), root() + QStringLiteral("/A/News"));
        QVERIFY(FavoritesTree::Tag(n).isEmpty());
        // Selected after the build: the root, with an empty list.
        QCOMPARE(panes.tree.SelectedItem(), top);
        QCOMPARE(panes.list.Count(), 0);

        panes.tree.Select(news);
        panes.views.NodeClick(news);
        // Sorted by name: the folder's leading blank puts it first.
        QCOMPARE(panes.ListTexts(), QStringList({" Sub", "BBC", "Guardian"}));
        QCOMPARE(panes.ListColumn(1), QStringList({"/B/News/", "/A/News/", "/B/News/"}));
        QCOMPARE(FavoritesList::Key(panes.list.Item(1)), QStringLiteral("K0"));
        QCOMPARE(FavoritesList::Key(panes.list.Item(2)), QStringLiteral("K1"));
        QCOMPARE(panes.status.Text(2), QStringLiteral("3 items found"));

        // A refresh selects the same folder node again.
        panes.views.RefreshView();
        QCOMPARE(FavoritesTree::FullPath(panes.tree.SelectedItem()), QStringLiteral("Phone Book View/N/News"));
        QCOMPARE(panes.list.Count(), 3);
    }

    void folderColumnKeepsFoldersContainingTheItemsName()
    {
        builder().Build(QStringLiteral("NewsArchive/News/News.url = http://n\n"));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::AddressBook);
        QTreeWidgetItem* news = panes.tree.FindNodeByText(QStringLiteral("News"));
        QCOMPARE(news->parent()->text(0), QStringLiteral("M-N"));
        panes.views.NodeClick(news);
        QCOMPARE(panes.ListColumn(1), QStringList({"/NewsArchive/News/"}));
    }

    void singleListShowsLinksBelowTheRoot()
    {
        builder().Build(QStringLiteral(R"(
            Top.url = http://top
            News/Daily/Guardian.url = http://g
            News/BBC.url = http://bbc
            Empty/
        )"));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::SingleList);
        QCOMPARE(panes.tree.Count(), 1);
        QCOMPARE(FavoritesTree::Text(panes.tree.Root()), QStringLiteral("Single List View"));
        QVERIFY(!panes.treeWidget.isEnabled());
        QCOMPARE(panes.ListTexts(), QStringList({"BBC", "Guardian"}));
        QCOMPARE(panes.ListColumn(1), QStringList({"/News", "/News/Daily"}));
        QCOMPARE(panes.status.Text(2), QStringLiteral("2 items found"));
        QCOMPARE(panes.status.Text(3), QStringLiteral("Single List View"));

        // Another view enables the tree again.
        panes.Show(FavoritesViews::Normal);
        QVERIFY(panes.treeWidget.isEnabled());
    }

    void singleListOfRootLinksOnlyIsEmpty()
    {
        builder().Build(QStringLiteral("A.url = http://a\nB.url = http://b\n"));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::SingleList);
        QCOMPARE(panes.list.Count(), 0);
    }

    void dateViewGroupsLinksByDay()
    {
        buildDatedTree();
        ViewPanes panes(root());
        panes.Show(FavoritesViews::LastModified);
        QTreeWidgetItem* top = panes.tree.Root();
        QCOMPARE(FavoritesTree::Text(top), QStringLiteral("Last Modified View"));
        // Newest first; the root's own link makes no day of its own.
        QCOMPARE(childTexts(top), QStringList({"2024-03-15", "2024-03-09", "2024-03-02"}));
        QCOMPARE(FavoritesTree::Key(top->child(1)), QStringLiteral("K2024-03-09"));
        QVERIFY(!panes.tree.SelectedItem());
        QCOMPARE(panes.list.Count(), 0);

        QTreeWidgetItem* ninth = top->child(1);
        panes.tree.Select(ninth);
        panes.views.NodeClick(ninth);
        // Sorted by folder, descending; the root's link listed as its day has a node.
        QCOMPARE(panes.ListColumn(1), QStringList({"/Tech/", "/News/", "/"}));
        QCOMPARE(panes.ListTexts(), QStringList({"LWN", "BBC", "Root"}));
        QCOMPARE(panes.list.SortKey(), 1);
        QCOMPARE(panes.list.SortOrder(), 1);

        panes.views.RefreshView();
        QCOMPARE(FavoritesTree::Text(panes.tree.SelectedItem()), QStringLiteral("2024-03-09"));
        QCOMPARE(panes.list.Count(), 3);

        // Another date of the same files.
        panes.Show(FavoritesViews::LastAccessed);
        QCOMPARE(childTexts(panes.tree.Root()), QStringList({"2024-03-15", "2024-03-09", "2024-03-02"}));
    }

    void oneDayIsLeftAlone()
    {
        builder().Build(QStringLiteral("News/BBC.url = http://bbc\n"));
        builder().Times(QStringLiteral("News/BBC.url"), QDateTime(QDate(2020, 1, 1), QTime(12, 0)));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::LastModified);
        QCOMPARE(childTexts(panes.tree.Root()), QStringList({"2020-01-01"}));
    }

    void switchingViewsClearsTheSelection()
    {
        buildDatedTree();
        ViewPanes panes(root());
        panes.Show(FavoritesViews::Normal);
        QTreeWidgetItem* news = panes.tree.FindNodeByText(QStringLiteral("News"));
        panes.tree.Select(news);
        panes.views.NodeClick(news);
        panes.Show(FavoritesViews::PhoneBook);
        QCOMPARE(panes.tree.SelectedItem(), panes.tree.Root());
        QCOMPARE(panes.list.Count(), 0);
        panes.Show(FavoritesViews::DateCreated);
        QVERIFY(!panes.tree.SelectedItem());
        QCOMPARE(panes.list.Count(), 0);
    }

    void symbolicLinkLoopEndsAndListsOnce()
    {
        builder().Build(QStringLiteral("a/b/x.url = http://x\n"));
        QVERIFY(QFile::link(root() + QStringLiteral("/a"), root() + QStringLiteral("/a/b/loop")));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::SingleList);
        QCOMPARE(panes.ListTexts(), QStringList({"x"}));
        panes.Show(FavoritesViews::PhoneBook);
        QCOMPARE(childTexts(panes.tree.Root()), QStringList({"A", "B", "L"}));
    }
};

QTEST_MAIN(TestViews)
#include "test_views.moc"
