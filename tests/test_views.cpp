#include "favorites/DateViews.h"
#include "favorites/ElidedLabel.h"
#include "favorites/GroupedViews.h"
#include "favorites/IconSet.h"
#include "support/FavoritesBuilder.h"
#include "support/TestEnvironment.h"
#include "support/ViewPanes.h"

#include <QFile>
#include <QHeaderView>
#include <QTest>

using GroupedViews::GroupRule;

class TestViews : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment> m_env;
    QString root() const { return m_env->Favorites(); }
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
        QTest::newRow("triple") << "Quake"
                                << "Q"
                                << "O-P-Q";
        QTest::newRow("dash falls in A-B") << "-misc"
                                           << "-"
                                           << "A-B";
        QTest::newRow("accented") << "église"
                                  << "É"
                                  << "É";
    }
    void groupLabels()
    {
        QFETCH(QString, name);
        QTEST(GroupedViews::GroupLabel(name, GroupRule::PhoneBook), "phoneBook");
        QTEST(GroupedViews::GroupLabel(name, GroupRule::AddressBook), "addressBook");
    }

    // The folder column keeps a folder whose name holds the item's ("NewsArchive/News").
    // Switching views clears the selection.
    void groupedViewsMergeFoldersOfOneName()
    {
        FavoritesBuilder(root()).Build(
            "A/News/BBC.url = http://bbc\nB/News/Sub/\nB/News/Guardian.url = http://g\n"
            "2004/\nNewsArchive/Old.url = http://old\nNewsArchive/News/News.url = http://n\n");
        ViewPanes panes(root());
        panes.Show(FavoritesViews::Normal);
        click(panes, panes.tree.FindNodeByText("NewsArchive"));
        QCOMPARE(panes.list.Count(), 2);
        panes.Show(FavoritesViews::PhoneBook);
        QCOMPARE(childTexts(panes.tree.Root()), QStringList({"2", "A", "B", "N", "S"}));
        QTreeWidgetItem* n = panes.tree.Node("N");
        QCOMPARE(childTexts(n), QStringList({"News", "NewsArchive"}));
        QCOMPARE(panes.tree.SelectedItem(), panes.tree.Root());
        QCOMPARE(panes.list.Count(), 0);

        click(panes, n->child(0));
        QCOMPARE(panes.ListTexts(), QStringList({"Sub", "BBC", "Guardian", "News"}));
        // A row's picture follows from what it lists: the folder first, then links.
        const auto image = [](const QIcon& icon) { return icon.pixmap(16).toImage(); };
        const auto picture = [&](int row) {
            return image(panes.list.Item(row).data(Qt::DecorationRole).value<QIcon>());
        };
        const IconSet icons = IconSet::Panes();
        QCOMPARE(picture(0), image(icons.Icon("Closed")));
        QCOMPARE(picture(1), image(icons.Icon("URL")));
        QVERIFY(picture(0) != picture(1));
        QCOMPARE(panes.ListColumn(1),
                 QStringList({"/B/News/", "/A/News/", "/B/News/", "/NewsArchive/News/"}));
        panes.views.RefreshView();
        QCOMPARE(FavoritesTree::FullPath(panes.tree.SelectedItem()),
                 QStringLiteral("Phone Book View/N/News"));
        QCOMPARE(panes.list.Count(), 4);

        panes.Show(FavoritesViews::AddressBook);
        QCOMPARE(childTexts(panes.tree.Root()), QStringList({"2", "A-B", "M-N", "R-S"}));
    }

    void singleListShowsLinksBelowTheRoot()
    {
        FavoritesBuilder(root()).Build("Top.url = http://top\nNews/Daily/Guardian.url = http://g\n"
                                       "News/BBC.url = http://bbc\nEmpty/\n");
        ViewPanes panes(root());
        panes.Show(FavoritesViews::SingleList);
        QCOMPARE(panes.tree.Count(), 1);
        QVERIFY(!panes.treeWidget.isEnabled());
        QCOMPARE(panes.ListTexts(), QStringList({"BBC", "Guardian"}));
        QCOMPARE(panes.ListColumn(1), QStringList({"/News", "/News/Daily"}));
        panes.Show(FavoritesViews::Normal);
        QVERIFY(panes.treeWidget.isEnabled());
    }

    // Names sort without regard to case, dates by the time itself (as text, "01:00 PM"
    // would come before "02:00 AM"); the selection stays on its link through a sort.
    void headerClicksSortAndKeepTheSelection()
    {
        const auto at = [](int h) { return QDateTime(QDate(2024, 3, 5), QTime(h, 0)); };
        FavoritesBuilder(root())
            .Build("cherry.url = http://c\nBanana.url = http://b\napple.url = http://a\n")
            .Times("cherry.url", at(2), at(2))
            .Times("Banana.url", at(13), at(13))
            .Times("apple.url", at(9), at(9));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::Normal);
        panes.list.SelectOnly(panes.list.Item(panes.ListTexts().indexOf("Banana")));
        panes.list.ColumnClicked(1);
        QCOMPARE(panes.ListTexts(), QStringList({"cherry", "apple", "Banana"}));
        panes.list.ColumnClicked(1);
        QCOMPARE(panes.ListTexts(), QStringList({"Banana", "apple", "cherry"}));
        panes.list.ColumnClicked(0);
        QCOMPARE(panes.ListTexts(), QStringList({"apple", "Banana", "cherry"}));
        QCOMPARE(FavoritesList::Text(panes.list.SelectedItem()), "Banana");
    }

    void dateViewGroupsLinksByDay()
    {
        const auto day = [](int d, int h) { return QDateTime(QDate(2024, 3, d), QTime(h, 30)); };
        FavoritesBuilder(root())
            .Build("Root.url = http://root\nNews/BBC.url = http://bbc\n"
                   "News/Daily/Guardian.url = http://guardian\nTech/LWN.url = http://lwn\n"
                   "Tech/readme.txt\nTech/Late.url = http://late\nTech/Early.url = http://early\n")
            .Times("Root.url", day(9, 10))
            .Times("News/BBC.url", day(9, 23))
            .Times("News/Daily/Guardian.url", day(2, 0))
            .Times("Tech/LWN.url", day(9, 8))
            // The last second of a day and the first of the next.
            .Times("Tech/Late.url", QDateTime(QDate(2024, 3, 9), QTime(23, 59, 59)))
            .Times("Tech/Early.url", QDateTime(QDate(2024, 3, 10), QTime(0, 0)))
            .Times("Tech/readme.txt", day(15, 12));
        ViewPanes panes(root());
        panes.Show(FavoritesViews::LastModified);
        // Newest first; the root's own link makes no day of its own.
        const QStringList days{"2024-03-15", "2024-03-10", "2024-03-09", "2024-03-02"};
        QCOMPARE(childTexts(panes.tree.Root()), days);
        QVERIFY(!panes.tree.SelectedItem() && panes.list.Count() == 0);

        click(panes, panes.tree.Root()->child(2));
        QCOMPARE(panes.ListColumn(1), QStringList({"/Tech/", "/Tech/", "/News/", "/"}));
        QCOMPARE(panes.ListTexts(), QStringList({"Late", "LWN", "BBC", "Root"}));
        panes.views.RefreshView();
        QCOMPARE(FavoritesTree::Text(panes.tree.SelectedItem()), QStringLiteral("2024-03-09"));
        QCOMPARE(panes.list.Count(), 4);
        panes.Show(FavoritesViews::LastAccessed);
        QCOMPARE(childTexts(panes.tree.Root()), days);
    }

    // The Normal view's four columns fit the list and follow its width until the user
    // sizes one; a date view's root and a long path show whole or with "...".
    void textsFitTheirPanes()
    {
        FavoritesBuilder(root()).Build("A rather long link name.url = http://a\n");
        ViewPanes panes(root());
        QAbstractItemView& cells = panes.listWidget;
        QTreeView& list = panes.listWidget;
        QHeaderView* header = list.header();
        panes.Show(FavoritesViews::Normal);
        for (const int width : {400, 900}) {
            list.resize(width, 300);
            panes.views.FitNormalColumns();
            QVERIFY(header->length() < width && header->length() > width - 50);
        }
        QVERIFY(header->sectionSize(3) >= cells.sizeHintForColumn(3));
        header->resizeSection(0, 50);
        list.resize(600, 300);
        panes.views.FitNormalColumns();
        QCOMPARE(header->sectionSize(0), 50);

        panes.treeWidget.resize(60, 300);
        panes.Show(FavoritesViews::LastAccessed);
        panes.treeWidget.doItemsLayout();
        QVERIFY(panes.treeWidget.visualItemRect(panes.tree.Root()).width() >
                panes.treeWidget.fontMetrics().horizontalAdvance("Last Accessed View"));

        auto* path = panes.statusBar.findChild<ElidedLabel*>("sbrPanel1");
        path->resize(120, 20);
        panes.status.SetText(1, "/News/Daily/A very long folder name/Last");
        const QString shown = path->ShownText();
        QVERIFY(shown.size() < 40 && shown.startsWith("/N") && shown.endsWith("Last"));
        QCOMPARE(panes.status.Text(1).size(), 40);
    }

    void symbolicLinkLoopEndsAndListsOnce()
    {
        FavoritesBuilder(root()).Build("a/b/x.url = http://x\n");
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
