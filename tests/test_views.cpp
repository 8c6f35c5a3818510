#include "favorites/DateViews.h"
#include "favorites/GroupedViews.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"
#include "support/ViewPanes.h"

#include <QFile>
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
    static void click(ViewPanes& panes, QTreeWidgetItem* node)
    {
        panes.tree.Select(node);
        panes.views.NodeClick(node);
    }

private Q_SLOTS:
    void init() { m_env = std::make_unique<TestEnvironment>(); }
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

    // The folder column keeps a folder whose name holds the item's ("NewsArchive/News").
    void groupedViewsMergeFoldersOfOneName()
    {
        builder().Build("A/News/BBC.url = http://bbc\nB/News/Sub/\nB/News/Guardian.url = http://g\n"
                        "2004/\nNewsArchive/Old.url = http://old\nNewsArchive/News/News.url = http://n\n");
        ViewPanes panes(root());
        panes.Show(FavoritesViews::PhoneBook);
        QTreeWidgetItem* top = panes.tree.Root();
        QCOMPARE(FavoritesTree::Text(top), QStringLiteral("Phone Book View"));
        QCOMPARE(childTexts(top), QStringList({"2", "A", "B", "N", "S"}));
        QTreeWidgetItem* n = panes.tree.Node("N");
        QCOMPARE(childTexts(n), QStringList({"News", "NewsArchive"}));
        QTreeWidgetItem* news = n->child(0);
        QVERIFY(FavoritesTree::Tag(n).isEmpty());
        // Selected after the build: the root, with an empty list.
        QCOMPARE(panes.tree.SelectedItem(), top);
        QCOMPARE(panes.list.Count(), 0);

        click(panes, news);
        // Sorted by name: the folder's leading blank puts it first.
        QCOMPARE(panes.ListTexts(), QStringList({" Sub", "BBC", "Guardian", "News"}));
        QCOMPARE(panes.ListColumn(1),
                 QStringList({"/B/News/", "/A/News/", "/B/News/", "/NewsArchive/News/"}));
        QCOMPARE(panes.status.Text(2), QStringLiteral("4 items found"));
        panes.views.RefreshView();
        QCOMPARE(FavoritesTree::FullPath(panes.tree.SelectedItem()),
                 QStringLiteral("Phone Book View/N/News"));
        QCOMPARE(panes.list.Count(), 4);

        panes.Show(FavoritesViews::AddressBook);
        QCOMPARE(childTexts(panes.tree.Root()), QStringList({"2", "A-B", "M-N", "R-S"}));
    }

    void singleListShowsLinksBelowTheRoot()
    {
        builder().Build("Top.url = http://top\nNews/Daily/Guardian.url = http://g\n"
                        "News/BBC.url = http://bbc\nEmpty/\n");
        ViewPanes panes(root());
        panes.Show(FavoritesViews::SingleList);
        QCOMPARE(panes.tree.Count(), 1);
        QCOMPARE(FavoritesTree::Text(panes.tree.Root()), QStringLiteral("Single List View"));
        QVERIFY(!panes.treeWidget.isEnabled());
        QCOMPARE(panes.ListTexts(), QStringList({"BBC", "Guardian"}));
        QCOMPARE(panes.ListColumn(1), QStringList({"/News", "/News/Daily"}));
        QCOMPARE(panes.status.Text(2), QStringLiteral("2 items found"));
        // Another view enables the tree again.
        panes.Show(FavoritesViews::Normal);
        QVERIFY(panes.treeWidget.isEnabled());
    }

    void dateViewGroupsLinksByDay()
    {
        builder().Build("Root.url = http://root\nNews/BBC.url = http://bbc\n"
                        "News/Daily/Guardian.url = http://guardian\nTech/LWN.url = http://lwn\n"
                        "Tech/readme.txt\n");
        const auto day = [](int d, int h) { return QDateTime(QDate(2024, 3, d), QTime(h, 30)); };
        builder().Times("Root.url", day(9, 10)).Times("News/BBC.url", day(9, 23))
            .Times("News/Daily/Guardian.url", day(2, 0)).Times("Tech/LWN.url", day(9, 8))
            .Times("Tech/readme.txt", day(15, 12));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::LastModified);
        QTreeWidgetItem* top = panes.tree.Root();
        QCOMPARE(FavoritesTree::Text(top), QStringLiteral("Last Modified View"));
        // Newest first; the root's own link makes no day of its own.
        const QStringList days{"2024-03-15", "2024-03-09", "2024-03-02"};
        QCOMPARE(childTexts(top), days);
        QVERIFY(!panes.tree.SelectedItem());
        QCOMPARE(panes.list.Count(), 0);

        click(panes, top->child(1));
        // Sorted by folder, descending; the root's link listed as its day has a node.
        QCOMPARE(panes.ListColumn(1), QStringList({"/Tech/", "/News/", "/"}));
        QCOMPARE(panes.ListTexts(), QStringList({"LWN", "BBC", "Root"}));
        panes.views.RefreshView();
        QCOMPARE(FavoritesTree::Text(panes.tree.SelectedItem()), QStringLiteral("2024-03-09"));
        QCOMPARE(panes.list.Count(), 3);
        // Another date of the same files.
        panes.Show(FavoritesViews::LastAccessed);
        QCOMPARE(childTexts(panes.tree.Root()), days);
    }

    void oneDayIsLeftAlone()
    {
        builder().Link("News/BBC.url", "http://bbc")
            .Times("News/BBC.url", QDateTime(QDate(2020, 1, 1), QTime(12, 0)));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::LastModified);
        QCOMPARE(childTexts(panes.tree.Root()), QStringList({"2020-01-01"}));
    }

    void switchingViewsClearsTheSelection()
    {
        builder().Build("News/BBC.url = http://bbc\n");
        ViewPanes panes(root());
        panes.Show(FavoritesViews::Normal);
        click(panes, panes.tree.FindNodeByText("News"));
        QCOMPARE(panes.list.Count(), 1);
        panes.Show(FavoritesViews::PhoneBook);
        QCOMPARE(panes.tree.SelectedItem(), panes.tree.Root());
        QCOMPARE(panes.list.Count(), 0);
        panes.Show(FavoritesViews::DateCreated);
        QVERIFY(!panes.tree.SelectedItem());
        QCOMPARE(panes.list.Count(), 0);
    }

    void symbolicLinkLoopEndsAndListsOnce()
    {
        builder().Build("a/b/x.url = http://x\n");
        QVERIFY(QFile::link(root() + "/a", root() + "/a/b/loop"));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::SingleList);
        QCOMPARE(panes.ListTexts(), QStringList({"x"}));
        panes.Show(FavoritesViews::PhoneBook);
        QCOMPARE(childTexts(panes.tree.Root()), QStringList({"A", "B", "L"}));
    }
};

QTEST_MAIN(TestViews)
#include "test_views.moc"
