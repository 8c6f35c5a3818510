#include "favorites/FolderTree.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"
#include "support/ViewPanes.h"

#include <QDir>
#include <algorithm>
#include <QFile>
#include <QTest>

class TestFolderTree : public QObject
{
    Q_OBJECT

private:
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

    void keysTagsAndOrder()
    {
        auto panes = normalView("news/\nNews2/\nTech/Linux/Debian/\nTech/apple/\nTech/Linux/Arch/\n"
                                "Zoo.url = http://zoo\nArt/\n");
        // Keys count nodes in the order they were added: depth first, siblings in name order.
        QCOMPARE(panes->NodeTexts(),
                 QStringList({"r=Normal View", "K2=Normal View/Art", "K3=Normal View/news",
                              "K4=Normal View/News2", "K5=Normal View/Tech",
                              "K6=Normal View/Tech/apple", "K7=Normal View/Tech/Linux",
                              "K8=Normal View/Tech/Linux/Arch", "K9=Normal View/Tech/Linux/Debian"}));
        QTreeWidgetItem* linuxNode = panes->tree.Node("K7");
        QCOMPARE(FavoritesTree::Tag(linuxNode), root() + "/Tech/Linux");
        QCOMPARE(FavoritesTree::Tag(panes->tree.Root()), root());
        QCOMPARE(panes->tree.Image(linuxNode), QStringLiteral("Closed"));
        QCOMPARE(panes->status.Text(2), QStringLiteral("5 items found")); // four folders and Zoo

        // The root cannot be collapsed; other nodes can.
        panes->treeWidget.collapseItem(panes->tree.Root());
        QVERIFY(panes->tree.Root()->isExpanded());
        panes->treeWidget.expandItem(linuxNode);
        panes->treeWidget.collapseItem(linuxNode);
        QVERIFY(!linuxNode->isExpanded());
    }

    void sortedInsertKeepsChildrenInNameOrder()
    {
        ViewPanes panes(root());
        QTreeWidgetItem* top = panes.tree.AddRoot("Normal View", root(), "Favorites");
        for (const char* name : {"delta", "Alpha", "charlie", "Bravo", "alpha"})
            panes.tree.AddFolderNode(top, name, QString());
        QCOMPARE(panes.tree.Image(top), QStringLiteral("Favorites"));
        QStringList children;
        for (int i = 0; i < top->childCount(); ++i)
            children.append(FavoritesTree::Key(top->child(i)) + u'=' + top->child(i)->text(0));
        QCOMPARE(children, QStringList({"K3=Alpha", "K6=alpha", "K5=Bravo", "K4=charlie", "K2=delta"}));
    }

    void twoFoldersOfTheSameName()
    {
        auto panes = normalView("A/Daily/\nB/Daily/\n");
        QTreeWidgetItem* first = panes->tree.FindNodeByText("Daily");
        QTreeWidgetItem* second = panes->tree.FindNodeByPath("Normal View/B/Daily");
        QVERIFY(first && second && first != second);
        QCOMPARE(FavoritesTree::Tag(first), root() + "/A/Daily");
        QVERIFY(FavoritesTree::Key(first) != FavoritesTree::Key(second));
        QCOMPARE(panes->tree.FindNodeByTag(root() + "/B/Daily"), second);
        QVERIFY(!panes->tree.FindNodeByPath("Normal View/b/daily"));
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
        QCOMPARE(empty.status.Text(2), QStringLiteral("0 items found"));
    }

    void symbolicLinkLoopIsShownButNotWalked()
    {
        builder().Build("a/b/\n");
        QVERIFY(QFile::link(root() + "/a", root() + "/a/b/loop"));
        QVERIFY(QFile::link(root(), root() + "/a/up"));
        auto panes = normalView("");
        QCOMPARE(panes->NodeTexts(), QStringList({"r=Normal View", "K2=Normal View/a", "K3=Normal View/a/b",
                                                  "K4=Normal View/a/b/loop", "K5=Normal View/a/up"}));
    }

    void refreshKeepsExpansionAndSelection()
    {
        auto panes = normalView("News/Daily/Guardian.url = http://g\nNews/Weekly/\nTech/Linux/\n");
        FavoritesTree::SetExpanded(panes->tree.FindNodeByPath("Normal View/Tech"), true);
        panes->views.NodeClick(panes->tree.FindNodeByPath("Normal View/News/Daily"));
        QCOMPARE(panes->views.SelectionKey(), root() + "/News/Daily");
        QCOMPARE(panes->status.Text(1), QStringLiteral("News > Daily"));

        panes->views.RefreshView();
        QTreeWidgetItem* daily = panes->tree.FindNodeByPath("Normal View/News/Daily");
        QCOMPARE(panes->tree.SelectedItem(), daily);
        QVERIFY(daily->parent()->isExpanded());
        QVERIFY(panes->tree.FindNodeByPath("Normal View/Tech")->isExpanded());
        QCOMPARE(panes->ListTexts(), QStringList({"Guardian"}));
        QCOMPARE(panes->status.Text(1), QString());
        QCOMPARE(panes->status.Text(2), QStringLiteral("1 items found"));
        QCOMPARE(panes->status.Text(3), QStringLiteral("Normal View"));

        // Coming from another view nothing is carried over.
        panes->views.Expansion().SetLastView(FavoritesViews::LastModified);
        panes->views.RefreshView();
        QVERIFY(!panes->tree.FindNodeByPath("Normal View/Tech")->isExpanded());
    }

    void deletedSelectionFallsBackToTheRoot()
    {
        builder().Build("Old/\nKept.url = http://k\n");
        ViewPanes panes(root());
        panes.views.SetSelectionKey(root() + "/Old");
        QVERIFY(QDir(root() + "/Old").removeRecursively());
        panes.views.BuildNormalView();
        QCOMPARE(panes.tree.SelectedItem(), panes.tree.Root());
        QVERIFY(panes.tree.Root()->isExpanded());
        QCOMPARE(panes.ListTexts(), QStringList({"Kept"}));
    }

    void markOpenNodeShowsTheClickedAndExpandedNodesOpen()
    {
        auto panes = normalView("A/A1/\nB/B1/\nC/\n");
        QTreeWidgetItem* a = panes->tree.FindNodeByText("A");
        QTreeWidgetItem* b = panes->tree.FindNodeByText("B");
        QTreeWidgetItem* c = panes->tree.FindNodeByText("C");
        a->setExpanded(true);
        b->setExpanded(true);
        b->setExpanded(false);
        FolderTree::MarkOpenNode(panes->tree, c);
        QCOMPARE(panes->tree.Image(a), QStringLiteral("Open"));
        QCOMPARE(panes->tree.Image(b), QStringLiteral("Closed"));
        QCOMPARE(panes->tree.Image(c), QStringLiteral("Open"));
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
        QCOMPARE(FolderTree::DisplayPath("/f/Favorites", path), shown);
    }

    void listFolderShowsFoldersThenFilesAndSortsByHeaderClicks()
    {
        builder().Build("zeta/\na.b/\nSite.url = http://site\nreadme.txt\n.hidden.url = http://hidden\n");
        const QDate day(2004, 9, 24);
        builder().Times("Site.url", QDateTime(day, QTime(0, 5, 9)), QDateTime(day, QTime(12, 38, 14)));
        builder().Times("readme.txt", QDateTime(day, QTime(17, 38, 14)));
        ViewPanes panes(root());
        panes.views.ListFolder(root());
        // Without regard to case; the leading blank puts folders first.
        const QStringList ascending{" a", " zeta", ".hidden", "readme", "Site"};
        QCOMPARE(panes.ListTexts(), ascending);
        QTreeWidgetItem* folder = panes.list.Item(0);
        QCOMPARE(FavoritesList::Tag(folder), u'*' + root() + "/a.b");
        QVERIFY(FavoritesList::IsFolder(folder));
        QTreeWidgetItem* site = panes.list.Item(4);
        QCOMPARE(FavoritesList::Tag(site), root() + "/Site.url");
        QCOMPARE(site->toolTip(0), QStringLiteral("Site"));
        QCOMPARE(site->text(1), QStringLiteral("2004-09-24 12:05:09 AM"));
        QCOMPARE(site->text(2), QStringLiteral("2004-09-24 12:38:14 PM"));
        QCOMPARE(panes.list.Item(3)->text(1), QStringLiteral("2004-09-24 05:38:14 PM"));
        QCOMPARE(panes.views.SelectionKey(), root());

        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        panes.list.ColumnClicked(0); // already the sort key: flips to descending
        QCOMPARE(panes.ListTexts(), descending);
        panes.list.ColumnClicked(1);
        QCOMPARE(panes.list.SortKey(), 1);
        QCOMPARE(panes.list.SortOrder(), 0);
        // Sort settings survive a refill.
        panes.list.ColumnClicked(0);
        panes.list.ColumnClicked(0);
        panes.views.ListFolder(root());
        QCOMPARE(panes.ListTexts(), descending);

        panes.views.ListFolder(root() + "/gone");
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
