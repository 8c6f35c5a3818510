#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "favorites/FolderTree.h"
#include "favorites/IconSet.h"
#include "favorites/StatusPanels.h"
#include "platform/FileSystemService.h"
#include "support/FavoritesBuilder.h"
#include "support/ScriptedPrompts.h"
#include "support/TestEnvironment.h"
#include "support/ViewPanes.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

class TestFolderTree : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    QString root() const { return m_env->Favorites(); }
    FavoritesBuilder builder() const { return FavoritesBuilder(root()); }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<TestEnvironment>();
        QDir().mkpath(root());
    }
    void cleanup() { m_env.reset(); }

    void keysTagsAndOrder()
    {
        builder().Build(QStringLiteral(R"(
            news/
            News2/
            Tech/Linux/Debian/
            Tech/apple/
            Tech/Linux/Arch/
            Zoo.url = http://zoo
            Art/
        )"));
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        // Keys count nodes in the order they were added: depth first, siblings in name order.
        QCOMPARE(panes.NodeTexts(),
                 QStringList({"r=Normal View", "K2=Normal View/Art", "K3=Normal View/news",
                              "K4=Normal View/News2", "K5=Normal View/Tech",
                              "K6=Normal View/Tech/apple", "K7=Normal View/Tech/Linux",
                              "K8=Normal View/Tech/Linux/Arch", "K9=Normal View/Tech/Linux/Debian"}));
        QTreeWidgetItem* linuxNode = panes.tree.Node(QStringLiteral("K7"));
        QCOMPARE(FavoritesTree::Tag(linuxNode), root() + QStringLiteral("/Tech/Linux"));
        QCOMPARE(FavoritesTree::Tag(panes.tree.Root()), root());
        QCOMPARE(panes.tree.Image(linuxNode), QStringLiteral("Closed"));
        QCOMPARE(panes.tree.Root()->child(2)->text(0), QStringLiteral("News2"));
        QCOMPARE(panes.status.Text(1), QString());
        QCOMPARE(panes.status.Text(2), QStringLiteral("5 items found")); // four folders and Zoo
    }

    void sortedInsertKeepsChildrenInNameOrder()
    {
        ViewPanes panes(root());
        QTreeWidgetItem* top = panes.tree.AddRoot(QStringLiteral("Normal View"), root(), QStringLiteral("Favorites"));
        for (const char* name : {"delta", "Alpha", "charlie", "Bravo", "alpha"})
            panes.tree.AddFolderNode(top, QString::fromLatin1(name), QString());
        QCOMPARE(panes.tree.Image(top), QStringLiteral("Favorites"));
        QStringList children;
        for (int i = 0; i < top->childCount(); ++i)
            children.append(top->child(i)->text(0));
        QCOMPARE(children, QStringList({"Alpha", "alpha", "Bravo", "charlie", "delta"}));
        QCOMPARE(FavoritesTree::Key(panes.tree.FindNodeByText(QStringLiteral("Bravo"))), QStringLiteral("K5"));
    }

    void twoFoldersOfTheSameName()
    {
        builder().Build(QStringLiteral("A/Daily/\nB/Daily/\n"));
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        QTreeWidgetItem* first = panes.tree.FindNodeByText(QStringLiteral("Daily"));
        QTreeWidgetItem* second = panes.tree.FindNodeByPath(QStringLiteral("Normal View/B/Daily"));
        QVERIFY(first && second && first != second);
        QCOMPARE(FavoritesTree::Tag(first), root() + QStringLiteral("/A/Daily"));
        QCOMPARE(FavoritesTree::Tag(second), root() + QStringLiteral("/B/Daily"));
        QVERIFY(FavoritesTree::Key(first) != FavoritesTree::Key(second));
        QCOMPARE(panes.tree.FindNodeByTag(root() + QStringLiteral("/B/Daily")), second);
        QVERIFY(!panes.tree.FindNodeByPath(QStringLiteral("Normal View/b/daily")));
    }

    void bareFolderAndMissingRoot()
    {
        builder().Build(QStringLiteral("One.url = http://one\nreadme.txt\n"));
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        QCOMPARE(panes.tree.Count(), 1);
        QCOMPARE(panes.ListTexts(), QStringList({"One", "readme"}));

        ViewPanes empty{QString()};
        empty.views.BuildNormalView();
        QCOMPARE(empty.tree.Count(), 1);
        QCOMPARE(empty.list.Count(), 0);
        QCOMPARE(empty.status.Text(2), QStringLiteral("0 items found"));
    }

    void symbolicLinkLoopIsShownButNotWalked()
    {
        builder().Build(QStringLiteral("a/b/\n"));
        QVERIFY(QFile::link(root() + QStringLiteral("/a"), root() + QStringLiteral("/a/b/loop")));
        QVERIFY(QFile::link(root(), root() + QStringLiteral("/a/up")));
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        QCOMPARE(panes.NodeTexts(), QStringList({"r=Normal View", "K2=Normal View/a", "K3=Normal View/a/b",
                                                 "K4=Normal View/a/b/loop", "K5=Normal View/a/up"}));
    }

    void refreshKeepsExpansionAndSelection()
    {
        builder().Build(QStringLiteral("News/Daily/Guardian.url = http://g\nNews/Weekly/\nTech/Linux/\n"));
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        FavoritesTree::SetExpanded(panes.tree.FindNodeByPath(QStringLiteral("Normal View/Tech")), true);
        panes.views.NodeClick(panes.tree.FindNodeByPath(QStringLiteral("Normal View/News/Daily")));
        QCOMPARE(panes.views.SelectionKey(), root() + QStringLiteral("/News/Daily"));
        QCOMPARE(panes.status.Text(1), QStringLiteral("News > Daily"));

        panes.views.RefreshView();
        QTreeWidgetItem* daily = panes.tree.FindNodeByPath(QStringLiteral("Normal View/News/Daily"));
        QCOMPARE(panes.tree.SelectedItem(), daily);
        QVERIFY(daily->parent()->isExpanded());
        QVERIFY(panes.tree.FindNodeByPath(QStringLiteral("Normal View/Tech"))->isExpanded());
        QCOMPARE(panes.ListTexts(), QStringList({"Guardian"}));
        QCOMPARE(panes.status.Text(1), QString());
        QCOMPARE(panes.status.Text(2), QStringLiteral("1 items found"));
        QCOMPARE(panes.status.Text(3), QStringLiteral("Normal View"));

        // Coming from another view nothing is carried over.
        panes.views.Expansion().SetLastView(FavoritesViews::LastModified);
        panes.views.RefreshView();
        QVERIFY(!panes.tree.FindNodeByPath(QStringLiteral("Normal View/Tech"))->isExpanded());
    }

    void theRootCannotBeCollapsed()
    {
        builder().Build(QStringLiteral("A/\n"));
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        panes.treeWidget.collapseItem(panes.tree.Root());
        QVERIFY(panes.tree.Root()->isExpanded());
        QTreeWidgetItem* a = panes.tree.FindNodeByText(QStringLiteral("A"));
        panes.treeWidget.expandItem(a);
        panes.treeWidget.collapseItem(a);
        QVERIFY(!a->isExpanded());
    }

    void deletedSelectionFallsBackToTheRoot()
    {
        builder().Build(QStringLiteral("Old/\nKept.url = http://k\n"));
        ViewPanes panes(root());
        panes.views.SetSelectionKey(root() + QStringLiteral("/Old"));
        QVERIFY(QDir(root() + QStringLiteral("/Old")).removeRecursively());
        panes.views.BuildNormalView();
        QCOMPARE(panes.tree.SelectedItem(), panes.tree.Root());
        QVERIFY(panes.tree.Root()->isExpanded());
        QCOMPARE(panes.ListTexts(), QStringList({"Kept"}));
    }

    void markOpenNodeShowsTheClickedAndExpandedNodesOpen()
    {
        builder().Build(QStringLiteral("A/A1/\nB/B1/\nC/\n"));
        ViewPanes panes(root());
        panes.views.BuildNormalView();
        QTreeWidgetItem* a = panes.tree.FindNodeByText(QStringLiteral("A"));
        QTreeWidgetItem* b = panes.tree.FindNodeByText(QStringLiteral("B"));
        QTreeWidgetItem* c = panes.tree.FindNodeByText(QStringLiteral("C"));
        a->setExpanded(true);
        b->setExpanded(true);
        b->setExpanded(false);
        FolderTree::MarkOpenNode(panes.tree, c);
        QCOMPARE(panes.tree.Image(a), QStringLiteral("Open"));
        QCOMPARE(panes.tree.Image(b), QStringLiteral("Closed"));
        QCOMPARE(panes.tree.Image(c), QStringLiteral("Open"));
        QVERIFY(a->isExpanded());
    }

    void displayPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("shown");
        QTest::newRow("root") << "/f/Favorites" << "";
        QTest::newRow("folder") << "/f/Favorites/News" << "News";
        QTest::newRow("nested") << "/f/Favorites/News/Daily/Sport" << "News > Daily > Sport";
    }

    void displayPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, shown);
        QCOMPARE(FolderTree::DisplayPath(QStringLiteral("/f/Favorites"), path), shown);
    }

    void listFolderShowsFoldersThenFiles()
    {
        builder().Build(QStringLiteral(R"(
            zeta/
            a.b/
            Site.url = http://site
            readme.txt
            .hidden.url = http://hidden
        )"));
        const QDateTime afterMidnight(QDate(2004, 9, 24), QTime(0, 5, 9));
        const QDateTime afterNoon(QDate(2004, 9, 24), QTime(12, 38, 14));
        const QDateTime evening(QDate(2004, 9, 24), QTime(17, 38, 14));
        builder().Times(QStringLiteral("Site.url"), afterMidnight, afterNoon);
        builder().Times(QStringLiteral("readme.txt"), evening, evening);
        ViewPanes panes(root());
        panes.views.ListFolder(root());
        QCOMPARE(panes.ListTexts(), QStringList({" a", " zeta", ".hidden", "readme", "Site"}));
        QTreeWidgetItem* folder = panes.list.Item(0);
        QCOMPARE(FavoritesList::Tag(folder), u'*' + root() + QStringLiteral("/a.b"));
        QVERIFY(FavoritesList::IsFolder(folder));
        QTreeWidgetItem* site = panes.list.Item(4);
        QCOMPARE(FavoritesList::Tag(site), root() + QStringLiteral("/Site.url"));
        QCOMPARE(site->toolTip(0), QStringLiteral("Site"));
        QCOMPARE(site->text(1), QStringLiteral("2004-09-24 12:05:09 AM"));
        QCOMPARE(site->text(2), QStringLiteral("2004-09-24 12:38:14 PM"));
        QCOMPARE(panes.list.Item(3)->text(1), QStringLiteral("2004-09-24 05:38:14 PM"));
        QCOMPARE(panes.views.SelectionKey(), root());

        panes.views.ListFolder(root() + QStringLiteral("/gone"));
        QCOMPARE(panes.list.Count(), 0);
        QCOMPARE(panes.views.SelectionKey(), root());
    }

    void itemCountText_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << 0 << "0 items found";
        QTest::newRow("thousands") << 1234 << "1,234 items found";
        QTest::newRow("millions") << 1234567 << "1,234,567 items found";
    }

    void itemCountText()
    {
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(StatusPanels::ItemCountText(count), text);
    }

    void headerClicksFlipTheSortOrder()
    {
        builder().Build(QStringLiteral("b.url = http://b\nA.url = http://a\nc.url = http://c\nFolder/\n"));
        ViewPanes panes(root());
        panes.views.ListFolder(root());
        panes.list.ColumnClicked(0); // already the sort key: flips to descending
        QCOMPARE(panes.ListTexts(), QStringList({"c", "b", "A", " Folder"}));
        panes.list.ColumnClicked(0);
        QCOMPARE(panes.ListTexts(), QStringList({" Folder", "A", "b", "c"}));
        panes.list.ColumnClicked(1);
        QCOMPARE(panes.list.SortKey(), 1);
        QCOMPARE(panes.list.SortOrder(), 0);
        QVERIFY(panes.list.Sorted());
        // Sort settings survive a refill.
        panes.list.ColumnClicked(0);
        panes.list.ColumnClicked(0);
        panes.views.ListFolder(root());
        QCOMPARE(panes.ListTexts(), QStringList({"c", "b", "A", " Folder"}));
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
