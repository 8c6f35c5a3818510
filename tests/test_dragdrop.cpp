#include "editing/DragDrop.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesViews.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTreeWidget>

class TestDragDrop : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;

    QString fav(const QString& relative) const { return m_app->Favorites() + u'/' + relative; }
    QTreeWidgetItem* node(const QString& text) const { return m_window->Tree().FindNodeByText(text); }
    // Lists a folder and selects the entries with these texts.
    void selectInList(const QString& folder, const QStringList& texts)
    {
        QTreeWidgetItem* n = node(folder);
        m_window->Tree().Select(n);
        m_window->NodeClick(n);
        for (int i = 0; i < m_window->List().Count(); ++i) {
            QTreeWidgetItem* item = m_window->List().Item(i);
            item->setSelected(texts.contains(item->text(0).trimmed()));
        }
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites()).Build(QStringLiteral(R"(
            News/BBC.url = http://bbc
            News/Guardian.url = http://g
            News/Sub/
            Tech/Linux/
            Archive/
        )"));
        m_window = m_app->Start();
    }
    void cleanup()
    {
        m_window.reset();
        m_app.reset();
    }

    void listEntriesMoveOrCopy_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no key moves, source stays shown") << int(Qt::NoModifier) << true << "News";
        QTest::newRow("Ctrl copies, source stays shown") << int(Qt::ControlModifier) << false << "News";
        QTest::newRow("Shift copies, destination shown") << int(Qt::ShiftModifier) << false << "Archive";
    }

    void listEntriesMoveOrCopy()
    {
        QFETCH(int, keys);
        QFETCH(bool, moved);
        QFETCH(QString, shown);
        const auto modifiers = Qt::KeyboardModifiers(keys);
        DragDrop& drag = m_window->Drag();
        selectInList(QStringLiteral("News"), {QStringLiteral("BBC"), QStringLiteral("Sub")});
        QCOMPARE(drag.StartListDrag(), int(DragDrop::CopyOrMove));
        QCOMPARE(drag.OverList(modifiers), modifiers == Qt::ControlModifier ? 1 : 2);
        QVERIFY(drag.OverTree(node(QStringLiteral("Archive")), modifiers) != DragDrop::None);
        drag.DropOnTree(modifiers);
        drag.End();
        QVERIFY(QFile::exists(fav(QStringLiteral("Archive/BBC.url"))));
        QVERIFY(QDir(fav(QStringLiteral("Archive/Sub"))).exists());
        QCOMPARE(QFile::exists(fav(QStringLiteral("News/BBC.url"))), !moved);
        QVERIFY(QFile::exists(fav(QStringLiteral("News/Guardian.url"))));
        QCOMPARE(m_window->Views().SelectionKey(), fav(shown));
        QCOMPARE(FavoritesTree::Tag(m_window->Tree().SelectedItem()), fav(shown));
        QVERIFY(drag.DragSource().isEmpty());
    }

    void treeFolderMovesOrCopies()
    {
        DragDrop& drag = m_window->Drag();
        m_window->Tree().Select(node(QStringLiteral("Tech")));
        QCOMPARE(drag.StartTreeDrag(), int(DragDrop::CopyOrMove));
        drag.OverTree(node(QStringLiteral("Archive")), Qt::ControlModifier);
        drag.DropOnTree(Qt::ControlModifier);
        drag.End();
        QVERIFY(QDir(fav(QStringLiteral("Archive/Tech/Linux"))).exists());
        QCOMPARE(m_window->Views().SelectionKey(), fav(QStringLiteral("Tech")));

        m_window->Tree().Select(node(QStringLiteral("News")));
        drag.StartTreeDrag();
        drag.OverTree(node(QStringLiteral("Archive")), Qt::NoModifier);
        drag.DropOnTree(Qt::NoModifier);
        drag.End();
        QVERIFY(!QDir(fav(QStringLiteral("News"))).exists());
        QCOMPARE(m_window->Views().SelectionKey(), fav(QStringLiteral("Archive")));
    }

    void folderOntoItsOwnSubfolderIsRefused()
    {
        DragDrop& drag = m_window->Drag();
        m_window->Tree().Select(node(QStringLiteral("Tech")));
        drag.StartTreeDrag();
        drag.OverTree(node(QStringLiteral("Linux")), Qt::NoModifier);
        drag.DropOnTree(Qt::NoModifier);
        QCOMPARE(m_app->prompts.texts(), QStringList({"Cannot copy or move a folder to its subfolder."}));
        QVERIFY(QDir(fav(QStringLiteral("Tech/Linux"))).exists());
    }

    void noDragOutsideTheNormalViewOrFromTheRoot()
    {
        DragDrop& drag = m_window->Drag();
        m_window->Tree().Select(m_window->Tree().Root());
        QCOMPARE(drag.StartTreeDrag(), int(DragDrop::None));
        QCOMPARE(drag.OverTree(node(QStringLiteral("Archive")), Qt::NoModifier), int(DragDrop::None));
        m_window->SelectView(FavoritesViews::SingleList);
        QCOMPARE(drag.StartListDrag(), int(DragDrop::None));
    }

    void restingThreeSecondsOpensAFolder()
    {
        DragDrop& drag = m_window->Drag();
        QTreeWidgetItem* tech = node(QStringLiteral("Tech"));
        tech->setExpanded(false);
        selectInList(QStringLiteral("News"), {QStringLiteral("BBC")});
        drag.StartListDrag();
        drag.OverTree(tech, Qt::NoModifier);
        m_app->clock.Advance(2900);
        drag.OverTree(tech, Qt::NoModifier);
        QVERIFY(!tech->isExpanded());
        // Another node restarts the count.
        drag.OverTree(node(QStringLiteral("Archive")), Qt::NoModifier);
        m_app->clock.Advance(200);
        drag.OverTree(tech, Qt::NoModifier);
        m_app->clock.Advance(2999);
        drag.OverTree(tech, Qt::NoModifier);
        QVERIFY(!tech->isExpanded());
        m_app->clock.Advance(1);
        drag.OverTree(tech, Qt::NoModifier);
        QVERIFY(tech->isExpanded());
        drag.End();
    }
};

QTEST_MAIN(TestDragDrop)
#include "test_dragdrop.moc"
