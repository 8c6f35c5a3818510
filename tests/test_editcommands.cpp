#include "core/clsOptions.h"
#include "editing/EditCommands.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesListView.h"
#include "favorites/FavoritesTree.h"
#include "favorites/FavoritesTreeWidget.h"
#include "favorites/FavoritesViews.h"
#include "favorites/SearchLinks.h"
#include "support/AppFixture.h"
#include "support/FavoritesBuilder.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>
#include <QTreeWidget>

class TestEditCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<AppFixture> m_app;
    std::unique_ptr<frmFav1> m_window;
    std::unique_ptr<EditCommands> m_commands;

    QString fav(const QString& relative) const { return m_app->Favorites() + u'/' + relative; }
    bool exists(const QString& relative) const { return QFileInfo::exists(fav(relative)); }
    ScriptedPrompts& prompts() { return m_app->prompts; }
    void selectNode(const QString& relative)
    {
        m_commands->SelectFolderNode(m_window->Tree(),
                                     relative.isEmpty() ? m_app->Favorites() : fav(relative));
    }
    // Selects exactly the list entries with these tags.
    void selectEntries(const QStringList& tags)
    {
        FavoritesList& list = m_window->List();
        list.Widget()->clearSelection();
        for (int i = 0; i < list.Count(); ++i) {
            if (tags.contains(FavoritesList::Tag(list.Item(i))))
                list.Widget()->selectionModel()->select(
                    list.Item(i), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
    QString selectedNodeTag() const { return FavoritesTree::Tag(m_window->Tree().SelectedItem()); }

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppFixture>();
        FavoritesBuilder(m_app->Favorites())
            .Build("News/BBC.url = http://bbc\nNews/Daily/\nArchive/\nTop.url = http://top\n");
        m_window = m_app->Start();
        m_commands = std::make_unique<EditCommands>(m_window->AllPanes());
        selectNode(QString());
        prompts().messages.clear();
    }
    void cleanup()
    {
        m_commands.reset();
        m_window.reset();
        m_app.reset();
    }

    // A cancelled folder picker does nothing; afterwards the destination's node is selected.
    void copyAndMoveSelectTheDestination()
    {
        selectEntries({fav("Top.url")});
        m_commands->MoveTo("L");
        QVERIFY(exists("Top.url"));
        prompts().folders.enqueue(fav("Archive"));
        m_commands->CopyTo("L");
        QVERIFY(exists("Top.url") && exists("Archive/Top.url"));
        QCOMPARE(selectedNodeTag(), fav("Archive"));

        selectNode("News/Daily");
        prompts().folders.enqueue(fav("Archive/"));
        m_commands->MoveTo("T");
        QVERIFY(!exists("News/Daily") && exists("Archive/Daily"));
        QCOMPARE(selectedNodeTag(), fav("Archive/Daily"));
        QVERIFY(prompts().messages.isEmpty());

        selectEntries({});
        m_commands->CopyTo("L");
        selectNode("News");
        prompts().folders.enqueue(m_app->Favorites());
        m_commands->MoveTo("T");
        QCOMPARE(prompts().texts(),
                 (QStringList{"Please select an item to copy.",
                              "Source and Destination directories cannot be the same."}));
        QVERIFY(exists("News/BBC.url"));
    }

    // Deleting asks first, with No as the default; the root is never deleted or renamed.
    void deleteAsksFirst()
    {
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete("T");
        QVERIFY(!m_commands->Rename("T", "Elsewhere"));
        QVERIFY(prompts().messages.isEmpty() && exists("Top.url"));
        prompts().answers.clear();

        selectEntries({fav("Top.url")});
        m_commands->Delete("L");
        QCOMPARE(prompts().texts(),
                 QStringList{"Are you sure you want to move 'Top' to the Trash?"});
        QCOMPARE(prompts().messages.first().defaultAnswer, Prompts::Answer::No);
        QVERIFY(exists("Top.url"));

        selectEntries({u'*' + fav("Archive")});
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete("L");
        QVERIFY(!exists("Archive") && !m_window->Tree().FindNodeByTag(fav("Archive")));

        selectNode("News/Daily");
        prompts().answers.enqueue(Prompts::Answer::Yes);
        m_commands->Delete("T");
        QVERIFY(!exists("News/Daily") && !m_window->Tree().FindNodeByTag(fav("News/Daily")));
        QCOMPARE(selectedNodeTag(), fav("News"));
    }

    // Shift+Delete in either pane, and the Delete key with the option set, delete for good
    // with the old questions; the plain Delete key goes to the Trash.
    void deleteKeys_data()
    {
        QTest::addColumn<QString>("target"); // "*" marks a tree node
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("question");
        const QString daily = "Are you sure you want to delete 'Daily' and all its contents?";
        QTest::newRow("list") << "Top.url"
                              << "shift"
                              << "Are you sure you want to delete Top?";
        QTest::newRow("tree") << "*News/Daily"
                              << "shift" << daily;
        QTest::newRow("list, option") << "Top.url"
                                      << "option"
                                      << "Are you sure you want to delete Top?";
        QTest::newRow("tree, option") << "*News/Daily"
                                      << "option" << daily;
        QTest::newRow("tree, Trash")
            << "*News/Daily"
            << "trash"
            << "Are you sure you want to move 'Daily' and all its contents to the Trash?";
    }
    void deleteKeys()
    {
        QFETCH(QString, target);
        QFETCH(QString, how);
        QFETCH(QString, question);
        const bool tree = target.startsWith(u'*');
        const QString rel = tree ? target.mid(1) : target;
        m_window->Options().SetDeleteWithoutTrash(how == "option");
        QAbstractItemView* view = m_window->List().Widget();
        if (tree) {
            view = m_window->Tree().Widget();
            selectNode(rel);
            Q_EMIT static_cast<FavoritesTreeWidget*>(view)->touched();
        } else {
            selectEntries({fav(rel)});
            Q_EMIT static_cast<FavoritesListView*>(view)->touched();
        }
        prompts().messages.clear();
        prompts().answers.enqueue(Prompts::Answer::Yes);
        QTest::keyClick(view, Qt::Key_Delete, how == "shift" ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(prompts().texts(), QStringList{question});
        QVERIFY(!exists(rel));
        const QString trashed = m_app->env.DataHome() + "/Trash/files/" + QFileInfo(rel).fileName();
        QCOMPARE(QFileInfo::exists(trashed), how == "trash");
    }

    void newFolderAndRename()
    {
        selectEntries({fav("Top.url")});
        QVERIFY(m_commands->Rename("L", "Daily"));
        QVERIFY(!exists("Top.url") && exists("Daily.url"));
        QCOMPARE(FavoritesList::Tag(m_window->List().SelectedItem()), fav("Daily.url"));
        selectNode("News/Daily");
        QVERIFY(m_commands->Rename("T", "Weekly"));
        QVERIFY(exists("News/Weekly") && !exists("News/Daily"));
        QCOMPARE(selectedNodeTag(), fav("News/Weekly"));
        prompts().messages.clear();
        prompts().inputs << "a<b"
                         << "Fresh";
        m_commands->NewFolder("T");
        QCOMPARE(prompts().messages.size(), 1); // the bad name, then asked again
        QVERIFY(!exists("News/Weekly/a<b") && QFileInfo(fav("News/Weekly/Fresh")).isDir());
        QCOMPARE(selectedNodeTag(), fav("News/Weekly/Fresh"));

        m_window->SelectView(FavoritesViews::PhoneBook);
        prompts().messages.clear();
        m_commands->NewFolder("T");
        QCOMPARE(prompts().texts(), QStringList{"Create Folder is only available in Normal View."});
    }
};

QTEST_MAIN(TestEditCommands)
#include "test_editcommands.moc"
