#include "editing/ChangeHistory.h"
#include "editing/DragDrop.h"
#include "favorites/FavoritesDrag.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesTreeWidget.h"
#include "favorites/FavoritesViews.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QFileInfo>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>

class TestDragDrop : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;

    QString fav(const QString& relative) const { return m_app->Favorites() + u'/' + relative; }
    bool exists(const QString& relative) const { return QFileInfo::exists(fav(relative)); }
    QTreeWidgetItem* node(const QString& text) const
    {
        return m_window->Tree().FindNodeByText(text);
    }
    DragDrop& drag() { return m_window->Drag(); }
    void dropOn(const QString& folder, Qt::KeyboardModifiers keys)
    {
        drag().OverTree(node(folder), keys);
        drag().DropOnTree(keys);
        drag().End();
    }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites())
            .Build("News/BBC.url = http://bbc\nNews/Guardian.url = http://g\nNews/Sub/\n"
                   "Tech/Linux/\nArchive/\n");
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
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("shown");
        const int move = DragDrop::Move, copy = DragDrop::Copy;
        QTest::newRow("no key moves") << int(Qt::NoModifier) << move << "News";
        QTest::newRow("Ctrl copies") << int(Qt::ControlModifier) << copy << "News";
        QTest::newRow("Shift copies, destination shown")
            << int(Qt::ShiftModifier) << move << "Archive";
    }
    void listEntriesMoveOrCopy()
    {
        QFETCH(int, keys);
        QFETCH(QString, shown);
        const auto modifiers = Qt::KeyboardModifiers(keys);
        m_window->Tree().Select(node("News"));
        m_window->NodeClick(node("News"));
        for (int i = 0; i < m_window->List().Count(); ++i) {
            if (QStringList{"BBC", "Sub"}.contains(
                    FavoritesList::Text(m_window->List().Item(i)).trimmed()))
                m_window->List().Widget()->selectionModel()->select(m_window->List().Item(i),
                                                                    QItemSelectionModel::Select |
                                                                        QItemSelectionModel::Rows);
        }
        QCOMPARE(drag().StartListDrag(), int(DragDrop::CopyOrMove));
        QTEST(drag().OverList(modifiers), "effect");
        dropOn("Archive", modifiers);
        QVERIFY(exists("Archive/BBC.url") && exists("Archive/Sub") && exists("News/Guardian.url"));
        QCOMPARE(exists("News/BBC.url"), modifiers != Qt::NoModifier);
        QCOMPARE(m_window->Views().SelectionKey(), fav(shown));
        QCOMPARE(FavoritesTree::Tag(m_window->Tree().SelectedItem()), fav(shown));
        // One drop is one step, however many items it carried.
        QVERIFY(m_window->History().Undo() && !exists("Archive/BBC.url") && !exists("Archive/Sub"));
        QVERIFY(exists("News/BBC.url") && exists("News/Sub"));
        QVERIFY(drag().DragSource().isEmpty());
    }

    void treeFolderMovesOrCopies()
    {
        m_window->Tree().Select(node("Tech"));
        QCOMPARE(drag().StartTreeDrag(), int(DragDrop::CopyOrMove));
        dropOn("Linux", Qt::NoModifier);
        QCOMPARE(m_app->prompts.texts(),
                 QStringList({"Cannot copy or move a folder to its subfolder."}));
        QVERIFY(exists("Tech/Linux"));

        drag().StartTreeDrag();
        dropOn("Archive", Qt::ControlModifier);
        QVERIFY(exists("Archive/Tech/Linux") && exists("Tech"));

        m_window->Tree().Select(node("News"));
        drag().StartTreeDrag();
        dropOn("Archive", Qt::NoModifier);
        QVERIFY(!exists("News") && exists("Archive/News/BBC.url"));
        QCOMPARE(m_window->Views().SelectionKey(), fav("Archive"));
    }

    void noDragOutsideTheNormalViewOrFromTheRoot()
    {
        m_window->Tree().Select(m_window->Tree().Root());
        QCOMPARE(drag().StartTreeDrag(), int(DragDrop::None));
        QCOMPARE(drag().OverTree(node("Archive"), Qt::NoModifier), int(DragDrop::None));
        m_window->SelectView(FavoritesViews::SingleList);
        QCOMPARE(drag().StartListDrag(), int(DragDrop::None));
    }

    // A folder the pointer rests on opens after three seconds, with no further motion; the
    // folder a drop would land in is marked while the pointer is over it.
    void restingThreeSecondsOpensAFolder()
    {
        QTreeWidgetItem* tech = node("Tech");
        tech->setExpanded(false);
        m_window->Tree().Select(tech);
        drag().StartTreeDrag();
        drag().OverTree(tech, Qt::NoModifier);
        m_app->clock.Advance(2900);
        drag().OverTree(node("Archive"), Qt::NoModifier); // another node restarts the count
        drag().OverTree(tech, Qt::NoModifier);
        m_app->clock.Advance(2999);
        QTest::qWait(300);
        QVERIFY(!tech->isExpanded());
        m_app->clock.Advance(1);
        QTRY_VERIFY(tech->isExpanded());

        auto* tree = static_cast<FavoritesTreeWidget*>(m_window->Tree().Widget());
        QMimeData ours;
        ours.setData(QString::fromLatin1(FavoritesDrag::MimeType), {});
        const QPoint archive = tree->visualItemRect(node("Archive")).center();
        QDragEnterEvent enter(archive, Qt::MoveAction, &ours, Qt::LeftButton, Qt::NoModifier);
        QDragMoveEvent move(archive, Qt::MoveAction, &ours, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        QCoreApplication::sendEvent(tree->viewport(), &move);
        QCOMPARE(tree->DropTarget(), node("Archive"));
        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(tree->viewport(), &leave);
        QVERIFY(!tree->DropTarget());
        drag().End();
    }
};

QTEST_MAIN(TestDragDrop)
#include "test_dragdrop.moc"
