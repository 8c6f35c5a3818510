#include "editing/EditCommands.h"
#include "favorites/FavoritesList.h"
#include "favorites/FavoritesTree.h"
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
                list.Widget()->selectionModel()->select(list.Item(i), QItemSelectionModel::Select | QItemSelectionModel::Rows);
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
        QCOMPARE(prompts().texts(), (QStringList{"Please select an item to copy.",
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
        QCOMPARE(prompts().texts(), QStringList{"Are you sure you want to delete Top?"});
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
        prompts().inputs << "a<b" << "Fresh";
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
